#include "filters/figures.h"

namespace kombitron {

namespace {

struct Counters {
    ClassCounter decade;    // classes 0..4: 1-9, 10-19, 20-29, 30-39, 40-49
    ClassCounter lastDigit; // classes 0..9
    std::array<uint8_t, 64> digit{};
};

const Counters& counters()
{
    static const Counters c = [] {
        Counters m;
        for (int n = kMinNumber; n <= kMaxNumber; ++n) {
            m.decade.add(n < 10 ? 0 : n / 10, n);
            m.lastDigit.add(n % 10, n);
            m.digit[static_cast<size_t>(n)] = static_cast<uint8_t>(n % 10);
        }
        return m;
    }();
    return c;
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
    const int index = figureOfCounts(counters().decade.counts(numbers), 5);
    return index <= 9 ? index : -1;
}

namespace {

// The run figure and the longest run of each pattern of the five "next number is the previous
// plus one" links of a bet (bit k-1 for numbers k and k+1): 32 patterns.
struct RunShape {
    int8_t figure;
    int8_t longest;
};

constexpr std::array<RunShape, 32> kRunShapes = [] {
    std::array<RunShape, 32> shapes{};
    for (int pattern = 0; pattern < 32; ++pattern) {
        int run = 1, parts = 1, longest = 1;
        for (int k = 0; k < 5; ++k) {
            if ((pattern >> k) & 1) {
                ++run;
            } else {
                ++parts;
                run = 1;
            }
            longest = run > longest ? run : longest;
        }
        shapes[static_cast<size_t>(pattern)] = {static_cast<int8_t>(figureIndex(longest, parts)),
                                                static_cast<int8_t>(longest)};
    }
    return shapes;
}();

inline const RunShape& runShape(const uint8_t* n)
{
    const int pattern = (n[1] == n[0] + 1) | (n[2] == n[1] + 1) << 1 | (n[3] == n[2] + 1) << 2 |
                        (n[4] == n[3] + 1) << 3 | (n[5] == n[4] + 1) << 4;
    return kRunShapes[static_cast<size_t>(pattern)];
}

} // namespace

int runFigure(const uint8_t* numbers, int& longestRun)
{
    const RunShape& shape = runShape(numbers);
    longestRun = shape.longest;
    return shape.figure;
}

int lastDigitFigure(const uint8_t* numbers, int& digitSum)
{
    digitSum = 0;
    for (int k = 0; k < 6; ++k) digitSum += numbers[k] % 10;
    // The last-digit list has no "6-0": its flag 0 is "5-1".
    const int index = figureOfCounts(counters().lastDigit.counts(numbers), 10);
    return index >= 1 ? index - 1 : -1;
}

const char* decadeFigureText(int flag) { return flag >= 0 && flag <= 9 ? figureText(flag) : ""; }
const char* runFigureText(int flag) { return figureText(flag); }
const char* lastDigitFigureText(int flag) { return flag >= 0 && flag <= 9 ? figureText(flag + 1) : ""; }

int64_t decenasPass(AppState& state, Progress& progress, const StopToken& stop)
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
    const ClassCounter& decade = counters().decade;
    return runPass(state, progress, stop, [&](const uint8_t* n) {
        const uint64_t counts = decade.counts(n);
        if (figures != 0) {
            const int index = figureOfCounts(counts, 5);
            if (!figureAllowed(figures, index <= 9 ? index : -1)) return true;
        }
        for (int d = 0; d < 5; ++d)
            if (bits[d] != 0 && !allows(bits[d], ClassCounter::field(counts, d))) return true;
        return false;
    });
}

int64_t seguidosPass(AppState& state, Progress& progress, const StopToken& stop)
{
    const SeguidosParams& p = state.filters.seguidos;
    const uint16_t figures = figureBits(p.figures.data(), 11);
    const uint8_t longest = hitBits(p.seguidos);
    if (figures == 0 && longest == 0) return 0;
    return runPass(state, progress, stop, [&](const uint8_t* n) {
        const RunShape& shape = runShape(n);
        if (figures != 0 && !figureAllowed(figures, shape.figure)) return true;
        return longest != 0 && !allows(longest, shape.longest);
    });
}

int64_t terminacionesPass(AppState& state, Progress& progress, const StopToken& stop)
{
    const TerminacionesParams& p = state.filters.terminaciones;
    const uint16_t figures = figureBits(p.figures.data(), 10);
    std::array<uint8_t, 10> bits{};
    for (int d = 0; d < 10; ++d) bits[d] = hitBits(p.terminadosEn[d]);
    bool anyDigit = false;
    for (auto b : bits) anyDigit = anyDigit || b != 0;
    const int sumMin = p.sumMin, sumMax = p.sumMax;
    const Counters& c = counters();
    return runPass(state, progress, stop, [&](const uint8_t* n) {
        if (figures != 0) {
            const int index = figureOfCounts(c.lastDigit.counts(n), 10);
            if (!figureAllowed(figures, index >= 1 ? index - 1 : -1)) return true;
        }
        const int sum = c.digit[n[0]] + c.digit[n[1]] + c.digit[n[2]] + c.digit[n[3]] + c.digit[n[4]] + c.digit[n[5]];
        if (sum < sumMin || sum > sumMax) return true;
        if (anyDigit) {
            const uint64_t counts = c.lastDigit.counts(n);
            for (int d = 0; d < 10; ++d)
                if (bits[d] != 0 && !allows(bits[d], ClassCounter::field(counts, d))) return true;
        }
        return false;
    });
}

std::string validateAndStoreTerminaciones(TerminacionesParams& params, const TerminacionesFields& fields)
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
