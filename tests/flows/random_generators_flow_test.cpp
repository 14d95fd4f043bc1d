#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "core/rank.h"
#include "flows/random_generators_flow.h"
#include "support/recording_interaction.h"
#include "support/test_paths.h"
#include "tools/tools_support.h"

using namespace kombitron;

TEST(RandomGeneratorsFlow, ByNumbersSavesTheSampleUnderTheKmbRule)
{
    test::TempDir dir;
    test::RecordingInteraction ui;
    ui.savePaths = {dir.file("muestra.txt")};
    const std::vector<uint8_t> numbers = {2, 11, 17, 23, 29, 31, 38, 44};
    const ToolSaveOutcome outcome = generateRandomBetsByNumbers(numbers, "20", 5, ui);
    ASSERT_TRUE(outcome.saved) << outcome.failure;
    EXPECT_TRUE(ui.messages.empty()) << ui.lastText();
    ASSERT_EQ(ui.saveRequests.size(), 1u);
    EXPECT_EQ(ui.saveRequests[0].title, "Guardar Combinación");
    EXPECT_EQ(ui.saveRequests[0].initialName, "20_Apuestas.KMB");
    ASSERT_EQ(ui.saveRequests[0].filters.size(), 2u);
    EXPECT_EQ(ui.saveRequests[0].filters[0].description, "Fichero de KOMBITRON (*.KMB)");
    EXPECT_EQ(ui.saveRequests[0].filters[1].pattern, "*.*");
    EXPECT_EQ(outcome.path, dir.file("muestra.KMB"));
    EXPECT_EQ(outcome.count, 20);

    const BetFileRead read = test::readKmb(outcome.path);
    ASSERT_TRUE(read.ok()) << read.failure;
    EXPECT_EQ(read.header, "0211172329313844");
    ASSERT_EQ(read.bets.size(), 20);
    std::set<int32_t> distinct;
    for (int64_t i = 1; i <= 20; ++i) {
        EXPECT_EQ(read.bets.at(i, 7), 0);
        distinct.insert(CombinationRank(read.bets.bet(i)));
    }
    EXPECT_EQ(distinct.size(), 20u);

    // The same seed gives the same file; the command line relies on it.
    ui.savePaths = {dir.file("otra.KMB")};
    const ToolSaveOutcome again = generateRandomBetsByNumbers(numbers, "20", 5, ui);
    EXPECT_EQ(test::readFile(again.path), test::readFile(outcome.path));
}

namespace {
// Remembers the captions of the progress, which the windows show on their waiting panels.
struct CaptionedInteraction : test::RecordingInteraction {
    struct : Progress {
        void caption(std::string_view text) override { captions.emplace_back(text); }
        std::vector<std::string> captions;
    } recorded;
    Progress& progress() override { return recorded; }
};
} // namespace

TEST(RandomGeneratorsFlow, SavingIsCaptionedOnlyOnceAPathIsChosen)
{
    test::TempDir dir;
    PercentageShares percentages{};
    for (int v : {3, 9, 17, 25, 33, 41}) percentages[v] = 20;
    for (bool cancel : {true, false}) {
        SCOPED_TRACE(cancel);
        CaptionedInteraction ui;
        if (!cancel) ui.savePaths = {dir.file("a.KMB"), dir.file("b.KMB")};
        generateRandomBetsByNumbers({1, 2, 3, 4, 5, 6, 7}, "3", 1, ui);
        generateRandomBetsByPercentages(percentages, "10", 1, ui);
        const std::vector<std::string> saving(cancel ? 0 : 2, "Guardando por favor espere ...");
        EXPECT_EQ(ui.recorded.captions, saving);
    }
}

