#include <gtest/gtest.h>

#include <filesystem>

#include "core/filter_rows.h"
#include "core/rank.h"
#include "engine/generation.h"
#include "flows/definitive_save.h"
#include "flows/import.h"
#include "formats/bet_files.h"
#include "formats/formats_support.h"
#include "support/recording_interaction.h"
#include "support/test_paths.h"

using namespace kombitron;

namespace {

class DefinitiveSaveTest : public ::testing::Test {
protected:
    // A calculated PRIMITIVA system of the numbers 3, 5, 7, 9, 11, 13, 15 with reintegro 4.
    void SetUp() override
    {
        ResetStateDefaults(state);
        resetFilterRows(state);
        for (int n : {3, 5, 7, 9, 11, 13, 15}) setNumberMarked(state, n, true);
        setReintegroMarked(state, 4, true);
        BuildBaseNumbers(state);
        state.conditionedCount = EnumerateSubsets(state, 6);
        state.conditionedSystem = state.totalSystem;
        MapToFinal(state);
        state.reducedCount = 5;  // a reduction kept five bets
        AssignReintegros(state);
        state.savedFlag = false;
    }

    BetFileRead readBack(const std::string& path)
    {
        Progress progress;
        StopFlag stop;
        return ReadBetFileKmb(path, progress, stop);
    }

    test::TempDir dir;
    AppState state;
    test::RecordingInteraction ui;
};

} // namespace

TEST_F(DefinitiveSaveTest, WritesTheSystemAndTheBaseFileBesideIt)
{
    state.baseFileName = "mi base.xml";
    ui.savePaths = {dir.file("resultado.txt")};
    ASSERT_TRUE(runDefinitiveSave(state, ui));
    EXPECT_TRUE(ui.messages.empty()) << ui.lastText();
    ASSERT_EQ(ui.saveRequests.size(), 1u);
    EXPECT_EQ(ui.saveRequests[0].title, "Guardar Combinación");
    EXPECT_EQ(ui.saveRequests[0].initialName, "mi base.KMB");
    ASSERT_EQ(ui.saveRequests[0].filters.size(), 2u);
    EXPECT_EQ(ui.saveRequests[0].filters[0].description, "Fichero de KOMBITRON (*.KMB)");
    EXPECT_EQ(ui.saveRequests[0].filters[1].description, "todos los archivos (*.*)");

    const BetFileRead read = readBack(dir.file("resultado.KMB"));
    ASSERT_TRUE(read.ok()) << read.failure;
    EXPECT_EQ(read.header, "03050709111315");
    ASSERT_EQ(read.bets.size(), 5);
    EXPECT_EQ(betRecordText(read.bets.bet(1)), "03,05,07,09,11,13+04");
    EXPECT_EQ(betRecordText(read.bets.bet(5)), betRecordText(state.finalSystem.bet(5)));
    EXPECT_TRUE(std::filesystem::exists(dir.file("resultado.xml")));
    EXPECT_TRUE(state.savedFlag);
    EXPECT_EQ(state.baseFileName, "resultado.xml");

    // No dot among the last six characters: the extensions are appended.
    ui.savePaths = {dir.file("copia.semana_uno")};
    ASSERT_TRUE(runDefinitiveSave(state, ui));
    EXPECT_EQ(ui.saveRequests[1].initialName, "resultado.KMB");
    EXPECT_TRUE(std::filesystem::exists(dir.file("copia.semana_uno.KMB")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("copia.semana_uno.xml")));

    // Cancel: nothing happens.
    state.savedFlag = false;
    EXPECT_FALSE(runDefinitiveSave(state, ui));
    EXPECT_FALSE(state.savedFlag);
}

TEST_F(DefinitiveSaveTest, Checks)
{
    ui.savePaths = {dir.file("x")};
    state.reducedCount = 0;
    EXPECT_FALSE(runDefinitiveSave(state, ui));
    EXPECT_EQ(ui.lastText(), "ERROR: No se han generado apuestas");
    // An import not yet calculated shows bets in the counter but has no final list, not even the
    // one of an earlier calculation.
    state.reducedCount = 9;
    EXPECT_FALSE(runDefinitiveSave(state, ui));
    EXPECT_EQ(ui.lastText(), "ERROR: No se han generado apuestas");
    {
        AppState imported = state;
        test::RecordingInteraction importing;
        const std::string bets = dir.file("dos.txt");
        test::writeFile(bets, "01 02 03 04 05 06 1\r\n01 02 03 04 05 07 1\r\n");
        ASSERT_TRUE(importAsBase(imported, bets, importing));
        EXPECT_EQ(imported.reducedCount, 2);
        EXPECT_FALSE(runDefinitiveSave(imported, importing));
        EXPECT_EQ(importing.lastText(), "ERROR: No se han generado apuestas");
    }
    setReintegroMarked(state, 4, false);
    state.reducedCount = 5;
    EXPECT_FALSE(runDefinitiveSave(state, ui));
    EXPECT_EQ(ui.lastText(), "AVISO: Hay que seleccionar mínimo 1 reintegro");
    // BONOLOTO and imported combinations skip the reintegro check.
    selectGame(state, GameType::Bonoloto);
    ui.savePaths = {""};
    EXPECT_FALSE(runDefinitiveSave(state, ui));
    EXPECT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.saveRequests.size(), 1u);
    EXPECT_TRUE(ui.questions.empty());
}

TEST_F(DefinitiveSaveTest, LargeSystemsAskFirst)
{
    state.finalSystem = BetList(kLargeSystemThreshold + 1);
    state.reducedCount = kLargeSystemThreshold;
    EXPECT_FALSE(runDefinitiveSave(state, ui));  // the dialog is cancelled
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_EQ(ui.saveRequests.size(), 1u);

    state.reducedCount = kLargeSystemThreshold + 1;
    ui.answers = {false, true};
    EXPECT_FALSE(runDefinitiveSave(state, ui));
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(ui.questions[0], "Se han generado más de 3.000.000 de apuestas, ¿ Desea guardar ?");
    EXPECT_EQ(ui.saveRequests.size(), 1u);
    EXPECT_FALSE(runDefinitiveSave(state, ui));
    EXPECT_EQ(ui.saveRequests.size(), 2u);
}

TEST_F(DefinitiveSaveTest, FailedSavesKeepThePreviousFiles)
{
    const std::string kmb = dir.file("sistema.KMB");
    const std::string xml = dir.file("sistema.xml");
    test::writeFile(kmb, "old bets");
    test::writeFile(xml, "old base");
    ui.savePaths = {kmb};
    {
        test::FileSizeLimit limit(64);
        EXPECT_FALSE(runDefinitiveSave(state, ui));
    }
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(ui.messages[0].text.rfind("ERROR AL GUARDAR EL FICHERO", 0), 0u) << ui.messages[0].text;
    EXPECT_EQ(test::readFile(kmb), "old bets");
    EXPECT_EQ(test::readFile(xml), "old base");
    EXPECT_FALSE(state.savedFlag);

    // The base file cannot take the place of a folder: the bets must not change without it.
    std::filesystem::remove(xml);
    std::filesystem::create_directory(xml);
    ui.savePaths = {kmb};
    EXPECT_FALSE(runDefinitiveSave(state, ui));
    EXPECT_EQ(ui.lastText().rfind("ERROR AL GUARDAR EL FICHERO", 0), 0u) << ui.lastText();
    EXPECT_EQ(test::readFile(kmb), "old bets");
    EXPECT_FALSE(state.savedFlag);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}
