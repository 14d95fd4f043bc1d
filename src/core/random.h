#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

namespace kombitron {

// The program's repeatable pseudo-random generator (splitmix64) with its own mapping to
// [0,1), so that a given seed gives the same sequence on every platform and library.
class Rng {
public:
    explicit Rng(uint64_t seed = 0) : state_(seed) {}

    // Back to the fixed initial state, then seeded: the sequence depends only on `seed`.
    void reseed(uint64_t seed) { state_ = seed; }

    uint64_t next()
    {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0,1) with 53 random bits.
    double nextDouble() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

    // Uniform integer in [0, bound) as floor(bound * u).
    int64_t below(int64_t bound) { return static_cast<int64_t>(static_cast<double>(bound) * nextDouble()); }

    // The first value drawn after reseed(seed), without touching a generator.
    static double firstDouble(uint64_t seed) { Rng r(seed); return r.nextDouble(); }

private:
    uint64_t state_;
};

// A seed taken from the clock, for the procedures the program seeds from the time of day (every
// such procedure also takes an explicit seed, which tests and the command line fix). Two calls
// in the same clock tick still give different seeds.
inline uint64_t clockSeed()
{
    static std::atomic<uint64_t> calls{0};
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()) ^
           (calls.fetch_add(1) * 0x9E3779B97F4A7C15ull);
}

} // namespace kombitron
