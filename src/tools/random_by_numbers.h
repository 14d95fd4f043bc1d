#pragma once

// The generator by numbers: a random sample of N different bets among the 6-subsets of the
// marked numbers, in shuffled order, saved as a KMB file.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/bet.h"
#include "core/job.h"
#include "engine/big_array.h"
#include "tools/tool_common.h"

namespace kombitron {

// The generator's labels: n + " Números" and C(n,6) formatted "#,#,0" + " Apuestas".
std::string totalBetsCaption(int n);

// The checks of "&Generar" in order: at least six marked numbers (a warning), a count above 0,
// and no more bets than the total system holds. nullopt when they pass; `count` then holds N.
std::optional<ToolNotice> checkRandomBetsByNumbers(int numberCount, const std::string& countText, int64_t& count);

// The proposed name of the save dialog: N + "_Apuestas.KMB".
std::string randomBetsProposedName(int64_t count);

// The subset numbers 1..T of the total system (T = C(n,6), lexicographic order of the positions
// 1..n) after the swap shuffle: for j = 1..T, o[j] swaps with o[floor(T u) + 1].
using SubsetOrder = std::shared_ptr<const BigArray<uint32_t>>;

struct SubsetShuffleInputs {
    int n = 0;          // marked numbers, 6..49
    uint64_t seed = 0;  // the clock in the program, fixed in tests and on the command line
};

struct SubsetShuffle : JobOutcome {
    SubsetOrder order;  // Done: T entries
};

// The whole shuffle runs, as every swap can still move any position; 32-bit subset numbers are
// shuffled in place, not bets. Stop checks every 262,144 swaps.
SubsetShuffle runShuffleSubsets(const SubsetShuffleInputs& inputs, Progress& progress, const StopToken& stop);

// Bets 1..count from the first `count` entries of a shuffled order: the subset of the positions
// 1..n (n = numbers.size()) with that number, mapped through the ascending `numbers`, reintegro 0.
BetList mapShuffledSubsets(const std::vector<uint8_t>& numbers, const uint32_t* order, int64_t count);

struct RandomBetsWriteInputs {
    std::vector<uint8_t> numbers;  // the marked numbers, ascending
    SubsetOrder order;
    int64_t count = 0;             // N, at most the size of the order
    std::string path;              // with ".KMB" already applied
};

// Map the first N subsets to bets and write them with the marked numbers as header.
BetFileSave runWriteRandomBetsByNumbers(const RandomBetsWriteInputs& inputs, Progress& progress,
                                        const StopToken& stop);

} // namespace kombitron
