#pragma once

#include <string>

#include "core/interaction.h"
#include "flows/tool_flow.h"
#include "tools/own_system.h"

namespace kombitron {

// Load the origin system from `path`, showing the reader's notices, the error of a failed read and
// the warning of a file without bets. Failed or stopped: the origin comes back empty.
OwnSystemOriginLoad loadOwnSystemOrigin(const std::string& path, Interaction& ui);
// "Abrir una combinación": the open dialog, then loadOwnSystemOrigin. Cancelled: done with an
// empty origin and an empty path.
OwnSystemOriginLoad openOwnSystemOrigin(Interaction& ui);

// A selector of the order choice set to `origin`; false after the refusal's error when another
// selector already shows that origin number (the selector is then back to "---").
bool chooseOwnSystemOrigin(OwnSystemDestination& destination, int destinationNumber, int origin, Interaction& ui);

// "Cálculo con grabación de apuestas": the checks in order, the warning about reintegro 0, the
// mapping (or the combos error), the save dialog proposing `baseFileName` with ".KMB", the ".KMB"
// rule, and the mapped bets, sorted, with reintegro 0, written with the mapping's header.
ToolSaveOutcome saveOwnSystem(const OwnSystemOrigin& origin, const OwnSystemDestination& destination,
                              const std::string& baseFileName, Interaction& ui);

} // namespace kombitron
