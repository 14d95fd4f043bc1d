#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kombitron {

// Lexicographic rank 1..C(n,k) of k ascending numbers 1..n (k <= 6, n <= 49).
int32_t CombinationRank(int k, int n, const uint8_t* numbers);
inline int32_t CombinationRank(const uint8_t* six) { return CombinationRank(6, 49, six); }

// The k ascending numbers of a rank 1..C(n,k); the inverse of CombinationRank.
void CombinationFromRank(int32_t rank, int k, int n, uint8_t* numbers);
inline void CombinationFromRank(int32_t rank, uint8_t* six) { CombinationFromRank(rank, 6, 49, six); }

// A set of 6-of-49 ranks as one bit per possible bet; walking it gives ascending ranks.
class PresenceTable {
public:
    PresenceTable();
    bool contains(int32_t rank) const { return (bits_[static_cast<size_t>(rank) >> 6] >> (rank & 63)) & 1u; }
    // Set the flag; returns true when it was not set before.
    bool insert(int32_t rank)
    {
        uint64_t& word = bits_[static_cast<size_t>(rank) >> 6];
        const uint64_t mask = uint64_t{1} << (rank & 63);
        const bool fresh = !(word & mask);
        word |= mask;
        return fresh;
    }
    void erase(int32_t rank) { bits_[static_cast<size_t>(rank) >> 6] &= ~(uint64_t{1} << (rank & 63)); }
    void clear();
    int64_t count() const;
    // Call f(rank) for every rank present, ascending.
    template <class F> void forEach(F&& f) const
    {
        for (size_t w = 0; w < bits_.size(); ++w)
            for (uint64_t word = bits_[w]; word; word &= word - 1)
                f(static_cast<int32_t>(w * 64 + static_cast<size_t>(__builtin_ctzll(word))));
    }

private:
    std::vector<uint64_t> bits_;
};

// Sort list[first..last] (both included) in place.
void SortAscending(std::vector<int32_t>& list, int64_t first, int64_t last);
void SortDescending(std::vector<int32_t>& list, int64_t first, int64_t last);

} // namespace kombitron
