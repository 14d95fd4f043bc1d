#include "flows/viewer_flow.h"

namespace kombitron {

ViewerLoad loadViewerFile(const std::string& path, bool withReintegros, Interaction& ui)
{
    ViewerLoad load = runLoadViewerFile({path, withReintegros}, ui.progress(), ui.stopToken());
    showToolReadMessages(load, load.warnings, load.bets ? load.bets->size() : 0, true, ui);
    if (!load.done()) load.bets.reset();
    return load;
}

ViewerLoad openViewerFile(bool withReintegros, Interaction& ui)
{
    const std::string path = ui.openFileDialog(toolOpenRequest());
    if (path.empty()) return ViewerLoad{};
    return loadViewerFile(path, withReintegros, ui);
}

bool jumpToTicket(TicketViewer& viewer, const std::string& text, Interaction& ui)
{
    if (auto notice = viewer.jump(text)) {
        showToolNotice(*notice, ui);
        return false;
    }
    return true;
}

} // namespace kombitron
