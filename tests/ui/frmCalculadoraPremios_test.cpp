#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <future>
#include <memory>

#include "core/format.h"
#include "core/paths.h"
#include "scrutiny/prize_calculator.h"
#include "support/recording_interaction.h"
#include "support/test_paths.h"
#include "ui/frmCalculadoraPremios.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/mark_cell.h"
#include "ui/widgets/numeric_line_edit.h"
#include "ui_test_support.h"

using namespace kombitron;
using namespace kombitron::ui;
using kombitron::test::click;
using kombitron::test::waitUntil;

namespace {

// Two PRIMITIVA draws of the first week of 2015, as the prizes request answers them.
ServicePrizesResult firstWeekOf2015()
{
    ServicePrizesResult r;
    for (int k = 0; k < 2; ++k) {
        DrawPrizes p;
        p.season = 2015;
        p.drawNumber = static_cast<uint16_t>(k + 1);
        p.weekday = k == 0 ? 4 : 6;
        p.date = k == 0 ? "01/01/2015" : "03/01/2015";
        p.takings = 9876543.21;
        p.jackpot = 1500000;
        p.categories[kCat6] = {0, 0};
        p.categories[kCat5C] = {120000, 1};
        p.categories[kCat5] = {2200.5, 40};
        p.categories[kCat4] = {55.1, 2800};
        p.categories[kCat3] = {8, 51000};
        r.draws.push_back(p);
    }
    return r;
}

struct CalculatorTest : ::testing::Test {
    void SetUp() override
    {
        setNumberFormat({".", ","});
        setApplicationFolder(dir.path().string());
        inputs.counts = {1, 0, 2, 10, 50};
        inputs.bets = 351;
        inputs.winningNumbers = {3, 14, 22, 33, 41, 0};
        inputs.complementaryText = "--";
        inputs.combinationName = "semana.xml";
    }
    void open()
    {
        window = std::make_unique<frmCalculadoraPremios>(inputs, ui);
        window->show();
        // Boxes lose the focus only inside the active window.
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    // Type into a calculator box and leave it, as a player does.
    void type(NumericLineEdit* box, const QString& text)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
        window->txtNumeroSorteo->setFocus();
    }
    QStringList amounts() const
    {
        QStringList out;
        for (auto* box : window->txtCalculadoraEuros) out << box->text();
        return out;
    }

    test::TempDir dir;
    PrizeCalculatorInputs inputs;
    test::RecordingInteraction ui;
    std::unique_ptr<frmCalculadoraPremios> window;
};

} // namespace

TEST_F(CalculatorTest, OpensWithTheScrutinysCountsAndToday)
{
    open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Calculadora de Premios : PRIMITIVA"));
    const DrawDateBoxes today = todayDateBoxes();
    EXPECT_EQ(window->txtDia->text().toStdString() + "/" + window->txtMes->text().toStdString() + "/" +
                  window->txtAnio->text().toStdString(),
              today.day + "/" + today.month + "/" + today.year);
    QStringList counts;
    for (auto* box : window->txtCalculadoraPremios) counts << box->text();
    EXPECT_EQ(counts, (QStringList{"1", "0", "2", "10", "50"}));
    EXPECT_EQ(amounts(), (QStringList{"0", "0", "0", "0", "0"}));
    EXPECT_EQ(window->cboDia->currentText(), QStringLiteral("L"));
    EXPECT_EQ(window->txtPremiosTOTAL->text(), QStringLiteral("0,00"));
    EXPECT_EQ(window->txtPorcentajeTOTAL->text(), QStringLiteral("0%"));
    EXPECT_FALSE(window->percentageGreen());
    EXPECT_EQ(window->cmdConsultarSorteo->toolTip(), QStringLiteral("Consultar un sorteo por Fecha"));
    EXPECT_EQ(window->cmdIniCalculadoraPremios->toolTip(), QStringLiteral("Inicializa los datos de la calculadora"));
}

