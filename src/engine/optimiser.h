#pragma once

// The optimiser: a local search that takes a reduced system and looks for a smaller one with the
// same guarantee (or, asked for a number of bets, one that covers more). A conditioned bet is
// covered when some bet of the system shares at least k numbers with it. Every bet the search
// puts in a system is a conditioned bet, so whatever the filters required still holds. When every
// 6-set of the base is conditioned and k is 3, part of the time also goes to building a system
// from two parts of the numbers, which for wide bases is far smaller than any reduction.

#include <cstdint>
#include <vector>

#include "core/bet.h"
#include "core/job.h"

namespace kombitron {

// What the search is asked for.
enum class OptimiserTarget {
    // Cover at least `requiredCovered` conditioned bets with as few bets as possible.
    Coverage,
    // At most `betCount` bets covering as many conditioned bets as possible; once every one is
    // covered, fewer bets.
    BetCount,
};

// The number of conditioned bets a reduction by percentage must cover: the smallest c with
// Fix(c / total x 100) >= percentage, computed in double precision as the reduction's stop rule
// does (29 of 100 gives 28 %, so 29 % needs 30 bets). 0 when total is 0.
int64_t requiredCoveredBets(int64_t total, int percentage);

struct OptimiserInputs {
    std::vector<uint8_t> baseNumbers;       // ascending, 6..49 numbers
    IndexBetList conditioned;               // base positions 1..n, distinct bets
    int minHits = 3;                        // k, 2..6
    OptimiserTarget target = OptimiserTarget::Coverage;
    int64_t requiredCovered = 0;            // Coverage: conditioned bets to cover (at most all)
    int64_t betCount = 1;                   // BetCount: most bets of the result
    BetList start;                          // the system to improve: numbers, conditioned bets
    double seconds = 60;                    // time budget
    int64_t stepLimit = 0;                  // also end after this many steps per search (0: none)
    uint64_t seed = 1;
    int threads = 0;                        // independent searches; 0: one per core
};

// Where a run stands: the kept system's size and coverage, and the time spent.
struct OptimiserStatus {
    int64_t bets = 0;
    int64_t covered = 0;                    // conditioned bets the kept system covers
    int64_t conditioned = 0;                // of this many
    double seconds = 0;                     // since the start of the run
    int64_t steps = 0;                      // moves tried, all searches together
};

// Events of an optimiser run, all called on the thread that called runOptimiser. Besides these,
// report(done, total) gives the milliseconds spent of the budget's milliseconds.
class OptimiserProgress : public Progress {
public:
    // The kept system got better.
    virtual void improved(const OptimiserStatus& status) { (void)status; }
    // About ten times a second while the search runs.
    virtual void status(const OptimiserStatus& status) { (void)status; }
};

struct OptimiserResult : JobOutcome {
    // The kept system: numbers in ascending order of bets, reintegros 0. Never worse than the
    // start (see runOptimiser); the start itself, without repeated bets, when nothing better
    // was found; the start as given when the run was stopped before measuring it.
    BetList bets;
    int64_t covered = 0;                    // conditioned bets `bets` covers (-1: not measured)
    int64_t conditioned = 0;
    int64_t startBets = 0;                  // the start, without repeated bets
    int64_t startCovered = 0;               // (-1: not measured)
    bool improved = false;                  // `bets` is better than the start
    bool targetMet = false;                 // Coverage: covers requiredCovered; BetCount: at most betCount bets
    double seconds = 0;
    int64_t steps = 0;
};

// Search for a better system until the time budget (or the step limit) ends, or a stop.
//
// Better means: for Coverage, meeting the required coverage first, then fewer bets, then more
// covered; a start that falls short is first completed with conditioned bets it leaves
// uncovered. For BetCount, at most betCount bets first (a longer start is cut down by dropping
// the bets whose loss uncovers least; a shorter one that leaves bets uncovered is filled up),
// then more covered, then fewer bets.
//
// The stop is seen within a few milliseconds and the best system so far is kept (outcome
// stopped). Each search is repeatable: the same inputs, seed and thread count visit the same
// systems step by step, so a run that ends by its step limit (before its time budget) gives the
// same result every time, whatever the load of the machine; a run that ends by its budget gives
// the best each search had reached by then. The searches (one per thread) do not share their
// systems; the result is the best of them, the first search winning ties. Inputs that are not as described (numbers, positions, repeated
// conditioned bets, a start bet outside the conditioned system, k out of range) fail the run.
OptimiserResult runOptimiser(const OptimiserInputs& inputs, OptimiserProgress& progress, const StopToken& stop);

} // namespace kombitron
