#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/interaction.h"
#include "flows/tool_flow.h"
#include "tools/random_by_percentages.h"

namespace kombitron {

// "&Generar" of the generator by numbers: the checks in order, the shuffle of the whole total
// system of `numbers` (ascending, the marked numbers of the generator's grid) with `seed`, the save
// dialog proposing N + "_Apuestas.KMB", the ".KMB" rule, and the first N shuffled bets with
// reintegro 0 written with the marked numbers as header. `countText` is the text of the count box.
// Once a path is chosen the progress is captioned "Guardando por favor espere ...".
ToolSaveOutcome generateRandomBetsByNumbers(const std::vector<uint8_t>& numbers, const std::string& countText,
                                            uint64_t seed, Interaction& ui);

// "&Generar" of the generator by percentages: the checks in order, the save dialog as above, then
// the N bets generated with `seed` and written with the chosen numbers as header, captioned as above.
ToolSaveOutcome generateRandomBetsByPercentages(const PercentageShares& percentages, const std::string& countText,
                                                uint64_t seed, Interaction& ui);

} // namespace kombitron
