#include "filters/figures.h"

namespace kombitron {

namespace {

struct ClassMasks {
    std::array<NumberMask, 5> decade{};
    std::array<NumberMask, 10> lastDigit{};
};

const ClassMasks& classMasks()
{
    static const ClassMasks masks = [] {
        ClassMasks m;
        for (int n = kMinNumber; n <= kMaxNumber; ++n) {
            m.decade[n < 10 ? 0 : n / 10] |= numberBit(n);
            m.lastDigit[n % 10] |= numberBit(n);
        }
        return m;
    }();
    return masks;
}

template <size_t N>
int figureOfCounts(const std::array<int, N>& counts)
{
    int largest = 0, parts = 0;
    for (int c : counts) {
        largest = c > largest ? c : largest;
        parts += c > 0 ? 1 : 0;
    }
    return figureIndex(largest, parts);
}

uint16_t figureBits(const uint8_t* flags, int count)
{
    uint16_t bits = 0;
    for (int i = 0; i < count; ++i)
        if (flags[i]) bits |= static_cast<uint16_t>(1u << i);
    return bits;
}

bool figureAllowed(uint16_t bits, int index) { return index >= 0 && ((bits >> index) & 1u); }

} // namespace

int decadeFigure(const uint8_t* numbers)
{
    const NumberMask mask = maskOf(numbers);
    std::array<int, 5> counts{};
    for (int d = 0; d < 5; ++d) counts[d] = countIn(mask, classMasks().decade[d]);
    const int index = figureOfCounts(counts);
    return index <= 9 ? index : -1;
}

int runFigure(const uint8_t* numbers, int& longestRun)
{
    int run = 1, parts = 1;
    longestRun = 1;
    for (int k = 1; k < 6; ++k) {
        if (numbers[k] == numbers[k - 1] + 1) {
            ++run;
        } else {
            ++parts;
            run = 1;
        }
        longestRun = run > longestRun ? run : longestRun;
    }
    return figureIndex(longestRun, parts);
}

int lastDigitFigure(const uint8_t* numbers, int& digitSum)
{
    std::array<int, 10> counts{};
    digitSum = 0;
    for (int k = 0; k < 6; ++k) {
        ++counts[numbers[k] % 10];
        digitSum += numbers[k] % 10;
    }
    // The last-digit list has no "6-0": its flag 0 is "5-1".
    const int index = figureOfCounts(counts);
    return index >= 1 ? index - 1 : -1;
}

const char* decadeFigureText(int flag) { return flag >= 0 && flag <= 9 ? figureText(flag) : ""; }
const char* runFigureText(int flag) { return figureText(flag); }
const char* lastDigitFigureText(int flag) { return flag >= 0 && flag <= 9 ? figureText(flag + 1) : ""; }

int64_t DecenasPass(AppState& state, Progress& progress)
{
    const DecenasParams& p = state.filters.decenas;
    const uint16_t figures = figureBits(p.figures.data(), 10);
    std::array<uint8_t, 5> bits{};
    bool anyDecade = false;
    for (int d = 0; d < 5; ++d) {
        bits[d] = hitBits(p.decenas[d]);
        anyDecade = anyDecade || bits[d] != 0;
    }
    if (figures == 0 && !anyDecade) return 0;
    const ClassMasks& masks = classMasks();
    return runPass(state, progress, [&](const uint8_t* n) {
        const NumberMask mask = maskOf(n);
        std::array<int, 5> counts{};
        for (int d = 0; d < 5; ++d) counts[d] = countIn(mask, masks.decade[d]);
        if (figures != 0) {
            const int index = figureOfCounts(counts);
            if (!figureAllowed(figures, index <= 9 ? index : -1)) return true;
        }
        for (int d = 0; d < 5; ++d)
            if (bits[d] != 0 && !allows(bits[d], counts[d])) return true;
        return false;
    });
}

int64_t SeguidosPass(AppState& state, Progress& progress)
{
    const SeguidosParams& p = state.filters.seguidos;
    const uint16_t figures = figureBits(p.figures.data(), 11);
    const uint8_t longest = hitBits(p.seguidos);
    if (figures == 0 && longest == 0) return 0;
    return runPass(state, progress, [&](const uint8_t* n) {
        int longestRun = 0;
        const int index = runFigure(n, longestRun);
        if (figures != 0 && !figureAllowed(figures, index)) return true;
        return longest != 0 && !allows(longest, longestRun);
    });
}

int64_t TerminacionesPass(AppState& state, Progress& progress)
{
    const TerminacionesParams& p = state.filters.terminaciones;
    const uint16_t figures = figureBits(p.figures.data(), 10);
    std::array<uint8_t, 10> bits{};
    for (int d = 0; d < 10; ++d) bits[d] = hitBits(p.terminadosEn[d]);
    const int sumMin = p.sumMin, sumMax = p.sumMax;
    return runPass(state, progress, [&](const uint8_t* n) {
        std::array<int, 10> counts{};
        int sum = 0;
        for (int k = 0; k < 6; ++k) {
            ++counts[n[k] % 10];
            sum += n[k] % 10;
        }
        if (figures != 0) {
            const int index = figureOfCounts(counts);
            if (!figureAllowed(figures, index >= 1 ? index - 1 : -1)) return true;
        }
        if (sum < sumMin || sum > sumMax) return true;
        for (int d = 0; d < 10; ++d)
            if (bits[d] != 0 && !allows(bits[d], counts[d])) return true;
        return false;
    });
}

std::string ValidateAndStoreTerminaciones(TerminacionesParams& params, const TerminacionesFields& fields)
{
    int64_t minimum = 0, maximum = 0;
    if (!parseNumericField(fields.sumMinimum, minimum))
        return "ERROR: el valor de la suma de terminaciones mínima esta en blanco";
    if (!parseNumericField(fields.sumMaximum, maximum))
        return "ERROR: el valor de la suma de terminaciones máxima esta en blanco";
    if (maximum < minimum) return "ERROR: la suma de terminaciones máxima debe ser mayor que la mínima";
    for (int i = 0; i < 10; ++i) params.figures[i] = fields.figures[i] ? 1 : 0;
    // The fields take two digits; anything wider saturates the byte rather than wrapping.
    params.sumMin = static_cast<uint8_t>(std::min<int64_t>(minimum, 255));
    params.sumMax = static_cast<uint8_t>(std::min<int64_t>(maximum, 255));
    return {};
}

} // namespace kombitron
