#include "flows/own_system_flow.h"

namespace kombitron {

OwnSystemOriginLoad LoadOwnSystemOrigin(const std::string& path, Interaction& ui)
{
    OwnSystemOriginLoad load = runLoadOwnSystemOrigin({path}, ui.progress(), ui.stopToken());
    ShowToolReadMessages(load, load.warnings, load.origin.count(), true, ui);
    if (!load.done()) load.origin = OwnSystemOrigin{{}, path, {}};
    return load;
}

OwnSystemOriginLoad OpenOwnSystemOrigin(Interaction& ui)
{
    const std::string path = ui.openFileDialog(ToolOpenRequest());
    if (path.empty()) return OwnSystemOriginLoad{};
    return LoadOwnSystemOrigin(path, ui);
}

bool ChooseOwnSystemOrigin(OwnSystemDestination& destination, int destinationNumber, int origin, Interaction& ui)
{
    if (auto notice = ChooseOrigin(destination, destinationNumber, origin)) {
        ShowToolNotice(*notice, ui);
        return false;
    }
    return true;
}

ToolSaveOutcome SaveOwnSystem(const OwnSystemOrigin& origin, const OwnSystemDestination& destination,
                              const std::string& baseFileName, Interaction& ui)
{
    ToolSaveOutcome outcome;
    auto refuse = [&](const ToolNotice& notice) {
        ShowToolNotice(notice, ui);
        outcome.markFailed(notice.text);
        return outcome;
    };
    if (auto notice = CheckOwnSystem(origin, destination)) return refuse(*notice);
    ui.warning(kOwnSystemReintegroWarning);
    OwnSystemMapping mapping;
    if (auto notice = BuildOwnSystemMapping(origin, destination, mapping)) return refuse(*notice);

    const std::string path = AskToolSavePath(OwnSystemProposedName(baseFileName), ui);
    if (path.empty()) return outcome;
    ui.progress().caption(kWaitingSaveCaption);
    return FinishToolSave(runSaveOwnSystem({origin.bets, mapping, path}, ui.progress(), ui.stopToken()), ui);
}

} // namespace kombitron
