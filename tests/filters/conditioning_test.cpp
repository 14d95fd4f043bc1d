#include <gtest/gtest.h>

#include "core/filter_rows.h"
#include "filters/conditioning.h"
#include "filters/filter_fixture.h"

using namespace kombitron;
using namespace kombitron::test;

namespace {

// Asks for a stop as soon as the pass reports progress.
struct StopOnReport : Progress {
    explicit StopOnReport(StopFlag& s) : stop(s) {}
    void report(int64_t, int64_t) override { stop.request(); }
    StopFlag& stop;
};

AppState twoFilters()
{
    AppState state = enumeratedState(firstNumbers(30));
    resetFilterRows(state);
    setRowActive(state.filterRows[static_cast<int>(FilterId::ALTOSBAJOS)], true);
    setRowActive(state.filterRows[static_cast<int>(FilterId::PARESIMPARES)], true);
    state.filters.altosBajos.bajos = hits({3, 4});
    state.filters.paresImpares.pares = hits({3});
    return state;
}

} // namespace

TEST(Conditioning, EachBetCountedByTheFirstFilterThatRejectsIt)
{
    AppState state = twoFilters();
    Progress quiet;
    const ConditioningResult pass = RunConditioningPass(state, quiet, {});
    ASSERT_TRUE(pass.done());
    EXPECT_TRUE(state.conditioningRan);
    const auto& counts = state.filterEliminationCounts;
    EXPECT_EQ(pass.eliminated, counts[0] + counts[6]);
    // A plain walk: the first failing filter in registry order takes the bet.
    int64_t low = 0, even = 0;
    for (int64_t i = 1; i <= state.totalSystem.size(); ++i) {
        const Six six = numbersOf(state, i);
        int lows = 0, evens = 0;
        for (int n : six) {
            lows += n <= 24;
            evens += n % 2 == 0;
        }
        if (lows != 3 && lows != 4) ++low;
        else if (evens != 3) ++even;
    }
    EXPECT_EQ(counts[0], low);
    EXPECT_EQ(counts[6], even);
}

TEST(Conditioning, AStopCountsNothing)
{
    AppState state = twoFilters();
    StopFlag stop;
    StopOnReport stopper(stop);
    const ConditioningResult pass = RunConditioningPass(state, stopper, stop);
    EXPECT_TRUE(pass.stopped());
    EXPECT_EQ(pass.eliminated, 0);
    EXPECT_FALSE(state.conditioningRan);
    for (int64_t c : state.filterEliminationCounts) EXPECT_EQ(c, 0);
    EXPECT_EQ(state.filterRows[0].back(), '-');
    EXPECT_TRUE(stop.requested());

    // A filter pass on its own skips its chunks once the request is seen.
    AppState big = enumeratedState(firstNumbers(30));
    big.filters.paresImpares.pares = hits({6});
    StopFlag early;
    early.request();
    Progress quiet;
    EXPECT_EQ(filterPassAt(static_cast<int>(FilterId::PARESIMPARES))(big, quiet, early), 0);
    EXPECT_GT(filterPassAt(static_cast<int>(FilterId::PARESIMPARES))(big, quiet, {}), 0);
}
