#include "formats/repeated_bets.h"

#include <cstring>
#include <vector>

#include "core/rank.h"

namespace kombitron {

RepeatedBetsResult removeRepeatedBets(BetList& bets, Progress& progress, const StopToken& stop)
{
    RepeatedBetsResult result;
    const int64_t count = bets.size();
    // Ranks first, in parallel; the keep-the-first walk below must stay in file order.
    std::vector<int32_t> ranks(static_cast<size_t>(count));
    const uint8_t* data = bets.data();
#pragma omp parallel for schedule(static) if (count > 100000)
    for (int64_t i = 0; i < count; ++i) ranks[static_cast<size_t>(i)] = CombinationRank(data + i * kBetBytes);

    PresenceTable seen;
    int64_t kept = 0;
    for (int64_t i = 0; i < count; ++i) {
        if (seen.insert(ranks[static_cast<size_t>(i)])) {
            if (kept != i) std::memcpy(bets.data() + kept * kBetBytes, bets.data() + i * kBetBytes, kBetBytes);
            ++kept;
        }
        if ((i + 1) % kDeduplicationYieldInterval == 0) {
            progress.report(i + 1, count);
            if (stop.stopRequested()) {
                result.markStopped();
                return result;
            }
        }
    }
    bets.truncate(kept);
    result.repeated = count - kept;
    return result;
}

} // namespace kombitron
