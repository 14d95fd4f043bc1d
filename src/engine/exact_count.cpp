#include "engine/exact_count.h"

#include <algorithm>
#include <cstring>

#include "core/random.h"
#include "core/rank.h"
#include "engine/big_array.h"
#include "engine/subset_rank.h"
#include "engine/swap_shuffle.h"

namespace kombitron {

namespace {

int fixPercent(int64_t done, int64_t total)
{
    return static_cast<int>(static_cast<double>(done) / static_cast<double>(total) * 100.0);
}

// Rank of six numbers 1..49 in ascending order; 0 when they are not such a bet.
int32_t rankOrZero(const uint8_t* six)
{
    for (int j = 0; j < 6; ++j)
        if (six[j] < kMinNumber || six[j] > kMaxNumber || (j > 0 && six[j] <= six[j - 1])) return 0;
    return CombinationRank(six);
}

} // namespace

ExactCountResult AdjustToExactCount(const ExactCountInput& input, Progress& progress, const StopToken& stop)
{
    ExactCountResult result;
    const BetList& reduced = input.reduced;
    const int64_t have = reduced.size();
    const int64_t want = std::max<int64_t>(input.betCount, 0);
    if (have == want) {
        result.bets = reduced;
        return result;
    }

    BetList out(want);
    const int64_t kept = std::min(have, want);
    for (int64_t i = 1; i <= kept; ++i) {
        std::memcpy(out.bet(i), reduced.bet(i), 6);
        out.bet(i)[6] = 0;
    }
    if (have > want) {
        result.bets = std::move(out);
        return result;
    }

    // Reports a step and reads the stop request; false when the adjustment must end.
    auto goOn = [&](int percent) {
        progress.report(percent, 100);
        if (!stop.stopRequested()) return true;
        result.markStopped();
        return false;
    };

    // candidate: a conditioned bet not in the reduced system.
    subsets::BitSet candidate(static_cast<uint64_t>(kAllBets) + 1);
    const int n = static_cast<int>(input.baseNumbers.size());
    const IndexBetList& conditioned = input.conditioned;
    const int64_t conditionedCount = conditioned.size();
    uint64_t* words = candidate.words();
#pragma omp parallel for schedule(static) if (conditionedCount > 100000)
    for (int64_t i = 1; i <= conditionedCount; ++i) {
        const uint8_t* positions = conditioned.bet(i);
        uint8_t six[6];
        bool valid = true;
        for (int j = 0; j < 6; ++j) {
            valid = valid && positions[j] >= 1 && positions[j] <= n;
            six[j] = valid ? input.baseNumbers[static_cast<size_t>(positions[j] - 1)] : 0;
        }
        if (const int32_t r = valid ? rankOrZero(six) : 0)
            __atomic_fetch_or(words + (r >> 6), uint64_t{1} << (r & 63), __ATOMIC_RELAXED);
    }
    for (int64_t i = 1; i <= have; ++i)
        if (const int32_t r = rankOrZero(reduced.bet(i))) candidate.reset(static_cast<uint64_t>(r));

    BigArray<int32_t> rankOrder(static_cast<size_t>(kAllBets));
    for (int32_t i = 0; i < static_cast<int32_t>(kAllBets); ++i) rankOrder[static_cast<size_t>(i)] = i + 1;
    Rng rng;
    rng.reseed(1);
    for (int pass = 0; pass < 3; ++pass) {
        const bool shuffled = swapWithAnyPosition(rankOrder.data(), kAllBets, rng, [&](int64_t j) {
            return j % 50000 != 0 || goOn(fixPercent(j, kAllBets));
        });
        if (!shuffled) return result;
    }

    int64_t filled = kept;
    for (int64_t p = 1; p <= kAllBets && filled < want; ++p) {
        if (p % 10000 == 0 && !goOn(fixPercent(p, kAllBets))) return result;
        const int32_t r = rankOrder[static_cast<size_t>(p - 1)];
        if (!candidate.test(static_cast<uint64_t>(r))) continue;
        uint8_t* d = out.bet(++filled);
        CombinationFromRank(r, d);
        d[6] = 0;
    }
    out.truncate(filled);
    result.bets = std::move(out);
    return result;
}

JobOutcome AdjustToExactCount(AppState& state, Progress& progress, const StopToken& stop)
{
    const int64_t want = std::max<int64_t>(state.reduction.betCount, 1);
    BetList reduced = state.finalSystem;
    reduced.truncate(std::min(state.reducedCount, reduced.size()));
    if (reduced.size() == want) return {};
    ExactCountResult adjusted = AdjustToExactCount(
        ExactCountInput{reduced, state.conditionedSystem, state.base.baseNumbers, want}, progress, stop);
    if (adjusted.done()) {
        state.finalSystem = std::move(adjusted.bets);
        state.reducedCount = state.finalSystem.size();
    }
    return adjusted;
}

} // namespace kombitron
