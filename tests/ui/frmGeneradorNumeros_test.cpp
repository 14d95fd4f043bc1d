#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <set>

#include "core/rank.h"
#include "tools/tool_window_fixture.h"
#include "ui/frmGeneradorNumeros.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/mark_cell.h"
#include "ui/widgets/numeric_line_edit.h"
#include "ui/widgets/ticket_grid.h"
#include "ui/widgets/waiting_panel.h"

using namespace kombitron;
using namespace kombitron::ui;
using kombitron::test::child;
using kombitron::test::click;

namespace {

struct GeneradorNumerosTest : test::ToolWindowTest {
    void SetUp() override
    {
        ToolWindowTest::SetUp();
        window = std::make_unique<frmGeneradorNumeros>(person);
        window->show();
    }
    void mark(std::initializer_list<int> numbers)
    {
        for (int n : numbers) click(window->gridNumeros->cell(n));
    }
    void generate(const QString& count)
    {
        window->txtApuestas->setText(count);
        click(window->cmdGenerar);
        waitIdle(*window);
    }
    std::unique_ptr<frmGeneradorNumeros> window;
};

} // namespace

TEST_F(GeneradorNumerosTest, GridCountersAndRandomMarking)
{
    EXPECT_EQ(window->txtApuestas->text(), QStringLiteral("1"));
    EXPECT_EQ(window->lblTipoCombinacion->text(), QStringLiteral("0 Números"));
    EXPECT_EQ(window->lblApuestasIniciales->text(), QStringLiteral("0 Apuestas"));
    EXPECT_EQ(window->cboNumeros->currentText(), QStringLiteral("6"));
    EXPECT_NE(child<MarkCell>(window.get(), QStringLiteral("lblNumero_48")), nullptr);

    // A click marks in the ticket's colours, a second one unmarks.
    mark({7, 7, 12, 19, 23, 31, 38, 44, 3});
    EXPECT_FALSE(window->gridNumeros->isMarked(7));
    EXPECT_TRUE(window->gridNumeros->isMarked(44));
    EXPECT_TRUE(window->gridNumeros->cell(44)->styleSheet().contains(QLatin1String(colors::kMarkRed)));
    EXPECT_EQ(window->lblTipoCombinacion->text(), QStringLiteral("7 Números"));
    EXPECT_EQ(window->lblApuestasIniciales->text(), QStringLiteral("7 Apuestas"));

    click(window->imgININumeros);
    EXPECT_TRUE(window->markedNumbers().empty());
    EXPECT_EQ(window->lblApuestasIniciales->text(), QStringLiteral("0 Apuestas"));

    // "Azar" clears the grid and marks the chosen count.
    mark({1, 2});
    window->cboNumeros->setCurrentIndex(9);
    click(window->cmdAzar);
    EXPECT_EQ(window->markedNumbers().size(), 10u);
    EXPECT_EQ(window->lblApuestasIniciales->text(), QStringLiteral("210 Apuestas"));
    window->cboNumeros->setCurrentIndex(48);
    click(window->cmdAzar);
    EXPECT_EQ(window->lblTipoCombinacion->text(), QStringLiteral("49 Números"));
    EXPECT_EQ(window->lblApuestasIniciales->text(), QStringLiteral("13.983.816 Apuestas"));
}

TEST_F(GeneradorNumerosTest, GenerateSavesDistinctBetsWithTheControlsDisabled)
{
    mark({2, 11, 17, 23, 29, 31, 38, 44});
    person.savePaths = {dir.file("muestra.txt")};
    bool disabledAtSave = false;
    person.onSave = [&] { disabledAtSave = !window->cmdGenerar->isEnabled() && !window->imgVolver->isEnabled(); };
    generate(QStringLiteral("20"));

    EXPECT_TRUE(disabledAtSave);
    EXPECT_TRUE(window->cmdGenerar->isEnabled());
    EXPECT_TRUE(person.messages.empty()) << person.lastText();
    ASSERT_EQ(person.saveRequests.size(), 1u);
    EXPECT_EQ(person.saveRequests[0].title, "Guardar Combinación");
    EXPECT_EQ(person.saveRequests[0].initialName, "20_Apuestas.KMB");
    const ToolSaveOutcome& outcome = window->lastOutcome();
    ASSERT_TRUE(outcome.saved);
    EXPECT_EQ(outcome.path, dir.file("muestra.KMB"));

    const BetFileRead read = test::readKmb(outcome.path);
    ASSERT_TRUE(read.ok()) << read.failure;
    EXPECT_EQ(read.header, "0211172329313844");
    ASSERT_EQ(read.bets.size(), 20);
    const std::set<int> allowed = {2, 11, 17, 23, 29, 31, 38, 44};
    std::set<int32_t> distinct;
    for (int64_t i = 1; i <= 20; ++i) {
        for (int j = 1; j <= 6; ++j) EXPECT_TRUE(allowed.count(read.bets.at(i, j)));
        EXPECT_EQ(read.bets.at(i, 7), 0);
        distinct.insert(CombinationRank(read.bets.bet(i)));
    }
    EXPECT_EQ(distinct.size(), 20u);
}

