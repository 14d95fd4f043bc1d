#include <gtest/gtest.h>

#include "core/filter_rows.h"
#include "formats/bet_files.h"
#include "flows/import.h"
#include "formats/formats_support.h"
#include "support/recording_interaction.h"
#include "support/test_paths.h"

using namespace kombitron;

namespace {

class ImportAsBaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetStateDefaults(state);
        resetFilterRows(state);
        selectGame(state, GameType::Primitiva);
        setNumberMarked(state, 40, true);  // left over from a manual combination
        setReintegroMarked(state, 8, true);
    }

    std::string file(const std::string& name, const std::string& contents)
    {
        const std::string path = dir.file(name);
        test::writeFile(path, contents);
        return path;
    }

    template <size_t N>
    static std::vector<int> marked(const std::array<uint8_t, N>& flags, int last)
    {
        std::vector<int> out;
        for (int i = 0; i <= last; ++i)
            if (flags[static_cast<size_t>(i)]) out.push_back(i);
        return out;
    }

    test::TempDir dir;
    AppState state;
    test::RecordingInteraction ui;
};

} // namespace

TEST_F(ImportAsBaseTest, RepeatedBetsAreDroppedKeepingFileOrder)
{
    const std::string path = file("semana.txt", "10 20 30 40 45 49 3\r\n01 02 03 04 05 06 3\r\n10 20 30 40 45 49 5\r\n"
                                                "01 02 03 04 05 07 3\r\n01 02 03 04 05 06 3\r\n");
    state.savedFlag = true;
    ASSERT_TRUE(importAsBase(state, path, ui));
    EXPECT_EQ(test::recordTexts(state.base.importedBets),
              (std::vector<std::string>{"10,20,30,40,45,49+03", "01,02,03,04,05,06+03", "01,02,03,04,05,07+03"}));
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{
                              "AVISO: LA COMBINACION IMPORTADA TIENE MAS DE 1 REINTEGRO. AL CALCULAR, FILTRAR O REDUCIR SE "
                              "GENERARAN REINTEGROS ALEATORIAMENTE EN BASE A LOS REINTEGROS IMPORTADOS",
                              "AVISO: El sistema importado tiene apuestas repetidas y estas han sido eliminadas\n"
                              "TOTAL apuestas repetidas: 2"}));
    EXPECT_EQ(state.base.kind, CombinationKind::FromFile);
    EXPECT_EQ(state.base.importedFileName, path);
    EXPECT_EQ(marked(state.base.markedNumbers, 49), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 10, 20, 30, 40, 45, 49}));
    EXPECT_EQ(state.base.baseNumbers.size(), 13u);
    // Reintegro 5 occurs only in a dropped bet: it was counted before the repeated bets went.
    EXPECT_EQ(marked(state.base.markedReintegros, 9), (std::vector<int>{3, 5}));
    EXPECT_EQ(state.initialCount, 3);
    EXPECT_EQ(state.conditionedCount, 3);
    EXPECT_EQ(state.reducedCount, 3);
    EXPECT_FALSE(state.savedFlag);
}

TEST_F(ImportAsBaseTest, ReintegroRulesByGame)
{
    const std::string path = file("r.txt", "01,02,03,04,05,06+07\r\n01,02,03,04,05,08+07\r\n");
    // PRIMITIVA with one reintegro: no notice.
    ASSERT_TRUE(importAsBase(state, path, ui));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(marked(state.base.markedReintegros, 9), std::vector<int>{7});

    // Without loading reintegros every bet gets 0.
    state.base.loadReintegros = false;
    ASSERT_TRUE(importAsBase(state, path, ui));
    EXPECT_EQ(ui.lastText(), "AVISO: La combinación importada no tiene reintegros, se le ha asignado a la combinación "
                             "el REINTEGRO 0 por defecto.");
    EXPECT_EQ(marked(state.base.markedReintegros, 9), std::vector<int>{0});
    EXPECT_EQ(state.base.importedBets.at(2, 7), 0);

    // BONOLOTO: no notice and no reintegro marked; a KMB file's reintegros are dropped.
    test::RecordingInteraction quiet;
    selectGame(state, GameType::Bonoloto);
    const std::string kmb = file("r.KMB", test::kmbFile({"0", "1", "01,02,03,04,05,06+07"}));
    ASSERT_TRUE(importAsBase(state, kmb, quiet));
    EXPECT_TRUE(quiet.messages.empty());
    EXPECT_TRUE(marked(state.base.markedReintegros, 9).empty());
    EXPECT_EQ(state.base.importedBets.at(1, 7), 0);
}

