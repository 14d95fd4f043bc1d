#include "filters/partition.h"

namespace kombitron {

bool isLow(int n) { return n >= 1 && n <= 24; }
bool isEven(int n) { return n >= 1 && n <= 49 && n % 2 == 0; }

bool isExterior(int n)
{
    if (n < 1 || n > 49) return false;
    const int row = n % 10, column = n / 10;
    return row == 0 || row == 9 || column == 0 || column == 4;
}

bool isSuperior(int n) { return n >= 1 && n <= 49 && n % 10 <= 4; }

namespace {

// The shared shape: count the bet's numbers in one class and look the count up.
int64_t classCountPass(AppState& state, Progress& progress, const StopToken& stop, const HitSet& allowed, bool (*member)(int))
{
    if (!allowed.any()) return 0;
    const uint8_t bits = hitBits(allowed);
    std::array<uint8_t, 64> in{};
    for (int n = kMinNumber; n <= kMaxNumber; ++n) in[static_cast<size_t>(n)] = member(n) ? 1 : 0;
    return runPass(state, progress, stop, [&](const uint8_t* n) {
        return !allows(bits, in[n[0]] + in[n[1]] + in[n[2]] + in[n[3]] + in[n[4]] + in[n[5]]);
    });
}

} // namespace

int64_t altosBajosPass(AppState& state, Progress& progress, const StopToken& stop)
{
    const AltosBajosParams& p = state.filters.altosBajos;
    const bool altos = p.altos.any(), bajos = p.bajos.any();
    if (!altos && !bajos) return 0;
    const uint8_t altosBits = hitBits(p.altos), bajosBits = hitBits(p.bajos);
    return runPass(state, progress, stop, [&](const uint8_t* n) {
        int high = 0;
        for (int k = 0; k < 6; ++k) high += n[k] > 24 ? 1 : 0;
        return (altos && !allows(altosBits, high)) || (bajos && !allows(bajosBits, 6 - high));
    });
}

int64_t paresImparesPass(AppState& state, Progress& progress, const StopToken& stop)
{
    return classCountPass(state, progress, stop, state.filters.paresImpares.pares, isEven);
}

int64_t exterioresInterioresPass(AppState& state, Progress& progress, const StopToken& stop)
{
    return classCountPass(state, progress, stop, state.filters.exteriores.exteriores, isExterior);
}

int64_t superioresInferioresPass(AppState& state, Progress& progress, const StopToken& stop)
{
    return classCountPass(state, progress, stop, state.filters.superiores.superiores, isSuperior);
}

} // namespace kombitron
