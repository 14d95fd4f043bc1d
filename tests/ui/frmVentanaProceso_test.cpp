#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "core/filter_rows.h"
#include "core/format.h"
#include "core/paths.h"
#include "core/state.h"
#include "engine/generation.h"
#include "engine/process_percentages.h"
#include "support/recording_interaction.h"
#include "support/test_paths.h"
#include "ui/frmGarantiasTOTAL.h"
#include "ui/frmVentanaProceso.h"
#include "ui/widgets/image_button.h"
#include "ui_test_support.h"

using namespace kombitron;
using namespace kombitron::ui;
using kombitron::test::click;
using kombitron::test::waitUntil;

namespace {

// A generated system of the numbers 1..n with no filter, conditioned as it is.
void prepareFullSystem(AppState& s, int n, ReductionOptions options)
{
    ResetStateDefaults(s, 2024);
    resetFilterRows(s);
    for (int v = 1; v <= n; ++v) setNumberMarked(s, v, true);
    BuildBaseNumbers(s);
    const int64_t total = EnumerateSubsets(s, 6);
    s.eliminationFlags.assign(static_cast<size_t>(total), 0);
    s.conditionedSystem = s.totalSystem;
    s.conditionedCount = total;
    s.noBetEliminated = true;
    s.reduction = options;
    setRowActive(s.filterRows[kReductionRow], true);
}

} // namespace

TEST(frmVentanaProceso, StoppedBeforeTheFirstCycleKeepsTheConditionedCount)
{
    setNumberFormat({".", ","});
    AppState s;
    // "al 4" over 30 numbers scans first-fit; by percentage with cycles it runs until stopped.
    prepareFullSystem(s, 30, ReductionOptions{2, 100, 1, 0, 1, 0, 0});
    s.reducedCount = 0;
    test::RecordingInteraction ui;
    frmVentanaProceso window(s, ui);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Cálculo del sistema"));
    EXPECT_EQ(window.lblDirecto->text(), QStringLiteral("En directo"));

    bool stopShownWhileRunning = false, othersDisabled = false, hintShown = false;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, &window, [&] {
        if (!window.isRunning()) return;
        poll.stop();
        stopShownWhileRunning = window.imgDetener->isVisible() && window.imgDetener->isEnabled();
        // Disabled in place, not hidden: the row keeps its layout.
        othersDisabled = window.imgCalcular->isVisible() && !window.imgCalcular->isEnabled() && window.imgVolver->isVisible() &&
                         !window.imgVolver->isEnabled() && !window.cmdOptimizar->isEnabled();
        hintShown = window.lblAvisoCiclos->isVisible();
        click(window.imgDetener);
    });
    poll.start();
    window.show();
    ASSERT_TRUE(waitUntil([&] { return window.runCount() == 1 && !window.isRunning(); }, 20000));
    EXPECT_TRUE(stopShownWhileRunning);
    EXPECT_TRUE(othersDisabled);
    EXPECT_TRUE(hintShown) << "cycles run until the player stops them";
    EXPECT_FALSE(window.lblAvisoCiclos->isVisible());
    EXPECT_FALSE(window.cmdOptimizar->isEnabled()) << "no result to optimise";
    EXPECT_EQ(window.lblApuestasCondicionadas->text(), QStringLiteral("593.775"));
    EXPECT_EQ(window.lblApuestasReducidas->text(), QStringLiteral("593.775"));
    EXPECT_EQ(s.reducedCount, 0);
    EXPECT_EQ(window.fraPorcentajes->title(), QStringLiteral("Porcentajes ANTES de reducir"));
    EXPECT_EQ(window.lblN[0]->text(), QStringLiteral("20%"));
    EXPECT_EQ(window.lblN[40]->text(), QStringLiteral("0 %"));
    EXPECT_TRUE(window.lblN[40]->styleSheet().contains(QStringLiteral("white")));
    EXPECT_FALSE(window.imgDetener->isEnabled());
    EXPECT_TRUE(window.imgGarantias->isEnabled());

    click(window.imgGarantias);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(ui.messages[0].text,
              "AVISO: No se pueden calcular las garantías, el sistema reducido es igual al sistema condicionado");

    // Its own close box does nothing.
    window.close();
    EXPECT_TRUE(window.isVisible());
    click(window.imgVolver);
    EXPECT_FALSE(window.isVisible());
}

