#include "flows/guarantees.h"

#include "core/interaction.h"
#include "core/paths.h"
#include "core/report_file.h"
#include "flows/reports.h"

namespace kombitron {

namespace {

void reportError(Interaction& ui, const std::string& failure)
{
    ui.error("ERROR AL GENERAR EL FICHERO EN EL BLOC DE NOTAS (" + failure + ")");
}

} // namespace

std::string guaranteeReportFileName(int q) { return "KOMBITRON_GARANTIAS_si" + std::to_string(q) + ".txt"; }

bool showGuaranteeReport(const GuaranteeTable& table, Interaction& ui)
{
    return writeAndOpenReport(guaranteeReportFileName(table.level), guaranteeReportText(table), ui);
}

bool openAllGuaranteeReports(Interaction& ui)
{
    for (int q = 6; q >= 1; --q) {
        std::string failure;
        const std::string path = reportPath(guaranteeReportFileName(q));
        if (!ui.openInEditor(path, failure)) {
            reportError(ui, editorFailureDescription(path, failure));
            return false;
        }
    }
    return true;
}

AllLevelsResult runAllGuaranteeLevels(const GuaranteeInput& input, Interaction& ui)
{
    AllLevelsResult result;
    std::string writeFailure;
    for (int q = 1; q <= 6; ++q) {
        const GuaranteePassResult pass = runGuaranteePass(input, GuaranteeScope::Total, q, ui.progress(), ui.stopToken());
        if (pass.stopped()) {
            result.markStopped();
            break;
        }
        result.stats = pass.stats;
        result.table = publishGuarantees(pass);
        const std::string path = reportPath(guaranteeReportFileName(q));
        std::string failure;
        if (writeFileAtomically(path, guaranteeReportText(result.table) + "\r\n", failure)) result.reportPaths.push_back(path);
        else if (writeFailure.empty()) writeFailure = failure;
    }
    if (!writeFailure.empty()) reportError(ui, writeFailure);
    return result;
}

HolesReportResult showHolesReport(const HolesInputs& inputs, Interaction& ui)
{
    HolesReportResult result;
    result.holes = runHoles(inputs, ui.progress(), ui.stopToken());
    if (result.holes.failed()) {
        result.markFailed(result.holes.failure);
        ui.error("ERROR: " + result.failure);
        return result;
    }
    if (result.holes.stopped()) {
        result.markStopped();
        return result;
    }
    std::string path, failure;
    if (!writeHolesReport(result.holes, inputs, path, failure)) {
        result.markFailed(failure);
        reportError(ui, failure);
        return result;
    }
    result.path = path;
    if (!ui.openInEditor(path, failure)) {
        result.markFailed(editorFailureDescription(path, failure));
        reportError(ui, result.failure);
    }
    return result;
}

} // namespace kombitron
