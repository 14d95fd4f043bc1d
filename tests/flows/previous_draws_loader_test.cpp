#include <gtest/gtest.h>

#include "core/state.h"
#include "flows/previous_draws_loader.h"
#include "history/service_harness.h"
#include "support/recording_interaction.h"
#include "support/test_paths.h"

using namespace kombitron;
using namespace kombitron::test;

namespace {

DrawRecord Draw(int season, int draw, int weekday)
{
    DrawRecord d{{1, 2, 3, 4, 5, 6}, 0, 0, static_cast<int16_t>(season), static_cast<uint16_t>(draw),
                 static_cast<uint8_t>(weekday)};
    return d;
}

} // namespace

TEST(PreviousDrawsLoader, LoadsTheCurrentGameFromTheService)
{
    TempDir data;
    writeFile(data.file("bonoloto.csv"), ServiceCsv({"30/10/2024,2024,298,X,3,9,14,27,38,46,21,6",
                                                     "31/10/2024,2024,299,J,1,12,19,30,41,49,5,0",
                                                     "01/11/2024,2024,300,V,2,13,20,31,42,48,6,1"}));
    writeFile(data.file("primitiva.csv"), ServiceCsv({"31/10/2024,2024,88,J,1,2,3,4,5,6,7,8"}));
    ResultsServer server({"--data", data.path().string()});
    ASSERT_TRUE(server.started());

    AppState state;
    ResetStateDefaults(state, 2024);
    selectGame(state, GameType::Bonoloto);
    auto& groups = state.filters.sorteosAnteriores.groups;
    groups[0].sorteoDESDE = {299, 2024};
    groups[0].sorteoHASTA = {400, 2024};
    groups[1].aciertosMaximoSORTEOS = 7;
    groups[2].sorteoDESDE = {1, 2024};
    groups[2].sorteoHASTA = {999, 2024};
    groups[2].sorteoDIAS = 4;
    state.cursors.sorteosAnteriores = 1;

    RecordingInteraction ui;
    const PreviousDrawsLoadResult r = loadPreviousDrawsFromService(state, ui, server.options());
    EXPECT_TRUE(ui.messages.empty()) << ui.lastText();
    ASSERT_TRUE(r.loaded);
    EXPECT_EQ(r.count, 3);
    ASSERT_TRUE(r.hasSpan);
    EXPECT_EQ(r.first, (DrawRef{298, 2024}));
    EXPECT_EQ(r.last, (DrawRef{300, 2024}));
    EXPECT_EQ(r.consultationCount, 2);
    const DrawList& draws = state.filters.sorteosAnteriores.draws;
    ASSERT_EQ(draws.size(), 3u);
    EXPECT_EQ(draws[0].complementary, 21); // all eight values kept
    EXPECT_EQ(draws[0].reintegro, 6);
    EXPECT_EQ(groups[0].aciertosMaximoSORTEOS, 3); // maxima of 0 receive the count
    EXPECT_EQ(groups[1].aciertosMaximoSORTEOS, 7);
    EXPECT_EQ(groups[19].aciertosMaximoSORTEOS, 3);

    state.cursors.sorteosAnteriores = 3;
    selectGame(state, GameType::Primitiva);
    const PreviousDrawsLoadResult p = loadPreviousDrawsFromService(state, ui, server.options());
    EXPECT_EQ(p.count, 1);
    EXPECT_EQ(p.consultationCount, 1);
    EXPECT_EQ(groups[0].aciertosMaximoSORTEOS, 3); // already set: kept
}

TEST(PreviousDrawsLoader, FailuresLeaveNoDraws)
{
    AppState state;
    ResetStateDefaults(state, 2024);
    state.filters.sorteosAnteriores.draws = {Draw(2024, 1, 1)};

    RecordingInteraction ui;
    const ServiceDrawsResult broken = parseServiceDraws("<RESULTADOS>", "PRIMITIVA");
    PreviousDrawsLoadResult r = applyPreviousDraws(state, broken, ui);
    EXPECT_FALSE(r.loaded);
    EXPECT_EQ(r.count, 0);
    EXPECT_FALSE(r.hasSpan);
    EXPECT_TRUE(state.filters.sorteosAnteriores.draws.empty());
    EXPECT_EQ(ui.lastText(), "ERROR AL ABRIR EL FICHERO DE SORTEOS - " + broken.description);
    EXPECT_EQ(ui.messages.back().kind, MessageKind::Error);

    ServiceOptions gone;
    gone.baseUrl = "http://127.0.0.1:1";
    gone.connectTimeoutMs = 500;
    state.filters.sorteosAnteriores.draws = {Draw(2024, 1, 1)};
    r = loadPreviousDrawsFromService(state, ui, gone);
    EXPECT_FALSE(r.loaded);
    EXPECT_TRUE(state.filters.sorteosAnteriores.draws.empty());
    EXPECT_EQ(ui.lastText().rfind("ERROR AL ABRIR EL FICHERO DE SORTEOS (", 0), 0u);
    EXPECT_EQ(ui.lastText().back(), ')');

    // An answer without draws of the game is a load of nothing, not a failure.
    RecordingInteraction quiet;
    r = applyPreviousDraws(state, parseServiceDraws("<R><BONOLOTO/></R>", "PRIMITIVA"), quiet);
    EXPECT_TRUE(r.loaded);
    EXPECT_EQ(r.count, 0);
    EXPECT_FALSE(r.hasSpan);
    EXPECT_TRUE(quiet.messages.empty());
    EXPECT_EQ(state.filters.sorteosAnteriores.groups[0].aciertosMaximoSORTEOS, 0);
}