TEST_F(CalculatorTest, RecomputesWhenABoxLosesTheFocus)
{
    open();
    // 100 + 41 + 60 + 150 = 351 euros for 351 bets of one euro: 100 %, green.
    const char* const typed[5] = {"100", "0", "20,5", "6", "3"};
    for (int r = 0; r < 5; ++r) type(window->txtCalculadoraEuros[r], QString::fromLatin1(typed[r]));
    EXPECT_EQ(window->txtPremiosTOTAL->text(), QStringLiteral("351,00"));
    EXPECT_EQ(window->txtPorcentajeTOTAL->text(), QStringLiteral("100%"));
    EXPECT_TRUE(window->percentageGreen());
    EXPECT_TRUE(window->txtPorcentajeTOTAL->styleSheet().contains(QLatin1String(colors::kHitGreen)));

    // One prize fewer of 100: 251 euros, 71,51 %, red.
    type(window->txtCalculadoraPremios[0], QStringLiteral("0"));
    EXPECT_EQ(window->txtPremiosTOTAL->text(), QStringLiteral("251,00"));
    EXPECT_EQ(window->txtPorcentajeTOTAL->text(), QStringLiteral("71,51%"));
    EXPECT_FALSE(window->percentageGreen());
    EXPECT_TRUE(window->txtPorcentajeTOTAL->styleSheet().contains(QLatin1String(colors::kMarkRed)));

    // The reset: every box "0", nothing won.
    click(window->cmdIniCalculadoraPremios);
    for (int r = 0; r < 5; ++r) {
        EXPECT_EQ(window->txtCalculadoraPremios[r]->text(), QStringLiteral("0"));
        EXPECT_EQ(window->txtCalculadoraEuros[r]->text(), QStringLiteral("0"));
    }
    EXPECT_EQ(window->txtPremiosTOTAL->text(), QStringLiteral("0,00"));
}

TEST_F(CalculatorTest, BonolotoBetsCostHalfAEuro)
{
    inputs.game = GameType::Bonoloto;
    inputs.bets = 200;
    inputs.counts = {0, 0, 0, 0, 25};
    open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Calculadora de Premios : BONOLOTO"));
    type(window->txtCalculadoraEuros[4], QStringLiteral("3"));
    // 75 euros won back of the 100 that 200 bets cost.
    EXPECT_EQ(window->txtPorcentajeTOTAL->text(), QStringLiteral("75%"));
    EXPECT_FALSE(window->percentageGreen());
}

