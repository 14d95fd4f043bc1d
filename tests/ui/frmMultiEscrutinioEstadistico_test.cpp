#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

#include "core/format.h"
#include "core/paths.h"
#include "formats/bet_files.h"
#include "scrutiny/statistical.h"
#include "support/recording_interaction.h"
#include "support/test_bets.h"
#include "support/test_paths.h"
#include "ui/frmMultiEscrutinioEstadistico.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/numeric_line_edit.h"
#include "ui/widgets/waiting_panel.h"
#include "ui_test_support.h"

using namespace kombitron;
using namespace kombitron::ui;
using kombitron::test::click;
using kombitron::test::waitUntil;

namespace {

struct Draw {
    int season, number;
    char day;
    std::string numbers;  // six numbers and the complementary
    std::string prize6, prize3;
};

// A draws answer with both branches.
std::string answer(const std::vector<Draw>& draws, const std::string& game = "PRIMITIVA")
{
    std::string combinations, prizes;
    for (const Draw& d : draws) {
        const std::string key = " anio=\"" + std::to_string(d.season) + "\" sorteo=\"" + std::to_string(d.number) +
                                "\" dia=\"" + std::string(1, d.day) + "\"";
        combinations += "<COMBINACION numeros=\"" + d.numbers + ",0\"" + key + "/>";
        prizes += "<SORTEO" + key + " fecha=\"\" recaudacion=\"\" bote=\"\"><ESCRUTINIO><CAT6R premio=\"\"/><CAT6 premio=\"" +
                  d.prize6 + "\"/><CAT5C premio=\"\"/><CAT5 premio=\"\"/><CAT4 premio=\"\"/><CAT3 premio=\"" + d.prize3 +
                  "\"/></ESCRUTINIO></SORTEO>";
    }
    return "<?xml version=\"1.0\"?><RESULTADOS><" + game + "><COMBINACIONES>" + combinations +
           "</COMBINACIONES><SORTEOS>" + prizes + "</SORTEOS></" + game + "></RESULTADOS>";
}

const std::vector<Draw> kThreeDraws = {
    {2020, 1, 'X', "01,02,03,04,05,06,07", "500000", "8"},
    {2020, 2, 'S', "10,11,12,13,14,15,16", "", "8"},
    {2021, 1, 'X', "01,02,03,20,21,22,23", "", "8"},
};

struct StatisticalWindowTest : ::testing::Test {
    void SetUp() override
    {
        setNumberFormat({".", ","});
        setApplicationFolder(dir.path().string());
        window = std::make_unique<frmMultiEscrutinioEstadistico>("PRIMITIVA", ui);
        window->show();
    }
    void settle() { ASSERT_TRUE(waitUntil([&] { return !window->isBusy(); }, 20000)); }
    void serve(const std::string& xml)
    {
        window->setDrawsSource([this, xml](const std::string& game) {
            asked.push_back(game);
            return parseStatisticalDraws(xml, game);
        });
        click(window->cmdCargar);
        settle();
    }
    void openBets(const std::string& text)
    {
        test::writeFile(dir.file("apuestas.txt"), text);
        ui.openPaths.push_back(dir.file("apuestas.txt"));
        click(window->cmdDesdeFichero);
        settle();
    }
    // Ten bets: one equal to the first draw, one with three of its numbers, eight without hits.
    void tenBets()
    {
        std::string text = "01 02 03 04 05 06\r\n01 02 03 40 41 42\r\n";
        for (int i = 0; i < 8; ++i) text += "30 31 32 33 34 " + std::to_string(35 + i) + "\r\n";
        openBets(text);
    }

    test::TempDir dir;
    test::RecordingInteraction ui;
    std::vector<std::string> asked;
    std::unique_ptr<frmMultiEscrutinioEstadistico> window;
};

} // namespace

