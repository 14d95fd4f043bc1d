#include <gtest/gtest.h>

#include "filters/filter_fixture.h"
#include "filters/groups.h"

using namespace kombitron;
using namespace kombitron::test;

namespace {
int countIn(const Six& s, int first, int last)
{
    int c = 0;
    for (int n : s) c += n >= first && n <= last;
    return c;
}
} // namespace

TEST(Groups, GroupPass)
{
    AppState state = enumeratedState(firstNumbers(15));
    state.filters.grupos.groups[0].members = numberRange(1, 5);
    state.filters.grupos.groups[0].hits = hits({2});
    runFilter(gruposPass, state);
    EXPECT_EQ(static_cast<int64_t>(survivors(state).size()), combinationCount(5, 2) * combinationCount(10, 4));

    // Only position 1 counts: the lowest number must be one of 1..5.
    state = betsState({{1, 6, 7, 8, 9, 10}, {6, 7, 8, 9, 10, 11}, {1, 2, 7, 8, 9, 10}});
    NumberGroup& g = state.filters.grupos.groups[4];
    g.members = numberRange(1, 5);
    g.hits = hits({1});
    g.positions = {1, 0, 0, 0, 0, 0};
    EXPECT_EQ(runFilter(gruposPass, state), 1);
    EXPECT_FALSE(alive(state, 2));

    // Hits {0}: none of the group's numbers at the chosen positions.
    state = betsState({{1, 6, 7, 8, 9, 10}, {6, 7, 8, 9, 10, 11}, {6, 7, 8, 9, 10, 12}});
    state.filters.grupos.groups[0].members = numberSet({1, 12});
    state.filters.grupos.groups[0].hits = hits({0});
    state.filters.grupos.groups[0].positions = {1, 1, 1, 1, 1, 0};
    EXPECT_EQ(runFilter(gruposPass, state), 1);
    EXPECT_FALSE(alive(state, 1));

    // A group with hits but no numbers is not in use; two groups in use must both hold.
    state = enumeratedState(firstNumbers(12));
    state.filters.grupos.groups[0].hits = hits({6});
    EXPECT_EQ(runFilter(gruposPass, state), 0);
    state.filters.grupos.groups[1].members = numberRange(1, 6);
    state.filters.grupos.groups[1].hits = hits({3});
    state.filters.grupos.groups[209].members = numberRange(1, 3);
    state.filters.grupos.groups[209].hits = hits({1});
    runFilter(gruposPass, state);
    for (const Six& s : survivors(state)) {
        EXPECT_EQ(countIn(s, 1, 6), 3);
        EXPECT_EQ(countIn(s, 1, 3), 1);
    }
    EXPECT_EQ(survivors(state).size(), 3u * 3u * 20u);
}

TEST(Groups, LimitsPass)
{
    AppState state = enumeratedState(firstNumbers(25));
    GruposEntreLimitesParams& p = state.filters.gruposEntreLimites;
    EXPECT_EQ(runFilter(gruposEntreLimitesPass, state), 0); // defaults 0..210
    p.groups[0].members = numberRange(1, 10);
    p.groups[0].hits = hits({1, 2});
    p.groups[1].members = numberRange(11, 20);
    p.groups[1].hits = hits({0});
    p.minimum = 2;
    p.maximum = 2;
    runFilter(gruposEntreLimitesPass, state);
    for (const Six& s : survivors(state)) {
        EXPECT_GE(countIn(s, 1, 10), 1);
        EXPECT_LE(countIn(s, 1, 10), 2);
        EXPECT_EQ(countIn(s, 11, 20), 0);
    }
    EXPECT_EQ(static_cast<int64_t>(survivors(state).size()), 10 * combinationCount(5, 5) + 45 * combinationCount(5, 4));

    // A minimum of 1 with no group in use eliminates everything.
    state = enumeratedState(firstNumbers(8));
    state.filters.gruposEntreLimites.minimum = 1;
    EXPECT_EQ(runFilter(gruposEntreLimitesPass, state), 28);
}

TEST(Groups, GruposClosingChecks)
{
    struct Case {
        NumberFlags members;
        HitSet hits;
        std::array<uint8_t, 6> positions;
        const char* message;
    };
    const NumberFlags some = numberRange(1, 4);
    const std::array<uint8_t, 6> all{1, 1, 1, 1, 1, 1}, two{1, 1, 0, 0, 0, 0}, none{};
    const Case cases[] = {
        {{}, hits({1}), all, "ERROR en GRUPO5 : No ha marcado ningún número y hay aciertos seleccionados"},
        {{}, {}, two, "ERROR en GRUPO5 : No ha marcado ningún número por tanto todas las posiciones del grupo tienen que estar marcadas"},
        {some, {}, all, "ERROR en GRUPO5 : Debe rellenar al menos un acierto"},
        {some, hits({1}), none, "ERROR en GRUPO5 : Debe rellenar al menos una posición"},
        {some, hits({0, 3}), two, "ERROR en GRUPO5 : El acierto máximo es mayor que las posiciones marcadas"},
        {some, hits({2}), two, ""},
        {{}, {}, all, ""},
    };
    for (const Case& c : cases) {
        GruposParams params;
        params.groups[4] = {c.members, c.hits, c.positions};
        EXPECT_EQ(checkGruposClosing(params), c.message);
    }
    GruposParams params; // the first failing group is reported
    params.groups[200].hits = hits({1});
    params.groups[7].members = some;
    EXPECT_EQ(checkGruposClosing(params), "ERROR en GRUPO8 : Debe rellenar al menos un acierto");
}

TEST(Groups, LimitsClosingChecks)
{
    GruposEntreLimitesParams params;
    params.groups[9].hits = hits({2});
    EXPECT_EQ(validateAndStoreGruposEntreLimites(params, 0, 5),
              "ERROR en GRUPO10 : No ha marcado ningún número y hay aciertos seleccionados");
    params.groups[9].hits = {};
    params.groups[10].members = numberSet({7});
    EXPECT_EQ(validateAndStoreGruposEntreLimites(params, 0, 5), "ERROR en GRUPO11 : Debe rellenar al menos un acierto");
    params.groups[10].hits = hits({1});
    EXPECT_EQ(validateAndStoreGruposEntreLimites(params, 4, 3),
              "ERROR en LIMITE DE GRUPOS : El número de aciertos máximo es menor que el mínimo");
    EXPECT_EQ(params.minimum, 0);
    EXPECT_EQ(params.maximum, 210);
    EXPECT_EQ(validateAndStoreGruposEntreLimites(params, 3, 3), "");
    EXPECT_EQ(params.minimum, 3);
    EXPECT_EQ(params.maximum, 3);
}

TEST(Groups, GoingToAGroup)
{
    int group = 7;
    for (const char* text : {"0", "211", "", "  ", "x"})
        EXPECT_EQ(checkGroupNumber(text, 210, group), "ERROR: EL NUMERO DE GRUPO DEBE ESTAR ENTRE 1 y 210") << text;
    EXPECT_EQ(group, 7);
    EXPECT_EQ(checkGroupNumber("61", 60, group), "ERROR: EL NUMERO DE GRUPO DEBE ESTAR ENTRE 1 y 60");
    EXPECT_EQ(checkGroupNumber("4", 210, group), "");
    EXPECT_EQ(pageOfGroup(group), 2);
    EXPECT_EQ(pageOfGroup(210), 70);
    EXPECT_EQ(pageOfGroup(3), 1);
    EXPECT_EQ(pageOfGroup(1), 1);
}
