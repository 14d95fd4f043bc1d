#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/interaction.h"
#include "core/state.h"

namespace kombitron {

// Filter list of the import dialog; the KMB entry (2) is preselected.
inline constexpr const char* kImportFilters =
    "Ficheros de Apuestas (*.TXT)|*.TXT|Ficheros en formato KOMBITRON (*.KMB)|*.KMB|todos los archivos (*.*)|*.*|";

// Called once the file is read and its numbers and reintegros are marked, before any warning
// about them: `state` then holds the marks and, as initialCount, the bets read (repeated ones
// included), so the player sees what the warnings speak of.
using ImportReadHook = std::function<void(const AppState& state)>;

// Import a bet file as the base of the combination (kind FromFile): read it with the reader its
// extension selects, mark the numbers (and for PRIMITIVA the reintegros) that occur, drop repeated
// bets keeping file order, and set the counters to the distinct count; warnings and errors go
// through `ui`, and the file is read with its progress and stop request. True when bets were
// imported. A failure or a stop empties the import and the grid.
bool importAsBase(AppState& state, const std::string& path, Interaction& ui, const ImportReadHook& read = {});
// Ask for the bet file ("Abrir Fichero") and import it; cancelling changes nothing and gives false.
bool importAsBaseDialog(AppState& state, Interaction& ui, const ImportReadHook& read = {});

} // namespace kombitron
