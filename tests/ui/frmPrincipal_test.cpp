#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QProgressBar>
#include <QPushButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "core/filter_rows.h"
#include "core/format.h"
#include "core/paths.h"
#include "core/state.h"
#include "support/recording_interaction.h"
#include "support/test_paths.h"
#include "ui/frmGarantiasTOTAL.h"
#include "ui/frmPrincipal.h"
#include "ui/frmReduccion.h"
#include "ui/widgets/image_button.h"
#include "ui/frmVentanaProceso.h"
#include "ui/widgets/mark_cell.h"
#include "ui/widgets/ticket_grid.h"
#include "ui/widgets/waiting_panel.h"
#include "ui_test_support.h"

using namespace kombitron;
using namespace kombitron::ui;
using kombitron::test::child;
using kombitron::test::click;
using kombitron::test::rightClick;

namespace {

// The recording fake, with a hook run on every question (on the UI thread).
class Person : public test::RecordingInteraction {
public:
    bool question(const std::string& text) override
    {
        if (onQuestion) onQuestion(text);
        return test::RecordingInteraction::question(text);
    }
    std::string saveFileDialog(const FileDialogRequest& request) override
    {
        if (onSave) onSave();
        return test::RecordingInteraction::saveFileDialog(request);
    }
    void message(MessageKind kind, const std::string& text) override
    {
        if (onMessage) onMessage(text);
        test::RecordingInteraction::message(kind, text);
    }
    std::function<void(const std::string&)> onQuestion;
    std::function<void()> onSave;
    std::function<void(const std::string&)> onMessage;
};

struct MainWindowTest : ::testing::Test {
    void SetUp() override
    {
        setNumberFormat({".", ","});
        setApplicationFolder(dir.path().string());
        window = std::make_unique<frmPrincipal>(state, person);
        window->show();
    }
    void TearDown() override
    {
        state.savedFlag = true;
        window->close();
        window.reset();
    }
    void mark(std::initializer_list<int> numbers)
    {
        for (int n : numbers) click(window->gridNumeros->cell(n));
    }
    QString row(int p) const { return window->lstFiltros->item(p)->text(); }
    // Long work runs as jobs: wait until the window is idle again.
    void idle() { ASSERT_TRUE(test::waitUntil([&] { return !window->isBusy(); }, 20000)); }
    void rightClickRow(int p)
    {
        QListWidget* list = window->lstFiltros;
        list->scrollToItem(list->item(p));
        const QRect r = list->visualItemRect(list->item(p));
        QTest::mouseClick(list->viewport(), Qt::RightButton, Qt::NoModifier, r.center());
    }

    test::TempDir dir;
    AppState state;
    Person person;
    std::unique_ptr<frmPrincipal> window;
};

} // namespace

TEST_F(MainWindowTest, StartsWithEveryRowOffAndEmptyCounters)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("KOMBITRON 10.0"));
    EXPECT_EQ(window->cboTipoJuego->currentText(), QStringLiteral("PRIMITIVA"));
    EXPECT_EQ(window->cboTipoCombinacion->currentText(), QStringLiteral("Pronóstico Manual"));
    EXPECT_EQ(window->cboTipoReintegro->currentText(), QStringLiteral("Al directo"));
    EXPECT_EQ(window->lblTipoCombinacion->text(), QStringLiteral("0 Números"));
    EXPECT_EQ(window->lblApuestasIniciales->text(), QStringLiteral("0"));
    EXPECT_EQ(window->cmdCuadroApuDirecto->text(), QStringLiteral("Apuestas en Directo"));
    EXPECT_FALSE(window->txtFicheroASCII->isVisible());
    ASSERT_EQ(window->lstFiltros->count(), 20);
    for (int p = 0; p < 20; ++p) {
        EXPECT_TRUE(row(p).startsWith(QStringLiteral("No   "))) << p;
        EXPECT_EQ(row(p).size(), 47) << p;
    }
    EXPECT_EQ(row(3), QStringLiteral("No   Grupos de Números     0 de 210           -"));
    EXPECT_EQ(window->lblCabeceraFiltros->text().size(), 47);
    EXPECT_TRUE(window->lblCabeceraFiltros->text().startsWith(QStringLiteral("ACT  CONDICION")));
    EXPECT_EQ(window->lblMenu[4]->text(), QStringLiteral("Cálculo de Prueba"));
    EXPECT_EQ(window->lblMenu[6]->toolTip(), QStringLiteral("Cálculo con grabación de apuestas"));
    EXPECT_TRUE(state.savedFlag);
}

