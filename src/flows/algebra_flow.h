#pragma once

#include <string>

#include "core/interaction.h"
#include "flows/tool_flow.h"
#include "tools/algebra.h"

namespace kombitron {

// Load system 1 or 2 from `path`, showing the reader's notices and the error of a failed read.
// Failed or stopped: the system comes back empty.
AlgebraSystemLoad loadAlgebraSystem(const std::string& path, Interaction& ui);
// "Abrir una combinación": the open dialog with the KMB filter preselected, then loadAlgebraSystem.
// Cancelled: done with an empty system and an empty path.
AlgebraSystemLoad openAlgebraSystem(Interaction& ui);

// "Calcular": the checks (their error, then failed) and the operation.
AlgebraResult calculateAlgebra(const AlgebraInputs& inputs, Interaction& ui);

// "Guardar apuestas": the two checks, the save dialog proposing "singuardar.KMB", the ".KMB"
// rule, and the result written with "0" as header.
ToolSaveOutcome saveAlgebraResult(const std::string& resultsText, const SharedBets& result, Interaction& ui);

} // namespace kombitron
