#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

#include "core/format.h"
#include "core/paths.h"
#include "core/state.h"
#include "formats/bet_files.h"
#include "support/recording_interaction.h"
#include "support/test_paths.h"
#include "ui/frmCalculadoraPremios.h"
#include "ui/frmEscrutar.h"
#include "ui/frmMultiEscrutinioEstadistico.h"
#include "ui/frmMultiEscrutinioMultiFichero.h"
#include "ui/frmPrincipal.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/mark_cell.h"
#include "ui/widgets/numeric_line_edit.h"
#include "ui/widgets/ticket_grid.h"
#include "ui_test_support.h"

using namespace kombitron;
using namespace kombitron::ui;
using kombitron::test::click;
using kombitron::test::waitUntil;

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

QStringList lines(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

// Seventeen bets of a system of 1..9: one of each category against 1 2 3 4 5 6 with the
// complementary 7, and the rest below three hits. Reintegros 0 and 3 alternate.
BetList seventeenBets()
{
    const std::vector<std::array<int, 6>> rows = {
        {1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 7}, {1, 2, 3, 4, 5, 8}, {1, 2, 3, 4, 8, 9}, {1, 2, 3, 7, 8, 9},
        {1, 2, 7, 8, 9, 10}, {1, 7, 8, 9, 10, 11}, {7, 8, 9, 10, 11, 12}, {2, 3, 4, 5, 6, 9},
    };
    BetList bets(17);
    for (int64_t i = 1; i <= 17; ++i) {
        const auto& r = rows[static_cast<size_t>(i <= 9 ? i - 1 : 7)];
        Bet b;
        for (int j = 0; j < 6; ++j) b.numbers[j] = static_cast<uint8_t>(r[static_cast<size_t>(j)]);
        b.reintegro = static_cast<uint8_t>(i % 2 ? 0 : 3);
        bets.set(i, b);
    }
    return bets;
}

struct ScrutinyWindowTest : ::testing::Test {
    void SetUp() override
    {
        setNumberFormat({".", ","});
        setApplicationFolder(dir.path().string());
        state.finalSystem = seventeenBets();
        state.reducedCount = 17;
        for (int n = 1; n <= 5; ++n) state.base.markedNumbers[static_cast<size_t>(n)] = 1;  // 6 is not in the base
        state.winning.numbers = {1, 2, 3, 4, 5, 6};
        state.winning.complementary = 7;
    }
    void open(int64_t bets)
    {
        window = std::make_unique<frmEscrutar>(state, ui);
        window->ApuestasATRATAR = bets;
        window->show();
        settle();
    }
    void settle() { ASSERT_TRUE(waitUntil([&] { return !window->isBusy(); })); }
    std::string kmb(const std::string& name, const BetList& bets)
    {
        Progress progress;
        StopFlag stop;
        EXPECT_TRUE(WriteBetFile(dir.file(name), "0", bets, bets.size(), progress, stop).ok());
        return dir.file(name);
    }

    test::TempDir dir;
    AppState state;
    test::RecordingInteraction ui;
    std::unique_ptr<frmEscrutar> window;
};

const QStringList kSeventeenAgainstTheDraw = {"6\t1", "5+C\t1", "5\t2", "4\t1", "3\t1", "2\t1", "1\t1", "0\t9",
                                              "--------", "Reinteg.\t9"};

} // namespace

TEST_F(ScrutinyWindowTest, OpensOnTheReducedSystemAndScrutinisesAtOnce)
{
    open(17);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("ESCRUTAR - PRIMITIVA"));
    EXPECT_TRUE(window->optModo[0]->isChecked());
    EXPECT_TRUE(window->optModo[0]->isEnabled());
    EXPECT_EQ(window->lblApuCombinacionActual->text(), QStringLiteral("17"));
    EXPECT_FALSE(window->cmdDesdeFichero->isVisible());
    EXPECT_FALSE(window->chkReintegros->isVisible());
    // 17 bets fill 3 tickets; every bet with reintegro 0 counts, whatever its hits.
    EXPECT_EQ(window->lblApuestas->text(), QStringLiteral("17"));
    EXPECT_EQ(window->lblBoletos->text(), QStringLiteral("3"));
    EXPECT_EQ(lines(window->lstPremios), kSeventeenAgainstTheDraw);
    EXPECT_EQ(window->lblTipoCombinacion->text(), QStringLiteral("6 Números Seleccionados"));
    EXPECT_EQ(window->cboComplementario->currentText(), QStringLiteral("7"));
    EXPECT_EQ(window->cboReintegro->currentText(), QStringLiteral("0"));
    EXPECT_FALSE(window->lblEscrutando->isVisible());

    // The stored numbers are marked: green when one of the base's numbers, red otherwise.
    for (int n = 1; n <= 6; ++n) {
        SCOPED_TRACE(n);
        EXPECT_TRUE(window->gridNumeros->isMarked(n));
        EXPECT_EQ(window->gridNumeros->cell(n)->tone(), n <= 5 ? MarkCell::Tone::Green : MarkCell::Tone::Red);
    }
    EXPECT_FALSE(window->gridNumeros->isMarked(7));
    EXPECT_EQ(window->findChild<MarkCell*>(QStringLiteral("lblNumero_0")), window->gridNumeros->cell(1));
    EXPECT_EQ(window->imgEscrutar->toolTip(), QStringLiteral("Escrutar combinación"));
    EXPECT_EQ(window->imgVolver->toolTip(), QStringLiteral("Cerrar"));
}

