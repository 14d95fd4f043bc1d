#include "flows/algebra_flow.h"

namespace kombitron {

AlgebraSystemLoad LoadAlgebraSystem(const std::string& path, Interaction& ui)
{
    AlgebraSystemLoad load = runLoadAlgebraSystem({path}, ui.progress(), ui.stopToken());
    ShowToolReadMessages(load, load.warnings, load.system.count(), false, ui);
    if (!load.done()) load.system = AlgebraSystem{{}, path, {}};
    return load;
}

AlgebraSystemLoad OpenAlgebraSystem(Interaction& ui)
{
    const std::string path = ui.openFileDialog(ToolOpenRequest(2));
    if (path.empty()) return AlgebraSystemLoad{};
    return LoadAlgebraSystem(path, ui);
}

AlgebraResult CalculateAlgebra(const AlgebraInputs& inputs, Interaction& ui)
{
    const int64_t n1 = inputs.system1 ? inputs.system1->size() : 0;
    const int64_t n2 = inputs.system2 ? inputs.system2->size() : 0;
    if (auto notice = CheckAlgebra(inputs.operation, n1, n2)) {
        ShowToolNotice(*notice, ui);
        AlgebraResult refused;
        refused.markFailed(notice->text);
        return refused;
    }
    AlgebraResult result = runAlgebra(inputs, ui.progress(), ui.stopToken());
    if (result.failed()) ui.error("ERROR: " + result.failure);
    return result;
}

ToolSaveOutcome SaveAlgebraResult(const std::string& resultsText, const SharedBets& result, Interaction& ui)
{
    ToolSaveOutcome outcome;
    if (auto notice = CheckAlgebraSave(resultsText, result ? result->size() : 0)) {
        ShowToolNotice(*notice, ui);
        outcome.markFailed(notice->text);
        return outcome;
    }
    const std::string path = AskToolSavePath(kAlgebraProposedName, ui);
    if (path.empty()) return outcome;
    ui.progress().caption(kWaitingSaveCaption);
    return FinishToolSave(runSaveBetFile({path, kAlgebraHeader, result}, ui.progress(), ui.stopToken()), ui);
}

} // namespace kombitron
