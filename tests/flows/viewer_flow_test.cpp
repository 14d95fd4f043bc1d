#include <gtest/gtest.h>

#include "flows/viewer_flow.h"
#include "support/recording_interaction.h"
#include "support/test_paths.h"
#include "tools/tools_support.h"

using namespace kombitron;

TEST(ViewerFlow, LoadThenBrowse)
{
    test::TempDir dir;
    test::RecordingInteraction ui;
    std::vector<std::vector<int>> rows;
    for (int i = 0; i < 9; ++i) rows.push_back({1, 2, 3, 4, 5, 10 + i, i});
    ui.openPaths = {test::writeKmb(dir.file("nueve.KMB"), rows)};
    const ViewerLoad loaded = openViewerFile(false, ui);
    ASSERT_TRUE(loaded.done()) << loaded.failure;
    EXPECT_EQ(loaded.path, dir.file("nueve.KMB"));
    TicketViewer viewer;
    viewer.setBets(loaded.bets);
    EXPECT_EQ(viewer.statusText(), "Boleto actual : 1/2");

    // The jump to T+1 shows the error with T and stays on the ticket.
    EXPECT_FALSE(jumpToTicket(viewer, "3", ui));
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"ERROR: EL NUMERO DE BOLETO DEBE ESTAR ENTRE 1 y 2"}));
    EXPECT_EQ(viewer.currentTicket(), 1);
    EXPECT_TRUE(jumpToTicket(viewer, "2", ui));
    EXPECT_EQ(viewer.ticketText(false).substr(0, 23), "Boleto actual : 2/2\n01 ");
}

TEST(ViewerFlow, FilesWithoutBetsOrBroken)
{
    test::TempDir dir;
    test::RecordingInteraction ui;
    const std::string empty = dir.file("vacio.txt");
    test::writeFile(empty, "\n");
    const ViewerLoad none = loadViewerFile(empty, true, ui);
    EXPECT_TRUE(none.done());
    EXPECT_EQ(ui.lastText().rfind("AVISO: Se han importado 0 apuestas.\n", 0), 0u);

    // With "Cargar Reintegros" a file without them fails with the specific text.
    const std::string plain = dir.file("sin.txt");
    test::writeFile(plain, "01 02 03 04 05 06\n");
    const ViewerLoad failed = loadViewerFile(plain, true, ui);
    EXPECT_TRUE(failed.failed());
    EXPECT_FALSE(failed.bets);
    EXPECT_EQ(ui.lastText(), "ERROR AL IMPORTAR EL FICHERO, FICHERO NO IMPORTADO ( Ha elegido la opción de Cargar "
                             "Reintegros y el fichero no tiene reintegros en sus apuestas (Apuesta 1))");
}
