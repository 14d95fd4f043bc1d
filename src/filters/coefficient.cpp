#include "filters/coefficient.h"

#include <cmath>
#include <limits>

#include "filters/percentages_file.h"

namespace kombitron {

namespace {

constexpr double kPowersOfTen[16] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                     1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// The played and real factors of one number, so that the pass multiplies in the same order as
// the formula: (product x percentage) / 100.
struct Factor {
    double percentage;
    bool used;
};

inline double product(const uint8_t* numbers, const std::array<Factor, 50>& factors)
{
    double p = 1.0;
    for (int k = 0; k < 6; ++k) {
        const Factor& f = factors[numbers[k]];
        if (f.used) p = p * f.percentage / 100;
    }
    return roundHalfEvenFast(p, 14);
}

std::array<Factor, 50> factorsOf(const PercentagesTable& table)
{
    std::array<Factor, 50> factors{};
    for (int n = 1; n <= 49; ++n) factors[n] = {table[n - 1], table[n - 1] > 0};
    return factors;
}

inline double quotient(double real, double played)
{
    if (played == 0) return real == 0 ? 1.0 : std::numeric_limits<double>::infinity();
    return real / played;
}

std::string fieldMessage(int n, const char* text, bool played)
{
    return "ERROR EN NUMERO " + std::to_string(n) + text + (played ? "(% APOSTADOS)" : "(% REALES)");
}

bool blank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

} // namespace

double roundHalfEvenFast(double value, int decimals)
{
    const double scale = decimals >= 0 && decimals < 16 ? kPowersOfTen[decimals] : std::pow(10.0, decimals);
    const double scaled = value * scale;
    if (!std::isfinite(scaled)) return value;
    const double below = std::floor(scaled);
    const double fraction = scaled - below;
    double rounded;
    // A scaled value whose six-place decimal text reads .500000 is a half, as in roundHalfEven.
    if (std::fabs(fraction - 0.5) < 5e-7) rounded = std::fmod(below, 2.0) == 0 ? below : below + 1;
    else rounded = std::round(scaled);
    return rounded / scale;
}

double ProfitabilityCoefficient(const uint8_t* numbers, const PercentagesTable& played, const PercentagesTable& real)
{
    return quotient(product(numbers, factorsOf(real)), product(numbers, factorsOf(played)));
}

int CoefficientStep(double coefficient)
{
    if (std::isnan(coefficient)) return 0;
    const double v = roundHalfEvenFast(coefficient, 1) * 10;
    if (v >= 99) return 99;
    const double step = roundHalfEvenFast(v, 0);
    return step <= 0 ? 0 : static_cast<int>(step);
}

int64_t CoeficienteRentabilidadPass(AppState& state, Progress& progress)
{
    const CoeficienteParams& p = state.filters.coeficiente;
    bool inForce = false;
    for (auto f : p.ranges) inForce = inForce || f != 0;
    if (!inForce) return 0;
    const std::array<Factor, 50> played = factorsOf(p.played), real = factorsOf(p.real);
    std::array<uint8_t, 100> allowed{};
    for (int s = 0; s < 100; ++s) allowed[s] = p.ranges[s];
    // The coefficient of a bet depends on that bet alone, so it is computed where it is tested.
    return runPass(state, progress, [&](const uint8_t* n) {
        return !allowed[CoefficientStep(quotient(product(n, real), product(n, played)))];
    });
}

std::string CheckCoefficientPanels(const std::array<std::string, 49>& played, const std::array<std::string, 49>& real)
{
    for (int n = 1; n <= 49; ++n)
        if (blank(played[n - 1])) return fieldMessage(n, ": EL % ESTA EN BLANCO ", true);
    for (int n = 1; n <= 49; ++n)
        if (blank(real[n - 1])) return fieldMessage(n, ": EL % ESTA EN BLANCO ", false);
    return {};
}

std::string StoreCoefficientWindow(CoeficienteParams& params, const std::array<std::string, 49>& played,
                                   const std::array<std::string, 49>& real, const std::array<bool, 100>& selectedSteps)
{
    PercentagesTable playedValues{}, realValues{};
    for (int pass = 0; pass < 2; ++pass) {
        const bool isPlayed = pass == 0;
        const auto& fields = isPlayed ? played : real;
        PercentagesTable& values = isPlayed ? playedValues : realValues;
        for (int n = 1; n <= 49; ++n) {
            if (blank(fields[n - 1])) continue;
            if (!parsePercentageText(fields[n - 1], values[n - 1]))
                return fieldMessage(n, ": EL % NO ES UN NUMERO ", isPlayed);
        }
    }
    params.real = realValues;
    params.played = playedValues;
    for (int s = 0; s < 100; ++s) params.ranges[s] = selectedSteps[s] ? 1 : 0;
    return {};
}

} // namespace kombitron
