// Renders every window of the program offscreen, with realistic content, to <folder>/<Class>.png.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QPixmap>
#include <QTimer>
#include <QToolButton>

#include <clocale>
#include <cstdio>
#include <functional>

#include "core/filter_rows.h"
#include "core/format.h"
#include "core/interaction.h"
#include "core/paths.h"
#include "core/state.h"
#include "engine/generation.h"
#include "ui/app_context.h"
#include "ui/filter_windows.h"
#include "ui/frmAcercaDe.h"
#include "ui/frmAciertos.h"
#include "ui/frmAnalisis.h"
#include "ui/frmEstadisticas.h"
#include "ui/frmGarantiasTOTAL.h"
#include "ui/frmPrincipal.h"
#include "ui/frmReduccion.h"
#include "ui/frmVentanaProceso.h"
#include "ui/qt_interaction.h"
#include "ui/widgets/icons.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/mark_cell.h"
#include "ui/widgets/ticket_grid.h"
#include "filters/filter_screenshots.h"
#include "scrutiny_screenshots.h"
#include "tools/tool_screenshots.h"

using namespace kombitron;
using namespace kombitron::ui;

namespace {

QString g_folder;

void save(QWidget* w, const QString& name)
{
    QCoreApplication::processEvents();
    const QString path = g_folder + QLatin1Char('/') + name + QStringLiteral(".png");
    if (!w->grab().save(path)) std::fprintf(stderr, "kombitron_screenshots: cannot write %s\n", qPrintable(path));
    else std::printf("%s\n", qPrintable(path));
}

void waitUntil(const std::function<bool()>& done, int ms = 20000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// A player's combination: 12 numbers, two reintegros in sequence, a few filters on.
void playerCombination(frmPrincipal& main, AppState& state)
{
    for (int n : {3, 7, 11, 14, 19, 22, 25, 28, 33, 38, 41, 46}) main.gridNumeros->cell(n)->clicked();
    main.lblReintegro[4]->clicked();
    main.lblReintegro[8]->clicked();
    main.cboTipoReintegro->setCurrentIndex(1);
    state.filters.paresImpares.pares.flags = {0, 1, 1, 1, 1, 1, 0};
    state.filters.sumas.intervals[0] = {90, 200};
    state.filters.seguidos.seguidos.flags = {0, 1, 1, 1, 0, 0, 0};
    for (int p : {6, 7, 8}) setRowActive(state.filterRows[p], true);
    // "al 4" by percentage, without cycles, so that the trial calculation ends by itself.
    state.reduction = ReductionOptions{2, 100, 1, 0, 0, 0, 0};
    setRowActive(state.filterRows[kReductionRow], true);
    rebuildFilterRow(state, kReductionRow);
    main.refreshAll();
}

// The conditioned and final systems as a calculation leaves them, without opening windows.
void prepareReduction(AppState& state, ReductionOptions options)
{
    BuildBaseNumbers(state);
    const int64_t total = EnumerateSubsets(state, 6);
    state.initialCount = total;
    state.eliminationFlags.assign(static_cast<size_t>(total), 0);
    state.conditionedSystem = state.totalSystem;
    state.conditionedCount = total;
    state.noBetEliminated = true;
    state.reduction = options;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    g_folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QDir().mkpath(g_folder);
    configureApplication(app);
    setNumberFormat({".", ","});
    setApplicationFolder(QDir(g_folder).absolutePath().toStdString());
    installFilterWindows();

    SilentInteraction silent;
    AppState& state = appState();

    // Main window after a trial calculation with three filters.
    frmPrincipal main(state, silent);
    main.resize(1280, 720);
    main.show();
    playerCombination(main, state);
    // The whole road: the trial calculation reduces in the process window, the guarantees run
    // from there, and the main window shows what came out of them.
    QTimer drive;
    drive.setInterval(50);
    bool guaranteesDone = false;
    QObject::connect(&drive, &QTimer::timeout, [&] {
        if (auto* guarantees = qobject_cast<frmGarantiasTOTAL*>(QApplication::activeModalWidget())) {
            if (guarantees->isComputing()) return;
            if (guarantees->txtResumen->toPlainText().isEmpty()) {
                guarantees->selectLevel(6);
                guarantees->calculate();
                return;
            }
            guarantees->imgVolver->click();
            return;
        }
        auto* process = main.findChild<frmVentanaProceso*>();
        if (!process || !process->isVisible() || process->isRunning() || process->runCount() == 0) return;
        if (!guaranteesDone) {
            guaranteesDone = true;
            // Modal: it runs its own loop, where this timer keeps driving.
            QTimer::singleShot(0, process, [process] { process->openGuarantees(); });
            return;
        }
        process->imgVolver->click();
    });
    drive.start();
    main.cmdCalculoPrueba();
    waitUntil([&] { return !main.isBusy(); }, 60000);
    drive.stop();
    main.lstFiltros->setCurrentRow(8);
    save(&main, QStringLiteral("frmPrincipal"));

    {
        frmReduccion w(state, &main);
        w.show();
        save(&w, QStringLiteral("frmReduccion"));
        w.accept();
    }
    {
        frmAciertos w(&main);
        w.working.flags = {0, 1, 1, 1, 0, 0, 0};
        w.MinimoAcierto = 1;
        w.setZeroHidden(false);
        w.show();
        w.refresh();
        save(&w, QStringLiteral("frmAciertos"));
    }
    {
        frmAnalisis w(state, silent, &main);
        w.publicApuestasAnalizar = static_cast<int32_t>(state.reducedCount);
        w.show();
        save(&w, QStringLiteral("frmAnalisis"));
    }
    {
        frmAcercaDe w(&main);
        w.show();
        save(&w, QStringLiteral("frmAcercaDe"));
    }

    // A reduction under way: 30 numbers "al 4" by percentage with cycles runs until stopped.
    AppState big = state;
    for (int n = 1; n <= 49; ++n) big.base.markedNumbers[n] = n <= 30 ? 1 : 0;
    prepareReduction(big, ReductionOptions{2, 100, 1, 0, 1, 0, 0});
    {
        frmVentanaProceso w(big, silent, &main);
        QTimer::singleShot(1500, &w, [&] {
            save(&w, QStringLiteral("frmVentanaProceso"));
            w.stop();
        });
        w.show();
        waitUntil([&] { return w.runCount() == 1 && !w.isRunning(); });
    }

    // After "Optimizar": 20 numbers "al 3", the reduction's first cycle shrunk for a few seconds.
    AppState optimised = state;
    for (int n = 1; n <= 49; ++n) optimised.base.markedNumbers[n] = n <= 20 ? 1 : 0;
    prepareReduction(optimised, ReductionOptions{3, 100, 1, 0, 0, 0, 0});
    {
        frmVentanaProceso w(optimised, silent, &main);
        w.show();
        waitUntil([&] { return w.runCount() == 1 && !w.isRunning(); });
        w.setOptimiserSearch(1, 0, 200000);
        w.txtSegundosOptimizar->setText(QStringLiteral("5"));
        w.cmdOptimizar->click();
        waitUntil([&] { return !w.isRunning(); }, 30000);
        save(&w, QStringLiteral("frmVentanaProceso_optimizado"));
    }

    // Guarantees of 49 numbers: 20,000 bets spread over the whole system, pairs drawn; the range
    // cells hold five-digit counts.
    {
        AppState wide = state;
        for (int n = 1; n <= 49; ++n) wide.base.markedNumbers[n] = 1;
        prepareReduction(wide, ReductionOptions{3, 100, 1, 0, 0, 0, 0});
        MapToFinal(wide);
        BetList spread(20000);
        for (int64_t i = 1; i <= spread.size(); ++i)
            std::copy(wide.finalSystem.bet(i * 699), wide.finalSystem.bet(i * 699) + kBetBytes, spread.bet(i));
        wide.finalSystem = std::move(spread);
        wide.reducedCount = wide.finalSystem.size();
        frmGarantiasTOTAL g(wide, silent, &main);
        g.show();
        g.selectLevel(2);
        g.calculate();
        waitUntil([&] { return !g.isComputing(); }, 120000);
        save(&g, QStringLiteral("frmGarantiasTOTAL_49"));
    }

    // Guarantees computed for a reduced system of 12 numbers "al 5".
    AppState reduced = state;
    prepareReduction(reduced, ReductionOptions{1, 100, 1, 0, 0, 0, 0});
    {
        frmVentanaProceso w(reduced, silent, &main);
        w.show();
        waitUntil([&] { return w.runCount() == 1 && !w.isRunning(); });
        frmGarantiasTOTAL g(reduced, silent, &w);
        g.show();
        g.selectLevel(6);
        g.calculate();
        waitUntil([&] { return !g.isComputing(); }, 60000);
        save(&g, QStringLiteral("frmGarantiasTOTAL"));
    }
    // The statistics window with the PRIMITIVA history, "Números" and its chart, then the skips.
    {
        frmEstadisticas w("PRIMITIVA", silent, &main);
        w.resize(1340, 720);
        w.show();
        w.loadFile(KOMBITRON_SOURCE_DIR "/data/primitiva.txt");
        waitUntil([&] { return !w.isBusy(); });
        w.optFiltro[0]->click();
        save(&w, QStringLiteral("frmEstadisticas"));
        w.tabGrafico->setCurrentIndex(1);
        save(&w, QStringLiteral("frmEstadisticas_retrasos"));
    }
    // The scrutiny windows over the main window's reduced system.
    kombitron::test::renderScrutinyWindows(g_folder, state, &main);
    main.hide();
    state.savedFlag = true;

    // The nineteen filter windows, filled.
    kombitron::test::renderFilterWindows(g_folder);
    // The system tools.
    kombitron::test::renderToolWindows(g_folder);
    return 0;
}
