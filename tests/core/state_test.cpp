#include <gtest/gtest.h>

#include <numeric>

#include "core/state.h"
#include "support/recording_interaction.h"

using namespace kombitron;

TEST(State, DefaultsAfterReset)
{
    AppState state;
    ResetStateDefaults(state, 2026);
    const FilterParams& f = state.filters;

    EXPECT_EQ(state.reduction, ReductionOptions{});
    EXPECT_EQ(state.reduction.percentage, 100);
    EXPECT_EQ(state.reduction.cycles, 1);
    EXPECT_EQ(f.terminaciones.sumMin, 2);
    EXPECT_EQ(f.terminaciones.sumMax, 53);
    for (const auto& g : f.grupos.groups) {
        EXPECT_EQ(g.positions, (std::array<uint8_t, 6>{1, 1, 1, 1, 1, 1}));
        EXPECT_FALSE(g.hits.any());
    }
    EXPECT_EQ(f.gruposEntreLimites.minimum, 0);
    EXPECT_EQ(f.gruposEntreLimites.maximum, 210);
    for (const auto& g : f.sorteosAnteriores.groups) {
        EXPECT_EQ(g.sorteoDESDE, (DrawRef{1, 2026}));
        EXPECT_EQ(g.sorteoHASTA, (DrawRef{1, 2026}));
        EXPECT_EQ(g.sorteoDIAS, 0);
        EXPECT_EQ(g.aciertosMaximoSORTEOS, 0);
    }
    const auto& played = f.coeficiente.played;
    EXPECT_NEAR(std::accumulate(played.begin(), played.end(), 0.0), 600.01, 1e-9);
    EXPECT_DOUBLE_EQ(played[0], 12.6);
    EXPECT_DOUBLE_EQ(played[48], 11.05);
    for (double r : f.coeficiente.real) EXPECT_DOUBLE_EQ(r, 12.25);
}

TEST(State, ResetLeavesTheCombinationAlone)
{
    AppState state;
    setNumberMarked(state, 7, true);
    selectGame(state, GameType::Bonoloto);
    state.hitSelection[3] = 1;
    state.filters.sorteosAnteriores.draws.push_back(DrawRecord{});
    state.filters.paresImpares.pares.flags[2] = 1;
    state.cursors.grupos = 40;
    state.reduction.type = 3;
    ResetStateDefaults(state);
    EXPECT_EQ(state.base.markedNumbers[7], 1);
    EXPECT_EQ(state.base.gameName, "BONOLOTO");
    EXPECT_EQ(state.hitSelection[3], 1);
    EXPECT_TRUE(state.filters.sorteosAnteriores.draws.empty());
    EXPECT_FALSE(state.filters.paresImpares.pares.any());
    EXPECT_EQ(state.cursors.grupos, 1);
    EXPECT_EQ(state.reduction.type, 0);
    EXPECT_EQ(state.filters.sorteosAnteriores.groups[0].sorteoDESDE.season, currentYear());
}

TEST(State, MarkingUpdatesTheCounters)
{
    AppState state;
    for (int v = 1; v <= 5; ++v) setNumberMarked(state, v, true);
    EXPECT_EQ(state.initialCount, 0);
    setNumberMarked(state, 6, true);
    EXPECT_EQ(state.initialCount, 1);
    state.reducedCount = 5;
    setNumberMarked(state, 7, true);
    EXPECT_EQ(state.initialCount, 7);
    EXPECT_EQ(state.conditionedCount, 7);
    EXPECT_EQ(state.reducedCount, 0);
    state.reducedCount = 7;
    setReintegroMarked(state, 4, true);
    EXPECT_EQ(state.reducedCount, 0);
    EXPECT_EQ(state.initialCount, 7);
    for (int v = 1; v <= 49; ++v) setNumberMarked(state, v, true);
    EXPECT_EQ(state.initialCount, 13983816);
}

