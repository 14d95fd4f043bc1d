#pragma once

#include <string>

#include "core/interaction.h"
#include "flows/tool_flow.h"
#include "tools/viewer.h"

namespace kombitron {

// Load a file for the viewer from `path` (the text reader with reintegros when `withReintegros`),
// showing the reader's notices, the error of a failed read and the warning of a file without
// bets. Failed or stopped: no bets.
ViewerLoad loadViewerFile(const std::string& path, bool withReintegros, Interaction& ui);
// "Abrir una combinación": the open dialog, then loadViewerFile. Cancelled: done with no bets and
// an empty path.
ViewerLoad openViewerFile(bool withReintegros, Interaction& ui);

// Enter in "Ir al Boleto :": show the ticket typed, or the error with T; false after the error.
bool jumpToTicket(TicketViewer& viewer, const std::string& text, Interaction& ui);

} // namespace kombitron
