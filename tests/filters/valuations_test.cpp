#include <gtest/gtest.h>

#include "filters/filter_fixture.h"
#include "filters/valuations.h"

using namespace kombitron;
using namespace kombitron::test;

TEST(Valuations, Scores)
{
    AppState state = betsState({{1, 2, 3, 4, 5, 6}, {1, 2, 11, 12, 13, 14}, {20, 21, 22, 23, 24, 25}});
    ValoracionesParams& p = state.filters.valoraciones;
    for (int n = 1; n <= 10; ++n) p.valuations[n - 1][0] = 10;
    p.valuationMin[0][0] = 50;
    p.valuationMax[0][0] = 120;
    EXPECT_EQ(runFilter(valoracionesPass, state), 2); // 60 passes, 20 and 0 do not
    EXPECT_TRUE(alive(state, 1));

    // [0, 30] is in force and takes the bets with no valued number; a second condition must hold too.
    state = betsState({{1, 2, 3, 4, 5, 6}, {1, 2, 11, 12, 13, 14}, {20, 21, 22, 23, 24, 25}});
    for (int n = 1; n <= 10; ++n) state.filters.valoraciones.valuations[n - 1][0] = 10;
    state.filters.valoraciones.valuationMax[0][3] = 30;
    state.filters.valoraciones.valuations[24][9] = 5; // number 25, condition 10
    state.filters.valoraciones.valuationMin[9][1] = 1;
    state.filters.valoraciones.valuationMax[9][1] = 600;
    EXPECT_EQ(runFilter(valoracionesPass, state), 2);
    EXPECT_TRUE(alive(state, 3));
}

TEST(Valuations, ValidateAndStore)
{
    ValuationFields fields;
    fields.minimum = {"0", "40", "0", "0"};
    fields.maximum = {"0", "30", "0", "0"};
    fields.valuations[4] = 7;
    ValoracionesParams params;
    EXPECT_EQ(validateAndStoreValuation(params, 1, fields),
              "ERROR GRUPO 1: El valor mínimo de un intervalo no puede ser mayor que el valor máximo");
    EXPECT_EQ(params, ValoracionesParams{});

    fields.minimum[1] = " ";
    EXPECT_EQ(validateAndStoreValuation(params, 1, fields), "ERROR GRUPO 1: No se permiten valores nulos en los intervalos");

    // Valuations with no interval in use: the valuations are stored, the bounds are not.
    fields.minimum[1] = "0";
    fields.maximum[1] = "0";
    params.valuationMin[3][0] = 9;
    EXPECT_EQ(validateAndStoreValuation(params, 4, fields),
              "ERROR GRUPO 4: Hay seleccionadas valoraciones de números y no ha activado ningún intervalo");
    EXPECT_EQ(params.valuations[4][3], 7);
    EXPECT_EQ(params.valuationMin[3][0], 9);

    fields.valuations[4] = 0;
    fields.minimum[2] = "5";
    fields.maximum[2] = "50";
    EXPECT_EQ(validateAndStoreValuation(params, 4, fields),
              "ERROR GRUPO 4: Hay intervalos activos y no ha seleccionado ninguna valoración en los números");
    EXPECT_EQ(params.valuations[4][3], 0);

    fields.valuations[48] = 100;
    EXPECT_EQ(validateAndStoreValuation(params, 4, fields), "");
    EXPECT_EQ(params.valuationMin[3][0], 0);
    EXPECT_EQ(params.valuationMin[3][2], 5);
    EXPECT_EQ(params.valuationMax[3][2], 50);
    EXPECT_TRUE(valuationInForce(params, 4));
    EXPECT_FALSE(valuationInForce(params, 1));
}