TEST_F(MainWindowTest, RowColumnAndAllTogglesFollowTheTicket)
{
    mark({10});
    click(child<QToolButton>(window.get(), QStringLiteral("imgINIFila_9")));  // digit 0: 10 marked -> unmark
    for (int n : {10, 20, 30, 40}) EXPECT_FALSE(state.base.markedNumbers[n]) << n;

    click(child<QToolButton>(window.get(), QStringLiteral("imgINIColumna_1")));  // 11 unmarked -> mark 10..19
    for (int n = 10; n <= 19; ++n) EXPECT_TRUE(state.base.markedNumbers[n]) << n;
    EXPECT_EQ(window->lblTipoCombinacion->text(), QStringLiteral("10 Números"));
    EXPECT_EQ(window->lblApuestasIniciales->text(), QStringLiteral("210"));
    EXPECT_TRUE(window->gridNumeros->isMarked(15));
    EXPECT_FALSE(state.savedFlag);

    click(child<QToolButton>(window.get(), QStringLiteral("imgINIFila_0")));  // digit 1: 1 unmarked -> mark 1..41
    for (int n : {1, 11, 21, 31, 41}) EXPECT_TRUE(state.base.markedNumbers[n]) << n;

    click(child<QToolButton>(window.get(), QStringLiteral("imgINIColumna_4")));  // 41 marked -> unmark 40..49
    for (int n = 40; n <= 49; ++n) EXPECT_FALSE(state.base.markedNumbers[n]) << n;

    auto* all = child<QToolButton>(window.get(), QStringLiteral("lblMarcarDesmarcarTODOS"));
    click(window->lblReintegro[3]);
    click(all);  // something marked: clear numbers and reintegros
    EXPECT_EQ(markedNumberCount(state), 0);
    EXPECT_EQ(markedReintegroCount(state), 0);
    click(all);
    EXPECT_EQ(window->lblApuestasIniciales->text(), QStringLiteral("13.983.816"));
    EXPECT_EQ(window->lblTipoCombinacion->text(), QStringLiteral("49 Números"));
}

TEST_F(MainWindowTest, RightClickSwitchesOneRowAndTheCalculationUsesIt)
{
    rightClickRow(6);
    EXPECT_TRUE(row(6).startsWith(QStringLiteral("Sí")));
    for (int p = 0; p < 20; ++p) {
        if (p == 6) continue;
        EXPECT_TRUE(row(p).startsWith(QStringLiteral("No"))) << p;
    }

    mark({1, 2, 3, 4, 5, 6, 7});
    click(window->lblReintegro[5]);
    click(window->lblMenu[4]);
    EXPECT_TRUE(window->isBusy());
    EXPECT_FALSE(window->lblMenu[4]->isEnabled());
    idle();
    EXPECT_TRUE(person.messages.empty()) << person.lastText();
    EXPECT_EQ(window->lblApuestasIniciales->text(), QStringLiteral("7"));
    EXPECT_EQ(window->lblApuestasCondicionadas->text(), QStringLiteral("7"));
    EXPECT_EQ(window->lblApuestasReducidas->text(), QStringLiteral("7"));
    EXPECT_TRUE(row(6).endsWith(QStringLiteral(" 0"))) << row(6).toStdString();
    EXPECT_TRUE(row(0).endsWith(QStringLiteral("-")));
    EXPECT_EQ(state.finalSystem.size(), 7);
    EXPECT_EQ(state.finalSystem.at(1, 7), 5);
    EXPECT_TRUE(window->lblMenu[4]->isEnabled());
    EXPECT_TRUE(window->gridNumeros->isEnabled());

    rightClickRow(6);
    EXPECT_TRUE(row(6).startsWith(QStringLiteral("No")));
}

