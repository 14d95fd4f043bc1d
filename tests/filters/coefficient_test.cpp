#include <gtest/gtest.h>

#include <cmath>

#include "core/format.h"
#include "core/random.h"
#include "filters/coefficient.h"
#include "filters/filter_fixture.h"

using namespace kombitron;
using namespace kombitron::test;

TEST(Coefficient, Steps)
{
    EXPECT_EQ(coefficientStep(1.0), 10);
    EXPECT_EQ(coefficientStep(0.25), 2); // 2.5 goes to the even 2
    EXPECT_EQ(coefficientStep(0.35), 4);
    EXPECT_EQ(coefficientStep(0.05), 0);
    EXPECT_EQ(coefficientStep(0.15), 2);
    EXPECT_EQ(coefficientStep(9.85), 98);
    EXPECT_EQ(coefficientStep(9.9), 99);
    EXPECT_EQ(coefficientStep(12.3), 99);
    EXPECT_EQ(coefficientStep(INFINITY), 99);
    EXPECT_EQ(coefficientStep(0.0), 0);
}

TEST(Coefficient, RoundingMatchesTheProgramsRounding)
{
    Rng rng(5);
    for (int i = 0; i < 20000; ++i) {
        const double v = rng.nextDouble() * std::pow(10.0, static_cast<double>(rng.below(8)) - 6);
        const int places = static_cast<int>(rng.below(15));
        EXPECT_EQ(roundHalfEvenFast(v, places), roundHalfEven(v, places)) << v << " " << places;
    }
    EXPECT_EQ(roundHalfEvenFast(0.5, 0), 0);
    EXPECT_EQ(roundHalfEvenFast(1.5, 0), 2);
    EXPECT_EQ(roundHalfEvenFast(2.5, 0), 2);
    EXPECT_EQ(roundHalfEvenFast(0.125, 2), 0.12);
    EXPECT_EQ(roundHalfEvenFast(0.375, 2), 0.38);
}

TEST(Coefficient, ProductsAndQuotient)
{
    PercentagesTable played{}, real{};
    played.fill(12.25);
    real.fill(12.25);
    const Six bet = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(ProfitabilityCoefficient(bet.data(), played, real), 1.0);

    // A played percentage of 0 is the factor 1; a real one of 0 as well.
    played[6] = 0;
    const Six withSeven = {2, 3, 4, 5, 6, 7};
    const double expected = std::round(std::pow(0.1225, 6) * 1e14) / 1e14 / (std::round(std::pow(0.1225, 5) * 1e14) / 1e14);
    EXPECT_NEAR(ProfitabilityCoefficient(withSeven.data(), played, real), expected, 1e-9);

    // Real twice the played for one number: coefficient 2.
    played.fill(10);
    real.fill(10);
    real[0] = 20;
    EXPECT_DOUBLE_EQ(ProfitabilityCoefficient(bet.data(), played, real), 2.0);

    played.fill(0.0000001); // the played product rounds to 0
    EXPECT_EQ(coefficientStep(ProfitabilityCoefficient(bet.data(), played, real)), 99);
}

TEST(Coefficient, Pass)
{
    AppState state = enumeratedState(firstNumbers(10));
    state.filters.coeficiente.played.fill(12.25);
    state.filters.coeficiente.real.fill(12.25);
    state.filters.coeficiente.ranges[10] = 1;
    EXPECT_EQ(runFilter(coeficienteRentabilidadPass, state), 0);

    // Only step 100 (possible through a base file): in force, and no bet has that step.
    state = enumeratedState(firstNumbers(10));
    state.filters.coeficiente.ranges[100] = 1;
    EXPECT_EQ(runFilter(coeficienteRentabilidadPass, state), 210);

    // Real 24.5 for number 1: bets with 1 have coefficient 2 (step 20).
    state = enumeratedState(firstNumbers(10));
    state.filters.coeficiente.played.fill(12.25);
    state.filters.coeficiente.real.fill(12.25);
    state.filters.coeficiente.real[0] = 24.5;
    state.filters.coeficiente.ranges[20] = 1;
    EXPECT_EQ(runFilter(coeficienteRentabilidadPass, state), combinationCount(9, 6));
    for (const Six& s : survivors(state)) EXPECT_EQ(s[0], 1);
}

TEST(Coefficient, WindowChecks)
{
    std::array<std::string, 49> played, real;
    played.fill("12,6");
    real.fill("12.25");
    EXPECT_EQ(checkCoefficientPanels(played, real), "");
    real[3] = " ";
    played[40] = "";
    EXPECT_EQ(checkCoefficientPanels(played, real), "ERROR EN NUMERO 41: EL % ESTA EN BLANCO (% APOSTADOS)");
    played[40] = "1";
    EXPECT_EQ(checkCoefficientPanels(played, real), "ERROR EN NUMERO 4: EL % ESTA EN BLANCO (% REALES)");

    CoeficienteParams params;
    params.ranges[100] = 1;
    std::array<bool, 100> steps{};
    steps[12] = true;
    real[5] = "doce";
    EXPECT_EQ(storeCoefficientWindow(params, played, real, steps), "ERROR EN NUMERO 6: EL % NO ES UN NUMERO (% REALES)");
    EXPECT_EQ(params.ranges[12], 0);
    real[5] = "7";
    EXPECT_EQ(storeCoefficientWindow(params, played, real, steps), "");
    EXPECT_EQ(params.real[3], 0);      // blank: 0
    EXPECT_EQ(params.real[5], 7);
    EXPECT_EQ(params.played[0], 12.6); // decimal comma
    EXPECT_EQ(params.ranges[12], 1);
    EXPECT_EQ(params.ranges[100], 1);  // step 100 is left as it was
}

TEST(Coefficient, PassMatchesTheCoefficientOfEachBet)
{
    // The pass reuses the products of the first five numbers from one bet to the next.
    Rng rng(3);
    AppState state = enumeratedState(firstNumbers(16));
    auto& p = state.filters.coeficiente;
    for (int n = 0; n < 49; ++n) {
        p.played[n] = static_cast<double>(rng.below(2000)) / 100;
        p.real[n] = static_cast<double>(rng.below(2000)) / 100;
    }
    p.played[4] = 0;
    p.real[7] = -1;
    for (int s = 0; s < 100; s += 3) p.ranges[s] = 1;
    runFilter(coeficienteRentabilidadPass, state);
    int64_t kept = 0;
    for (int64_t i = 1; i <= state.totalSystem.size(); ++i) {
        const Six bet = numbersOf(state, i);
        const int step = coefficientStep(ProfitabilityCoefficient(bet.data(), p.played, p.real));
        EXPECT_EQ(alive(state, i), step % 3 == 0) << i;
        kept += alive(state, i);
    }
    EXPECT_GT(kept, 0);
}
