#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "core/job.h"
#include "core/state.h"

#ifdef _OPENMP
#include <omp.h>
#endif

namespace kombitron {

// The shape of every filter's pass over the total system: it tests the bets whose elimination
// flag is 0, sets the flag of each bet that fails and returns how many flags it set. A filter
// whose parameters hold no condition returns 0 without touching a bet. It never fails.
using FilterPassFunction = int64_t (*)(AppState& state, Progress& progress, const StopToken& stop);

// Bit n set for each number n of a bet; bit 0 stands for a position outside the base.
using NumberMask = uint64_t;

constexpr NumberMask numberBit(int n) { return NumberMask{1} << n; }

// The mask of the six numbers of a bet.
inline NumberMask maskOf(const uint8_t* numbers)
{
    return numberBit(numbers[0]) | numberBit(numbers[1]) | numberBit(numbers[2]) | numberBit(numbers[3]) |
           numberBit(numbers[4]) | numberBit(numbers[5]);
}

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
namespace detail {
// A partition of 6 is fixed by its largest part and its number of parts.
inline constexpr int8_t kFigureIndex[7][7] = {
    {-1, -1, -1, -1, -1, -1, -1},
    {-1, -1, -1, -1, -1, -1, 10}, // 1-1-1-1-1-1
    {-1, -1, -1, 7, 8, 9, -1},    // 2-2-2, 2-2-1-1, 2-1-1-1-1
    {-1, -1, 4, 5, 6, -1, -1},    // 3-3, 3-2-1, 3-1-1-1
    {-1, -1, 2, 3, -1, -1, -1},   // 4-2, 4-1-1
    {-1, -1, 1, -1, -1, -1, -1},  // 5-1
    {-1, 0, -1, -1, -1, -1, -1},  // 6-0
};
} // namespace detail

constexpr int figureIndex(int largestPart, int parts)
{
    if (largestPart < 0 || largestPart > 6 || parts < 0 || parts > 6) return -1;
    return detail::kFigureIndex[largestPart][parts];
}

// Counts of a bet's numbers in up to 16 classes at once, without a population count (which
// the baseline instruction set lacks): number n adds 1 to the 4-bit field of every class that
// holds it, so the sum of the six numbers' words holds each class's count (at most 6) in its field.
class ClassCounter {
public:
    // Number n (1..49) belongs to class c (0..15).
    void add(int c, int n) { word_[static_cast<size_t>(n)] += uint64_t{1} << (4 * c); }
    // Every number whose flag is set belongs to class c.
    void add(int c, const NumberFlags& members)
    {
        for (int n = kMinNumber; n <= kMaxNumber; ++n)
            if (members[n]) add(c, n);
    }
    // The packed counts of the six numbers of a bet.
    uint64_t counts(const uint8_t* n) const
    {
        return word_[n[0]] + word_[n[1]] + word_[n[2]] + word_[n[3]] + word_[n[4]] + word_[n[5]];
    }
    // The count of class c in packed counts.
    static int field(uint64_t counts, int c) { return static_cast<int>((counts >> (4 * c)) & 0xF); }

private:
    std::array<uint64_t, 64> word_{};
};

namespace detail {
// For a byte of two 4-bit counts: the larger count in the low nibble, how many are non-zero above.
inline constexpr std::array<uint8_t, 256> kCountPairs = [] {
    std::array<uint8_t, 256> t{};
    for (int b = 0; b < 256; ++b) {
        const int lo = b & 15, hi = b >> 4;
        t[static_cast<size_t>(b)] = static_cast<uint8_t>((lo > hi ? lo : hi) | (((lo != 0) + (hi != 0)) << 4));
    }
    return t;
}();
} // namespace detail

// Largest count and number of non-zero counts among the first `classes` fields: the figure of a
// bet over those classes (see figureIndex).
inline int figureOfCounts(uint64_t counts, int classes)
{
    int largest = 0, parts = 0;
    for (int i = 0; i < (classes + 1) / 2; ++i) {
        const uint8_t e = detail::kCountPairs[(counts >> (8 * i)) & 0xFF];
        largest = (e & 15) > largest ? (e & 15) : largest;
        parts += e >> 4;
    }
    return figureIndex(largest, parts);
}

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
std::string checkGroupNumber(const std::string& text, int capacity, int& group);

// Number at each position byte of an index bet: baseNumbers[p-1] for p = 1..n, 0 otherwise.
std::array<uint8_t, 256> positionTable(const std::vector<uint8_t>& baseNumbers);

// Bets handed to a thread at a time; progress is reported as they are done.
inline constexpr int64_t kPassChunk = int64_t{1} << 16;

// Walk the bets 1..N of state.totalSystem whose flag is 0 and call rejects(numbers) with their
// six numbers ascending; set the flag of every bet it rejects and return how many. Bets are
// independent, so chunks of them run on every core; the flags and the count are those of a plain
// walk. Reports progress (bets done of N) from the calling thread. Each thread works on its own
// copy of `rejects`, which may therefore keep a cache of the bets it has just seen. The stop
// request is read before every chunk; once seen, the chunks left are skipped.
template <class Rejects>
int64_t runPass(AppState& state, Progress& progress, const StopToken& stop, const Rejects& rejects)
{
    const int64_t total = state.totalSystem.size();
    if (total == 0) return 0;
    if (static_cast<int64_t>(state.eliminationFlags.size()) != total)
        state.eliminationFlags.resize(static_cast<size_t>(total), 0);
    const std::array<uint8_t, 256> numberAt = positionTable(state.base.baseNumbers);
    const uint8_t* bets = state.totalSystem.data();
    uint8_t* flags = state.eliminationFlags.data();
    const int64_t chunks = (total + kPassChunk - 1) / kPassChunk;
    std::atomic<int64_t> done{0};
    int64_t count = 0;
    // One parallel region per pass, chunks handed out as threads come free: a busy machine that
    // holds one thread back does not hold the others at a barrier.
#pragma omp parallel if (chunks > 2) reduction(+ : count)
    {
        Rejects local = rejects;
#ifdef _OPENMP
        const bool reporter = omp_get_thread_num() == 0;
#else
        const bool reporter = true;
#endif
#pragma omp for schedule(dynamic, 1)
        for (int64_t c = 0; c < chunks; ++c) {
            if (stop.stopRequested()) continue;
            const int64_t start = c * kPassChunk, end = std::min(total, start + kPassChunk);
            for (int64_t i = start; i < end; ++i) {
                if (flags[i]) continue;
                const uint8_t* p = bets + i * kBetBytes;
                const uint8_t numbers[6] = {numberAt[p[0]], numberAt[p[1]], numberAt[p[2]],
                                            numberAt[p[3]], numberAt[p[4]], numberAt[p[5]]};
                if (local(numbers)) {
                    flags[i] = 1;
                    ++count;
                }
            }
            const int64_t finished = done.fetch_add(end - start, std::memory_order_relaxed) + (end - start);
            if (reporter) progress.report(finished, total);
        }
    }
    if (!stop.stopRequested()) progress.report(total, total);
    return count;
}

} // namespace kombitron