TEST_F(MainWindowTest, RefusedChangeToManualGoesBackToTheImport)
{
    const std::string path = dir.file("apuestas.txt");
    test::writeFile(path, "01 02 03 04 05 06\r\n01 02 03 04 05 07\r\n01 02 03 04 05 07\r\n");
    window->chkReintegros->setChecked(false);
    person.openPaths = {path};
    window->cboTipoCombinacion->setCurrentIndex(2);
    idle();
    EXPECT_EQ(window->lblApuestasIniciales->text(), QStringLiteral("2"));
    EXPECT_EQ(window->cmdCuadroApuDirecto->text(), QStringLiteral("Apuestas Importadas"));
    EXPECT_EQ(window->txtFicheroASCII->text(), QStringLiteral("apuestas.txt"));
    EXPECT_TRUE(window->txtFicheroASCII->isVisible());
    EXPECT_FALSE(window->gridNumeros->isEnabled());
    EXPECT_FALSE(window->cboTipoReintegro->isVisible());
    EXPECT_TRUE(window->lblMenu[4]->isEnabled());
    EXPECT_FALSE(state.savedFlag);

    person.answers = {false};
    window->cboTipoCombinacion->setCurrentIndex(0);
    ASSERT_EQ(person.questions.size(), 1u);
    EXPECT_EQ(window->cboTipoCombinacion->currentIndex(), 2);
    EXPECT_EQ(state.base.kind, CombinationKind::FromFile);
    EXPECT_EQ(state.base.importedBets.size(), 2);
    EXPECT_EQ(window->lblApuestasIniciales->text(), QStringLiteral("2"));
    EXPECT_FALSE(window->gridNumeros->isEnabled());

    person.answers = {true};
    window->cboTipoCombinacion->setCurrentIndex(0);
    EXPECT_EQ(state.base.kind, CombinationKind::Manual);
    EXPECT_EQ(window->lblApuestasIniciales->text(), QStringLiteral("0"));
    EXPECT_TRUE(window->gridNumeros->isEnabled());
    EXPECT_FALSE(window->txtFicheroASCII->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("KOMBITRON 10.0 - Fichero : Sin guardar.xml"));
}

TEST_F(MainWindowTest, ClosingDuringACalculationIsRefused)
{
    mark({1, 2, 3, 4, 5, 6, 7, 8});
    click(window->lblReintegro[1]);
    rightClickRow(14);  // SORTEOS ANTERIORES asks before calculating
    bool busy = false, closed = true, menusOff = false;
    person.onQuestion = [&](const std::string&) {
        busy = window->isBusy();
        menusOff = !window->lblMenu[0]->isEnabled() && !window->lstFiltros->isEnabled() && !window->cboTipoJuego->isEnabled() &&
                   !window->chkReintegros->isEnabled() && !window->lblEtqCargarReintegros->isEnabled();
        closed = !window->close();
        closed = !window->isVisible();
    };
    person.answers = {false};
    click(window->lblMenu[4]);
    idle();
    EXPECT_TRUE(busy);
    EXPECT_TRUE(menusOff);
    EXPECT_FALSE(closed);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->lblMenu[0]->isEnabled());

    // Not busy: the frame's close asks when unsaved, and No keeps the window.
    person.onQuestion = nullptr;
    person.answers = {false};
    QCloseEvent event;
    QApplication::sendEvent(window.get(), &event);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowTest, ReductionRowWithoutRealReductionOpensNoProcessWindow)
{
    mark({1, 2, 3, 4, 5, 6, 7, 8});
    click(window->lblReintegro[1]);
    rightClickRow(19);
    ASSERT_TRUE(isRowActive(state.filterRows[19]));
    bool processWindow = false;
    auto watch1 = test::whenModal([&](QWidget* w) {
        processWindow = qobject_cast<frmVentanaProceso*>(w) != nullptr;
        w->close();
    });
    click(window->lblMenu[4]);
    idle();
    EXPECT_FALSE(processWindow);
    EXPECT_EQ(window->lblApuestasReducidas->text(), QStringLiteral("28"));
    EXPECT_EQ(window->lblApuestasCondicionadas->text(), QStringLiteral("28"));
}

