#include "tools/random_marking.h"

#include <algorithm>
#include <utility>

#include "core/random.h"

namespace kombitron {

std::vector<uint8_t> randomMarking(int k, uint64_t seed)
{
    k = std::clamp(k, 0, kMaxNumber);
    uint8_t a[kMaxNumber];
    for (int i = 0; i < kMaxNumber; ++i) a[i] = static_cast<uint8_t>(i + 1);
    Rng rng(seed);
    for (int b = 0; b < k; ++b) std::swap(a[b], a[rng.below(kMaxNumber)]);
    return std::vector<uint8_t>(a, a + k);
}

void markRandomNumbers(NumberFlags& grid, int k, uint64_t seed)
{
    grid.fill(0);
    for (uint8_t v : randomMarking(k, seed)) grid[v] = 1;
}

void markRandomForecast(AppState& state, int k, uint64_t seed)
{
    markRandomNumbers(state.base.markedNumbers, k, seed);
    recomputeCounters(state);
    state.savedFlag = false;
}

} // namespace kombitron
