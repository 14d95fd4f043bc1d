#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/bet.h"
#include "core/job.h"
#include "core/state.h"

namespace kombitron {

// x! as a double, by recursion; 1 for x = 0 and x = 1 (and below).
double Fact(int x);

// C(a, b) as Fact(a) / (Fact(b) * Fact(a - b)) rounded to the nearest integer; 0 when a < b.
int32_t COMBINAT(int a, int b);

// The progress of a reduction run: the percentage of the current step as report(percent, 100),
// the text of the cycle label as caption() ("Analizando ..." during the coverage analysis, "0"
// before a cycle is counted), and the run's own events below. Called on the thread that runs
// the reduction; a window marshals them to its own thread.
class ReductionProgress : public Progress {
public:
    // After each counted cycle, with the number of cycles counted so far.
    virtual void cycleDone(double cyclesDone) { (void)cyclesDone; }
    // Each time a smaller complete result replaces the kept one, with its size.
    virtual void improved(int64_t size) { (void)size; }
};

// What a run found. `bets` holds the kept result when `found` (numbers in selection order,
// reintegro 0); `best` is its size (the conditioned count + 1 when nothing was found). A run
// ended by a stop is Stopped and keeps the best result so far; one ended by an unexpected error
// (for instance memory exhausted) is Failed with its description, and keeps the result it had.
struct ReductionResult : JobOutcome {
    bool found = false;
    int64_t best = 0;
    double cyclesDone = 0;
    BetList bets;
};

// The engine's inputs: base numbers (ascending, n = size, 6..49) and the conditioned system as
// base positions 1..n in conditioned order. `fullSystem`: the conditioned system is every 6-set
// of the n numbers, generated and untouched by the filters.
struct ReductionInput {
    const std::vector<uint8_t>& baseNumbers;
    const IndexBetList& conditioned;
    bool fullSystem = false;
};

// Which procedure a type uses for n base numbers: the maximum-coverage greedy (true) or the
// first-fit scan (false), by the type's minimum hits (reductionType).
bool usesMaximumCoverage(int type, int n);

// Whether a run with these options (clamped first) over n base numbers only ends when it is
// stopped: with cycles on, and in the first-fit scan by bet count with an exact count, which
// repeats its cycles whatever the cycles option says.
bool runsUntilStopped(ReductionOptions options, int n);

// Reduce `input.conditioned` with the options (clamped first). The stop request is read where
// the run gives way (every selection of the greedy, every 100 positions of the first-fit scan,
// every 500 bets of the analysis) and ends the run keeping the best result so far. Never throws:
// an unexpected failure comes back in the result.
ReductionResult runReduction(const ReductionInput& input, const ReductionOptions& options,
                             ReductionProgress& progress, const StopToken& stop);

// Rebuild the total and conditioned systems from the last conditioning pass (enumeration, or
// the imported bets for FromFile, filtered by eliminationFlags; the conditioned system is kept
// as it is when the flags do not match the total system) and set conditionedCount.
// Returns whether the conditioned system is the full, generated system of the base.
bool prepareReduction(AppState& state);

// One run as the process window does it, on the state it is given (a window lends it its own,
// see lendState): clamps state.reduction in place, prepares, reduces and, when a result was
// found, moves it to finalSystem (selection order, reintegros 0; the returned `bets` is then
// empty) and sets reducedCount to its size. Nothing is written when no cycle completed.
ReductionResult runReduction(AppState& state, ReductionProgress& progress, const StopToken& stop);

} // namespace kombitron