TEST_F(MainWindowTest, OpenAfterSaveGivesBackTheSameConfiguration)
{
    mark({3, 14, 15, 26, 37, 48, 49});
    click(window->lblReintegro[2]);
    click(window->lblReintegro[8]);
    window->cboTipoReintegro->setCurrentIndex(1);
    rightClickRow(8);
    state.reduction = {2, 90, 12, 1, 0, 1, 0};
    rebuildFilterRow(state, 19);
    setRowActive(state.filterRows[19], true);
    state.filters.sumas.intervals[0] = {100, 180};
    const AppState saved = state;
    const std::array<std::string, 20> rows = state.filterRows;

    person.savePaths = {dir.file("mi base")};
    click(window->lblMenu[2]);
    EXPECT_TRUE(person.messages.empty()) << person.lastText();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("KOMBITRON 10.0 - Fichero : mi base.xml"));
    EXPECT_TRUE(state.savedFlag);

    click(window->lblMenu[0]);
    EXPECT_EQ(markedNumberCount(state), 0);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("KOMBITRON 10.0 - Fichero : Sin guardar.xml"));

    person.openPaths = {dir.file("mi base.xml")};
    click(window->lblMenu[1]);
    EXPECT_TRUE(person.messages.empty()) << person.lastText();
    EXPECT_EQ(state.base.markedNumbers, saved.base.markedNumbers);
    EXPECT_EQ(state.base.markedReintegros, saved.base.markedReintegros);
    EXPECT_EQ(state.base.reintegroMode, ReintegroMode::Sequential);
    EXPECT_EQ(state.reduction, saved.reduction);
    EXPECT_EQ(state.filters.sumas, saved.filters.sumas);
    EXPECT_EQ(state.filterRows, rows);
    EXPECT_EQ(window->cboTipoReintegro->currentIndex(), 1);
    EXPECT_TRUE(window->gridNumeros->isMarked(37));
    EXPECT_EQ(window->lblTipoCombinacion->text(), QStringLiteral("7 Números"));
    EXPECT_EQ(window->lblApuestasIniciales->text(), QStringLiteral("7"));
    EXPECT_EQ(row(8), QString::fromStdString(rows[8]));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("KOMBITRON 10.0 - Fichero : mi base.xml"));
}

TEST_F(MainWindowTest, CommandsNeedingBetsRefuseWithoutThem)
{
    click(window->lblMenu[5]);
    window->action(QStringLiteral("menuGarantias"))->trigger();
    ASSERT_EQ(person.messages.size(), 2u);
    EXPECT_EQ(person.messages[0].text, "ERROR: No hay apuestas generadas");
    EXPECT_EQ(person.messages[1].text, "ERROR: No hay apuestas generadas");
    click(window->lblMenu[3]);
    ASSERT_EQ(person.webPages.size(), 1u);
    EXPECT_NE(person.webPages[0].find("/primitiva/archivos"), std::string::npos);
    window->cboTipoJuego->setCurrentIndex(1);
    EXPECT_FALSE(window->picReintegros->isVisible());
    EXPECT_FALSE(state.base.loadReintegros);
    click(window->lblMenu[3]);
    EXPECT_NE(person.webPages[1].find("/bonoloto/boletos/archivos"), std::string::npos);
}

