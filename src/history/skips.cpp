#include "history/skips.h"

#include <algorithm>

#include "history/statistics.h"

namespace kombitron {

SkipsTable computeSkips(const DrawList& draws, int seasonFrom, int seasonTo, int drawFrom, int drawTo, int weekday)
{
    SkipsTable table;
    // Position (1-based, among the matching draws) of each number's last appearance; 0 before any.
    std::array<int64_t, 50> lastSeen{};
    int64_t position = 0;
    for (const DrawRecord& draw : draws) {
        if (!drawMatches(draw, seasonFrom, seasonTo, drawFrom, drawTo, weekday)) continue;
        ++position;
        for (uint8_t n : draw.numbers) {
            if (n < 1 || n > 49 || lastSeen[n] == position) continue;
            NumberSkip& skip = table.numbers[n];
            skip.longest = std::max<int32_t>(skip.longest, static_cast<int32_t>(position - lastSeen[n] - 1));
            ++skip.appearances;
            lastSeen[n] = position;
        }
    }
    table.matchingDraws = position;
    for (int n = 1; n <= 49; ++n) {
        NumberSkip& skip = table.numbers[n];
        skip.current = static_cast<int32_t>(position - lastSeen[n]);
        skip.longest = std::max(skip.longest, skip.current);
    }
    return table;
}

} // namespace kombitron
