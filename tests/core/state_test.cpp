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
