#include "filters/coefficient.h"

#include <cmath>
#include <limits>

#include "core/format.h"
#include "core/text.h"
#include "filters/percentages_file.h"

namespace kombitron {

namespace {

constexpr double kPowersOfTen[16] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                     1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// Rounding to the places of `scale` (10^d) with halves to even. A scaled value whose six-place
// decimal text reads .500000 is a half, as in the program's roundHalfEven.
inline double roundPlaces(double value, double scale)
{
    const double scaled = value * scale;
    if (scaled >= 0 && scaled < 9.0e18) {
        // The common case in whole numbers: cheaper than floor and fmod.
        const auto whole = static_cast<int64_t>(scaled);
        const double fraction = scaled - static_cast<double>(whole);
        int64_t rounded;
        if (std::fabs(fraction - 0.5) < 5e-7) rounded = whole + (whole & 1);
        else rounded = fraction < 0.5 ? whole : whole + 1;
        return static_cast<double>(rounded) / scale;
    }
    if (!std::isfinite(scaled)) return value;
    const double below = std::floor(scaled);
    const double fraction = scaled - below;
    double rounded;
    if (std::fabs(fraction - 0.5) < 5e-7) rounded = std::fmod(below, 2.0) == 0 ? below : below + 1;
    else rounded = fraction < 0.5 ? below : below + 1;
    return rounded / scale;
}

inline int stepOf(double coefficient)
{
    if (std::isnan(coefficient)) return 0;
    if (!(coefficient < 9.9)) return 99;
    // Rounding to one place gives r / 10 for a whole r; times 10 that is r again to within a
    // unit in the last place, which the rounding to a whole step takes back to r. So the step
    // is r itself, found without the two divisions.
    const double r = roundPlaces(coefficient * 10, 1.0);
    return r <= 0 ? 0 : (r >= 99 ? 99 : static_cast<int>(r));
}

// The played and real factors of one number, so that the pass multiplies in the same order as
// the formula: (product x percentage) / 100.
struct Factor {
    double percentage;
    bool used;
};

using Factors = std::array<Factor, 64>;

inline double times(double p, const Factor& f) { return f.used ? p * f.percentage / 100 : p; }

// The unrounded product of the first `count` numbers.
inline double partialProduct(const uint8_t* numbers, int count, const Factors& factors)
{
    double p = 1.0;
    for (int k = 0; k < count; ++k) p = times(p, factors[numbers[k]]);
    return p;
}

inline double product(const uint8_t* numbers, const Factors& factors)
{
    return roundPlaces(partialProduct(numbers, 6, factors), 1e14);
}

Factors factorsOf(const PercentagesTable& table)
{
    Factors factors{};
    for (int n = 1; n <= 49; ++n) factors[static_cast<size_t>(n)] = {table[n - 1], table[n - 1] > 0};
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

bool blank(const std::string& text) { return trimmed(text, " \t").empty(); }

} // namespace

double roundHalfEvenFast(double value, int decimals)
{
    const double scale = decimals >= 0 && decimals < 16 ? kPowersOfTen[decimals] : std::pow(10.0, decimals);
    return roundPlaces(value, scale);
}

double ProfitabilityCoefficient(const uint8_t* numbers, const PercentagesTable& played, const PercentagesTable& real)
{
    return quotient(product(numbers, factorsOf(real)), product(numbers, factorsOf(played)));
}

int coefficientStep(double coefficient) { return stepOf(coefficient); }

std::string coefficientStepText(int step)
{
    return std::to_string(step / 10) + numberFormat().decimal + std::to_string(step % 10);
}

int64_t coeficienteRentabilidadPass(AppState& state, Progress& progress, const StopToken& stop)
{
    const CoeficienteParams& p = state.filters.coeficiente;
    bool inForce = false;
    for (auto f : p.ranges) inForce = inForce || f != 0;
    if (!inForce) return 0;
    // The coefficient of a bet depends on that bet alone, so it is computed where it is tested.
    // Consecutive bets mostly share their first five numbers: each thread keeps the products of
    // the last five it saw, and the sixth factor is applied in the same order as the formula.
    class Test {
    public:
        explicit Test(const CoeficienteParams& p) : played_(factorsOf(p.played)), real_(factorsOf(p.real))
        {
            for (int s = 0; s < 100; ++s) allowed_[static_cast<size_t>(s)] = p.ranges[s];
        }
        bool operator()(const uint8_t* n)
        {
            const uint64_t prefix = uint64_t{n[0]} | uint64_t{n[1]} << 8 | uint64_t{n[2]} << 16 | uint64_t{n[3]} << 24 |
                                    uint64_t{n[4]} << 32;
            if (prefix != prefix_) {
                prefix_ = prefix;
                playedPrefix_ = partialProduct(n, 5, played_);
                realPrefix_ = partialProduct(n, 5, real_);
            }
            const double played = roundPlaces(times(playedPrefix_, played_[n[5]]), 1e14);
            const double real = roundPlaces(times(realPrefix_, real_[n[5]]), 1e14);
            return !allowed_[static_cast<size_t>(stepOf(quotient(real, played)))];
        }

    private:
        Factors played_, real_;
        std::array<uint8_t, 100> allowed_{};
        uint64_t prefix_ = ~uint64_t{0};
        double playedPrefix_ = 1.0, realPrefix_ = 1.0;
    };
    return runPass(state, progress, stop, Test(p));
}

std::string checkCoefficientPanels(const std::array<std::string, 49>& played, const std::array<std::string, 49>& real)
{
    for (int n = 1; n <= 49; ++n)
        if (blank(played[n - 1])) return fieldMessage(n, ": EL % ESTA EN BLANCO ", true);
    for (int n = 1; n <= 49; ++n)
        if (blank(real[n - 1])) return fieldMessage(n, ": EL % ESTA EN BLANCO ", false);
    return {};
}

std::string storeCoefficientWindow(CoeficienteParams& params, const std::array<std::string, 49>& played,
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
