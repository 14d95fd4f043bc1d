#pragma once

#include <string>
#include <vector>

#include "core/job.h"
#include "engine/guarantees.h"
#include "engine/holes.h"

namespace kombitron {

class Interaction;

// "KOMBITRON_GARANTIAS_si<q>.txt", the tabulated report of level q.
std::string guaranteeReportFileName(int q);

// "Ver informe de garantías": the tabulated report of the table shown, to its level's file,
// opened in the editor. A failure shows the report error and returns false.
bool showGuaranteeReport(const GuaranteeTable& table, Interaction& ui);
// The same after "Todas": the six files written by it, opened from si6 to si1.
bool openAllGuaranteeReports(Interaction& ui);

// Level "Todas": q = 1..6 in turn, each pass followed by its tabulated report, written (not
// opened). A stop ends the sequence Stopped: the reports of the levels already completed stay
// written, none is written for the stopped level nor for those after it. A report that cannot be
// written shows the report error once, at the end, and the passes go on.
struct AllLevelsResult : JobOutcome {
    GuaranteeTable table;                   // the last completed level (q = 6 when all ran)
    GuaranteeStats stats;
    std::vector<std::string> reportPaths;   // in the order written: si1 .. si6
};
AllLevelsResult runAllGuaranteeLevels(const GuaranteeInput& input, Interaction& ui);

// "Ver huecos": the holes of the inputs (progress and stop through `ui`) written to
// KOMBITRON_HUECOS.txt and opened in the editor. The flow shows its own messages: "ERROR: " and
// the description when the search fails, the report error (naming the file once it is written)
// when the file cannot be written or opened; the result then says Failed. A stop writes nothing.
struct HolesReportResult : JobOutcome {
    HolesResult holes;
    std::string path;                       // the report written ("" when none)
};
HolesReportResult showHolesReport(const HolesInputs& inputs, Interaction& ui);

} // namespace kombitron
