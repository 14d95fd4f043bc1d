#pragma once

// The generator by percentages: N bets in which each chosen number occurs in a share of the bets
// fixed by its percentage, the other places filled from the numbers without a percentage.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/bet.h"
#include "core/job.h"
#include "tools/tool_common.h"

namespace kombitron {

// The percentage chosen for each number (index = number 1..49): 0 for "------", else 1..100.
using PercentageShares = std::array<uint8_t, 50>;

// Numbers with a percentage, and the sum of their percentages.
int chosenPercentagesCount(const PercentageShares& percentages);
int percentagesSum(const PercentageShares& percentages);
// a + " Porcentajes de Números Seleccionados".
std::string percentagesCountCaption(int chosen);

// The checks of "&Generar" in order: at least six percentages (a warning), at most 43, a sum
// below 600, a count above 0, and room for every occurrence in the 6N places of the bets (a
// warning). nullopt when they pass; `count` then holds N.
std::optional<ToolNotice> checkRandomBetsByPercentages(const PercentageShares& percentages,
                                                        const std::string& countText, int64_t& count);

// The header record: the chosen numbers, two digits each, ascending, concatenated.
std::string percentagesHeader(const PercentageShares& percentages);

// The N bets. The chosen numbers c[1..a] (ascending) get s[j] = floor(p[j] N / 100) occurrences
// laid in a row over the places q[1..6N]; place b + (m-1)N is number m of bet b, so a number
// with s occurrences sits in bets 1+offset .. s+offset once each. Empty places take the
// numbers without a percentage, f[1..g], which a generator seeded once with `seed` shuffles
// again for every bet (for w = 1..g, f[w] swaps with f[floor(g u) + 1]) before f[m] fills
// place m. Every bet is sorted, with reintegro 0; bets may repeat. Percentages must have passed
// the checks. Empty when stopped.
BetList randomBetsByPercentages(const PercentageShares& percentages, int64_t count, uint64_t seed, Progress& progress,
                                const StopToken& stop);

struct RandomPercentagesInputs {
    PercentageShares percentages{};
    int64_t count = 0;
    uint64_t seed = 0;  // the clock in the program, fixed in tests and on the command line
    std::string path;   // with ".KMB" already applied
};

// Generate the bets and write them with the chosen numbers as header.
BetFileSave runRandomBetsByPercentages(const RandomPercentagesInputs& inputs, Progress& progress,
                                       const StopToken& stop);

} // namespace kombitron