TEST_F(ScrutinyWindowTest, MarkingAtMostSixAndTheComplementary)
{
    state.winning = WinningCombination{};
    open(17);
    for (int n : {1, 2, 3, 4, 5, 6, 7}) click(window->gridNumeros->cell(n));
    EXPECT_FALSE(window->gridNumeros->isMarked(7));
    EXPECT_EQ(window->lblTipoCombinacion->text(), QStringLiteral("6 Números Seleccionados"));
    EXPECT_EQ(state.winning.numbers, (std::array<uint8_t, 6>{1, 2, 3, 4, 5, 6}));

    // A click on a marked number unmarks it; the store follows, in ascending order.
    click(window->gridNumeros->cell(3));
    click(window->gridNumeros->cell(40));
    EXPECT_EQ(state.winning.numbers, (std::array<uint8_t, 6>{1, 2, 4, 5, 6, 40}));
    EXPECT_EQ(window->gridNumeros->cell(40)->tone(), MarkCell::Tone::Red);

    // The complementary: green when one of the base's numbers.
    window->cboComplementario->setCurrentIndex(2);
    emit window->cboComplementario->activated(2);
    EXPECT_EQ(state.winning.complementary, 2);
    EXPECT_TRUE(window->cboComplementario->styleSheet().contains(QLatin1String(colors::kHitGreen)));
    window->cboComplementario->setCurrentIndex(9);
    emit window->cboComplementario->activated(9);
    EXPECT_TRUE(window->cboComplementario->styleSheet().contains(QLatin1String(colors::kMarkRed)));

    // Equal to a winning number: the warning, and the previous result stays on screen.
    const QStringList before = lines(window->lstPremios);
    window->cboComplementario->setCurrentIndex(40);
    emit window->cboComplementario->activated(40);
    click(window->imgEscrutar);
    settle();
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"El número complementario ha de ser distinto de los números elegidos"}));
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(lines(window->lstPremios), before);

    // imgININumeros: nothing marked, "--", and a new scrutiny with no winning number.
    click(window->imgININumeros);
    settle();
    EXPECT_EQ(window->lblTipoCombinacion->text(), QStringLiteral("0 Números Seleccionados"));
    EXPECT_EQ(window->cboComplementario->currentText(), QStringLiteral("--"));
    EXPECT_EQ(state.winning.complementary, 0);
    EXPECT_EQ(lines(window->lstPremios).mid(0, 8),
              (QStringList{"6\t0", "5+C\t0", "5\t0", "4\t0", "3\t0", "2\t0", "1\t0", "0\t17"}));
}

TEST_F(ScrutinyWindowTest, SwitchingModes)
{
    open(17);
    click(window->optModo[1]);
    settle();
    EXPECT_EQ(window->ApuestasATRATAR, 0);
    EXPECT_TRUE(window->cmdDesdeFichero->isVisible());
    EXPECT_TRUE(window->txtFicheroASCII->isVisible());
    EXPECT_TRUE(window->chkReintegros->isVisible());
    EXPECT_TRUE(window->lblEtqCargarReintegros->isVisible());
    EXPECT_EQ(window->lblApuCombinacionNueva->text(), QStringLiteral("0"));
    EXPECT_EQ(window->lblApuestas->text(), QStringLiteral("0"));
    EXPECT_EQ(window->lblBoletos->text(), QStringLiteral("0"));
    EXPECT_EQ(lines(window->lstPremios),
              (QStringList{"6\t0", "5+C\t0", "5\t0", "4\t0", "3\t0", "2\t0", "1\t0", "0\t0", "--------", "Reinteg.\t0"}));
    // Outside the player's own system, no drawn number is one of its numbers.
    EXPECT_EQ(window->gridNumeros->cell(1)->tone(), MarkCell::Tone::Red);

    click(window->optModo[0]);
    settle();
    EXPECT_EQ(window->ApuestasATRATAR, 17);
    EXPECT_FALSE(window->cmdDesdeFichero->isVisible());
    EXPECT_EQ(lines(window->lstPremios), kSeventeenAgainstTheDraw);
    EXPECT_EQ(window->gridNumeros->cell(1)->tone(), MarkCell::Tone::Green);
}

