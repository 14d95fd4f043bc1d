#include <gtest/gtest.h>

#include "core/format.h"
#include "flows/system_summary.h"

using namespace kombitron;

TEST(SystemSummary, CostPerDrawIsTheBetsAtTheGamesPrice)
{
    setNumberFormat({".", ","});
    EXPECT_EQ(costPerDrawText(904, GameType::Primitiva), "904,00 €");
    EXPECT_EQ(costPerDrawText(905, GameType::Bonoloto), "452,50 €");
    EXPECT_EQ(costPerDrawText(13983816, GameType::Bonoloto), "6.991.908,00 €");
    EXPECT_EQ(costPerDrawText(0, GameType::Primitiva), "0,00 €");
}

TEST(SystemSummary, HeadlineIsTheHighestClassHeldInFull)
{
    setNumberFormat({".", ","});
    struct Case {
        const char* what;
        std::array<int64_t, 7> cases;   // by class h
        int q;
        const char* headline;
    };
    const Case cases[] = {
        {"down to four hits", {0, 0, 0, 0, 6, 3, 1}, 6, "100,000% 4 si 6"},
        {"every outcome a full hit", {0, 0, 0, 0, 0, 0, 7}, 6, "100,000% 6 si 6"},
        {"a miss keeps the headline at zero", {1, 0, 0, 2, 0, 0, 0}, 6, "100,000% 0 si 6"},
        {"a lower level", {0, 0, 2, 5, 1, 0, 0}, 4, "100,000% 2 si 4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GuaranteeStats stats;
        int64_t outcomes = 0;
        for (int h = 0; h <= 6; ++h) {
            stats.cases[h] = c.cases[h];
            outcomes += c.cases[h];
        }
        EXPECT_EQ(guaranteeHeadline(publishGuarantees(stats, outcomes, c.q)), c.headline);
    }
    EXPECT_EQ(guaranteeHeadline(emptyGuaranteeTable(6)), "") << "no pass, or a stopped one";
}