TEST_F(MainWindowTest, ReductionThenDefinitiveSaveFromTheProcessWindow)
{
    mark({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    click(window->lblReintegro[4]);

    // Row 19 opens the reduction options; closing rebuilds the row with the type.
    auto watch2 = test::whenModal([&](QWidget* w) {
        auto* d = qobject_cast<frmReduccion*>(w);
        ASSERT_NE(d, nullptr);
        d->cboTipoReduccion->setCurrentIndex(1);  // "Reducción al 5", activates the row
        d->chkActivarCiclos->setChecked(false);  // one cycle: the run ends by itself
        click(d->imgVolver);
    });
    QListWidget* list = window->lstFiltros;
    list->scrollToItem(list->item(19));
    const QPoint at = list->visualItemRect(list->item(19)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_TRUE(row(19).startsWith(QStringLiteral("Sí   Reducción             al 5"))) << row(19).toStdString();

    bool processOpened = false;
    auto watch3 = test::whenModal([&](QWidget* w) {
        auto* p = qobject_cast<frmVentanaProceso*>(w);
        processOpened = p != nullptr;
        if (!p) return;
        // The run goes on in the window's own loop: wait for its end without blocking it.
        auto* poll = new QTimer(p);
        QObject::connect(poll, &QTimer::timeout, p, [p, poll] {
            if (p->runCount() < 1 || p->isRunning()) return;
            poll->stop();
            click(p->imgCalculoDefinitivo);
        });
        poll->start(10);
    });
    bool panelShown = false;
    person.onSave = [&] { panelShown = window->picVentanaEspera->isVisible(); };
    person.savePaths = {dir.file("sistema")};
    click(window->lblMenu[4]);
    idle();
    EXPECT_TRUE(processOpened);
    EXPECT_TRUE(person.messages.empty()) << person.lastText();
    ASSERT_EQ(person.saveRequests.size(), 1u);
    EXPECT_EQ(person.saveRequests[0].title, "Guardar Combinación");
    EXPECT_TRUE(panelShown);
    EXPECT_FALSE(window->picVentanaEspera->isVisible());
    EXPECT_TRUE(std::filesystem::exists(dir.file("sistema.KMB")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("sistema.xml")));
    EXPECT_TRUE(state.savedFlag);
    EXPECT_FALSE(state.saveWhenDone);
    EXPECT_LT(state.reducedCount, 210);
    EXPECT_GT(state.reducedCount, 0);
    EXPECT_EQ(window->lblApuestasReducidas->text(), QString::fromStdString(formatCount(state.reducedCount)));
    EXPECT_EQ(state.finalSystem.at(1, 7), 4);
    EXPECT_TRUE(window->lblMenu[6]->isEnabled());

    // The reports of the Datos menu go to the editor.
    window->action(QStringLiteral("menuInformeEliminadas"))->trigger();
    window->action(QStringLiteral("menuResumenFiltros"))->trigger();
    ASSERT_EQ(person.editorPaths.size(), 2u);
    EXPECT_NE(person.editorPaths[0].find("KOMBITRON_RESUMEN.txt"), std::string::npos);
    EXPECT_NE(test::readFile(person.editorPaths[0]).find("TOTAL Apuestas Iniciales     : 210"), std::string::npos);
}

TEST_F(MainWindowTest, FitsASmallLaptopScreen)
{
    const QSize minimum = window->minimumSizeHint();
    EXPECT_LE(minimum.width(), 1366);
    EXPECT_LE(minimum.height(), 700);
}

// "Cálculo Definitivo" saves the final system as a job: the waiting panel shows while the save
// dialog asks, the commands wait, and the files are there when the window is idle again.
TEST_F(MainWindowTest, DefinitiveSaveRunsAsAJobBehindTheWaitingPanel)
{
    mark({1, 2, 3, 4, 5, 6, 7, 8});
    click(window->lblReintegro[2]);
    click(window->lblMenu[4]);
    idle();
    ASSERT_EQ(state.reducedCount, 28);

    bool panelShown = false, commandsOff = false;
    person.onSave = [&] {
        panelShown = window->picVentanaEspera->isVisible();
        commandsOff = !window->lblMenu[6]->isEnabled() && window->isBusy();
    };
    person.savePaths = {dir.file("semana")};
    click(window->lblMenu[6]);
    idle();
    EXPECT_TRUE(panelShown);
    EXPECT_TRUE(commandsOff);
    EXPECT_FALSE(window->picVentanaEspera->isVisible());
    EXPECT_TRUE(person.messages.empty()) << person.lastText();
    EXPECT_TRUE(std::filesystem::exists(dir.file("semana.KMB")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("semana.xml")));
    EXPECT_TRUE(state.savedFlag);
    EXPECT_EQ(state.finalSystem.size(), 28) << "the lists came back from the job";
}

// The warnings of an import speak of what the window already shows: the marks and the bets read.
TEST_F(MainWindowTest, ImportShowsWhatWasReadBeforeItsWarnings)
{
    const std::string path = dir.file("semana.txt");
    test::writeFile(path, "01 02 03 04 05 06 3\r\n01 02 03 04 05 06 3\r\n07 08 09 10 11 12 5\r\n");
    window->chkReintegros->setChecked(true);
    QStringList seen;
    person.onMessage = [&](const std::string&) {
        seen << window->lblTipoCombinacion->text() + QLatin1Char('/') + window->lblApuestasIniciales->text() +
                    QLatin1Char('/') + (window->lblReintegro[5]->isMarked() ? QStringLiteral("5") : QStringLiteral("-"));
    };
    person.openPaths = {path};
    window->cboTipoCombinacion->setCurrentIndex(2);
    idle();
    ASSERT_EQ(person.messages.size(), 2u) << person.lastText();
    EXPECT_EQ(seen, (QStringList{QStringLiteral("12 Números/3/5"), QStringLiteral("12 Números/3/5")}));
    EXPECT_EQ(window->lblApuestasIniciales->text(), QStringLiteral("2")) << "the repeated bet is gone at the end";
}

TEST_F(MainWindowTest, KeyboardAndCaptions)
{
    // Every menu and every entry has its own Alt letter within its menu.
    QStringList titles;
    for (QAction* menu : window->menuBar()->actions()) {
        SCOPED_TRACE(menu->text().toStdString());
        const QString title = menu->text();
        ASSERT_TRUE(title.contains(QLatin1Char('&')));
        titles << title.mid(title.indexOf(QLatin1Char('&')) + 1, 1).toLower();
        QStringList keys;
        for (QAction* item : menu->menu()->actions()) {
            if (item->isSeparator()) continue;
            SCOPED_TRACE(item->text().toStdString());
            ASSERT_TRUE(item->text().contains(QLatin1Char('&')));
            keys << item->text().mid(item->text().indexOf(QLatin1Char('&')) + 1, 1).toLower();
        }
        EXPECT_EQ(keys.removeDuplicates(), 0) << keys.join(QLatin1Char(',')).toStdString();
    }
    EXPECT_EQ(titles.removeDuplicates(), 0) << titles.join(QLatin1Char(',')).toStdString();

    // The imported file's box is labelled and only shows.
    auto* label = child<QLabel>(window.get(), QStringLiteral("lblEtqFicheroASCII"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->buddy(), window->txtFicheroASCII);
    EXPECT_EQ(window->txtFicheroASCII->focusPolicy(), Qt::NoFocus);

    // The initial counter's caption starts where the other captions start.
    auto inkLeft = [&](QWidget* w) {
        const QImage image = w->grab().toImage();
        for (int x = 0; x < image.width(); ++x)
            for (int y = 0; y < image.height(); ++y)
                if (image.pixelColor(x, y).valueF() < 0.5) return w->mapTo(window.get(), QPoint(x, 0)).x();
        return -1;
    };
    const int conditioned = inkLeft(child<QLabel>(window.get(), QStringLiteral("lblEtqApuestasCondicionadas")));
    EXPECT_GE(conditioned, 0);
    EXPECT_NEAR(inkLeft(window->cmdCuadroApuDirecto), conditioned, 1);
    EXPECT_NEAR(inkLeft(child<QLabel>(window.get(), QStringLiteral("lblEtqApuestasReducidas"))), conditioned, 1);
}

TEST_F(MainWindowTest, CostPerDrawAndTheHeadlineGuarantee)
{
    EXPECT_EQ(window->lblCosteSorteo->text(), QStringLiteral("0,00 €"));
    EXPECT_FALSE(window->lblGarantia->isVisible());
    mark({1, 2, 3, 4, 5, 6, 7, 8});
    click(window->lblReintegro[1]);
    click(window->lblMenu[4]);
    idle();
    ASSERT_EQ(state.reducedCount, 28);
    EXPECT_EQ(window->lblCosteSorteo->text(), QStringLiteral("28,00 €"));

    auto watch = test::whenModal([&](QWidget* w) {
        auto* g = qobject_cast<frmGarantiasTOTAL*>(w);
        ASSERT_NE(g, nullptr);
        g->selectLevel(6);
        g->calculate();
        ASSERT_TRUE(test::waitUntil([&] { return !g->isComputing(); }, 20000));
        click(g->imgVolver);
    });
    window->action(QStringLiteral("menuGarantias"))->trigger();
    EXPECT_TRUE(window->lblGarantia->isVisible());
    EXPECT_EQ(window->lblGarantia->text(), QStringLiteral("Garantía: 100,000% 6 si 6"));

    // Another calculation makes another system: its guarantee is not known yet.
    click(window->lblMenu[4]);
    idle();
    EXPECT_FALSE(window->lblGarantia->isVisible());

    window->cboTipoJuego->setCurrentIndex(1);
    click(window->lblMenu[4]);
    idle();
    EXPECT_EQ(window->lblCosteSorteo->text(), QStringLiteral("14,00 €")) << "BONOLOTO bets cost half";
}
