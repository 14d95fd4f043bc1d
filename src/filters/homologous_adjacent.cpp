#include "filters/homologous_adjacent.h"

#include <cstdlib>

namespace kombitron {

namespace {

struct Tables {
    ClassCounter homologous;                  // class c at field c-1
    std::array<NumberMask, 64> neighbours{}; // index = number
};

const Tables& tables()
{
    static const Tables t = [] {
        Tables m;
        for (int a = kMinNumber; a <= kMaxNumber; ++a) {
            m.homologous.add(homologousClass(a) - 1, a);
            for (int b = kMinNumber; b <= kMaxNumber; ++b)
                if (areAdjacent(a, b)) m.neighbours[a] |= numberBit(b);
        }
        return m;
    }();
    return t;
}

} // namespace

int homologousClass(int n) { return n % 9 == 0 ? 9 : n % 9; }

bool areAdjacent(int a, int b)
{
    if (a == b || a < 1 || a > 49 || b < 1 || b > 49) return false;
    return std::abs(a % 10 - b % 10) <= 1 && std::abs(a / 10 - b / 10) <= 1;
}

NumberMask neighboursOf(int n) { return n >= 0 && n <= 49 ? tables().neighbours[n] : 0; }

int adjacentCount(const uint8_t* numbers)
{
    const NumberMask mask = maskOf(numbers);
    int k = 0;
    for (int i = 0; i < 6; ++i) k += (tables().neighbours[numbers[i]] & mask) != 0 ? 1 : 0;
    return k;
}

int64_t homologosPass(AppState& state, Progress& progress, const StopToken& stop)
{
    const uint8_t bits = hitBits(state.filters.homologos.homologos);
    if (bits == 0) return 0;
    const Tables& t = tables();
    return runPass(state, progress, stop, [&](const uint8_t* n) {
        const uint64_t counts = t.homologous.counts(n);
        for (int c = 0; c < 9; ++c)
            if (allows(bits, ClassCounter::field(counts, c))) return false;
        return true;
    });
}

int64_t colindantesPass(AppState& state, Progress& progress, const StopToken& stop)
{
    const uint8_t bits = hitBits(state.filters.colindantes.colindantes);
    if (bits == 0) return 0;
    const Tables& t = tables();
    return runPass(state, progress, stop, [&](const uint8_t* n) {
        const NumberMask mask = maskOf(n);
        int k = 0;
        for (int i = 0; i < 6; ++i) k += (t.neighbours[n[i]] & mask) != 0 ? 1 : 0;
        return !allows(bits, k);
    });
}

} // namespace kombitron
