#include <QGroupBox>
#include <QLabel>
#include <QTimer>

#include <gtest/gtest.h>

#include "core/filter_rows.h"
#include "core/format.h"
#include "core/paths.h"
#include "core/state.h"
#include "engine/generation.h"
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

    bool stopShownWhileRunning = false, othersHidden = false;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, &window, [&] {
        if (!window.isRunning()) return;
        poll.stop();
        stopShownWhileRunning = window.imgDetener->isVisible();
        othersHidden = !window.imgCalcular->isVisible() && !window.imgVolver->isVisible();
        click(window.imgDetener);
    });
    poll.start();
    window.show();
    ASSERT_TRUE(waitUntil([&] { return window.runCount() == 1 && !window.isRunning(); }, 20000));
    EXPECT_TRUE(stopShownWhileRunning);
    EXPECT_TRUE(othersHidden);
    EXPECT_EQ(window.lblApuestasCondicionadas->text(), QStringLiteral("593.775"));
    EXPECT_EQ(window.lblApuestasReducidas->text(), QStringLiteral("593.775"));
    EXPECT_EQ(s.reducedCount, 0);
    EXPECT_EQ(window.fraPorcentajes->title(), QStringLiteral("Porcentajes ANTES de reducir"));
    EXPECT_EQ(window.lblN[0]->text(), QStringLiteral("20%"));
    EXPECT_EQ(window.lblN[40]->text(), QStringLiteral("0 %"));
    EXPECT_TRUE(window.lblN[40]->styleSheet().contains(QStringLiteral("white")));
    EXPECT_FALSE(window.imgDetener->isVisible());
    EXPECT_TRUE(window.imgGarantias->isVisible());

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
