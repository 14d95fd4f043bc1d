#pragma once

#include <cstdint>
#include <vector>

namespace kombitron::subsets {

// C(a, b) for a = 0..64 and b = 0..7, exact; 0 when b > a.
uint64_t choose(int a, int b);

// The table behind choose(), row a holding C(a, 0..7); for tight loops.
const uint64_t (*binomialRows())[8];

// Colex rank of ascending 0-based elements e[0..m-1]: the sum of C(e[j], j+1). For a fixed m it
// numbers the m-subsets of {0..n-1} from 0 to C(n,m)-1 for every n above the largest element.
inline uint32_t colexRank(const uint8_t* e, int m)
{
    const auto* c = binomialRows();
    uint64_t r = 0;
    for (int j = 0; j < m; ++j) r += c[e[j]][j + 1];
    return static_cast<uint32_t>(r);
}

// Colex rank of the set bits of a mask (bit i = element i).
inline uint32_t colexRankOfMask(uint64_t mask)
{
    const auto* c = binomialRows();
    uint64_t r = 0;
    for (int j = 1; mask; ++j, mask &= mask - 1) r += c[__builtin_ctzll(mask)][j];
    return static_cast<uint32_t>(r);
}

// Ascending elements of a mask into e; returns their number.
inline int elementsOfMask(uint64_t mask, uint8_t* e)
{
    int m = 0;
    for (; mask; mask &= mask - 1) e[m++] = static_cast<uint8_t>(__builtin_ctzll(mask));
    return m;
}

// The bit patterns over `size` places with `ones` of them set (of[size][ones], size up to 6), to
// pick the subsets of a bet or of a small set by position.
struct Patterns {
    std::vector<uint8_t> of[7][7];
    Patterns();
};
const Patterns& patterns();

// The mask of the elements e[i] whose places i a pattern selects.
inline uint64_t pick(const uint8_t* e, unsigned pattern)
{
    uint64_t m = 0;
    for (; pattern; pattern &= pattern - 1) m |= uint64_t{1} << e[__builtin_ctz(pattern)];
    return m;
}

// A fixed-size set of bits indexed 0..size-1, all clear when built.
class BitSet {
public:
    BitSet() = default;
    explicit BitSet(uint64_t size) : words_((size + 63) / 64, 0) {}
    bool test(uint64_t i) const { return (words_[i >> 6] >> (i & 63)) & 1u; }
    void set(uint64_t i) { words_[i >> 6] |= uint64_t{1} << (i & 63); }
    void reset(uint64_t i) { words_[i >> 6] &= ~(uint64_t{1} << (i & 63)); }
    // Set the bit; true when it was clear.
    bool insert(uint64_t i)
    {
        uint64_t& w = words_[i >> 6];
        const uint64_t bit = uint64_t{1} << (i & 63);
        const bool fresh = !(w & bit);
        w |= bit;
        return fresh;
    }
    void clearAll();
    const uint64_t* words() const { return words_.data(); }
    uint64_t* words() { return words_.data(); }

private:
    std::vector<uint64_t> words_;
};

} // namespace kombitron::subsets
