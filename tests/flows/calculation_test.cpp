#include <gtest/gtest.h>

#include "core/filter_rows.h"
#include "core/format.h"
#include "core/paths.h"
#include "filters/conditioning.h"
#include "flows/calculation.h"
#include "flows/reports.h"
#include "support/recording_interaction.h"
#include "support/test_paths.h"

using namespace kombitron;
using namespace kombitron::test;

namespace {

class CaptionRecorder : public Progress {
public:
    void caption(std::string_view text) override { captions.emplace_back(text); }
    std::vector<std::string> captions;
};

class RecordingUi : public RecordingInteraction {
public:
    Progress& progress() override { return recorder; }
    CaptionRecorder recorder;
};

class CalculationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setNumberFormat({".", ","});
        ResetStateDefaults(state, 2024);
        resetFilterRows(state);
        setReintegroMarked(state, 4, true);
    }
    void mark(std::initializer_list<int> numbers)
    {
        for (int n : numbers) setNumberMarked(state, n, true);
    }
    void markRange(int first, int last)
    {
        for (int n = first; n <= last; ++n) setNumberMarked(state, n, true);
    }
    void activate(FilterId id) { setRowActive(state.filterRows[static_cast<int>(id)], true); }
    static HitSet hits(std::initializer_list<int> counts)
    {
        HitSet set;
        for (int c : counts) set.flags[c] = 1;
        return set;
    }
    std::vector<uint8_t> finalNumbers(int64_t i) const
    {
        return std::vector<uint8_t>(state.finalSystem.bet(i), state.finalSystem.bet(i) + 7);
    }

    AppState state;
    RecordingUi ui;
    CalculationHooks hooks;
};

} // namespace

TEST_F(CalculationTest, RefusalsInOrder)
{
    mark({1, 2, 3, 4, 5});
    EXPECT_FALSE(RunCalculation(state, ui, hooks));
    EXPECT_EQ(ui.lastText(), "AVISO: DEBE SELECCIONAR MINIMO 6 NUMEROS");
    EXPECT_EQ(ui.messages.back().kind, MessageKind::Warning);

    mark({6});
    setReintegroMarked(state, 4, false);
    EXPECT_FALSE(RunCalculation(state, ui, hooks));
    EXPECT_EQ(ui.lastText(), "AVISO: Hay que seleccionar mínimo 1 reintegro");
    setReintegroMarked(state, 4, true);
    setReintegroMarked(state, 7, true);
    EXPECT_FALSE(RunCalculation(state, ui, hooks));
    EXPECT_EQ(ui.lastText(), "ERROR: Con el tipo de Reintegro 'Al directo' sólo se puede seleccionar 1 reintegro");

    // BONOLOTO does not look at the reintegros; the SORTEOS ANTERIORES question comes next.
    selectGame(state, GameType::Bonoloto);
    activate(FilterId::SORTEOSANTERIORES);
    EXPECT_FALSE(RunCalculation(state, ui, hooks));
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(ui.questions[0].rfind("Está activado el filtro 'SORTEOS ANTERIORES'. Este filtro puede", 0), 0u);
    EXPECT_TRUE(state.totalSystem.empty());
    EXPECT_TRUE(state.savedFlag);

    ui.answers = {true, true};
    EXPECT_TRUE(RunCalculation(state, ui, hooks));
    EXPECT_EQ(state.reducedCount, 1);

    state.base.kind = CombinationKind::FromFile;
    state.base.importedFileName = "   ";
    EXPECT_FALSE(RunCalculation(state, ui, hooks));
    EXPECT_EQ(ui.lastText(), "ERROR: NO HAY NINGUN FICHERO ASCII CARGADO");
}