TEST(State, GameSelectionFollowsTheReintegroPanel)
{
    AppState state;
    selectGame(state, GameType::Bonoloto);
    EXPECT_EQ(state.base.gameName, "BONOLOTO");
    EXPECT_FALSE(state.base.loadReintegros);
    selectGame(state, GameType::Primitiva);
    EXPECT_EQ(state.base.gameName, "PRIMITIVA");
    EXPECT_TRUE(state.base.loadReintegros);
}

TEST(State, ReintegroCheck)
{
    AppState state;
    {
        test::RecordingInteraction ui;
        EXPECT_FALSE(checkReintegros(state, ui));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].kind, MessageKind::Warning);
        EXPECT_EQ(ui.messages[0].text, "AVISO: Hay que seleccionar mínimo 1 reintegro");
    }
    setReintegroMarked(state, 3, true);
    setReintegroMarked(state, 7, true);
    {
        test::RecordingInteraction ui;
        EXPECT_FALSE(checkReintegros(state, ui));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
        EXPECT_EQ(ui.messages[0].text,
                  "ERROR: Con el tipo de Reintegro 'Al directo' sólo se puede seleccionar 1 reintegro");
    }
    state.base.reintegroMode = ReintegroMode::Sequential;
    test::RecordingInteraction ui;
    EXPECT_TRUE(checkReintegros(state, ui));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(State, ReductionTypesAndTheirWords)
{
    struct Case {
        int type;
        int minimumHits;
        const char* shortName;
        const char* caption;
    };
    const Case cases[] = {
        {0, 6, "-", "Sin reducción"}, {1, 5, "al 5", "Reducción al 5"}, {2, 4, "al 4", "Reducción al 4"},
        {3, 3, "al 3", "Reducción al 3"}, {4, 2, "al 2", "Reducción al 2"},
        // A value no window offers (a hand-edited base file) reads as no reduction.
        {-1, 6, "-", "Sin reducción"}, {5, 6, "-", "Sin reducción"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        const ReductionType& t = reductionType(c.type);
        EXPECT_EQ(t.minimumHits, c.minimumHits);
        EXPECT_STREQ(t.shortName, c.shortName);
        EXPECT_STREQ(t.caption, c.caption);
    }
}

// A job works on a lent copy: the large lists move instead of being copied, and come back.
TEST(State, LentStateTakesTheListsAndGivesThemBack)
{
    AppState state;
    for (int v : {4, 8, 15, 16, 23, 42}) setNumberMarked(state, v, true);
    state.totalSystem.resize(3);
    state.conditionedSystem.resize(2);
    state.finalSystem.resize(1);
    state.base.importedBets.resize(5);
    state.eliminationFlags.assign(3, 1);
    state.filterRows[0] = "Sí";
    const uint8_t* finalBytes = state.finalSystem.data();

    AppState work = lendState(state);
    EXPECT_EQ(work.finalSystem.data(), finalBytes) << "moved, not copied";
    EXPECT_EQ(work.totalSystem.size(), 3);
    EXPECT_EQ(work.base.importedBets.size(), 5);
    EXPECT_EQ(work.eliminationFlags.size(), 3u);
    EXPECT_EQ(work.filterRows[0], "Sí");
    EXPECT_EQ(work.base.markedNumbers, state.base.markedNumbers);
    // What a window still reads meanwhile: the configuration, with empty lists.
    EXPECT_TRUE(state.totalSystem.empty());
    EXPECT_TRUE(state.conditionedSystem.empty());
    EXPECT_TRUE(state.finalSystem.empty());
    EXPECT_TRUE(state.base.importedBets.empty());
    EXPECT_TRUE(state.eliminationFlags.empty());
    EXPECT_EQ(state.filterRows[0], "Sí");

    work.reducedCount = 1;
    state = std::move(work);
    EXPECT_EQ(state.finalSystem.data(), finalBytes);
    EXPECT_EQ(state.reducedCount, 1);
}
