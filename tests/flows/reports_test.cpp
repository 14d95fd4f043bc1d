#include <gtest/gtest.h>

#include "core/filter_rows.h"
#include "core/format.h"
#include "core/paths.h"
#include "filters/conditioning.h"
#include "filters/summary_report.h"
#include "flows/reports.h"
#include "support/recording_interaction.h"
#include "support/test_paths.h"

using namespace kombitron;
using namespace kombitron::test;

namespace {

struct ReportsTest : ::testing::Test {
    void SetUp() override
    {
        setNumberFormat({".", ","});
        setApplicationFolder(dir.path().string());
        ResetStateDefaults(state, 2024);
        resetFilterRows(state);
        for (int n : {3, 9, 17, 22, 30, 41}) setNumberMarked(state, n, true);
    }
    TempDir dir;
    AppState state;
    RecordingInteraction ui;
};

} // namespace

// Each report goes to its own file of the application folder, with one more line end, and opens.
TEST_F(ReportsTest, EveryReportToItsFileAndTheEditor)
{
    std::array<int64_t, 49> counts{};
    counts[0] = 2;
    const NumberPercentages panel = numberPercentages(counts, 4, kPercentagesAfterCaption);
    struct Case {
        const char* file;
        std::function<bool()> show;
        std::string text;
    };
    const Case cases[] = {
        {"KOMBITRON_INFORME.txt", [&] { return showFilterSummary(state, ui); }, buildFilterSummary(state)},
        {"KOMBITRON_RESUMEN.txt", [&] { return showEliminationReport(state, ui); }, buildEliminationReport(state)},
        {"KOMBITRON_ANALISIS.txt", [&] { return showPercentagesReport(panel, ui); }, percentagesReportText(panel)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ui.editorPaths.clear();
        ASSERT_TRUE(c.show());
        ASSERT_EQ(ui.editorPaths.size(), 1u);
        EXPECT_EQ(ui.editorPaths[0], dir.file(c.file));
        EXPECT_EQ(readFile(dir.file(c.file)), c.text + "\r\n");
    }
    EXPECT_TRUE(ui.messages.empty()) << ui.lastText();
}

TEST_F(ReportsTest, AFailureSaysWhy)
{
    ui.editorFails = true;
    EXPECT_FALSE(showFilterSummary(state, ui));
    EXPECT_EQ(ui.lastText(), "ERROR AL GENERAR EL FICHERO EN EL BLOC DE NOTAS (no hay editor; el informe está en " +
                                 ui.editorPaths.back() + ")");
    EXPECT_EQ(ui.messages.back().kind, MessageKind::Error);
}
