#include <gtest/gtest.h>

#include <filesystem>

#include "core/filter_rows.h"
#include "flows/base_file_dialogs.h"
#include "support/recording_interaction.h"
#include "support/test_paths.h"

using namespace kombitron;

TEST(BaseFileDialogs, SaveAndOpenWithTheSavePathRule)
{
    test::TempDir dir;
    AppState s;
    ResetStateDefaults(s);
    resetFilterRows(s);
    s.savedFlag = false;
    test::RecordingInteraction ui;
    ui.savePaths = {dir.file("resultado.txt"), dir.file("copia.semana_uno"), ""};
    EXPECT_TRUE(SaveBaseFileDialog(s, ui));
    EXPECT_TRUE(SaveBaseFileDialog(s, ui));
    ASSERT_EQ(ui.saveRequests.size(), 2u);
    EXPECT_EQ(ui.saveRequests[0].title, "Guardar Fichero BASE en XML");
    ASSERT_EQ(ui.saveRequests[0].filters.size(), 2u);
    EXPECT_EQ(ui.saveRequests[0].filters[0].description, "Fichero BASE de KOMBITRON (*.XML)");
    EXPECT_EQ(ui.saveRequests[0].filters[1].pattern, "*.*");
    EXPECT_EQ(ui.saveRequests[0].initialName, "Sin guardar.xml");
    EXPECT_EQ(ui.saveRequests[1].initialName, "resultado.xml");
    EXPECT_TRUE(std::filesystem::exists(dir.file("resultado.xml")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("copia.semana_uno.xml")));
    EXPECT_TRUE(s.savedFlag);
    s.savedFlag = false;
    EXPECT_FALSE(SaveBaseFileDialog(s, ui));  // cancelled
    EXPECT_FALSE(s.savedFlag);
    EXPECT_TRUE(ui.messages.empty());

    ui.openPaths = {"", dir.file("resultado.xml")};
    s.baseFileName = "otro.xml";
    EXPECT_FALSE(OpenBaseFileDialog(s, ui));
    EXPECT_EQ(s.baseFileName, "otro.xml");
    EXPECT_TRUE(OpenBaseFileDialog(s, ui));
    EXPECT_EQ(ui.openRequests[0].title, "Abrir Fichero BASE en XML");
    EXPECT_EQ(s.baseFileName, "resultado.xml");
    EXPECT_TRUE(s.savedFlag);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(BaseFileDialogs, AFailedSaveSaysSo)
{
    test::TempDir dir;
    test::writeFile(dir.file("base.xml"), "precious");
    AppState s;
    ResetStateDefaults(s);
    resetFilterRows(s);
    test::RecordingInteraction ui;
    ui.savePaths = {dir.file("base.xml/dentro.xml")};  // the parent is a regular file
    EXPECT_FALSE(SaveBaseFileDialog(s, ui));
    EXPECT_EQ(ui.lastText(), "ERROR AL GUARDAR EL FICHERO EN XML");
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(test::readFile(dir.file("base.xml")), "precious");
}
