#pragma once

// What the flows of the system tools share: how a save ended, the messages of their checks and
// reads, and their file dialogs.

#include <cstdint>
#include <string>
#include <vector>

#include "core/interaction.h"
#include "core/job.h"
#include "tools/tool_common.h"

namespace kombitron {

// How a tool's save ended. Failed: a check refused or the work failed, and its message has been
// shown (`failure` holds it). Done without `saved`: the player cancelled the save dialog.
struct ToolSaveOutcome : JobOutcome {
    bool saved = false;
    int64_t count = 0;  // saved: the bets written
    std::string path;   // saved: the file written, extension applied
};

// Show a check's notice with its icon.
void showToolNotice(const ToolNotice& notice, Interaction& ui);

// The tools' open dialog ("Abrir Fichero", the TXT, KMB and all-files filters) with the given
// filter preselected (1-based).
FileDialogRequest toolOpenRequest(int preselectedFilter = 1);

// The tools' save dialog ("Guardar Combinación", the KMB and all-files filters) proposing `name`;
// the chosen path with ".KMB" in place of an extension among its last six characters, or empty
// when cancelled.
std::string askToolSavePath(const std::string& proposedName, Interaction& ui);

// Show a read's limit notices (warnings) and then, when it failed, its error. `zeroBetsWarning`:
// a read that found no bet shows "AVISO: Se han importado 0 apuestas." with the expected formats.
void showToolReadMessages(const JobOutcome& outcome, const std::vector<std::string>& warnings, int64_t bets,
                          bool zeroBetsWarning, Interaction& ui);

// A save job's end as the flow's outcome, showing its error when it failed.
ToolSaveOutcome finishToolSave(const BetFileSave& save, Interaction& ui);

} // namespace kombitron
