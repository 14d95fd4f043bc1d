#include <gtest/gtest.h>

#include <filesystem>

#include "core/paths.h"
#include "core/report_file.h"
#include "support/recording_interaction.h"
#include "support/test_paths.h"

using namespace kombitron;
using namespace kombitron::test;

TEST(ReportFile, WrittenWholeThenOpened)
{
    TempDir dir;
    setApplicationFolder(dir.path().string());
    RecordingInteraction ui;
    EXPECT_EQ(reportPath("KOMBITRON_X.txt"), dir.file("KOMBITRON_X.txt"));
    test::writeFile(dir.file("KOMBITRON_X.txt"), "antes, y más largo que el informe");
    ASSERT_TRUE(writeAndOpenReport("KOMBITRON_X.txt", "uno\r\ndos", ui));
    EXPECT_EQ(readFile(dir.file("KOMBITRON_X.txt")), "uno\r\ndos\r\n");
    ASSERT_EQ(ui.editorPaths.size(), 1u);
    EXPECT_EQ(ui.editorPaths[0], dir.file("KOMBITRON_X.txt"));
    EXPECT_TRUE(ui.messages.empty());

    // No editor: the file stays written and the message says why.
    ui.editorFails = true;
    EXPECT_FALSE(writeAndOpenReport("KOMBITRON_X.txt", "tres", ui));
    EXPECT_EQ(ui.lastText(), "ERROR AL GENERAR EL FICHERO EN EL BLOC DE NOTAS (no hay editor; el informe está en " +
                                 dir.file("KOMBITRON_X.txt") + ")");
    EXPECT_EQ(readFile(dir.file("KOMBITRON_X.txt")), "tres\r\n");
    // A reason that names the file already is kept as it is.
    EXPECT_EQ(editorFailureDescription("/a/b.txt", "el informe está en /a/b.txt"), "el informe está en /a/b.txt");
    EXPECT_EQ(editorFailureDescription("/a/b.txt", ""), "no se pudo abrir el editor de textos; el informe está en /a/b.txt");

    // A folder in the way of the file: nothing is opened, and the reason is given.
    ui.editorFails = false;
    ui.editorPaths.clear();
    std::filesystem::create_directory(dir.file("KOMBITRON_Y.txt"));
    EXPECT_FALSE(writeAndOpenReport("KOMBITRON_Y.txt", "texto", ui));
    EXPECT_TRUE(ui.editorPaths.empty());
    EXPECT_EQ(ui.lastText().rfind("ERROR AL GENERAR EL FICHERO EN EL BLOC DE NOTAS (", 0), 0u);
    EXPECT_GT(ui.lastText().size(), std::string("ERROR AL GENERAR EL FICHERO EN EL BLOC DE NOTAS ()").size());
}