TEST(frmVentanaProceso, ReturningFromTheGuaranteesStartsNoNewRun)
{
    setNumberFormat({".", ","});
    test::TempDir dir;
    setApplicationFolder(dir.path().string());
    AppState s;
    prepareFullSystem(s, 9, ReductionOptions{1, 100, 1, 0, 0, 0, 0});
    test::RecordingInteraction ui;
    frmVentanaProceso window(s, ui);
    qint64 lastSignalled = -1;
    QObject::connect(&window, &frmVentanaProceso::reducedCountChanged, [&](qint64 n) { lastSignalled = n; });
    window.show();
    ASSERT_TRUE(waitUntil([&] { return window.runCount() == 1 && !window.isRunning(); }));
    ASSERT_GT(s.reducedCount, 0);
    ASSERT_LT(s.reducedCount, 84);
    EXPECT_EQ(lastSignalled, s.reducedCount);
    EXPECT_EQ(window.lblApuestasReducidas->text(), QString::fromStdString(formatCount(s.reducedCount)));
    EXPECT_EQ(window.fraPorcentajes->title(), QStringLiteral("Porcentajes DESPUES de reducir"));

    bool guaranteesOpened = false;
    auto watch1 = test::whenModal([&](QWidget* w) {
        auto* g = qobject_cast<frmGarantiasTOTAL*>(w);
        guaranteesOpened = g != nullptr;
        if (g) click(g->imgVolver);
    });
    click(window.imgGarantias);
    EXPECT_TRUE(guaranteesOpened);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.runCount(), 1);

    click(window.imgVerPorcentajes);
    ASSERT_EQ(ui.editorPaths.size(), 1u);
    const std::string report = test::readFile(ui.editorPaths[0]);
    EXPECT_EQ(report.rfind("KOMBITRON Porcentajes DESPUES de reducir:\r\n\r\n            10 0 %", 0), 0u) << report;

    click(window.imgCalcular);
    EXPECT_EQ(window.runCount(), 2);
    click(window.imgCalculoDefinitivo);
    EXPECT_TRUE(window.isVisible()) << "no definitive request while a run goes on";
    ASSERT_TRUE(waitUntil([&] { return !window.isRunning(); }));

    click(window.imgCalculoDefinitivo);
    EXPECT_TRUE(s.saveWhenDone);
    EXPECT_FALSE(window.isVisible());
}

// Closing the window with a run going on (its parent going away) stops the run and waits for it;
// the state it worked on comes back whole.
TEST(frmVentanaProceso, GoingAwayStopsTheRunAndGivesTheStateBack)
{
    setNumberFormat({".", ","});
    AppState s;
    prepareFullSystem(s, 30, ReductionOptions{2, 100, 1, 0, 1, 0, 0});  // cycles on: only a stop ends it
    test::RecordingInteraction ui;
    auto window = std::make_unique<frmVentanaProceso>(s, ui);
    window->show();
    ASSERT_TRUE(waitUntil([&] { return window->isRunning(); }));
    EXPECT_TRUE(s.conditionedSystem.empty()) << "the run works on the lent lists";
    window.reset();
    EXPECT_EQ(s.conditionedSystem.size(), 593775);
    EXPECT_EQ(s.totalSystem.size(), 593775);
    EXPECT_TRUE(ui.messages.empty()) << ui.lastText();
}

