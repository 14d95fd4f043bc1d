#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/bet.h"
#include "core/random.h"
#include "scrutiny/hit_count.h"

namespace kombitron::test {

// The plain six-by-six count the fast ones must agree with: each number 1..49 of the bet, counted
// once however often it is written, that is one of the winning numbers.
inline int literalHits(const uint8_t* bet, const uint8_t* winning)
{
    int h = 0;
    for (int p = 0; p < 6; ++p) {
        const uint8_t n = bet[p];
        if (n < 1 || n > 49) continue;
        bool repeated = false;
        for (int q = 0; q < p; ++q) repeated = repeated || bet[q] == n;
        if (repeated) continue;
        for (int q = 0; q < 6; ++q)
            if (winning[q] == n) {
                ++h;
                break;
            }
    }
    return h;
}

inline bool literalHolds(const uint8_t* bet, unsigned number)
{
    if (number < 1 || number > 49) return false;
    for (int p = 0; p < 6; ++p)
        if (bet[p] == number) return true;
    return false;
}

inline HitTally literalTally(const BetList& bets, const uint8_t* winning, unsigned complementary)
{
    HitTally tally;
    for (int64_t i = 1; i <= bets.size(); ++i) {
        const int h = literalHits(bets.bet(i), winning);
        ++tally.hits[static_cast<size_t>(h)];
        if (h == 5 && literalHolds(bets.bet(i), complementary)) ++tally.fiveWithComplementary;
    }
    return tally;
}

// Six distinct ascending numbers 1..49.
inline void randomCombination(Rng& rng, uint8_t* out)
{
    uint8_t pool[49];
    for (int i = 0; i < 49; ++i) pool[i] = static_cast<uint8_t>(i + 1);
    for (int i = 0; i < 6; ++i) std::swap(pool[i], pool[i + rng.below(49 - i)]);
    std::sort(pool, pool + 6);
    for (int i = 0; i < 6; ++i) out[i] = pool[i];
}

// `count` random bets with reintegros; `damaged` of every thousand carry a repeated number or
// one outside 1..49, as a damaged KMB record may.
inline BetList randomBets(Rng& rng, int64_t count, int damaged = 0)
{
    BetList bets(count);
    for (int64_t i = 1; i <= count; ++i) {
        uint8_t* b = bets.bet(i);
        randomCombination(rng, b);
        b[6] = static_cast<uint8_t>(rng.below(10));
        if (rng.below(1000) < damaged) {
            const int p = static_cast<int>(rng.below(6));
            switch (rng.below(3)) {
            case 0: b[p] = b[(p + 1) % 6]; break;
            case 1: b[p] = 0; break;
            default: b[p] = static_cast<uint8_t>(50 + rng.below(200)); break;
            }
        }
    }
    return bets;
}

// Bets holding the same combination several times: a file may repeat bets.
inline BetList withRepeats(const BetList& bets, int64_t repeats)
{
    BetList out(bets.size() + repeats);
    for (int64_t i = 1; i <= bets.size(); ++i) std::copy_n(bets.bet(i), 7, out.bet(i));
    for (int64_t r = 0; r < repeats; ++r) std::copy_n(bets.bet(1 + r % bets.size()), 7, out.bet(bets.size() + 1 + r));
    return out;
}

} // namespace kombitron::test
