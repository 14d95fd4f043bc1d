#include "flows/algebra_flow.h"

namespace kombitron {

AlgebraSystemLoad loadAlgebraSystem(const std::string& path, Interaction& ui)
{
    AlgebraSystemLoad load = runLoadAlgebraSystem({path}, ui.progress(), ui.stopToken());
    showToolReadMessages(load, load.warnings, load.system.count(), false, ui);
    if (!load.done()) load.system = AlgebraSystem{{}, path, {}};
    return load;
}

AlgebraSystemLoad openAlgebraSystem(Interaction& ui)
{
    const std::string path = ui.openFileDialog(toolOpenRequest(2));
    if (path.empty()) return AlgebraSystemLoad{};
    return loadAlgebraSystem(path, ui);
}

AlgebraResult calculateAlgebra(const AlgebraInputs& inputs, Interaction& ui)
{
    const int64_t n1 = inputs.system1 ? inputs.system1->size() : 0;
    const int64_t n2 = inputs.system2 ? inputs.system2->size() : 0;
    if (auto notice = checkAlgebra(inputs.operation, n1, n2)) {
        showToolNotice(*notice, ui);
        AlgebraResult refused;
        refused.markFailed(notice->text);
        return refused;
    }
    AlgebraResult result = runAlgebra(inputs, ui.progress(), ui.stopToken());
    if (result.failed()) ui.error("ERROR: " + result.failure);
    return result;
}

ToolSaveOutcome saveAlgebraResult(const std::string& resultsText, const SharedBets& result, Interaction& ui)
{
    ToolSaveOutcome outcome;
    if (auto notice = checkAlgebraSave(resultsText, result ? result->size() : 0)) {
        showToolNotice(*notice, ui);
        outcome.markFailed(notice->text);
        return outcome;
    }
    const std::string path = askToolSavePath(kAlgebraProposedName, ui);
    if (path.empty()) return outcome;
    ui.progress().caption(kWaitingSaveCaption);
    return finishToolSave(runSaveBetFile({path, kAlgebraHeader, result}, ui.progress(), ui.stopToken()), ui);
}

} // namespace kombitron