TEST_F(ImportAsBaseTest, NothingReadOrAFailure)
{
    const std::string zeroText = "AVISO: Se han importado 0 apuestas.\nEl fichero ha de estar en formato: 010203040506 o "
                                 "01,02,03,04,05,06 o 01 02 03 04 05 06";
    EXPECT_FALSE(importAsBase(state, file("vacio.txt", "solo texto\r\n"), ui));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{zeroText});
    EXPECT_EQ(state.initialCount, 0);
    EXPECT_EQ(markedNumberCount(state), 0);

    // A reader failure: its message, then the notice of no bets.
    test::RecordingInteraction failing;
    EXPECT_FALSE(importAsBase(state, file("mal.txt", "02,01,03,04,05,06\r\n"), failing));
    ASSERT_EQ(failing.messages.size(), 2u);
    EXPECT_EQ(failing.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(failing.messages[0].text, "ERROR AL IMPORTAR EL FICHERO, FICHERO NO IMPORTADO ( Apuestas con números no en "
                                        "orden ascendente (Apuesta 1))");
    EXPECT_EQ(failing.messages[1].text, zeroText);
    EXPECT_TRUE(state.base.importedBets.empty());

    // A KMB bet that is no combination is refused by the reader, as a text file's would be.
    ASSERT_TRUE(importAsBase(state, file("bien.txt", "01 02 03 04 05 06 1\r\n"), ui));
    test::RecordingInteraction invalid;
    EXPECT_FALSE(importAsBase(state, file("raro.KMB", test::kmbFile({"0", "3", "01,02,03,04,05,06+01",
                                                                     "01,02,60,04,05,06+01", "03,02,04,05,06,07+01"})),
                              invalid));
    const std::vector<std::string> refused = {"ERROR AL IMPORTAR EL FICHERO, FICHERO NO IMPORTADO ( Apuestas "
                                              "con números fuera del intervalo 1-49 (Apuesta 2))",
                                              zeroText};
    EXPECT_EQ(invalid.texts(), refused);
    EXPECT_TRUE(state.base.importedBets.empty());
    EXPECT_EQ(markedNumberCount(state), 0);
    EXPECT_EQ(markedReintegroCount(state), 0);
    EXPECT_EQ(state.initialCount, 0);
    EXPECT_EQ(state.conditionedCount, 0);
}

TEST_F(ImportAsBaseTest, DialogAndCancel)
{
    ui.openPaths = {""};
    EXPECT_FALSE(importAsBaseDialog(state, ui));
    ASSERT_EQ(ui.openRequests.size(), 1u);
    EXPECT_EQ(ui.openRequests[0].title, "Abrir Fichero");
    ASSERT_EQ(ui.openRequests[0].filters.size(), 3u);
    EXPECT_EQ(ui.openRequests[0].filters[0].description, "Ficheros de Apuestas (*.TXT)");
    EXPECT_EQ(ui.openRequests[0].filters[1].pattern, "*.KMB");
    EXPECT_EQ(ui.openRequests[0].filters[2].description, "todos los archivos (*.*)");
    EXPECT_EQ(ui.openRequests[0].filterIndex, 2);
    // Cancelling leaves the combination as it was.
    EXPECT_EQ(state.base.kind, CombinationKind::Manual);
    EXPECT_EQ(marked(state.base.markedNumbers, 49), std::vector<int>{40});

    ui.openPaths = {file("a.txt", "01 02 03 04 05 06 1\r\n")};
    EXPECT_TRUE(importAsBaseDialog(state, ui));
    EXPECT_EQ(state.base.importedBets.size(), 1);
}

TEST_F(ImportAsBaseTest, AStopEmptiesTheImportWithoutAMessage)
{
    std::string text;
    for (int i = 0; i < 20000; ++i) text += "01 02 03 04 05 06 1\r\n";
    const std::string path = file("muchas.txt", text);
    ui.stop.request();
    EXPECT_FALSE(importAsBase(state, path, ui));
    EXPECT_TRUE(ui.messages.empty()) << ui.lastText();
    EXPECT_TRUE(state.base.importedBets.empty());
    EXPECT_EQ(markedNumberCount(state), 0);
    EXPECT_EQ(state.initialCount, 0);
    EXPECT_TRUE(ui.stop.requested()) << "the flow never clears its caller's request";
}

// The player sees the marks and the bets read before the warnings about them.
TEST_F(ImportAsBaseTest, WhatWasReadIsShownBeforeTheWarnings)
{
    const std::string path = file("dos.txt", "01 02 03 04 05 06 3\r\n01 02 03 04 05 06 3\r\n07 08 09 10 11 12 5\r\n");
    std::vector<int> numbers, reintegros;
    int64_t initial = -1;
    size_t messagesBefore = 99;
    ASSERT_TRUE(importAsBase(state, path, ui, [&](const AppState& shown) {
        numbers = marked(shown.base.markedNumbers, 49);
        reintegros = marked(shown.base.markedReintegros, 9);
        initial = shown.initialCount;
        messagesBefore = ui.messages.size();
    }));
    EXPECT_EQ(messagesBefore, 0u);
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(reintegros, (std::vector<int>{3, 5}));
    EXPECT_EQ(initial, 3) << "the bets read, the repeated one included";
    ASSERT_EQ(ui.messages.size(), 2u) << "more than one reintegro, then the repeated bet";
    EXPECT_EQ(state.initialCount, 2);
}
