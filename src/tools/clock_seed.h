#pragma once

#include <chrono>
#include <cstdint>

namespace kombitron {

// A seed taken from the clock, for the procedures the program seeds from the time of day. Every
// such procedure also takes an explicit seed, which tests and the command line fix.
inline uint64_t ClockSeed()
{
    return static_cast<uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

} // namespace kombitron