TEST(StatisticalWindow, OpensWithTheMainWindowsGameAndTheDefaultQuery)
{
    test::RecordingInteraction ui;
    frmMultiEscrutinioEstadistico window("BONOLOTO", ui);
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("MultiEscrutinio Estadístico"));
    EXPECT_EQ(window.cboTipoJuego->currentText(), QStringLiteral("BONOLOTO"));
    EXPECT_EQ(window.txtTemporadaDESDE->text(), QStringLiteral("1985"));
    EXPECT_EQ(window.txtTemporadaHASTA->text(), QString::number(QDate::currentDate().year()));
    EXPECT_EQ(window.txtSorteoDESDE->text(), QStringLiteral("1"));
    EXPECT_EQ(window.txtSorteoHASTA->text(), QStringLiteral("999"));
    EXPECT_EQ(window.cboDia->currentText(), QStringLiteral("Todos"));
    EXPECT_EQ(window.lblDatos->text().toStdString(), kStatisticalReportHeader);
    EXPECT_EQ(window.lblSorteoDESDE->text(), QStringLiteral("-"));
    EXPECT_EQ(window.cmdCargar->text(), QStringLiteral("Cargar desde Internet"));
    EXPECT_EQ(window.imgVerInforme->toolTip(), QStringLiteral("Muestra en el Bloc de Notas el informe completo"));
    EXPECT_EQ(window.cmdStop->toolTip(), QStringLiteral("Detener el proceso"));
}

TEST_F(StatisticalWindowTest, ChecksBeforeARunInOrder)
{
    click(window->cmdEscrutar);
    EXPECT_EQ(ui.lastText(), "ERROR: No hay ningún fichero cargado para escrutar");
    tenBets();
    EXPECT_EQ(window->lblApuCargadas->text(), QStringLiteral("10"));
    EXPECT_EQ(window->txtFicheroASCII->text(), QStringLiteral("apuestas.txt"));
    click(window->cmdEscrutar);
    EXPECT_EQ(ui.lastText(), "ERROR: No hay ningún fichero de sorteos cargado");
    serve(answer(kThreeDraws));

    const struct {
        NumericLineEdit* box;
        const char* text;
        const char* error;
    } cases[] = {
        {window->txtSorteoHASTA, "", "ERROR: Algún campo de la consulta esta vacío"},
        {window->txtTemporadaDESDE, "2030", "ERROR: Año mínimo mayor que año máximo"},
        {window->txtSorteoHASTA, "0", "ERROR: Número de sorteo mínimo mayor que número de sorteo máximo"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        const QString kept = c.box->text();
        c.box->setText(QString::fromLatin1(c.text));
        click(window->cmdEscrutar);
        EXPECT_FALSE(window->isBusy());
        EXPECT_EQ(ui.lastText(), c.error);
        EXPECT_EQ(ui.messages.back().kind, MessageKind::Error);
        c.box->setText(kept);
    }
    EXPECT_TRUE(window->txtDatos->toPlainText().isEmpty());
}

TEST_F(StatisticalWindowTest, LoadsThroughTheSourceAndShowsTheReport)
{
    serve(answer(kThreeDraws));
    EXPECT_EQ(asked, (std::vector<std::string>{"PRIMITIVA"}));
    EXPECT_EQ(window->lblSorteosCargados->text(), QStringLiteral("3"));
    EXPECT_EQ(window->lblSorteoDESDE->text(), QStringLiteral("1"));
    EXPECT_EQ(window->lblTemporadaDESDE->text(), QStringLiteral("2020"));
    EXPECT_EQ(window->lblSorteoHASTA->text(), QStringLiteral("1"));
    EXPECT_EQ(window->lblTemporadaHASTA->text(), QStringLiteral("2021"));
    tenBets();

    // The selector moved after loading: the draws are still PRIMITIVA's, and so is the bet price.
    window->cboTipoJuego->setCurrentIndex(1);
    window->txtTemporadaDESDE->setText(QStringLiteral("2020"));
    click(window->cmdEscrutar);
    EXPECT_TRUE(window->picVentanaEspera->isVisible());
    EXPECT_EQ(window->picVentanaEspera->title()->text(), QStringLiteral("Escrutando ..."));
    EXPECT_FALSE(window->fraConsultas->isEnabled());
    EXPECT_FALSE(window->imgVolver->isEnabled());
    settle();
    EXPECT_FALSE(window->picVentanaEspera->isVisible());
    EXPECT_TRUE(window->fraConsultas->isEnabled());
    const QString report = window->txtDatos->toPlainText();
    EXPECT_TRUE(report.startsWith(QStringLiteral("000001. 2020  001  X   01,02,03,04,05,06,07 * 1-0-0-0-1 * 500.008,00\n"
                                                 "000002. 2020  002  S   10,11,12,13,14,15,16 * 0-0-0-0-0 * 0,00\n")))
        << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("Sorteos Escrutados    : 3\n")));
    // One bet in ten wins back its one-euro price in each of the three draws.
    EXPECT_TRUE(report.contains(QStringLiteral("Estimación reintegros : 3 euros\n"))) << report.toStdString();
    EXPECT_FALSE(window->lblAvisoImportes->isVisible());
    EXPECT_TRUE(ui.messages.empty());

    // The whole report in the text editor; the box keeps what it shows.
    click(window->imgVerInforme);
    settle();
    ASSERT_EQ(ui.editorPaths, (std::vector<std::string>{dir.file("KOMBITRON_ESCRUTINIO.txt")}));
    QString written = QString::fromStdString(test::readFile(dir.file("KOMBITRON_ESCRUTINIO.txt")));
    written.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(written, report);
}

