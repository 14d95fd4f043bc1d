#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/bet.h"
#include "core/job.h"

namespace kombitron {

// Bit n of a number n in 1..49; 0 for anything else (an empty position, a damaged record), so
// such a value never hits.
constexpr uint64_t numberBit(unsigned n) { return n >= 1 && n <= 49 ? uint64_t{1} << n : 0; }

namespace detail {
// numberBit of every byte value, so that a bet's mask takes six loads and no comparison.
inline constexpr auto kNumberBits = [] {
    std::array<uint64_t, 256> bits{};
    for (unsigned n = 0; n < 256; ++n) bits[n] = numberBit(n);
    return bits;
}();
} // namespace detail

// The set of the distinct numbers 1..49 among the first six bytes of a bet or combination.
inline uint64_t numberMask(const uint8_t* six)
{
    const auto& bit = detail::kNumberBits;
    return bit[six[0]] | bit[six[1]] | bit[six[2]] | bit[six[3]] | bit[six[4]] | bit[six[5]];
}

// How many numbers a mask holds. Inline everywhere: without the processor's instruction the
// compiler would call a library routine for every bet.
inline int countNumbers(uint64_t x)
{
#if defined(__POPCNT__)
    return __builtin_popcountll(x);
#else
    x = x - ((x >> 1) & 0x5555555555555555ull);
    x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<int>((x * 0x0101010101010101ull) >> 56);
#endif
}

// Hits of a bet on a combination: how many distinct numbers of the bet are winning numbers.
inline int hitsOf(uint64_t betMask, uint64_t winningMask) { return countNumbers(betMask & winningMask); }

// Bets by hits on one combination: hits[h] for h = 0..6, and among the 5-hit bets those that
// also hold the complementary. 64-bit: a whole system against many draws passes 2^32.
struct HitTally {
    std::array<int64_t, 7> hits{};
    int64_t fiveWithComplementary = 0;

    // The bets that hit five without the complementary.
    int64_t fiveWithoutComplementary() const { return hits[5] - fiveWithComplementary; }
    HitTally& operator+=(const HitTally& other)
    {
        for (int h = 0; h <= 6; ++h) hits[h] += other.hits[h];
        fiveWithComplementary += other.fiveWithComplementary;
        return *this;
    }
    bool operator==(const HitTally&) const = default;
};

// How many bets of a file hold each set of up to six numbers, in one table indexed by the set's
// size and rank; from it the tally of any combination comes from the 64 subsets of its numbers
// by inclusion-exclusion, so the cost of a combination no longer grows with the file.
class SubsetCountTable {
public:
    // Entries of the table: every set of 0..6 of the 49 numbers.
    static constexpr int64_t kEntries = 1 + 49 + 1176 + 18424 + 211876 + 1906884 + 13983816;

    SubsetCountTable();
    ~SubsetCountTable();
    SubsetCountTable(const SubsetCountTable&) = delete;
    SubsetCountTable& operator=(const SubsetCountTable&) = delete;

    // Count the sets held by bets 1..count, on all cores. False when `stop` asked for a stop
    // first (the table is then incomplete).
    bool build(const BetList& bets, int64_t count, const StopToken& stop);

    // The tally of a combination (its numbers as a mask, at most six of them) and complementary
    // (0 for none).
    HitTally tally(uint64_t winningMask, unsigned complementary) const;

private:
    std::unique_ptr<uint32_t[]> counts_;
};

// The tally of bets 1..count against one combination, one bet after another; on all cores when
// the list is long. `complementary` 0 means none.
HitTally tallyBets(const std::vector<uint64_t>& betMasks, uint64_t winningMask, unsigned complementary);

// The masks of bets 1..count, on all cores.
std::vector<uint64_t> betMasks(const BetList& bets, int64_t count);

// Counts of one bet file against many combinations: the file's bets one by one when there are
// few bets or few combinations, the subset-count table when building it costs less than the
// bet-by-bet work it saves. Both give the same tallies.
class BetFileCounter {
public:
    enum class Method { BetByBet, SubsetTable };

    // Prepare bets 1..count for `combinations` tallies; `forced` picks the method (tests,
    // benchmarks). False when stopped while preparing.
    bool prepare(const BetList& bets, int64_t count, int64_t combinations, const StopToken& stop);
    bool prepare(const BetList& bets, int64_t count, Method forced, const StopToken& stop);

    Method method() const { return method_; }
    int64_t bets() const { return count_; }

    // The tally of one combination; safe to call from several threads at once.
    HitTally tally(uint64_t winningMask, unsigned complementary) const;
    // Tallies of many combinations at once, spread over all cores: out[i] for masks[i].
    void tallyMany(const uint64_t* winningMasks, const uint8_t* complementaries, int64_t n, HitTally* out) const;

    // Which method pays for `bets` bets and `combinations` combinations.
    static Method chooseMethod(int64_t bets, int64_t combinations);

private:
    Method method_ = Method::BetByBet;
    int64_t count_ = 0;
    std::vector<uint64_t> masks_;
    std::unique_ptr<SubsetCountTable> table_;
};

} // namespace kombitron
