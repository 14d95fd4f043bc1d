#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/bet.h"
#include "core/interaction.h"
#include "core/state.h"

namespace kombitron {

// x! as a double, by recursion; 1 for x = 0 and x = 1 (and below).
double Fact(int x);

// C(a, b) as Fact(a) / (Fact(b) * Fact(a - b)) rounded to the nearest integer; 0 when a < b.
int32_t COMBINAT(int a, int b);

// How a run talks to whoever shows it. Every member may be empty. They are called on the thread
// that runs the reduction; a window marshals them to its own thread.
struct ReductionCallbacks {
    // Percentage of the current step, 0..100.
    std::function<void(int percent)> progress;
    // Text of the cycle label: "Analizando ..." during the coverage analysis, "0" when it stops.
    std::function<void(const std::string& text)> caption;
    // After each counted cycle, with the number of cycles counted so far.
    std::function<void(double cyclesDone)> cycleDone;
    // Each time a smaller complete result replaces the kept one: its size and its bets
    // (numbers in selection order, reintegro 0). The list is only valid during the call.
    std::function<void(int64_t size, const BetList& bets)> improved;
    // Where the program gives way; the stop flag is read right after it.
    std::function<void()> yield;
};

// What a run found. `bets` holds the kept result when `found`; `best` is its size (the
// conditioned count + 1 when nothing was found). A run ended by an unexpected error (for
// instance memory exhausted) has `failed` set and `failure` describing it; the result kept
// before the error is still given.
struct ReductionResult {
    bool found = false;
    int64_t best = 0;
    double cyclesDone = 0;
    BetList bets;
    bool failed = false;
    std::string failure;
};

// The engine's inputs: base numbers (ascending, n = size, 6..49) and the conditioned system as
// base positions 1..n in conditioned order. `fullSystem`: the conditioned system is every 6-set
// of the n numbers, generated and untouched by the filters.
struct ReductionInput {
    const std::vector<uint8_t>& baseNumbers;
    const IndexBetList& conditioned;
    bool fullSystem = false;
};

// Which procedure a type uses: minimum hits k (6 - type, 6 for "Sin reducción") and whether the
// maximum-coverage greedy (true) or the first-fit scan (false) runs for n base numbers.
int reductionMinHits(int type);
bool usesMaximumCoverage(int type, int n);

// Reduce `input.conditioned` with the (already clamped) options. Clears `stop` first and leaves
// it set when the run ends; a stop seen after a yield ends the run keeping the best result so
// far. Never throws: an unexpected failure comes back in the result.
ReductionResult runReduction(const ReductionInput& input, const ReductionOptions& options,
                             const ReductionCallbacks& callbacks, StopFlag& stop);

// Rebuild the total and conditioned systems from the last conditioning pass (enumeration, or
// the imported bets for FromFile, filtered by eliminationFlags; the conditioned system is kept
// as it is when the flags do not match the total system) and set conditionedCount.
// Returns whether the conditioned system is the full, generated system of the base.
bool PrepareReduction(AppState& state);

// One run as the process window does it: clamps state.reduction in place, prepares, reduces and,
// when a result was found, moves it to finalSystem (selection order, reintegros 0; the returned
// `bets` is then empty) and sets reducedCount to its size. Nothing is written when no cycle
// completed.
ReductionResult runReduction(AppState& state, const ReductionCallbacks& callbacks, StopFlag& stop);

} // namespace kombitron
