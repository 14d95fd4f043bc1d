#include <gtest/gtest.h>

#include "filters/distances_sums.h"
#include "filters/filter_fixture.h"

using namespace kombitron;
using namespace kombitron::test;

TEST(DistancesSums, ExtremeBets)
{
    AppState state = betsState({{1, 2, 3, 4, 5, 6}, {44, 45, 46, 47, 48, 49}});
    state.filters.sumas.intervals[0] = {21, 279};
    EXPECT_EQ(runFilter(sumasPass, state), 0);
    state.filters.sumas.intervals[0] = {22, 278};
    EXPECT_EQ(runFilter(sumasPass, state), 2);

    state = betsState({{1, 2, 3, 4, 5, 6}});
    state.filters.distancias.minimum = {1, 1, 1, 1, 1, 5};
    state.filters.distancias.maximum = {1, 1, 1, 1, 1, 5};
    EXPECT_EQ(runFilter(distanciasPass, state), 0);
    state.filters.sumasPorTrios.first[0] = {6, 6};
    state.filters.sumasPorTrios.last[0] = {15, 15};
    EXPECT_EQ(runFilter(sumasPorTriosPass, state), 0);
    state.filters.sumasPorTrios.last[0] = {16, 40};
    EXPECT_EQ(runFilter(sumasPorTriosPass, state), 1);
}

TEST(DistancesSums, IntervalsInForce)
{
    // Only the spread bounded 0..10.
    AppState state = enumeratedState(firstNumbers(20));
    state.filters.distancias.maximum[5] = 10;
    runFilter(distanciasPass, state);
    for (const Six& s : survivors(state)) EXPECT_LE(s[5] - s[0], 10);
    // spread d = 5..10: (20 - d) places for the ends, C(d-1, 4) choices between them
    EXPECT_EQ(survivors(state).size(), 15u + 70u + 195u + 420u + 770u + 1260u);

    // Two intervals with an unused one between them.
    state = enumeratedState({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49});
    state.filters.sumas.intervals[0] = {21, 100};
    state.filters.sumas.intervals[2] = {200, 279};
    runFilter(sumasPass, state);
    for (const Six& s : survivors(state)) {
        const int sum = s[0] + s[1] + s[2] + s[3] + s[4] + s[5];
        EXPECT_TRUE(sum <= 100 || sum >= 200) << sum;
    }
    EXPECT_FALSE(survivors(state).empty());

    // Only the last trio in force.
    state = enumeratedState(firstNumbers(12));
    state.filters.sumasPorTrios.last[4] = {30, 30};
    runFilter(sumasPorTriosPass, state);
    for (const Six& s : survivors(state)) EXPECT_EQ(s[3] + s[4] + s[5], 30);

    // A pair in force with minimum above maximum (possible only from a file) rejects every bet.
    state = enumeratedState(firstNumbers(10));
    state.filters.distancias.minimum[0] = 5;
    state.filters.distancias.maximum[0] = 2;
    EXPECT_EQ(runFilter(distanciasPass, state), 210);
}

TEST(DistancesSums, DistanciasClosingChecks)
{
    DistanciasFields ok;
    ok.minimum = {"1", "1", "1", "1", "1", "5"};
    ok.maximum = {"10", "10", "10", "10", "10", "48"};
    struct Case {
        int row;
        bool minimum;
        const char* value;
        const char* message;
    };
    const Case cases[] = {
        {3, true, " ", "ERROR: algún valor de distancia mínima esta en blanco"},
        {0, false, "", "ERROR: algún valor de distancia máxima esta en blanco"},
        {0, false, "0", "ERROR: La distancia máxima debe ser mayor que la mínima(números 1 y 2)"},
        {1, true, "11", "ERROR: La distancia máxima debe ser mayor que la mínima(números 2 y 3)"},
        {2, true, "11", "ERROR: La distancia máxima debe ser mayor que la mínima(números 3 y 4)"},
        {3, true, "11", "ERROR: La distancia máxima debe ser mayor que la mínima(números 4 y 5)"},
        {4, true, "11", "ERROR: La distancia máxima debe ser mayor que la mínima(números 5 y 6)"},
        {5, false, "4", "ERROR: La distancia máxima debe ser mayor que la mínima(números del 1 al 6)"},
    };
    for (const Case& c : cases) {
        DistanciasFields fields = ok;
        (c.minimum ? fields.minimum : fields.maximum)[c.row] = c.value;
        DistanciasParams params;
        EXPECT_EQ(validateAndStoreDistancias(params, fields), c.message);
        EXPECT_EQ(params, DistanciasParams{});
    }
    // A blank minimum is reported before a blank maximum, wherever they are.
    DistanciasFields both = ok;
    both.maximum[0] = "";
    both.minimum[5] = "";
    DistanciasParams params;
    EXPECT_EQ(validateAndStoreDistancias(params, both), "ERROR: algún valor de distancia mínima esta en blanco");
    EXPECT_EQ(validateAndStoreDistancias(params, ok), "");
    EXPECT_EQ(params.maximum[5], 48);
    EXPECT_EQ(params.minimum[0], 1);
}