TEST_F(CalculationTest, NoActiveFilter)
{
    mark({3, 9, 17, 22, 30, 41, 45, 48});
    ASSERT_TRUE(RunCalculation(state, ui, hooks));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(state.conditionedCount, 28);
    EXPECT_EQ(state.reducedCount, 28);
    EXPECT_TRUE(state.noBetEliminated);
    EXPECT_FALSE(state.savedFlag);
    EXPECT_TRUE(ui.recorder.captions.empty());
    EXPECT_EQ(finalNumbers(1), (std::vector<uint8_t>{3, 9, 17, 22, 30, 41, 4}));
    EXPECT_EQ(finalNumbers(28), (std::vector<uint8_t>{17, 22, 30, 41, 45, 48, 4}));
    EXPECT_EQ(state.filterRows[0].back(), '-');
}

TEST_F(CalculationTest, FirstFilterCountsAndReport)
{
    markRange(1, 10);
    markRange(25, 28);
    activate(FilterId::ALTOSBAJOS);
    activate(FilterId::PARESIMPARES);
    activate(FilterId::HOMOLOGOS); // active with nothing in force
    state.filters.altosBajos.bajos = hits({6});    // keeps the 210 bets inside 1..10
    state.filters.paresImpares.pares = hits({3});  // of those, 100 have three even numbers
    ASSERT_TRUE(RunCalculation(state, ui, hooks));
    EXPECT_EQ(state.filterEliminationCounts[0], 3003 - 210);
    EXPECT_EQ(state.filterEliminationCounts[6], 110);
    EXPECT_EQ(state.filterEliminationCounts[5], 0);
    EXPECT_EQ(state.conditionedCount, 100);
    EXPECT_FALSE(state.noBetEliminated);
    EXPECT_EQ(ui.recorder.captions,
              (std::vector<std::string>{"Fil. Bajos y Altos", "Fil. Homólogos", "Fil. Pares e Impares"}));
    EXPECT_EQ(state.filterRows[0].substr(state.filterRows[0].size() - 6), " 2.793");
    EXPECT_EQ(utf8Length(state.filterRows[0]), kFilterRowWidth);

    // The conditioned system keeps total-system order.
    ASSERT_EQ(state.conditionedSystem.size(), 100);
    EXPECT_EQ(finalNumbers(1), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 4}));
    EXPECT_EQ(finalNumbers(2), (std::vector<uint8_t>{1, 2, 3, 4, 5, 8, 4}));
    EXPECT_EQ(finalNumbers(100), (std::vector<uint8_t>{5, 6, 7, 8, 9, 10, 4}));

    EXPECT_EQ(buildEliminationReport(state),
              "TOTAL Apuestas Iniciales     : 3.003\r\n"
              "TOTAL Apuestas Eliminadas    : 2.903\r\n"
              "TOTAL Apuestas Condicionadas : 100\r\n"
              "TOTAL Apuestas Reducidas     : 100\r\n"
              "\r\n"
              "Eliminadas por cada Filtro Activo:\r\n"
              "BAJOS Y ALTOS: 2.793\r\n"
              "HOMOLOGOS: 0\r\n"
              "PARES E IMPARES: 110\r\n");

    // The report follows the rows active now, with the counts of the last pass.
    setRowActive(state.filterRows[5], false);
    activate(FilterId::SUMAS);
    const std::string report = buildEliminationReport(state);
    EXPECT_EQ(report.find("HOMOLOGOS"), std::string::npos);
    EXPECT_EQ(report.substr(report.size() - 10), "SUMAS: 0\r\n");
}

TEST_F(CalculationTest, ZeroBetsLeavesTheListsAlone)
{
    markRange(1, 8);
    ASSERT_TRUE(RunCalculation(state, ui, hooks));
    const std::vector<uint8_t> firstBet = finalNumbers(1);
    activate(FilterId::PARESIMPARES);
    state.filters.paresImpares.pares = hits({6}); // 1..8 holds only four even numbers
    EXPECT_FALSE(RunCalculation(state, ui, hooks));
    EXPECT_EQ(ui.lastText(), "ERROR: Se han generado 0 apuestas después de condicionar, cambie las condiciones");
    EXPECT_EQ(state.conditionedCount, 0);
    EXPECT_EQ(state.reducedCount, 0);
    EXPECT_EQ(state.conditionedSystem.size(), 28);
    EXPECT_EQ(state.finalSystem.size(), 28);
    EXPECT_EQ(finalNumbers(1), firstBet);
    EXPECT_EQ(state.filterEliminationCounts[6], 28);
    EXPECT_EQ(state.filterRows[6].substr(state.filterRows[6].size() - 3), " 28");
}

