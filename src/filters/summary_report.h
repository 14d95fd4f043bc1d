#pragma once

#include <string>

#include "core/state.h"

namespace kombitron {

// The text of the filter summary ("Ver Resumen de Filtros"): the game, the base combination as
// the ticket grid, the reintegros, the imported file and a section per active filter; every line
// ends with CR LF. Reads the state only.
std::string buildFilterSummary(const AppState& state);

} // namespace kombitron
