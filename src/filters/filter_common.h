#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "core/interaction.h"
#include "core/state.h"

namespace kombitron {

// The shape of every filter's pass over the total system: it tests the bets whose elimination
// flag is 0, sets the flag of each bet that fails and returns how many flags it set. A filter
// whose parameters hold no condition returns 0 without touching a bet. It never fails.
using FilterPassFunction = int64_t (*)(AppState& state, Progress& progress);

// Bit n set for each number n of a bet; bit 0 stands for a position outside the base.
using NumberMask = uint64_t;

constexpr NumberMask numberBit(int n) { return NumberMask{1} << n; }

// The mask of the six numbers of a bet.
inline NumberMask maskOf(const uint8_t* numbers)
{
    return numberBit(numbers[0]) | numberBit(numbers[1]) | numberBit(numbers[2]) | numberBit(numbers[3]) |
           numberBit(numbers[4]) | numberBit(numbers[5]);
}

// How many of the numbers in `mask` belong to `members`.
inline int countIn(NumberMask mask, NumberMask members) { return std::popcount(mask & members); }

// The mask of the numbers 1..49 whose flag is set (index = number).
NumberMask membersMask(const NumberFlags& flags);

// The seven flags of a HitSet as bits 0..6, for one-instruction look-ups.
inline uint8_t hitBits(const HitSet& set)
{
    uint8_t bits = 0;
    for (int c = 0; c <= 6; ++c)
        if (set.flags[c]) bits |= static_cast<uint8_t>(1u << c);
    return bits;
}

inline bool allows(uint8_t bits, int count) { return count >= 0 && count <= 6 && ((bits >> count) & 1u); }

// Index of a figure (a partition of 6 given by its largest part and its number of parts) in
// the figure list "6-0", "5-1", "4-2", "4-1-1", "3-3", "3-2-1", "3-1-1-1", "2-2-2", "2-2-1-1",
// "2-1-1-1-1", "1-1-1-1-1-1": 0..10, or -1 for anything that is not a partition of 6.
int figureIndex(int largestPart, int parts);

// Text of the figure at index 0..10 of that list ("6-0" .. "1-1-1-1-1-1"), "" otherwise.
const char* figureText(int index);

// A HitSet as the windows show it: its set counts ascending, comma-separated ("0,2,3"; "" when empty).
std::string hitSetText(const HitSet& set);

// The indices first..last whose flag is on, ascending, comma-separated, no trailing comma.
std::string flagListText(const uint8_t* flags, int first, int last);

// Value of a numeric window field: blanks trimmed, digits only. False when it is blank or holds
// anything else (the fields accept digits only, so both read as a blank field).
bool parseNumericField(const std::string& text, int64_t& value);

// The number typed in a "go to group" field (Enter): 1..capacity. Otherwise returns
// "ERROR: EL NUMERO DE GRUPO DEBE ESTAR ENTRE 1 y " + capacity and leaves `group` alone.
std::string CheckGroupNumber(const std::string& text, int capacity, int& group);

// Number at each position byte of an index bet: baseNumbers[p-1] for p = 1..n, 0 otherwise.
std::array<uint8_t, 256> positionTable(const std::vector<uint8_t>& baseNumbers);

// Bets handled per parallel block of a pass; progress is reported after each block.
inline constexpr int64_t kPassBlock = int64_t{1} << 18;

// Walk the bets 1..N of state.totalSystem whose flag is 0 and call rejects(numbers) with their
// six numbers ascending; set the flag of every bet it rejects and return how many. Bets are
// independent, so blocks run on every core; the flags and the count are those of a plain walk.
// Reports progress (bets done of N) after each block. `rejects` must be safe to call concurrently.
template <class Rejects>
int64_t runPass(AppState& state, Progress& progress, const Rejects& rejects)
{
    const int64_t total = state.totalSystem.size();
    if (total == 0) return 0;
    if (static_cast<int64_t>(state.eliminationFlags.size()) != total)
        state.eliminationFlags.resize(static_cast<size_t>(total), 0);
    const std::array<uint8_t, 256> numberAt = positionTable(state.base.baseNumbers);
    const uint8_t* bets = state.totalSystem.data();
    uint8_t* flags = state.eliminationFlags.data();
    int64_t count = 0;
    for (int64_t start = 0; start < total; start += kPassBlock) {
        const int64_t end = std::min(total, start + kPassBlock);
        int64_t blockCount = 0;
#pragma omp parallel for schedule(static) reduction(+ : blockCount) if (end - start > 16384)
        for (int64_t i = start; i < end; ++i) {
            if (flags[i]) continue;
            const uint8_t* p = bets + i * kBetBytes;
            const uint8_t numbers[6] = {numberAt[p[0]], numberAt[p[1]], numberAt[p[2]],
                                        numberAt[p[3]], numberAt[p[4]], numberAt[p[5]]};
            if (rejects(numbers)) {
                flags[i] = 1;
                ++blockCount;
            }
        }
        count += blockCount;
        progress.report(end, total);
    }
    return count;
}

} // namespace kombitron
