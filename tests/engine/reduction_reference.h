#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/bet.h"
#include "core/random.h"
#include "core/state.h"

namespace kombitron::test {

using Positions = std::array<uint8_t, 6>;  // base positions 1..n, ascending

// A base and a conditioned system built for a test.
struct TestSystem {
    std::vector<uint8_t> base;             // ascending numbers
    IndexBetList list;                     // positions, conditioned order
    std::vector<Positions> positions;      // the same bets
    bool full = false;                     // every 6-set of the base, in generated order
};

// n random base numbers; every 6-set of them kept with probability `keep` (at least one bet
// survives), in lexicographic order or, with `shuffled`, in a random order as an import has.
TestSystem randomSystem(uint64_t seed, int n, double keep, bool shuffled);
// A system from given base numbers and position sets.
TestSystem systemOf(const std::vector<uint8_t>& base, const std::vector<Positions>& bets);

// What a reduction run showed and kept, for comparing two implementations.
struct ReductionTrace {
    bool found = false;
    int64_t best = 0;
    double cyclesDone = 0;
    std::vector<Bet> bets;                 // numbers, selection order
    std::vector<int> progress;             // reported values, repeats dropped
    std::vector<double> cycles;            // every cycleDone value
    std::vector<int64_t> improvements;     // every improved size
};

// The reduction done the slow, literal way: coverage counts for every bet, neighbourhoods by
// comparing incidence vectors, a full scan for the largest coverage, a scan of the whole
// conditioned system per first-fit selection. A stop is requested once `stopAfterCycles`
// cycles were counted (0: never) and seen at the same points as the engine sees it.
ReductionTrace referenceReduction(const std::vector<uint8_t>& baseNumbers, const std::vector<Positions>& conditioned,
                                  bool fullSystem, const ReductionOptions& options, int stopAfterCycles);

// The guarantee pass done literally: every outcome against every reduced bet.
struct ReferenceGuarantees {
    std::array<int64_t, 7> cases{};
    std::array<std::array<int64_t, 7>, 7> minBets{};
    std::array<std::array<int64_t, 7>, 7> maxBets{};
};
ReferenceGuarantees referenceGuarantees(const std::vector<std::vector<uint8_t>>& outcomes,
                                        const std::vector<std::vector<uint8_t>>& reduced);

// Small-system helpers shared by the guarantee and holes tests.
using Numbers = std::vector<uint8_t>;
// Every q-set of the base numbers in lexicographic order.
std::vector<Numbers> qSets(const Numbers& base, int q);
// The conditioned bets of a test system as numbers.
std::vector<Numbers> conditionedNumbers(const TestSystem& s);
// A bet list of the given bets, reintegro 0.
BetList betListOf(const std::vector<Numbers>& bets);
// Random bets: mostly base numbers, sometimes numbers outside it, sometimes repeated bets.
std::vector<Numbers> randomReduced(Rng& rng, const Numbers& base, int count);

} // namespace kombitron::test