TEST(RandomGeneratorsFlow, ByNumbersRefusalsAndCancel)
{
    test::TempDir dir;
    test::RecordingInteraction ui;
    ui.savePaths = {dir.file("x.KMB")};
    ToolSaveOutcome outcome = generateRandomBetsByNumbers({1, 2, 3, 4, 5, 6}, "2", 1, ui);
    EXPECT_TRUE(outcome.failed());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(ui.lastText(),
              "ERROR: EL Nº DE APUESTAS A GENERAR HA DE SER MENOR O IGUAL QUE EL Nº DE APUESTAS DEL SISTEMA TOTAL (tiene "
              "1 apuestas)");
    EXPECT_TRUE(ui.saveRequests.empty());

    // Repeated marks count once: five numbers are refused with the warning.
    outcome = generateRandomBetsByNumbers({1, 2, 3, 4, 5, 5, 5}, "1", 1, ui);
    EXPECT_TRUE(outcome.failed());
    EXPECT_EQ(ui.messages.back().kind, MessageKind::Warning);
    EXPECT_EQ(ui.lastText(), "AVISO: DEBE SELECCIONAR MINIMO 6 NUMEROS");

    // A cancelled dialog writes nothing and says nothing.
    ui.messages.clear();
    ui.savePaths.clear();
    outcome = generateRandomBetsByNumbers({1, 2, 3, 4, 5, 6}, "1", 1, ui);
    EXPECT_TRUE(outcome.done());
    EXPECT_FALSE(outcome.saved);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(RandomGeneratorsFlow, SaveFailureKeepsThePreviousFile)
{
    test::TempDir dir;
    const std::string path = dir.file("sistema.KMB");
    test::writeFile(path, "anterior");
    test::RecordingInteraction ui;
    ui.savePaths = {path};
    ToolSaveOutcome outcome;
    {
        const test::FileSizeLimit diskFull(40);  // the disk fills up in the middle of the bets
        outcome = generateRandomBetsByNumbers({1, 2, 3, 4, 5, 6, 7}, "7", 1, ui);
    }
    EXPECT_TRUE(outcome.failed());
    EXPECT_FALSE(outcome.saved);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(ui.lastText().rfind("ERROR AL GUARDAR EL FICHERO (", 0), 0u) << ui.lastText();
    EXPECT_EQ(test::readFile(path), "anterior");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()), 1);
}

TEST(RandomGeneratorsFlow, ByPercentagesSavesTheBets)
{
    test::TempDir dir;
    test::RecordingInteraction ui;
    PercentageShares p{};
    for (int v : {7, 10, 20, 30, 40, 49}) p[v] = 10;
    p[7] = 50;
    ui.savePaths = {dir.file("porcentajes")};
    const ToolSaveOutcome outcome = generateRandomBetsByPercentages(p, "10", 3, ui);
    ASSERT_TRUE(outcome.saved) << outcome.failure;
    EXPECT_EQ(ui.saveRequests.at(0).initialName, "10_Apuestas.KMB");
    EXPECT_EQ(outcome.path, dir.file("porcentajes.KMB"));
    const BetFileRead read = test::readKmb(outcome.path);
    ASSERT_TRUE(read.ok()) << read.failure;
    EXPECT_EQ(read.header, "071020304049");
    ASSERT_EQ(read.bets.size(), 10);
    for (int64_t b = 1; b <= 10; ++b) {
        const uint8_t* bet = read.bets.bet(b);
        EXPECT_EQ(std::count(bet, bet + 6, 7), b <= 5 ? 1 : 0);
    }

    // A refused check asks nothing.
    p[7] = 100;
    p[10] = p[20] = p[30] = p[40] = 100;
    p[49] = 100;
    ui.saveRequests.clear();
    const ToolSaveOutcome refused = generateRandomBetsByPercentages(p, "10", 3, ui);
    EXPECT_TRUE(refused.failed());
    EXPECT_EQ(ui.lastText(), "ERROR: LA SUMA DE TODOS LOS % SELECCIONADOS DEBE SER MENOR DE 600");
    EXPECT_TRUE(ui.saveRequests.empty());
}
