#include "cli/calc_reduction.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/format.h"
#include "engine/process_run.h"

namespace kombitron::cli {

namespace {

bool parseLimit(const Args& args, const char* flag, double& value)
{
    std::string text;
    if (!args.value(flag, text)) return true;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(v > 0)) {
        std::fprintf(stderr, "kombitron-cli: %s needs a positive number\n", flag);
        return false;
    }
    value = v;
    return true;
}

} // namespace

bool parseReductionLimits(const Args& args, ReductionLimits& limits)
{
    return parseLimit(args, "--max-cycles", limits.maxCycles) && parseLimit(args, "--seconds", limits.seconds);
}

std::function<bool(AppState&, Interaction&)> processWindowReduction(const ReductionLimits& limits)
{
    return [limits](AppState& state, Interaction& ui) {
        StopFlag stop;
        const auto started = std::chrono::steady_clock::now();
        int shownTenth = -1;
        ReductionCallbacks cb;
        cb.progress = [&](int percent) {
            // A line every tenth of the way is enough for a terminal.
            const int tenth = percent / 10;
            if (tenth == shownTenth) return;
            shownTenth = tenth;
            std::fprintf(stderr, "%d%%\n", tenth * 10);
        };
        cb.caption = [&](const std::string& text) { std::fprintf(stderr, "Ciclo Actual : %s\n", text.c_str()); };
        cb.cycleDone = [&](double cycles) {
            std::fprintf(stderr, "Ciclo Actual : %.0f\n", cycles);
            if (limits.maxCycles > 0 && cycles >= limits.maxCycles) stop.request();
        };
        cb.improved = [&](int64_t size, const BetList&) {
            std::fprintf(stderr, "Apuestas : %s\n", formatCount(size).c_str());
        };
        cb.yield = [&] {
            if (limits.seconds <= 0) return;
            const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - started;
            if (spent.count() >= limits.seconds) stop.request();
        };
        const ProcessRunResult run = RunProcessCalculation(state, cb, stop);
        if (run.reduction.failed) ui.error("ERROR: " + run.reduction.failure);
        if (run.adjusted) std::fprintf(stderr, "Apuestas : %s\n", formatCount(state.reducedCount).c_str());
        return true;
    };
}

} // namespace kombitron::cli
