#include "flows/own_system_flow.h"

namespace kombitron {

OwnSystemOriginLoad loadOwnSystemOrigin(const std::string& path, Interaction& ui)
{
    OwnSystemOriginLoad load = runLoadOwnSystemOrigin({path}, ui.progress(), ui.stopToken());
    showToolReadMessages(load, load.warnings, load.origin.count(), true, ui);
    if (!load.done()) load.origin = OwnSystemOrigin{{}, path, {}};
    return load;
}

OwnSystemOriginLoad openOwnSystemOrigin(Interaction& ui)
{
    const std::string path = ui.openFileDialog(toolOpenRequest());
    if (path.empty()) return OwnSystemOriginLoad{};
    return loadOwnSystemOrigin(path, ui);
}

bool chooseOwnSystemOrigin(OwnSystemDestination& destination, int destinationNumber, int origin, Interaction& ui)
{
    if (auto notice = chooseOrigin(destination, destinationNumber, origin)) {
        showToolNotice(*notice, ui);
        return false;
    }
    return true;
}

ToolSaveOutcome saveOwnSystem(const OwnSystemOrigin& origin, const OwnSystemDestination& destination,
                              const std::string& baseFileName, Interaction& ui)
{
    ToolSaveOutcome outcome;
    auto refuse = [&](const ToolNotice& notice) {
        showToolNotice(notice, ui);
        outcome.markFailed(notice.text);
        return outcome;
    };
    if (auto notice = checkOwnSystem(origin, destination)) return refuse(*notice);
    ui.warning(kOwnSystemReintegroWarning);
    OwnSystemMapping mapping;
    if (auto notice = buildOwnSystemMapping(origin, destination, mapping)) return refuse(*notice);

    const std::string path = askToolSavePath(ownSystemProposedName(baseFileName), ui);
    if (path.empty()) return outcome;
    ui.progress().caption(kWaitingSaveCaption);
    return finishToolSave(runSaveOwnSystem({origin.bets, mapping, path}, ui.progress(), ui.stopToken()), ui);
}

} // namespace kombitron
