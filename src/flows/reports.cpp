#include "flows/reports.h"

#include "filters/conditioning.h"
#include "filters/summary_report.h"

namespace kombitron {

bool showFilterSummary(const AppState& state, Interaction& ui)
{
    return writeAndOpenReport(kFilterSummaryFileName, buildFilterSummary(state), ui);
}

bool showEliminationReport(const AppState& state, Interaction& ui)
{
    return writeAndOpenReport(kEliminationReportFileName, buildEliminationReport(state), ui);
}

bool showPercentagesReport(const NumberPercentages& panel, Interaction& ui)
{
    return writeAndOpenReport(kAnalysisReportFileName, percentagesReportText(panel), ui);
}

} // namespace kombitron
