#pragma once

#include <string>

#include "core/state.h"

namespace kombitron {

class Interaction;

inline constexpr const char* kFilterSummaryFileName = "KOMBITRON_INFORME.txt";

// The text of the filter summary ("Ver Resumen de Filtros"): the game, the base combination as
// the ticket grid, the reintegros, the imported file and a section per active filter; every line
// ends with CR LF. Reads the state only.
std::string BuildFilterSummary(const AppState& state);

// Write the summary (followed by one more line end) to KOMBITRON_INFORME.txt in the application
// folder and open it in the text editor. A failure shows
// "ERROR AL GENERAR EL FICHERO EN EL BLOC DE NOTAS (" + description + ")" and returns false.
bool ShowFilterSummary(const AppState& state, Interaction& ui);

// Write `text` plus one line end to `fileName` in the application folder and open it in the
// editor; the shared tail of the text reports. Shows the failure message and returns false.
bool WriteAndOpenReport(const std::string& fileName, const std::string& text, Interaction& ui);

} // namespace kombitron
