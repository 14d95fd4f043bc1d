#include "flows/reports.h"

#include "filters/conditioning.h"
#include "filters/summary_report.h"

namespace kombitron {

bool ShowFilterSummary(const AppState& state, Interaction& ui)
{
    return WriteAndOpenReport(kFilterSummaryFileName, BuildFilterSummary(state), ui);
}

bool ShowEliminationReport(const AppState& state, Interaction& ui)
{
    return WriteAndOpenReport(kEliminationReportFileName, BuildEliminationReport(state), ui);
}

bool ShowPercentagesReport(const NumberPercentages& panel, Interaction& ui)
{
    return WriteAndOpenReport(kAnalysisReportFileName, PercentagesReportText(panel), ui);
}

} // namespace kombitron
