#pragma once

#include <string>
#include <vector>

#include "core/interaction.h"
#include "flows/scrutiny_flows.h"
#include "scrutiny/multi_file.h"

namespace kombitron {

// The dialog of the bet files to add ("Abrir Fichero", multiple selection in the window): text,
// KMB (preselected), all.
FileDialogRequest multiFileAddDialog();
// The dialog of the winning combinations: "Abrir Fichero", TXT (preselected), ASC, all.
FileDialogRequest winningFileDialog();

// Add one selection of files to the list; more than 1000 at once adds none and shows the
// warning. True when they were added.
bool addBetFilesFlow(std::vector<std::string>& list, const std::vector<std::string>& selection, Interaction& ui);
// Remove entry `selected` (0-based; -1 when none is selected, which shows the warning).
bool removeBetFileFlow(std::vector<std::string>& list, int selected, Interaction& ui);
// Empty a non-empty list after the question; true when the player said Yes (the window then
// also resets its status, count and summary).
bool emptyBetFileListFlow(std::vector<std::string>& list, Interaction& ui);

// The winning combinations read from `path` with the text reader without reintegros, the reader's
// messages shown.
ScrutinyFileLoad loadWinningCombinations(const std::string& path, Interaction& ui);
ScrutinyFileLoad openWinningCombinations(Interaction& ui);

// "Escrutar": the refusals in order, then the run (its stop is the interaction's stop flag), then
// file by file the reader's messages and, in detailed mode, the report opened in the editor.
MultiFileResult runMultiFileFlow(const MultiFileInputs& inputs, MultiFileProgress& progress, Interaction& ui);

// "Muestra en el Bloc de Notas el informe resumen de premios": the warning when there is no
// summary yet, else KOMBITRON_RESUMENPREMIOS.txt written and opened.
bool saveMultiFileSummary(const std::string& summary, Interaction& ui);

// "Cerrar": always asks; true to close.
bool confirmMultiFileClose(Interaction& ui);

} // namespace kombitron
