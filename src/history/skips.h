#pragma once

#include <array>
#include <cstdint>

#include "core/draw.h"

namespace kombitron {

// How long a number has gone without being drawn, counted in the draws that match a query.
struct NumberSkip {
    int32_t appearances = 0;  // matching draws that hold the number
    int32_t current = 0;      // matching draws after its last appearance (all of them if it never appeared)
    int32_t longest = 0;      // longest stretch of matching draws without it, the current one included
};

struct SkipsTable {
    std::array<NumberSkip, 50> numbers{}; // index 1..49; 0 unused
    int64_t matchingDraws = 0;
};

// The skips of every number 1..49 over the draws of `draws` (history order, oldest first) that
// match the seasons, draw numbers and weekday (0 any day), as the statistics queries select them.
// Values outside 1..49 in a draw are ignored; a number repeated within one draw counts once.
SkipsTable computeSkips(const DrawList& draws, int seasonFrom, int seasonTo, int drawFrom, int drawTo, int weekday);

} // namespace kombitron