TEST_F(ScrutinyWindowTest, AKmbFileOpenedWithoutReintegros)
{
    open(17);
    click(window->optModo[1]);
    settle();
    BetList bets = seventeenBets();
    bets.truncate(10);
    for (int64_t i = 1; i <= 10; ++i) bets.at(i, 7) = 5;  // none plays reintegro 0
    const std::string path = kmb("diez.KMB", bets);

    ui.openPaths.push_back(path);
    click(window->cmdDesdeFichero);
    settle();
    ASSERT_EQ(ui.openRequests.size(), 1u);
    EXPECT_EQ(ui.openRequests[0].title, "Abrir Fichero");
    EXPECT_EQ(ui.openRequests[0].filterIndex, 2);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"AVISO: Se ha asignado al fichero cargado el REINTEGRO 0."}));
    EXPECT_EQ(window->txtFicheroASCII->text(), QStringLiteral("diez.KMB"));
    EXPECT_EQ(window->txtFicheroASCII->toolTip(), qs(path));
    EXPECT_EQ(window->lblApuCombinacionNueva->text(), QStringLiteral("10"));
    EXPECT_EQ(window->ApuestasATRATAR, 10);
    // The grid starts over, and every bet plays reintegro 0, so all ten count in "Reinteg.".
    EXPECT_EQ(window->lblTipoCombinacion->text(), QStringLiteral("0 Números Seleccionados"));
    EXPECT_EQ(window->cboComplementario->currentText(), QStringLiteral("--"));
    EXPECT_EQ(lines(window->lstPremios).last(), QStringLiteral("Reinteg.\t10"));
    EXPECT_EQ(window->lblBoletos->text(), QStringLiteral("2"));

    // Ticking "Cargar Reintegros" drops the file: it has to be opened again.
    window->chkReintegros->setChecked(true);
    settle();
    EXPECT_TRUE(window->txtFicheroASCII->text().isEmpty());
    EXPECT_EQ(window->lblApuCombinacionNueva->text(), QStringLiteral("0"));
    EXPECT_EQ(window->lblApuestas->text(), QStringLiteral("0"));
    ui.messages.clear();
    ui.openPaths.push_back(path);
    click(window->cmdDesdeFichero);
    settle();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(lines(window->lstPremios).last(), QStringLiteral("Reinteg.\t0"));

    // A file that gives no bets leaves nothing to scrutinise.
    test::writeFile(dir.file("nada.txt"), "hola\r\n");
    window->chkReintegros->setChecked(false);
    settle();
    ui.messages.clear();
    ui.openPaths.push_back(dir.file("nada.txt"));
    click(window->cmdDesdeFichero);
    settle();
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.lastText().rfind("AVISO: Se han importado 0 apuestas.", 0), 0u);
    EXPECT_EQ(window->ApuestasATRATAR, 0);
    EXPECT_EQ(window->lblApuestas->text(), QStringLiteral("0"));

    // A cancelled dialog changes nothing.
    click(window->cmdDesdeFichero);
    settle();
    EXPECT_EQ(window->txtFicheroASCII->text(), QStringLiteral("nada.txt"));
}

TEST_F(ScrutinyWindowTest, WithoutAReducedSystemOnlyAFileCanBeScrutinised)
{
    open(0);
    EXPECT_TRUE(window->optModo[1]->isChecked());
    EXPECT_FALSE(window->optModo[0]->isEnabled());
    EXPECT_TRUE(window->cmdDesdeFichero->isEnabled());
    EXPECT_TRUE(window->cmdDesdeFichero->isVisible());
    EXPECT_EQ(window->lblApuestas->text(), QStringLiteral("0"));
}

TEST_F(ScrutinyWindowTest, BonolotoHasNoReintegros)
{
    selectGame(state, GameType::Bonoloto);
    open(17);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("ESCRUTAR - BONOLOTO"));
    EXPECT_FALSE(window->cboReintegro->isVisible());
    EXPECT_FALSE(window->lblReintegro->isVisible());
    EXPECT_EQ(lines(window->lstPremios), kSeventeenAgainstTheDraw.mid(0, 8));
    click(window->optModo[1]);
    settle();
    EXPECT_TRUE(window->cmdDesdeFichero->isVisible());
    EXPECT_FALSE(window->chkReintegros->isVisible());
    EXPECT_FALSE(window->lblEtqCargarReintegros->isVisible());
}

