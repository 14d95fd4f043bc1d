#include "cli/calc_reduction.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>

#include "core/format.h"
#include "engine/reduction.h"
#include "flows/process_optimisation.h"
#include "flows/process_run.h"

namespace kombitron::cli {

namespace {

// The run's figures on stderr, and the cycle limit.
class TerminalReductionProgress : public ReductionProgress {
public:
    TerminalReductionProgress(StopFlag& stop, double maxCycles) : stop_(stop), maxCycles_(maxCycles) {}

    void report(int64_t done, int64_t) override
    {
        // A line every tenth of the way is enough for a terminal.
        const int tenth = static_cast<int>(done) / 10;
        if (tenth == shownTenth_) return;
        shownTenth_ = tenth;
        std::fprintf(stderr, "%d%%\n", tenth * 10);
    }
    void caption(std::string_view text) override
    {
        std::fprintf(stderr, "Ciclo Actual : %.*s\n", static_cast<int>(text.size()), text.data());
    }
    void cycleDone(double cycles) override
    {
        std::fprintf(stderr, "Ciclo Actual : %.0f\n", cycles);
        if (maxCycles_ > 0 && cycles >= maxCycles_) stop_.request();
    }
    void improved(int64_t size) override { std::fprintf(stderr, "Apuestas : %s\n", formatCount(size).c_str()); }

private:
    StopFlag& stop_;
    double maxCycles_;
    int shownTenth_ = -1;
};

// The optimiser's figures on stderr: every improvement, and where it stands every few seconds.
class TerminalOptimiserProgress : public OptimiserProgress {
public:
    void improved(const OptimiserStatus& s) override { show(s); }
    void status(const OptimiserStatus& s) override
    {
        if (s.seconds - lastShown_ < 5) return;
        show(s);
    }

private:
    void show(const OptimiserStatus& s)
    {
        lastShown_ = s.seconds;
        const double share = s.conditioned > 0 ? static_cast<double>(s.covered) * 100.0 / static_cast<double>(s.conditioned) : 0;
        std::fprintf(stderr, "Optimizando : %s apuestas, %s %% cubierto, %.0f s\n", formatCount(s.bets).c_str(),
                     formatFixed2(share).c_str(), s.seconds);
    }

    double lastShown_ = -1;
};

// Requests a stop once `seconds` have passed, unless it is dismissed first.
class Deadline {
public:
    Deadline(StopFlag& stop, double seconds)
    {
        if (seconds <= 0) return;
        const auto limit = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        watcher_ = std::thread([this, &stop, limit] {
            std::unique_lock<std::mutex> lock(mutex_);
            if (!woken_.wait_until(lock, limit, [this] { return dismissed_; })) stop.request();
        });
    }
    ~Deadline()
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            dismissed_ = true;
        }
        woken_.notify_all();
        if (watcher_.joinable()) watcher_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable woken_;
    bool dismissed_ = false;
    std::thread watcher_;
};

} // namespace

std::function<bool(AppState&, Interaction&)> processWindowReduction(const ReductionLimits& limits)
{
    return [limits](AppState& state, Interaction& ui) {
        if (limits.maxCycles <= 0 && limits.seconds <= 0 && runsUntilStopped(state.reduction, markedNumberCount(state)))
            std::fputs("Aviso: esta reducción solo termina al detenerla; use --max-cycles o --seconds\n", stderr);
        StopFlag stop;
        TerminalReductionProgress progress(stop, limits.maxCycles);
        ProcessRunResult run;
        {
            Deadline deadline(stop, limits.seconds);
            run = runProcessReduction(state, progress, stop);
        }
        if (run.reduction.failed()) {
            ui.error("ERROR: " + run.reduction.failure);
            return false;
        }
        if (limits.optimiseSeconds > 0 && run.reduction.found) {
            ProcessOptimisationRequest request;
            request.seconds = limits.optimiseSeconds;
            request.seed = limits.optimiseSeed;
            request.beforeExactCount = run.needsExactCount;
            TerminalOptimiserProgress optimiserProgress;
            const ProcessOptimisationResult optimised = runProcessOptimisation(state, request, optimiserProgress, ui.stopToken());
            if (optimised.failed()) {
                ui.error("ERROR: " + optimised.failure);
                return false;
            }
            std::fprintf(stderr, "Optimizado : %s apuestas (%s antes)\n", formatCount(state.reducedCount).c_str(),
                         formatCount(optimised.optimiser.startBets).c_str());
        }
        if (run.needsExactCount) {
            Progress quiet;
            run = runProcessExactCount(state, std::move(run), quiet, ui.stopToken());
            if (run.adjusted) std::fprintf(stderr, "Apuestas : %s\n", formatCount(state.reducedCount).c_str());
        }
        return !run.stopped();
    };
}

} // namespace kombitron::cli
