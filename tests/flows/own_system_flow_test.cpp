#include <gtest/gtest.h>

#include "flows/own_system_flow.h"
#include "support/recording_interaction.h"
#include "support/test_paths.h"
#include "tools/tools_support.h"

using namespace kombitron;

TEST(OwnSystemFlow, LoadMessages)
{
    test::TempDir dir;
    test::RecordingInteraction ui;

    // Cancel changes nothing.
    OwnSystemOriginLoad cancelled = openOwnSystemOrigin(ui);
    EXPECT_TRUE(cancelled.done());
    EXPECT_TRUE(cancelled.origin.path.empty());
    ASSERT_EQ(ui.openRequests.size(), 1u);
    EXPECT_EQ(ui.openRequests[0].title, "Abrir Fichero");
    ASSERT_EQ(ui.openRequests[0].filters.size(), 3u);
    EXPECT_EQ(ui.openRequests[0].filters[1].description, "Ficheros en formato KOMBITRON (*.KMB)");

    // No bets: the warning with the expected formats.
    const std::string empty = dir.file("vacio.txt");
    test::writeFile(empty, "corta\n");
    OwnSystemOriginLoad none = loadOwnSystemOrigin(empty, ui);
    EXPECT_TRUE(none.done());
    EXPECT_EQ(ui.lastText(), "AVISO: Se han importado 0 apuestas.\nEl fichero ha de estar en formato: 010203040506 o "
                             "01,02,03,04,05,06 o 01 02 03 04 05 06");
    EXPECT_EQ(ui.messages.back().kind, MessageKind::Warning);

    // A failed read: its error, and the origin comes back empty.
    const std::string bad = dir.file("malo.txt");
    test::writeFile(bad, "02,01,03,04,05,06\n");
    OwnSystemOriginLoad failed = loadOwnSystemOrigin(bad, ui);
    EXPECT_TRUE(failed.failed());
    EXPECT_EQ(failed.origin.count(), 0);
    EXPECT_EQ(ui.messages.back().kind, MessageKind::Error);
    EXPECT_EQ(ui.lastText(), "ERROR AL IMPORTAR EL FICHERO, FICHERO NO IMPORTADO ( Apuestas con números no en orden "
                             "ascendente (Apuesta 1))");
}

TEST(OwnSystemFlow, SaveWarnsThenAsksThenWrites)
{
    test::TempDir dir;
    test::RecordingInteraction ui;
    const std::string origin = test::writeKmb(dir.file("o.KMB"), {{1, 2, 3, 4, 5, 6, 8}, {1, 2, 3, 4, 5, 7, 2}}, "01020304050607");
    const OwnSystemOriginLoad loaded = loadOwnSystemOrigin(origin, ui);
    ASSERT_TRUE(loaded.done());
    OwnSystemDestination to;
    for (int v : {43, 44, 45, 46, 47, 48, 49}) to.marked[v] = 1;

    ui.savePaths = {dir.file("propio.semana_uno")};
    const ToolSaveOutcome saved = saveOwnSystem(loaded.origin, to, "quiniela.xml", ui);
    ASSERT_TRUE(saved.saved) << saved.failure;
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"AVISO: El nuevo Sistema Propio generado se creará con el "
                                                    "REINTEGRO igual a 0."}));
    EXPECT_EQ(ui.saveRequests.at(0).initialName, "quiniela.KMB");
    EXPECT_EQ(ui.saveRequests.at(0).title, "Guardar Combinación");
    EXPECT_EQ(saved.path, dir.file("propio.semana_uno.KMB"));
    const BetFileRead read = test::readKmb(saved.path);
    ASSERT_TRUE(read.ok()) << read.failure;
    EXPECT_EQ(read.header, "43444546474849");
    EXPECT_EQ(test::rowsOf(read.bets),
              (std::vector<std::vector<int>>{{43, 44, 45, 46, 47, 48, 0}, {43, 44, 45, 46, 47, 49, 0}}));

    // The combos error comes after the warning and before any dialog.
    ui.messages.clear();
    ui.saveRequests.clear();
    setChooseOrder(to, true);
    const ToolSaveOutcome refused = saveOwnSystem(loaded.origin, to, "quiniela.xml", ui);
    EXPECT_TRUE(refused.failed());
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(ui.messages[1].text, "ERROR: Algún número DESTINO no tiene asignado número ORIGEN (Rellene los Combos)");
    EXPECT_TRUE(ui.saveRequests.empty());

    // A repeated origin number in the selectors is refused with its error.
    ui.messages.clear();
    EXPECT_TRUE(chooseOwnSystemOrigin(to, 43, 1, ui));
    EXPECT_FALSE(chooseOwnSystemOrigin(to, 44, 1, ui));
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"ERROR: Ese número del sistema ORIGEN ya esta seleccionado"}));
}
