#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/format.h"
#include "core/paths.h"
#include "engine/reduction_reference.h"
#include "flows/guarantees.h"
#include "support/recording_interaction.h"
#include "support/test_paths.h"

using namespace kombitron;
using namespace kombitron::test;

namespace {

// A person who presses stop as soon as the first progress report comes.
class StopsAtOnce : public RecordingInteraction {
public:
    Progress& progress() override { return stopper_; }

private:
    struct Stopper : Progress {
        explicit Stopper(StopFlag& stop) : stop(stop) {}
        void report(int64_t, int64_t) override { stop.request(); }
        StopFlag& stop;
    };
    Stopper stopper_{stop};
};

struct GuaranteeReports : ::testing::Test {
    void SetUp() override
    {
        setNumberFormat({".", ","});
        setApplicationFolder(dir.path().string());
        system = randomSystem(21, 10, 1.0, false);
        reduced = BetList(12);
        for (int64_t i = 1; i <= 12; ++i) {
            for (int j = 0; j < 6; ++j) reduced.at(i, j + 1) = system.base[system.positions[static_cast<size_t>(i * 17)][j] - 1];
            reduced.at(i, 7) = 0;
        }
    }
    GuaranteeInput input() const { return GuaranteeInput{system.base, system.list, reduced}; }

    TempDir dir;
    TestSystem system;
    BetList reduced;
};

} // namespace

TEST_F(GuaranteeReports, AllLevelsWriteSixReports)
{
    RecordingInteraction ui;
    const AllLevelsResult all = runAllGuaranteeLevels(input(), ui);
    EXPECT_TRUE(all.done());
    EXPECT_TRUE(ui.messages.empty()) << ui.lastText();
    ASSERT_EQ(all.reportPaths.size(), 6u);
    for (int q = 1; q <= 6; ++q) {
        SCOPED_TRACE(q);
        EXPECT_EQ(all.reportPaths[static_cast<size_t>(q - 1)], dir.file(guaranteeReportFileName(q)));
        const std::string text = readFile(dir.file("KOMBITRON_GARANTIAS_si" + std::to_string(q) + ".txt"));
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), q + 2);  // rows q..0 and the final break
    }
    EXPECT_EQ(all.table.level, 6);
    Progress quiet;
    const GuaranteePassResult six = runGuaranteePass(input(), GuaranteeScope::Total, 6, quiet, {});
    EXPECT_EQ(all.stats, six.stats);
    EXPECT_EQ(all.table, publishGuarantees(six));

    // After "Todas" the report button opens the six files, si6 first.
    EXPECT_TRUE(openAllGuaranteeReports(ui));
    ASSERT_EQ(ui.editorPaths.size(), 6u);
    EXPECT_EQ(ui.editorPaths.front(), dir.file("KOMBITRON_GARANTIAS_si6.txt"));
    EXPECT_EQ(ui.editorPaths.back(), dir.file("KOMBITRON_GARANTIAS_si1.txt"));
}

TEST_F(GuaranteeReports, AStopEndsTheSequenceWithoutItsReport)
{
    StopsAtOnce ui;
    const AllLevelsResult stopped = runAllGuaranteeLevels(input(), ui);
    EXPECT_TRUE(stopped.stopped());
    EXPECT_TRUE(stopped.reportPaths.empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(GuaranteeReports, ShownReportAndItsFailures)
{
    GuaranteeStats stats;
    stats.cases[6] = 1;
    stats.minBets[6] = {0, 0, 0, 0, 0, 0, 1};
    stats.maxBets[6] = {0, 0, 0, 0, 0, 0, 1};
    const GuaranteeTable table = publishGuarantees(stats, 1, 6);
    RecordingInteraction ui;
    ASSERT_TRUE(showGuaranteeReport(table, ui));
    ASSERT_EQ(ui.editorPaths.size(), 1u);
    EXPECT_EQ(ui.editorPaths[0], dir.file("KOMBITRON_GARANTIAS_si6.txt"));
    EXPECT_EQ(readFile(ui.editorPaths[0]), guaranteeReportText(table) + "\r\n");

    // The same message as every report, with the reason.
    // No editor: the message names the file that was written, so the player can find it.
    ui.editorFails = true;
    EXPECT_FALSE(showGuaranteeReport(table, ui));
    EXPECT_EQ(ui.lastText(), "ERROR AL GENERAR EL FICHERO EN EL BLOC DE NOTAS (no hay editor; el informe está en " +
                                 dir.file("KOMBITRON_GARANTIAS_si6.txt") + ")");
    EXPECT_FALSE(openAllGuaranteeReports(ui));
    EXPECT_EQ(ui.lastText(), "ERROR AL GENERAR EL FICHERO EN EL BLOC DE NOTAS (no hay editor; el informe está en " +
                                 dir.file("KOMBITRON_GARANTIAS_si6.txt") + ")");

    // A folder in the way of a level's file: the passes go on and the error comes once at the end.
    ui.editorFails = false;
    ui.messages.clear();
    std::filesystem::create_directory(dir.file("KOMBITRON_GARANTIAS_si3.txt"));
    const AllLevelsResult all = runAllGuaranteeLevels(input(), ui);
    EXPECT_TRUE(all.done());
    EXPECT_EQ(all.reportPaths.size(), 5u);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.lastText().rfind("ERROR AL GENERAR EL FICHERO EN EL BLOC DE NOTAS (", 0), 0u);
}

TEST_F(GuaranteeReports, HolesAreWrittenAndOpened)
{
    RecordingInteraction ui;
    const HolesInputs inputs{system.base, system.list, reduced, GuaranteeScope::Total, 4, 4};
    const HolesReportResult r = showHolesReport(inputs, ui);
    ASSERT_TRUE(r.done()) << r.failure;
    EXPECT_TRUE(ui.messages.empty()) << ui.lastText();
    EXPECT_EQ(r.path, dir.file("KOMBITRON_HUECOS.txt"));
    ASSERT_EQ(ui.editorPaths.size(), 1u);
    EXPECT_EQ(ui.editorPaths[0], r.path);
    EXPECT_EQ(readFile(r.path), holesReportText(r.holes, inputs));
    EXPECT_EQ(r.holes.outcomes, 210);   // the 4-sets of ten numbers
    EXPECT_GE(r.holes.holeCount, 210 - 12 * 15) << "each bet holds 15 of the 4-sets";

    // No editor: the report stays written and the message says where.
    ui.editorFails = true;
    EXPECT_FALSE(showHolesReport(inputs, ui).done());
    EXPECT_EQ(ui.lastText(), "ERROR AL GENERAR EL FICHERO EN EL BLOC DE NOTAS (no hay editor; el informe está en " + r.path + ")");

    // A stop writes nothing; a folder in the way of the file is the report error.
    std::filesystem::remove(r.path);
    ui.messages.clear();
    StopsAtOnce stopper;
    EXPECT_TRUE(showHolesReport(inputs, stopper).stopped());
    EXPECT_FALSE(std::filesystem::exists(r.path));
    EXPECT_TRUE(stopper.messages.empty());
    std::filesystem::create_directory(r.path);
    EXPECT_TRUE(showHolesReport(inputs, ui).failed());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.lastText().rfind("ERROR AL GENERAR EL FICHERO EN EL BLOC DE NOTAS (", 0), 0u);
}