// The exact-count adjustment follows the reduction as a second job: nothing is hidden meanwhile,
// so the window does not re-lay out, and the stop button is disabled (the adjustment is not the
// player's to stop). Cycles off: the hint never shows.
TEST(frmVentanaProceso, ExactCountAdjustmentKeepsTheLayout)
{
    setNumberFormat({".", ","});
    AppState s;
    // "al 4" of 12 numbers by percentage, one cycle, then exactly 40 bets.
    prepareFullSystem(s, 12, ReductionOptions{2, 100, 40, 1, 0, 0, 1});
    test::RecordingInteraction ui;
    frmVentanaProceso window(s, ui);
    window.resize(window.sizeHint());
    bool anyHidden = false, hintShown = false, sawAdjustment = false;
    QRect volver;
    bool moved = false;
    QTimer poll;
    poll.setInterval(2);
    QObject::connect(&poll, &QTimer::timeout, &window, [&] {
        if (!window.isVisible()) return;
        if (volver.isNull()) volver = window.imgVolver->geometry();
        moved = moved || window.imgVolver->geometry() != volver;
        for (QWidget* w : std::initializer_list<QWidget*>{window.imgCalcular, window.imgCalculoDefinitivo, window.imgGarantias,
                                                          window.imgVerPorcentajes, window.imgDetener, window.imgVolver,
                                                          window.cmdOptimizar})
            anyHidden = anyHidden || w->isHidden();
        hintShown = hintShown || window.lblAvisoCiclos->isVisible();
        sawAdjustment = sawAdjustment || (window.isRunning() && !window.imgDetener->isEnabled());
    });
    poll.start();
    window.show();
    ASSERT_TRUE(waitUntil([&] { return window.runCount() == 1 && !window.isRunning(); }, 20000));
    poll.stop();
    EXPECT_EQ(s.reducedCount, 40);
    EXPECT_EQ(window.lblApuestasReducidas->text(), QStringLiteral("40"));
    EXPECT_TRUE(sawAdjustment);
    EXPECT_FALSE(anyHidden);
    EXPECT_FALSE(moved);
    EXPECT_FALSE(hintShown);
    EXPECT_TRUE(window.cmdOptimizar->isEnabled());
}

namespace {

// A window that has run its first reduction ("al 3" by percentage, one cycle).
struct ReducedWindow {
    AppState s;
    test::RecordingInteraction ui;
    std::unique_ptr<frmVentanaProceso> window;
    qint64 signalled = -1;

    ReducedWindow(int n, int type)
    {
        setNumberFormat({".", ","});
        prepareFullSystem(s, n, ReductionOptions{type, 100, 1, 0, 0, 0, 0});
        window = std::make_unique<frmVentanaProceso>(s, ui);
        QObject::connect(window.get(), &frmVentanaProceso::reducedCountChanged, [this](qint64 c) { signalled = c; });
        window->show();
    }
    bool reduced() { return waitUntil([&] { return window->runCount() == 1 && !window->isRunning(); }, 20000); }
    bool optimised() { return waitUntil([&] { return !window->isRunning(); }, 30000); }
};

} // namespace

TEST(frmVentanaProceso, OptimiseReplacesTheResultOnlyWhenBetter)
{
    ReducedWindow w(14, 3);
    ASSERT_TRUE(w.reduced());
    frmVentanaProceso& window = *w.window;
    EXPECT_EQ(window.txtSegundosOptimizar->text(), QStringLiteral("60"));
    EXPECT_EQ(window.cmdOptimizar->text(), QStringLiteral("Optimizar"));
    ASSERT_TRUE(window.cmdOptimizar->isEnabled());
    const int64_t reduced = w.s.reducedCount;
    const int64_t conditioned = w.s.conditionedCount;

    window.setOptimiserSearch(7, 2, 20000);
    window.txtSegundosOptimizar->setText(QStringLiteral("20"));
    click(window.cmdOptimizar);
    EXPECT_TRUE(window.isOptimising());
    EXPECT_TRUE(window.imgDetener->isEnabled());
    EXPECT_FALSE(window.imgCalcular->isEnabled());
    ASSERT_TRUE(w.optimised());
    ASSERT_TRUE(w.ui.messages.empty()) << w.ui.lastText();
    EXPECT_LT(w.s.reducedCount, reduced);
    EXPECT_EQ(w.signalled, w.s.reducedCount);
    EXPECT_EQ(window.shownReduced(), w.s.reducedCount);
    EXPECT_EQ(window.lblApuestasReducidas->text(), QString::fromStdString(formatCount(w.s.reducedCount)));
    EXPECT_EQ(window.lblOptimizando->text(),
              QStringLiteral("Optimizado: %1 apuestas (antes %2), 100,00 % cubierto").arg(w.s.reducedCount).arg(reduced));
    // The panel shows the percentages of the new system.
    const NumberPercentages after = percentagesAfter(w.s);
    EXPECT_EQ(window.fraPorcentajes->title(), QStringLiteral("Porcentajes DESPUES de reducir"));
    for (int v = 1; v <= 14; ++v) EXPECT_EQ(window.lblN[v - 1]->text(), QString::fromStdString(after.text[v - 1])) << v;
    EXPECT_EQ(w.s.conditionedCount, conditioned);
    EXPECT_EQ(w.s.conditionedSystem.size(), conditioned) << "the lent lists came back";
    EXPECT_TRUE(window.imgGarantias->isEnabled());

    // The guarantees window opened from here reads the new system.
    QString current;
    auto watch = test::whenModal([&](QWidget* m) {
        if (auto* g = qobject_cast<frmGarantiasTOTAL*>(m)) {
            current = g->lblTituloApuestas->text();
            click(g->imgVolver);
        }
    });
    click(window.imgGarantias);
    EXPECT_EQ(current, QStringLiteral("Apuestas actuales : %1").arg(w.s.reducedCount));
}