TEST_F(CalculationTest, ReportRightAfterStartUp)
{
    const std::string expected =
        "TOTAL Apuestas Iniciales     : 0\r\n"
        "TOTAL Apuestas Eliminadas    : 0\r\n"
        "TOTAL Apuestas Condicionadas : 0\r\n"
        "TOTAL Apuestas Reducidas     : 0\r\n"
        "\r\n"
        "Eliminadas por cada Filtro Activo:\r\n";
    AppState fresh;
    ResetStateDefaults(fresh, 2024);
    resetFilterRows(fresh);
    EXPECT_EQ(buildEliminationReport(fresh), expected);

    TempDir dir;
    setApplicationFolder(dir.path().string());
    showEliminationReport(fresh, ui);
    EXPECT_EQ(readFile(dir.file("KOMBITRON_RESUMEN.txt")), expected + "\r\n");
    ASSERT_EQ(ui.editorPaths.size(), 1u);
    EXPECT_EQ(ui.editorPaths[0], dir.file("KOMBITRON_RESUMEN.txt"));
}

TEST_F(CalculationTest, ReductionDecision)
{
    markRange(1, 9);
    setRowActive(state.filterRows[kReductionRow], true);
    state.reduction = ReductionOptions{}; // type 0, 100 %, by percentage: keeps every bet
    ASSERT_TRUE(RunCalculation(state, ui, hooks));
    EXPECT_EQ(state.reducedCount, 84);

    state.reduction.type = 2;
    state.reduction.exactCount = 1;
    state.reduction.betCount = 85;
    EXPECT_FALSE(RunCalculation(state, ui, hooks));
    EXPECT_EQ(ui.lastText(), "ERROR: Ha elegido reducir con la opción 'Número Exacto de Apuestas' y dicho número supera el "
                             "sistema final condicionado, cambie el número de apuestas pedidas al reducir");

    state.reduction.betCount = 10;
    EXPECT_FALSE(RunCalculation(state, ui, hooks));
    EXPECT_NE(ui.lastText().find("La reducción no está disponible"), std::string::npos);

    int reductions = 0;
    hooks.reduce = [&](AppState& s, Interaction&) {
        ++reductions;
        s.finalSystem.resize(2);
        for (int64_t i = 1; i <= 2; ++i)
            for (int j = 1; j <= 7; ++j) s.finalSystem.at(i, j) = static_cast<uint8_t>(i + j);
        s.reducedCount = 2;
        return true;
    };
    state.base.reintegroMode = ReintegroMode::Sequential;
    setReintegroMarked(state, 8, true);
    ASSERT_TRUE(RunCalculation(state, ui, hooks));
    EXPECT_EQ(reductions, 1);
    EXPECT_EQ(state.reducedCount, 2);
    EXPECT_EQ(state.finalSystem.at(1, 7), 4);
    EXPECT_EQ(state.finalSystem.at(2, 7), 8);

    hooks.reduce = [](AppState&, Interaction&) { return false; };
    EXPECT_FALSE(RunCalculation(state, ui, hooks));
}