TEST_F(StatisticalWindowTest, SaysSoWhenTheServiceGaveNoPrizeAmounts)
{
    std::vector<Draw> blank = kThreeDraws;
    for (Draw& d : blank) d.prize6 = d.prize3 = "";
    serve(answer(blank));
    tenBets();
    click(window->cmdEscrutar);
    settle();
    EXPECT_TRUE(window->lblAvisoImportes->isVisible());
    EXPECT_EQ(window->lblAvisoImportes->text().toStdString(), kNoPrizeAmountsNotice);

    // A query that selects no draw has nothing to say about amounts.
    window->txtTemporadaDESDE->setText(QStringLiteral("2025"));
    click(window->cmdEscrutar);
    settle();
    EXPECT_FALSE(window->lblAvisoImportes->isVisible());
    EXPECT_TRUE(window->txtDatos->toPlainText().contains(QStringLiteral("Sorteos Escrutados    : 0\n")));
}

TEST_F(StatisticalWindowTest, AFailedLoadLeavesNoDraws)
{
    serve(answer(kThreeDraws));
    serve("<RESULTADOS><PRIMITIVA>");
    EXPECT_EQ(ui.lastText().rfind("ERROR AL CARGAR EL FICHERO DE SORTEOS - ", 0), 0u) << ui.lastText();
    EXPECT_EQ(window->drawCount(), 0);
    EXPECT_EQ(window->lblSorteosCargados->text(), QStringLiteral("0"));
    for (QLabel* span : {window->lblSorteoDESDE, window->lblTemporadaDESDE, window->lblSorteoHASTA, window->lblTemporadaHASTA})
        EXPECT_EQ(span->text(), QStringLiteral("-"));
    tenBets();
    click(window->cmdEscrutar);
    EXPECT_EQ(ui.lastText(), "ERROR: No hay ningún fichero de sorteos cargado");
}

TEST_F(StatisticalWindowTest, AStoppedRunShowsNoSummary)
{
    // Every bet of 1..30 against 3,000 draws: long enough for the stop to come first.
    const BetList all = test::everyBetOf(30);
    Progress progress;
    StopFlag never;
    ASSERT_TRUE(WriteBetFile(dir.file("todas.KMB"), "0", all, all.size(), progress, never).ok());
    std::vector<Draw> draws;
    for (int k = 0; k < 3000; ++k)
        draws.push_back({1990 + k / 100, 1 + k % 100, 'J', "0" + std::to_string(1 + k % 9) + ",10,20,30,40,45,49", "", "8"});
    serve(answer(draws));
    ui.openPaths.push_back(dir.file("todas.KMB"));
    click(window->cmdDesdeFichero);
    settle();
    ASSERT_EQ(window->betCount(), 593775);

    click(window->cmdEscrutar);
    click(window->cmdStop);
    settle();
    EXPECT_FALSE(window->txtDatos->toPlainText().contains(QStringLiteral("TOTALES")));
    EXPECT_TRUE(window->cmdEscrutar->isEnabled());
    EXPECT_TRUE(ui.messages.empty());
}