TEST_F(GeneradorNumerosTest, RefusalsInOrder)
{
    struct Case {
        std::vector<int> numbers;
        const char* count;
        MessageKind kind;
        const char* text;
    };
    const Case cases[] = {
        {{1, 2, 3, 4, 5}, "", MessageKind::Warning, "AVISO: DEBE SELECCIONAR MINIMO 6 NUMEROS"},
        {{1, 2, 3, 4, 5, 6}, "", MessageKind::Error, "ERROR: EL Nº DE APUESTAS A GENERAR HA DE SER MAYOR QUE 0"},
        {{1, 2, 3, 4, 5, 6}, "0", MessageKind::Error, "ERROR: EL Nº DE APUESTAS A GENERAR HA DE SER MAYOR QUE 0"},
        {{1, 2, 3, 4, 5, 6}, "2", MessageKind::Error,
         "ERROR: EL Nº DE APUESTAS A GENERAR HA DE SER MENOR O IGUAL QUE EL Nº DE APUESTAS DEL SISTEMA TOTAL (tiene 1 "
         "apuestas)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        person.messages.clear();
        click(window->imgININumeros);
        for (int n : c.numbers) click(window->gridNumeros->cell(n));
        generate(QString::fromLatin1(c.count));
        ASSERT_EQ(person.messages.size(), 1u);
        EXPECT_EQ(person.messages[0].kind, c.kind);
        EXPECT_EQ(person.messages[0].text, c.text);
        EXPECT_FALSE(window->picVentanaEspera->isVisible());
    }
    EXPECT_TRUE(person.saveRequests.empty());

    // Six numbers and one bet: the six numbers.
    person.savePaths = {dir.file("una.KMB")};
    generate(QStringLiteral("1"));
    const BetFileRead read = test::readKmb(dir.file("una.KMB"));
    ASSERT_EQ(read.bets.size(), 1);
    EXPECT_EQ(test::rowsOf(read.bets), (std::vector<std::vector<int>>{{1, 2, 3, 4, 5, 6, 0}}));
}

// All 49 numbers: the 13,983,816 subsets are shuffled off the UI thread behind the waiting panel,
// the event loop keeps turning, the panel steps aside for the save dialog, and closing waits.
TEST_F(GeneradorNumerosTest, FullSystemShufflesBehindTheWaitingPanel)
{
    window->cboNumeros->setCurrentIndex(48);
    click(window->cmdAzar);
    ASSERT_EQ(window->markedNumbers().size(), 49u);
    person.savePaths = {dir.file("mil.KMB")};
    bool panelSeen = false, panelAtSave = true;
    int turns = 0;
    QStringList captions;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        ++turns;
        if (window->picVentanaEspera->isVisible()) {
            panelSeen = true;
            if (!captions.contains(window->picVentanaEspera->text())) captions << window->picVentanaEspera->text();
        }
    });
    person.onSave = [&] { panelAtSave = window->picVentanaEspera->isVisible(); };
    ticker.start();
    window->txtApuestas->setText(QStringLiteral("1000"));
    click(window->cmdGenerar);
    EXPECT_TRUE(window->isBusy());
    EXPECT_FALSE(window->content()->isEnabled());
    // "Cerrar" waits for the work.
    window->cerrar();
    EXPECT_TRUE(window->isVisible());
    waitIdle(*window);
    ticker.stop();

    EXPECT_TRUE(panelSeen);
    EXPECT_FALSE(panelAtSave);
    EXPECT_FALSE(window->picVentanaEspera->isVisible());
    EXPECT_GT(turns, 3);
    EXPECT_TRUE(captions.contains(QStringLiteral("Generando apuestas por favor espere ..."))) << captions.join(QLatin1Char('|')).toStdString();
    ASSERT_TRUE(window->lastOutcome().saved) << window->lastOutcome().failure;
    const BetFileRead read = test::readKmb(dir.file("mil.KMB"));
    ASSERT_EQ(read.bets.size(), 1000);
    std::set<int32_t> distinct;
    for (int64_t i = 1; i <= 1000; ++i) distinct.insert(CombinationRank(read.bets.bet(i)));
    EXPECT_EQ(distinct.size(), 1000u);
    window->cerrar();
    EXPECT_FALSE(window->isVisible());
}
