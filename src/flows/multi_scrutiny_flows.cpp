#include "flows/multi_scrutiny_flows.h"

#include "core/paths.h"
#include "core/report_file.h"
#include "flows/scrutiny_report.h"
#include "formats/bet_files.h"

namespace kombitron {

namespace {

void showReportFailure(const std::string& description, Interaction& ui)
{
    ui.error("ERROR AL GENERAR EL FICHERO EN EL BLOC DE NOTAS (" + description + ")");
}

} // namespace

FileDialogRequest multiFileAddDialog() { return betFileDialog(); }

FileDialogRequest winningFileDialog()
{
    FileDialogRequest request;
    request.title = "Abrir Fichero";
    request.filters = parseFileFilters(
        "Ficheros de Apuestas (*.TXT)|*.TXT|Ficheros de Apuestas (*.ASC)|*.ASC|Todos los archivos (*.*)|*.*|");
    request.filterIndex = 1;
    return request;
}

bool addBetFilesFlow(std::vector<std::string>& list, const std::vector<std::string>& selection, Interaction& ui)
{
    if (addSelectedFiles(list, selection)) return true;
    ui.warning(kTooManyFilesWarning);
    return false;
}

bool removeBetFileFlow(std::vector<std::string>& list, int selected, Interaction& ui)
{
    if (selected < 0 || static_cast<size_t>(selected) >= list.size()) {
        ui.warning(kNoSelectedFileWarning);
        return false;
    }
    list.erase(list.begin() + selected);
    return true;
}

bool emptyBetFileListFlow(std::vector<std::string>& list, Interaction& ui)
{
    if (list.empty() || !ui.question(kEmptyFileListQuestion)) return false;
    list.clear();
    return true;
}

ScrutinyFileLoad loadWinningCombinations(const std::string& path, Interaction& ui)
{
    ScrutinyFileLoad load;
    load.chosen = true;
    load.path = path;
    load.fileName = fileNameOf(path);
    BetFileRead read = ReadBetFileText(path, false, ui.progress(), ui.stopToken());
    if (read.status == BetFileStatus::Stopped) return load;
    showBetFileMessages(read, ui);
    if (read.ok()) load.bets = std::make_shared<BetList>(std::move(read.bets));
    return load;
}

ScrutinyFileLoad openWinningCombinations(Interaction& ui)
{
    const std::string path = ui.openFileDialog(winningFileDialog());
    if (path.empty()) return {};
    return loadWinningCombinations(path, ui);
}

MultiFileResult runMultiFileFlow(const MultiFileInputs& inputs, MultiFileProgress& progress, Interaction& ui)
{
    bool isError = false;
    const std::string refusal =
        multiFileRefusal(inputs.winning ? inputs.winning->size() : 0, inputs.files.size(), isError);
    if (!refusal.empty()) {
        ui.message(isError ? MessageKind::Error : MessageKind::Warning, refusal);
        MultiFileResult refused;
        refused.markFailed(refusal);
        return refused;
    }
    MultiFileResult result = runMultiFileScrutiny(inputs, progress, ui.stopToken());
    if (result.failed()) {
        ui.error("ERROR: " + result.failure);
        return result;
    }
    for (const MultiFileEntry& entry : result.files) {
        for (const std::string& warning : entry.readWarnings) ui.warning(warning);
        if (!entry.readFailure.empty()) ui.error(entry.readFailure);
        if (!entry.detailFailure.empty()) {
            showReportFailure(entry.detailFailure, ui);
        } else if (!entry.detailPath.empty()) {
            std::string failure;
            if (!ui.openInEditor(entry.detailPath, failure))
                showReportFailure(editorFailureDescription(entry.detailPath, failure), ui);
        }
    }
    return result;
}

bool saveMultiFileSummary(const std::string& summary, Interaction& ui)
{
    if (summary.empty()) {
        ui.warning(kNoSummaryWarning);
        return false;
    }
    return writeScrutinyReport(kMultiFileSummaryFileName, summary, ui);
}

bool confirmMultiFileClose(Interaction& ui) { return ui.question(kMultiFileCloseQuestion); }

} // namespace kombitron