TEST_F(CalculationTest, ImportedBase)
{
    state.base.kind = CombinationKind::FromFile;
    state.base.importedFileName = "/datos/mis apuestas.txt";
    const std::vector<std::array<uint8_t, 7>> bets = {
        {5, 9, 12, 20, 33, 41, 7}, {1, 2, 3, 4, 5, 6, 2}, {2, 9, 12, 20, 33, 48, 7}};
    state.base.importedBets.resize(3);
    for (int64_t i = 1; i <= 3; ++i)
        for (int j = 0; j < 7; ++j) {
            state.base.importedBets.at(i, j + 1) = bets[i - 1][j];
            if (j < 6) setNumberMarked(state, bets[i - 1][j], true);
        }
    activate(FilterId::PARESIMPARES);
    state.filters.paresImpares.pares = hits({2, 3});
    ASSERT_TRUE(RunCalculation(state, ui, hooks));
    EXPECT_FALSE(state.noBetEliminated);
    EXPECT_EQ(state.conditionedCount, 2);
    // The conditioned system keeps the imported reintegro in file order.
    EXPECT_EQ(state.conditionedSystem.at(1, 7), 7);
    EXPECT_EQ(state.conditionedSystem.at(2, 7), 2);
    EXPECT_EQ(buildEliminationReport(state).substr(0, 38), "TOTAL Apuestas Iniciales     : 3\r\nTOTA");
}

TEST_F(CalculationTest, SaveWhenDone)
{
    markRange(1, 7);
    int saves = 0;
    hooks.definitiveSave = [&](AppState& s, Interaction&) {
        ++saves;
        EXPECT_EQ(s.finalSystem.at(7, 7), 4); // the reintegros come first
        return true;
    };
    ASSERT_TRUE(RunCalculation(state, ui, hooks));
    EXPECT_EQ(saves, 0);
    state.saveWhenDone = true;
    ASSERT_TRUE(RunCalculation(state, ui, hooks));
    EXPECT_EQ(saves, 1);
    EXPECT_FALSE(state.saveWhenDone);
}

// A window runs the calculation in steps: it stops for the process window and goes on after it.
TEST_F(CalculationTest, StepsAroundTheReduction)
{
    markRange(1, 9);
    setRowActive(state.filterRows[kReductionRow], true);
    state.reduction.type = 2;
    CalculationResult started = startCalculation(state, ui);
    EXPECT_TRUE(started.completed);
    EXPECT_TRUE(started.needsReduction);
    EXPECT_EQ(state.conditionedSystem.size(), 84);
    EXPECT_EQ(state.reducedCount, 0);
    EXPECT_TRUE(state.finalSystem.empty()) << "the final system waits for the reduction";

    // What the process window leaves, then the reintegros and the save.
    state.finalSystem.resize(1);
    for (int j = 1; j <= 6; ++j) state.finalSystem.at(1, j) = static_cast<uint8_t>(j);
    state.reducedCount = 1;
    int saves = 0;
    CalculationHooks hooks;
    hooks.definitiveSave = [&](AppState&, Interaction&) { return ++saves > 0; };
    state.saveWhenDone = true;
    const CalculationResult finished = finishCalculation(state, ui, hooks);
    EXPECT_TRUE(finished.completed);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(state.finalSystem.at(1, 7), 4);
    EXPECT_FALSE(state.saveWhenDone);
    EXPECT_TRUE(ui.messages.empty()) << ui.lastText();
}

// A stop during the conditioning ends the calculation quietly: no message, no final system, the
// counters of a failed calculation.
TEST_F(CalculationTest, AStopDuringTheConditioningEndsItQuietly)
{
    markRange(1, 20);
    activate(FilterId::PARESIMPARES);
    state.filters.paresImpares.pares = hits({3});
    state.saveWhenDone = true;
    ui.stop.request();
    const CalculationResult result = startCalculation(state, ui);
    EXPECT_TRUE(result.stopped());
    EXPECT_FALSE(result.completed);
    EXPECT_TRUE(ui.messages.empty()) << ui.lastText();
    EXPECT_EQ(state.conditionedCount, 0);
    EXPECT_EQ(state.reducedCount, 0);
    EXPECT_FALSE(state.saveWhenDone);
    EXPECT_FALSE(state.conditioningRan);
    EXPECT_EQ(state.filterEliminationCounts[6], 0);
    EXPECT_EQ(state.filterRows[6].back(), '-');
    EXPECT_TRUE(ui.stop.requested());
    EXPECT_FALSE(RunCalculation(state, ui, hooks));
}