TEST_F(ScrutinyWindowTest, ThePrizedTicketsReport)
{
    open(17);
    click(window->imgVerBoletosPremiados);
    settle();
    ASSERT_EQ(ui.editorPaths, (std::vector<std::string>{dir.file("KOMBITRON_PREMIOS.txt")}));
    EXPECT_EQ(test::readFile(dir.file("KOMBITRON_PREMIOS.txt")),
              "BOLETO 01  02  03  04  05  06  07  08\r\n"
              "     1  6  5+C  5   4   3  --  --  --  \r\n"
              "     2  5  --  --  --  --  --  --  --  \r\n");
    EXPECT_EQ(lines(window->lstPremios), kSeventeenAgainstTheDraw);
}

TEST_F(ScrutinyWindowTest, TheCalculatorOpensAndClosesWithoutANewScrutiny)
{
    open(17);
    int scrutinies = 0;
    QObject::connect(window.get(), &frmEscrutar::scrutinised, [&] { ++scrutinies; });
    QString title;
    QStringList counts;
    auto watch = test::whenModal([&](QWidget* w) {
        auto* calculator = qobject_cast<frmCalculadoraPremios*>(w);
        ASSERT_NE(calculator, nullptr);
        title = calculator->windowTitle();
        for (auto* box : calculator->txtCalculadoraPremios) counts << box->text();
        calculator->close();  // the frame's close box does nothing
        EXPECT_TRUE(calculator->isVisible());
        click(calculator->imgVolver);
    });
    click(window->imgCalculadoraPremios);
    EXPECT_EQ(title, QStringLiteral("Calculadora de Premios : PRIMITIVA"));
    EXPECT_EQ(counts, (QStringList{"1", "1", "2", "1", "1"}));
    QTest::qWait(50);
    EXPECT_EQ(scrutinies, 0);
    EXPECT_FALSE(window->isBusy());
    EXPECT_EQ(lines(window->lstPremios), kSeventeenAgainstTheDraw);
}

TEST_F(ScrutinyWindowTest, OnlyCerrarCloses)
{
    open(17);
    window->close();
    EXPECT_TRUE(window->isVisible());
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
    click(window->imgVolver);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Accepted);
    // The winning combination outlives the window.
    EXPECT_EQ(state.winning.numbers, (std::array<uint8_t, 6>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(state.winning.complementary, 7);
}

TEST(ScrutinyFromTheMainWindow, TheMenuEntriesOpenTheirWindows)
{
    setNumberFormat({".", ","});
    test::TempDir dir;
    setApplicationFolder(dir.path().string());
    AppState state;
    test::RecordingInteraction ui;
    frmPrincipal main(state, ui);
    main.show();
    state.finalSystem = seventeenBets();
    state.reducedCount = 17;

    for (const char* name : {"menuEscrutinios", "menuMultiFichero", "menuMultiEstadistico"}) {
        SCOPED_TRACE(name);
        ASSERT_NE(main.action(QString::fromLatin1(name)), nullptr);
        EXPECT_TRUE(main.action(QString::fromLatin1(name))->isEnabled());
    }

    int64_t given = -1;
    QString mode;
    auto watch = test::whenModal([&](QWidget* w) {
        auto* scrutiny = qobject_cast<frmEscrutar*>(w);
        ASSERT_NE(scrutiny, nullptr);
        given = scrutiny->ApuestasATRATAR;
        waitUntil([&] { return !scrutiny->isBusy(); });
        mode = scrutiny->optModo[0]->isChecked() ? QStringLiteral("0") : QStringLiteral("1");
        click(scrutiny->imgVolver);
    });
    main.action(QStringLiteral("menuEscrutinios"))->trigger();
    EXPECT_EQ(given, 17);
    EXPECT_EQ(mode, QStringLiteral("0"));

    QString title;
    auto watch2 = test::whenModal([&](QWidget* w) {
        title = w->windowTitle();
        ui.answers.push_back(true);  // "¿ SEGURO QUE DESEAS VOLVER ?"
        click(w->findChild<QToolButton*>(QStringLiteral("imgVolver")));
    });
    main.action(QStringLiteral("menuMultiFichero"))->trigger();
    EXPECT_EQ(title, QStringLiteral("MultiEscrutinio MultiFichero"));

    // The statistical window's game follows the main window's.
    main.cboTipoJuego->setCurrentIndex(1);
    QString game;
    auto watch3 = test::whenModal([&](QWidget* w) {
        title = w->windowTitle();
        game = w->findChild<QComboBox*>(QStringLiteral("cboTipoJuego"))->currentText();
        click(w->findChild<QToolButton*>(QStringLiteral("imgVolver")));
    });
    main.action(QStringLiteral("menuMultiEstadistico"))->trigger();
    EXPECT_EQ(title, QStringLiteral("MultiEscrutinio Estadístico"));
    EXPECT_EQ(game, QStringLiteral("BONOLOTO"));
    state.savedFlag = true;
}