TEST(frmVentanaProceso, OptimiseWithNothingBetterLeavesTheSystem)
{
    // "al 2" of 7 numbers: one bet covers them all, nothing can do better.
    ReducedWindow w(7, 4);
    ASSERT_TRUE(w.reduced());
    frmVentanaProceso& window = *w.window;
    ASSERT_EQ(w.s.reducedCount, 1);
    const Bet before = w.s.finalSystem.get(1);
    w.signalled = -1;
    window.setOptimiserSearch(1, 1, 500);
    window.txtSegundosOptimizar->setText(QStringLiteral("5"));
    click(window.cmdOptimizar);
    ASSERT_TRUE(w.optimised());
    EXPECT_EQ(w.s.reducedCount, 1);
    EXPECT_TRUE(std::equal(before.numbers, before.numbers + 6, w.s.finalSystem.get(1).numbers));
    EXPECT_EQ(w.signalled, -1);
    EXPECT_EQ(window.lblOptimizando->text(), QStringLiteral("Sin mejora: se mantienen las 1 apuestas"));

    // An empty time box is refused with a message.
    window.txtSegundosOptimizar->clear();
    click(window.cmdOptimizar);
    EXPECT_FALSE(window.isRunning());
    ASSERT_EQ(w.ui.messages.size(), 1u);
    EXPECT_EQ(w.ui.messages[0].text, "ERROR: Indique los segundos de la optimización (un número entero desde 1)");
}

TEST(frmVentanaProceso, StoppingTheOptimisationKeepsItsBest)
{
    // "al 3" of 22 numbers: a search that would use its whole minute.
    ReducedWindow w(22, 3);
    ASSERT_TRUE(w.reduced());
    frmVentanaProceso& window = *w.window;
    const int64_t reduced = w.s.reducedCount;
    click(window.cmdOptimizar);
    ASSERT_TRUE(waitUntil([&] { return window.lblOptimizando->text().startsWith(QStringLiteral("Optimizando: ")); }, 10000));
    EXPECT_TRUE(window.lblOptimizando->text().contains(QStringLiteral("% cubierto"))) << window.lblOptimizando->text().toStdString();
    click(window.imgDetener);
    ASSERT_TRUE(waitUntil([&] { return !window.isRunning(); }, 5000)) << "a stop is seen at once";
    EXPECT_TRUE(w.ui.messages.empty()) << w.ui.lastText();
    EXPECT_LE(w.s.reducedCount, reduced);
    EXPECT_EQ(window.shownReduced(), w.s.reducedCount);
    EXPECT_EQ(w.s.finalSystem.size(), w.s.reducedCount);
    EXPECT_TRUE(window.cmdOptimizar->isEnabled());
}
