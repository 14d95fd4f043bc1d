#include <gtest/gtest.h>

#include "flows/algebra_flow.h"
#include "support/recording_interaction.h"
#include "support/test_paths.h"
#include "tools/tools_support.h"

using namespace kombitron;

namespace {
const std::vector<int> A = {1, 2, 3, 4, 5, 6, 0};
const std::vector<int> B = {7, 14, 21, 28, 35, 42, 0};
} // namespace

TEST(AlgebraFlow, OpenPreselectsKmbAndLoads)
{
    test::TempDir dir;
    test::RecordingInteraction ui;
    ui.openPaths = {test::writeKmb(dir.file("uno.KMB"), {A, B})};
    const AlgebraSystemLoad loaded = openAlgebraSystem(ui);
    ASSERT_TRUE(loaded.done()) << loaded.failure;
    EXPECT_EQ(loaded.system.count(), 2);
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_EQ(ui.openRequests.size(), 1u);
    EXPECT_EQ(ui.openRequests[0].filterIndex, 2);
    EXPECT_EQ(ui.openRequests[0].title, "Abrir Fichero");

    // A file without bets loads as an empty system without a warning.
    const std::string empty = dir.file("nada.txt");
    test::writeFile(empty, "");
    const AlgebraSystemLoad none = loadAlgebraSystem(empty, ui);
    EXPECT_TRUE(none.done());
    EXPECT_EQ(none.system.count(), 0);
    EXPECT_TRUE(ui.messages.empty());

    // A count record promising more bets than the file holds fails with the import error.
    const std::string cut = dir.file("cortado.KMB");
    test::writeFile(cut, test::kmbFile({"0", "3", "01,02,03,04,05,06+00"}));
    const AlgebraSystemLoad failed = loadAlgebraSystem(cut, ui);
    EXPECT_TRUE(failed.failed());
    EXPECT_EQ(ui.lastText().rfind("ERROR AL IMPORTAR EL FICHERO, FICHERO NO IMPORTADO (", 0), 0u) << ui.lastText();
    EXPECT_EQ(failed.system.count(), 0);
}

TEST(AlgebraFlow, CalculateRefusesWithoutSystemTwo)
{
    test::RecordingInteraction ui;
    const SharedBets one = std::make_shared<const BetList>(test::betList({B, A}));
    const AlgebraResult sorted = calculateAlgebra({AlgebraOperation::Sort, false, one, nullptr}, ui);
    ASSERT_TRUE(sorted.done());
    EXPECT_EQ(test::rowsOf(*sorted.bets), (std::vector<std::vector<int>>{A, B}));
    EXPECT_TRUE(ui.messages.empty());
    const AlgebraResult refused = calculateAlgebra({AlgebraOperation::Union, false, one, nullptr}, ui);
    EXPECT_TRUE(refused.failed());
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"ERROR: NO ESTA CARGADO EL SISTEMA 2"}));
}

TEST(AlgebraFlow, SaveUnderTheKmbRuleWithHeaderZero)
{
    test::TempDir dir;
    test::RecordingInteraction ui;
    const SharedBets result = std::make_shared<const BetList>(test::betList({A, B}));
    const std::pair<const char*, const char*> names[] = {
        {"resultado.txt", "resultado.KMB"}, {"copia.semana_uno", "copia.semana_uno.KMB"}, {"sin", "sin.KMB"}};
    for (auto [chosen, written] : names) {
        SCOPED_TRACE(chosen);
        ui.savePaths = {dir.file(chosen)};
        const ToolSaveOutcome saved = saveAlgebraResult("Proceso ...\r\n", result, ui);
        ASSERT_TRUE(saved.saved) << saved.failure;
        EXPECT_EQ(saved.path, dir.file(written));
        const BetFileRead read = test::readKmb(saved.path);
        ASSERT_TRUE(read.ok());
        EXPECT_EQ(read.header, "0");
        EXPECT_EQ(test::rowsOf(read.bets), (std::vector<std::vector<int>>{A, B}));
    }
    EXPECT_EQ(ui.saveRequests.at(0).initialName, "singuardar.KMB");
    EXPECT_TRUE(ui.messages.empty());

    // The two errors come before any dialog.
    ui.saveRequests.clear();
    EXPECT_TRUE(saveAlgebraResult("", result, ui).failed());
    EXPECT_TRUE(saveAlgebraResult("Proceso ...\r\n", std::make_shared<const BetList>(), ui).failed());
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"ERROR: NO HAY NINGUN SISTEMA GENERADO PARA GUARDARLO",
                                                    "ERROR: NO SE PUEDE GUARDAR, EL SISTEMA RESULTANTE TIENE 0 APUESTAS"}));
    EXPECT_TRUE(ui.saveRequests.empty());
}