TEST(DistancesSums, SumasClosingChecks)
{
    struct Case {
        int interval;
        const char* minimum;
        const char* maximum;
        const char* message;
    };
    const Case cases[] = {
        {0, "", "100", "ERROR: No se permiten valores nulos en los intervalos"},
        {9, "30", "", "ERROR: No se permiten valores nulos en los intervalos"},
        {0, "20", "279", "ERROR: La suma mínima de los intervalos activados(<>0) debe ser mayor que 21"},
        {0, "0", "50", "ERROR: La suma mínima de los intervalos activados(<>0) debe ser mayor que 21"},
        {1, "21", "280", "ERROR: La suma máxima de los intervalos activados(<>0) debe ser menor que 279"},
        {2, "100", "0", "ERROR: La suma mínima de un intervalo no puede ser mayor que la suma máxima"},
        {3, "21", "279", ""},
        {3, "0", "0", ""},
    };
    for (const Case& c : cases) {
        SumasFields fields;
        fields.minimum.fill("0");
        fields.maximum.fill("0");
        fields.minimum[c.interval] = c.minimum;
        fields.maximum[c.interval] = c.maximum;
        SumasParams params;
        EXPECT_EQ(validateAndStoreSumas(params, fields), c.message) << c.minimum << "-" << c.maximum;
    }
    // Interval 1's checks all come before interval 2's.
    SumasFields fields;
    fields.minimum.fill("0");
    fields.maximum.fill("0");
    fields.minimum[0] = "300";
    fields.maximum[0] = "300";
    fields.minimum[1] = "";
    SumasParams params;
    EXPECT_EQ(validateAndStoreSumas(params, fields),
              "ERROR: La suma máxima de los intervalos activados(<>0) debe ser menor que 279");
}

TEST(DistancesSums, TriosClosingChecks)
{
    SumasPorTriosFields fields;
    for (auto* a : {&fields.firstMinimum, &fields.firstMaximum, &fields.lastMinimum, &fields.lastMaximum}) a->fill("0");
    SumasPorTriosParams params;
    fields.lastMinimum[0] = "";
    fields.firstMinimum[1] = "";
    EXPECT_EQ(validateAndStoreSumasPorTrios(params, fields),
              "ERROR: No se permiten valores nulos en los intervalos (Tres últimos números)");
    fields.lastMinimum[0] = "0";
    EXPECT_EQ(validateAndStoreSumasPorTrios(params, fields),
              "ERROR: No se permiten valores nulos en los intervalos (Tres primeros números)");
    fields.firstMinimum[1] = "0";
    fields.lastMinimum[2] = "50";
    fields.lastMaximum[2] = "40";
    fields.firstMinimum[3] = "50";
    EXPECT_EQ(validateAndStoreSumasPorTrios(params, fields),
              "ERROR: La suma mínima de un intervalo no puede ser mayor que la suma máxima (Tres últimos números)");
    fields.lastMaximum[2] = "140";
    EXPECT_EQ(validateAndStoreSumasPorTrios(params, fields),
              "ERROR: La suma mínima de un intervalo no puede ser mayor que la suma máxima (Tres primeros números)");
    EXPECT_EQ(params, SumasPorTriosParams{});
    fields.firstMaximum[3] = "3"; // no lower or upper bound check on the trios
    fields.firstMinimum[3] = "2";
    EXPECT_EQ(validateAndStoreSumasPorTrios(params, fields), "");
    EXPECT_EQ(params.last[2], (SumInterval{50, 140}));
    EXPECT_EQ(params.first[3], (SumInterval{2, 3}));
}
