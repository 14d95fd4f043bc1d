#include <gtest/gtest.h>

#include <string>

#include "core/filter_rows.h"
#include "engine/reduction_options.h"

using namespace kombitron;

namespace {

ReductionOptions options(int type, int percentage, int betCount, int byBetCount, int cycles, int exact = 0)
{
    ReductionOptions o;
    o.type = type;
    o.percentage = percentage;
    o.betCount = betCount;
    o.byBetCount = byBetCount;
    o.cycles = cycles;
    o.exactCount = exact;
    return o;
}

} // namespace

TEST(ReductionOptions, ShouldReduceOnlyWhenItKeepsFewerBets)
{
    AppState state;
    resetFilterRows(state);
    EXPECT_FALSE(shouldReduce(state));  // row inactive
    setRowActive(state.filterRows[kReductionRow], true);
    EXPECT_FALSE(shouldReduce(state));  // type 0, by percentage, 100 %: every bet would stay
    state.reduction.percentage = 50;
    EXPECT_TRUE(shouldReduce(state));
    state.reduction.percentage = 100;
    state.reduction.byBetCount = 1;
    EXPECT_TRUE(shouldReduce(state));
    state.reduction.byBetCount = 0;
    state.reduction.type = 2;
    EXPECT_TRUE(shouldReduce(state));

    ReductionOptions options;
    options.percentage = 0;
    options.betCount = -3;
    clampReductionOptions(options);
    EXPECT_EQ(options.percentage, 100);
    EXPECT_EQ(options.betCount, 1);
    options.percentage = 101;
    clampReductionOptions(options);
    EXPECT_EQ(options.percentage, 100);
}

TEST(ReductionOptions, ExactCountPrecondition)
{
    ReductionOptions o = options(2, 100, 10, 1, 0, 1);
    EXPECT_TRUE(exactCountExceedsConditioned(o, 9));
    EXPECT_FALSE(exactCountExceedsConditioned(o, 10));
    o.exactCount = 0;
    EXPECT_FALSE(exactCountExceedsConditioned(o, 9));
    EXPECT_EQ(std::string(kExactCountTooLargeMessage),
              "ERROR: Ha elegido reducir con la opción 'Número Exacto de Apuestas' y dicho número supera el sistema "
              "final condicionado, cambie el número de apuestas pedidas al reducir");
}
