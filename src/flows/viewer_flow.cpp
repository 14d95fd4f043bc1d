#include "flows/viewer_flow.h"

namespace kombitron {

ViewerLoad LoadViewerFile(const std::string& path, bool withReintegros, Interaction& ui)
{
    ViewerLoad load = runLoadViewerFile({path, withReintegros}, ui.progress(), ui.stopToken());
    ShowToolReadMessages(load, load.warnings, load.bets ? load.bets->size() : 0, true, ui);
    if (!load.done()) load.bets.reset();
    return load;
}

ViewerLoad OpenViewerFile(bool withReintegros, Interaction& ui)
{
    const std::string path = ui.openFileDialog(ToolOpenRequest());
    if (path.empty()) return ViewerLoad{};
    return LoadViewerFile(path, withReintegros, ui);
}

bool JumpToTicket(TicketViewer& viewer, const std::string& text, Interaction& ui)
{
    if (auto notice = viewer.jump(text)) {
        ShowToolNotice(*notice, ui);
        return false;
    }
    return true;
}

} // namespace kombitron
