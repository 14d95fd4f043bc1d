#include "filters/positions.h"

namespace kombitron {

int64_t posicionesPass(AppState& state, Progress& progress, const StopToken& stop)
{
    struct Ball {
        int index;
        NumberMask allowed;
    };
    std::vector<Ball> balls;
    for (int b = 0; b < 6; ++b) {
        const NumberMask allowed = membersMask(state.filters.posiciones.allowed[b]);
        if (allowed != 0) balls.push_back({b, allowed});
    }
    if (balls.empty()) return 0;
    return runPass(state, progress, stop, [&](const uint8_t* n) {
        for (const Ball& ball : balls)
            if (!((ball.allowed >> n[ball.index]) & 1u)) return true;
        return false;
    });
}

void dropNumbersOutsideBase(PosicionesParams& params, const std::vector<uint8_t>& baseNumbers)
{
    NumberFlags inBase{};
    for (uint8_t n : baseNumbers)
        if (n <= kMaxNumber) inBase[n] = 1;
    for (auto& ball : params.allowed)
        for (int n = 0; n <= kMaxNumber; ++n)
            if (!inBase[n]) ball[n] = 0;
}

} // namespace kombitron
