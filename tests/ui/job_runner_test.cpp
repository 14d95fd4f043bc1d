#include <gtest/gtest.h>

#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "core/state.h"
#include "support/recording_interaction.h"
#include "ui/job_runner.h"
#include "ui_test_support.h"

namespace kombitron::ui {
namespace {

using test::RecordingInteraction;
using test::waitUntil;

struct CountResult : JobOutcome {
    int value = 0;
};

TEST(JobRunner, RunsOffTheUiThreadAndAppliesTheResultOnIt)
{
    RecordingInteraction recorder;
    recorder.answers = {true};
    JobRunner runner(recorder);
    std::vector<std::pair<qint64, qint64>> reports;
    QObject::connect(&runner, &JobRunner::progressed, [&](qint64 done, qint64 total) { reports.emplace_back(done, total); });

    const auto uiThread = std::this_thread::get_id();
    std::thread::id jobThread;
    int applied = -1;
    bool appliedOnUi = false;
    ASSERT_TRUE(runner.start<CountResult>(
        [&jobThread](Progress& progress, const StopToken&, Interaction& ui) {
            jobThread = std::this_thread::get_id();
            CountResult r;
            r.value = ui.question("¿ SEGUIR ?") ? 7 : 3;
            ui.warning("AVISO: listo");
            progress.report(10, 10);
            return r;
        },
        [&](CountResult r) {
            applied = r.value;
            appliedOnUi = std::this_thread::get_id() == uiThread;
        }));
    EXPECT_TRUE(runner.busy());
    EXPECT_FALSE(runner.start<CountResult>([](Progress&, const StopToken&, Interaction&) { return CountResult{}; },
                                           [](CountResult) {}))
        << "a second job while one runs is refused";
    ASSERT_TRUE(waitUntil([&] { return !runner.busy(); }));
    EXPECT_NE(jobThread, uiThread);
    EXPECT_EQ(applied, 7);
    EXPECT_TRUE(appliedOnUi);
    EXPECT_EQ(recorder.questions, std::vector<std::string>{"¿ SEGUIR ?"});
    EXPECT_EQ(recorder.lastText(), "AVISO: listo");
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back(), std::make_pair(qint64{10}, qint64{10}));
}

TEST(JobRunner, StopIsAnOutcomeAndExceptionsBecomeFailures)
{
    RecordingInteraction recorder;
    JobRunner runner(recorder);
    CountResult seen;
    runner.start<CountResult>(
        [](Progress&, const StopToken& stop, Interaction&) {
            CountResult r;
            while (!stop.stopRequested()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            r.markStopped();
            return r;
        },
        [&](CountResult r) { seen = r; });
    runner.requestStop();
    ASSERT_TRUE(waitUntil([&] { return !runner.busy(); }));
    EXPECT_TRUE(seen.stopped());

    runner.start<CountResult>([](Progress&, const StopToken&, Interaction&) -> CountResult { throw std::bad_alloc(); },
                              [&](CountResult r) { seen = r; });
    ASSERT_TRUE(waitUntil([&] { return !runner.busy(); }));
    EXPECT_TRUE(seen.failed());
    EXPECT_EQ(seen.failure, "memoria insuficiente");

    // A result that does not carry an outcome: the crash is shown and nothing is applied.
    bool applied = false;
    runner.start<int>([](Progress&, const StopToken&, Interaction&) -> int { throw std::runtime_error("roto"); },
                      [&](int) { applied = true; });
    ASSERT_TRUE(waitUntil([&] { return !runner.busy(); }));
    EXPECT_FALSE(applied);
    EXPECT_EQ(recorder.lastText(), "ERROR: roto");
}

TEST(JobRunner, ClosingStopsTheJobAndAnswersItsPendingQuestion)
{
    RecordingInteraction recorder;
    std::atomic<bool> asked{false};
    std::atomic<int> answer{-1};
    bool applied = false;
    {
        JobRunner runner(recorder);
        runner.start<CountResult>(
            [&](Progress&, const StopToken& stop, Interaction& ui) {
                asked = true;
                answer = ui.question("¿ BORRAR ?") ? 1 : 0; // the UI thread never turns: closing answers
                CountResult r;
                if (stop.stopRequested()) r.markStopped();
                return r;
            },
            [&](CountResult) { applied = true; });
        while (!asked) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    } // the runner goes away with the job waiting for its reply
    EXPECT_EQ(answer, 0);
    EXPECT_FALSE(applied);
    QCoreApplication::processEvents();
    EXPECT_TRUE(recorder.questions.empty()) << "the question was never put to the player";
}

} // namespace
} // namespace kombitron::ui

namespace kombitron::ui {
namespace {

// A job on the state works on a lent copy; the windows see the lists back only with the result,
// and a runner that goes away mid-job still gives them back.
TEST(JobRunner, StateJobsWorkOnALentStateThatComesBack)
{
    RecordingInteraction recorder;
    AppState state;
    state.finalSystem.resize(3);
    state.reducedCount = 3;
    bool applied = false;
    {
        JobRunner runner(recorder);
        std::atomic<bool> go{false};
        int64_t seenWhileRunning = -1;
        int64_t seenInApply = -1;
        runner.startOnState<CountResult>(
            state,
            [&go](AppState& work, Progress&, const StopToken&, Interaction&) {
                while (!go) std::this_thread::sleep_for(std::chrono::milliseconds(1));
                CountResult r;
                r.value = static_cast<int>(work.finalSystem.size());
                work.reducedCount = 7;
                return r;
            },
            [&](CountResult r) {
                seenInApply = state.reducedCount;
                EXPECT_EQ(r.value, 3);
            });
        seenWhileRunning = state.finalSystem.size();
        EXPECT_EQ(state.reducedCount, 3) << "the job's work is not seen before it ends";
        go = true;
        ASSERT_TRUE(test::waitUntil([&] { return !runner.busy(); }));
        EXPECT_EQ(seenWhileRunning, 0) << "the lists are lent, not shared";
        EXPECT_EQ(seenInApply, 7);
        EXPECT_EQ(state.finalSystem.size(), 3);

        // Gone with the job still running: no apply, but the state comes back.
        runner.startOnState<CountResult>(
            state,
            [](AppState& work, Progress&, const StopToken& stop, Interaction&) {
                while (!stop.stopRequested()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
                work.reducedCount = 9;
                CountResult r;
                r.markStopped();
                return r;
            },
            [&](CountResult) { applied = true; });
        EXPECT_TRUE(state.finalSystem.empty());
    }
    EXPECT_FALSE(applied);
    EXPECT_EQ(state.finalSystem.size(), 3);
    EXPECT_EQ(state.reducedCount, 9);
}

// A job that throws still gives the state back, as it left it.
TEST(JobRunner, AStateJobThatThrowsGivesTheStateBack)
{
    RecordingInteraction recorder;
    JobRunner runner(recorder);
    AppState state;
    state.conditionedSystem.resize(5);
    CountResult seen;
    runner.startOnState<CountResult>(
        state, [](AppState&, Progress&, const StopToken&, Interaction&) -> CountResult { throw std::runtime_error("roto"); },
        [&](CountResult r) { seen = r; });
    ASSERT_TRUE(test::waitUntil([&] { return !runner.busy(); }));
    EXPECT_TRUE(seen.failed());
    EXPECT_EQ(seen.failure, "roto");
    EXPECT_EQ(state.conditionedSystem.size(), 5);
}

} // namespace
} // namespace kombitron::ui
