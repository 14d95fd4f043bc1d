#include "flows/tool_flow.h"

#include "core/paths.h"

namespace kombitron {

void showToolNotice(const ToolNotice& notice, Interaction& ui) { ui.message(notice.kind, notice.text); }

FileDialogRequest toolOpenRequest(int preselectedFilter)
{
    FileDialogRequest request;
    request.title = kToolOpenTitle;
    request.filters = parseFileFilters(kToolOpenFilters);
    request.filterIndex = preselectedFilter;
    return request;
}

std::string askToolSavePath(const std::string& proposedName, Interaction& ui)
{
    FileDialogRequest request;
    request.title = kToolSaveTitle;
    request.filters = parseFileFilters(kToolSaveFilters);
    request.initialName = proposedName;
    const std::string chosen = ui.saveFileDialog(request);
    return chosen.empty() ? chosen : applySaveExtension(chosen, ".KMB");
}

void showToolReadMessages(const JobOutcome& outcome, const std::vector<std::string>& warnings, int64_t bets,
                          bool zeroBetsWarning, Interaction& ui)
{
    if (outcome.stopped()) return;
    for (const std::string& warning : warnings) ui.warning(warning);
    if (outcome.failed()) ui.error(outcome.failure);
    else if (zeroBetsWarning && bets == 0) ui.warning(kZeroBetsWarning);
}

ToolSaveOutcome finishToolSave(const BetFileSave& save, Interaction& ui)
{
    ToolSaveOutcome outcome;
    outcome.status = save.status;
    outcome.failure = save.failure;
    if (save.failed()) ui.error(save.failure);
    if (save.done()) {
        outcome.saved = true;
        outcome.count = save.count;
        outcome.path = save.path;
    }
    return outcome;
}

} // namespace kombitron
