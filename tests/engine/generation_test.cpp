#include <gtest/gtest.h>

#include <map>

#include "core/state.h"
#include "engine/generation.h"
#include "support/recording_interaction.h"

using namespace kombitron;

namespace {
AppState marked(std::initializer_list<int> numbers)
{
    AppState state;
    for (int v : numbers) setNumberMarked(state, v, true);
    BuildBaseNumbers(state);
    return state;
}

std::vector<uint8_t> positions(const IndexBetList& list, int64_t i)
{
    return std::vector<uint8_t>(list.bet(i), list.bet(i) + 6);
}
} // namespace

TEST(Generation, BaseNumbersAreAscending)
{
    AppState state = marked({40, 3, 17, 9});
    EXPECT_EQ(state.base.baseNumbers, (std::vector<uint8_t>{3, 9, 17, 40}));
}

TEST(Generation, EnumerationOrder)
{
    AppState six = marked({4, 8, 15, 16, 23, 42});
    ASSERT_EQ(EnumerateSubsets(six, 6), 1);
    EXPECT_EQ(positions(six.totalSystem, 1), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));

    AppState seven = marked({1, 2, 3, 4, 5, 6, 7});
    ASSERT_EQ(EnumerateSubsets(seven, 6), 7);
    EXPECT_EQ(positions(seven.totalSystem, 1), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(positions(seven.totalSystem, 2), (std::vector<uint8_t>{1, 2, 3, 4, 5, 7}));
    EXPECT_EQ(positions(seven.totalSystem, 7), (std::vector<uint8_t>{2, 3, 4, 5, 6, 7}));

    AppState four = marked({10, 20, 30, 40});
    ASSERT_EQ(EnumerateSubsets(four, 2), 6);
    const std::vector<std::vector<uint8_t>> pairs = {{1, 2}, {1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 4}};
    for (int64_t i = 1; i <= 6; ++i) {
        auto p = positions(four.totalSystem, i);
        EXPECT_EQ(p[0], pairs[i - 1][0]);
        EXPECT_EQ(p[1], pairs[i - 1][1]);
        for (int j = 2; j < 6; ++j) EXPECT_EQ(p[j], 99);
    }
    EXPECT_EQ(EnumerateSubsets(four, 7), 0);
    EXPECT_EQ(EnumerateSubsets(four, 0), 0);
    EXPECT_TRUE(four.totalSystem.empty());
}

TEST(Generation, AllFortyNineNumbers)
{
    AppState state;
    for (int v = 1; v <= 49; ++v) setNumberMarked(state, v, true);
    BuildBaseNumbers(state);
    ASSERT_EQ(EnumerateSubsets(state, 6), 13983816);
    EXPECT_EQ(positions(state.totalSystem, 1), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(positions(state.totalSystem, 13983816), (std::vector<uint8_t>{44, 45, 46, 47, 48, 49}));
}

TEST(Generation, MapToFinalUsesTheBaseNumbers)
{
    AppState state = marked({5, 11, 23, 31, 40, 47, 49});
    EnumerateSubsets(state, 6);
    state.conditionedSystem = state.totalSystem;
    MapToFinal(state);
    ASSERT_EQ(state.finalSystem.size(), 7);
    const Bet last = state.finalSystem.get(7);
    EXPECT_EQ(std::vector<uint8_t>(last.numbers, last.numbers + 6), (std::vector<uint8_t>{11, 23, 31, 40, 47, 49}));
    EXPECT_EQ(last.reintegro, 0);
}

TEST(Generation, ImportedBetsBecomePositions)
{
    AppState state = marked({2, 9, 14, 20, 33, 41, 45});
    state.base.kind = CombinationKind::FromFile;
    state.base.importedBets.resize(1);
    state.base.importedBets.set(1, Bet{{2, 14, 20, 33, 41, 45}, 8});
    test::RecordingInteraction ui;
    EXPECT_FALSE(BuildTotalFromImport(state, ui));
    EXPECT_EQ(ui.lastText(), "ERROR: NO HAY NINGUN FICHERO ASCII CARGADO");
    state.base.importedFileName = "/tmp/apuestas.txt";
    ASSERT_TRUE(BuildTotalFromImport(state, ui));
    EXPECT_EQ(std::vector<uint8_t>(state.totalSystem.bet(1), state.totalSystem.bet(1) + 7),
              (std::vector<uint8_t>{1, 3, 4, 5, 6, 7, 8}));
    state.conditionedSystem = state.totalSystem;
    MapToFinal(state);
    EXPECT_EQ(state.finalSystem.at(1, 7), 8);  // the imported reintegro travels along
}

class ReintegroRules : public ::testing::Test {
protected:
    void prepare(std::initializer_list<int> reintegros, ReintegroMode mode, int bets = 7)
    {
        state = AppState{};
        for (int d : reintegros) setReintegroMarked(state, d, true);
        state.base.reintegroMode = mode;
        state.finalSystem.resize(bets);
        for (int64_t i = 1; i <= bets; ++i) state.finalSystem.set(i, Bet{{1, 2, 3, 4, 5, 6}, 0});
        state.reducedCount = bets;
        AssignReintegros(state);
    }
    std::vector<int> reintegros() const
    {
        std::vector<int> r;
        for (int64_t i = 1; i <= state.finalSystem.size(); ++i) r.push_back(state.finalSystem.at(i, 7));
        return r;
    }
    AppState state;
};

TEST_F(ReintegroRules, DirectAndSequential)
{
    prepare({4}, ReintegroMode::Direct);
    EXPECT_EQ(reintegros(), (std::vector<int>(7, 4)));
    prepare({2, 5, 9}, ReintegroMode::Sequential);
    EXPECT_EQ(reintegros(), (std::vector<int>{2, 5, 9, 2, 5, 9, 2}));
}

TEST_F(ReintegroRules, RandomIsRepeatableAndUniform)
{
    prepare({6}, ReintegroMode::Random);
    EXPECT_EQ(reintegros(), (std::vector<int>(7, 6)));  // one reintegro behaves like the direct rule

    prepare({0, 3, 5, 8}, ReintegroMode::Random, 40000);
    const std::vector<int> first = reintegros();
    prepare({0, 3, 5, 8}, ReintegroMode::Random, 40000);
    EXPECT_EQ(reintegros(), first);
    std::map<int, int> histogram;
    for (int r : first) ++histogram[r];
    ASSERT_EQ(histogram.size(), 4u);
    for (auto [digit, count] : histogram) EXPECT_NEAR(count, 10000, 400) << digit;
    // the choice depends only on the bet number
    for (int64_t i = 1; i <= 100; ++i)
        EXPECT_EQ(first[i - 1], (std::vector<int>{0, 3, 5, 8})[randomReintegroIndex(i, 4) - 1]);
}

TEST_F(ReintegroRules, ImportedCombinationsAlwaysDrawAtRandom)
{
    state = AppState{};
    setReintegroMarked(state, 1, true);
    setReintegroMarked(state, 2, true);
    state.base.kind = CombinationKind::FromFile;
    state.base.reintegroMode = ReintegroMode::Direct;
    state.finalSystem.resize(200);
    for (int64_t i = 1; i <= 200; ++i) state.finalSystem.set(i, Bet{{1, 2, 3, 4, 5, 6}, 0});
    state.reducedCount = 200;
    AssignReintegros(state);
    std::map<int, int> histogram;
    for (int64_t i = 1; i <= 200; ++i) ++histogram[state.finalSystem.at(i, 7)];
    EXPECT_EQ(histogram.size(), 2u);
}
