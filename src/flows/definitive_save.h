#pragma once

#include <string>

#include "core/interaction.h"
#include "core/state.h"

namespace kombitron {

// Filter list of the definitive-save dialog.
inline constexpr const char* kDefinitiveSaveFilters = "Fichero de KOMBITRON (*.KMB)|*.KMB|todos los archivos (*.*)|*.*|";

// The header record of a saved system: the marked numbers, two digits each, ascending, concatenated.
std::string markedNumbersHeader(const AppState& state);

// Save the final system ("Cálculo Definitivo"): the checks (bets generated, the reintegros for
// PRIMITIVA, the question above 3,000,000 bets), the save dialog proposing the base file's name
// with ".KMB", the ".KMB" rule, the KMB file with the marked numbers as header, then the XML base
// file beside it with ".xml"; savedFlag becomes true. The KMB file is written with the progress
// and the stop request of `ui`. False when refused, cancelled, stopped or failed (after the
// program's message); a failed write leaves any previous file untouched.
bool runDefinitiveSave(AppState& state, Interaction& ui);

} // namespace kombitron