TEST_F(CalculatorTest, ConsultationByDateOffTheUiThread)
{
    open();
    auto release = std::make_shared<std::promise<void>>();
    std::shared_future<void> released = release->get_future().share();
    int asked = 0;
    window->setPrizesFetch([released, &asked](const std::string& game) {
        ++asked;
        released.wait();
        EXPECT_EQ(game, "PRIMITIVA");
        return firstWeekOf2015();
    });
    window->txtDia->setText(QStringLiteral("03"));
    window->txtMes->setText(QStringLiteral("01"));
    window->txtAnio->setText(QStringLiteral("2015"));
    click(window->cmdConsultarSorteo);
    // While the service answers, the window paints, with what the consultation may change disabled.
    EXPECT_TRUE(window->isBusy());
    EXPECT_FALSE(window->cmdConsultarSorteo->isEnabled());
    EXPECT_FALSE(window->fraCalculadora->isEnabled());
    EXPECT_FALSE(window->frmPremiosSorteo->isEnabled());
    EXPECT_FALSE(window->txtAnio->isEnabled());
    EXPECT_FALSE(window->imgVolver->isEnabled());
    release->set_value();
    ASSERT_TRUE(waitUntil([&] { return !window->isBusy(); }));
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(window->cmdConsultarSorteo->isEnabled());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(window->txtNumeroSorteo->text(), QStringLiteral("2"));
    EXPECT_EQ(window->cboDia->currentText(), QStringLiteral("S"));
    EXPECT_EQ(window->txtRecaudacion->text(), QStringLiteral("9876543,21"));
    EXPECT_EQ(window->txtBote->text(), QStringLiteral("1500000"));
    EXPECT_EQ(window->txtSorteoAciertos[1]->text(), QStringLiteral("1"));
    EXPECT_EQ(window->txtSorteoPremios[3]->text(), QStringLiteral("55,1"));
    EXPECT_EQ(amounts(), (QStringList{"0", "120000", "2200,5", "55,1", "8"}));
    // 2 × 2200,5 + 10 × 55,1 + 50 × 8
    EXPECT_EQ(window->txtPremiosTOTAL->text(), QStringLiteral("5352,00"));

    // 1/1/2015 is a date, but no draw's date is written that way: nothing changes.
    window->setPrizesFetch([](const std::string&) { return firstWeekOf2015(); });
    window->txtDia->setText(QStringLiteral("1"));
    window->txtMes->setText(QStringLiteral("1"));
    click(window->cmdConsultarSorteo);
    ASSERT_TRUE(waitUntil([&] { return !window->isBusy(); }));
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"ERROR: SORTEO NO ENCONTRADO"}));
    EXPECT_EQ(window->txtNumeroSorteo->text(), QStringLiteral("2"));

    // A failed request sets the draw's boxes to "0" and keeps the amounts.
    window->setPrizesFetch([](const std::string&) {
        ServicePrizesResult r;
        r.status = ServiceStatus::Transport;
        r.description = "sin conexión";
        return r;
    });
    click(window->cmdConsultarSorteo);
    ASSERT_TRUE(waitUntil([&] { return !window->isBusy(); }));
    EXPECT_EQ(ui.lastText(), "ERROR AL CARGAR EL FICHERO DE SORTEOS (sin conexión)");
    EXPECT_EQ(window->txtNumeroSorteo->text(), QStringLiteral("0"));
    EXPECT_EQ(window->txtRecaudacion->text(), QStringLiteral("0"));
    EXPECT_EQ(window->txtSorteoPremios[3]->text(), QStringLiteral("0"));
    EXPECT_EQ(amounts(), (QStringList{"0", "120000", "2200,5", "55,1", "8"}));
}

TEST_F(CalculatorTest, TheSummaryReport)
{
    inputs.bets = 17;
    inputs.counts = {0, 0, 0, 1, 2};
    open();
    click(window->cmdVerInformePremios);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"ERROR: ALGUN CAMPO ESTA VACIO"}));
    EXPECT_TRUE(ui.editorPaths.empty());

    window->txtNumeroSorteo->setText(QStringLiteral("2"));
    window->txtDia->setText(QStringLiteral("03"));
    window->txtMes->setText(QStringLiteral("01"));
    window->txtAnio->setText(QStringLiteral("2015"));
    window->cboDia->setCurrentIndex(5);
    type(window->txtCalculadoraEuros[4], QStringLiteral("8"));
    click(window->cmdVerInformePremios);
    ASSERT_EQ(ui.editorPaths, (std::vector<std::string>{dir.file("KOMBITRON_TEMP.txt")}));
    const std::string report = test::readFile(dir.file("KOMBITRON_TEMP.txt"));
    EXPECT_EQ(report.substr(0, report.find("\r\n\r\n")),
              "Tipo de Juego            : PRIMITIVA\r\n"
              "Fecha Sorteo             : 03/01/2015\r\n"
              "Número Sorteo            : 2\r\n"
              "Día                      : S\r\n"
              "Combinación Escrutada    : semana.xml\r\n"
              "Total Apuestas           : 17\r\n"
              "Total Boletos(de 8 apu.) : 3\r\n"
              "Números Ganadores        : 03,14,22,33,41\r\n"
              "Nº Complementario        : --");
    EXPECT_NE(report.find("3         2         8\r\n"), std::string::npos) << report;
    EXPECT_NE(report.find("Total Cobrado         : 16,00 Euros\r\n"), std::string::npos) << report;
}

TEST_F(CalculatorTest, OnlyCerrarCloses)
{
    open();
    window->close();
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
    click(window->imgVolver);
    EXPECT_FALSE(window->isVisible());
}
