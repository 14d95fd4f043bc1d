#pragma once

#include <cstdint>
#include <type_traits>
#include <utility>

#include "core/random.h"

namespace kombitron {

// For i = 1..count: swap order[i] with order[Int(r x count + 1)], r uniform in [0,1) from `rng`
// (a swap with any position, not a Fisher-Yates shuffle). `step(i)` runs after swap i; a step
// that returns bool ends the shuffle early by returning false. True when every swap was made.
template <class T, class Step>
bool swapWithAnyPosition(T* order, int64_t count, Rng& rng, Step&& step)
{
    const double size = static_cast<double>(count);
    auto draw = [&] {
        const int64_t j = static_cast<int64_t>(rng.nextDouble() * size + 1.0);
        return (j > count ? count : j) - 1;
    };
    // The partners depend on the generator alone: draw them ahead and prefetch them.
    constexpr int64_t kAhead = 32;
    int64_t ahead[kAhead];
    for (int64_t i = 0; i < kAhead && i < count; ++i) {
        ahead[i] = draw();
        __builtin_prefetch(order + ahead[i], 1);
    }
    for (int64_t i = 0; i < count; ++i) {
        const int64_t j = ahead[i % kAhead];
        if (i + kAhead < count) {
            ahead[i % kAhead] = draw();
            __builtin_prefetch(order + ahead[i % kAhead], 1);
        }
        std::swap(order[i], order[j]);
        if constexpr (std::is_same_v<decltype(step(i + 1)), bool>) {
            if (!step(i + 1)) return false;
        } else {
            step(i + 1);
        }
    }
    return true;
}

} // namespace kombitron
