#pragma once

#include "core/state.h"

namespace kombitron {

class Interaction;

// "GUARDAR": ask for a path (proposing baseFileName), apply the ".xml" rule and write;
// cancelling does nothing; a failure shows "ERROR AL GUARDAR EL FICHERO EN XML". True when the
// file was written.
bool SaveBaseFileDialog(AppState& state, Interaction& ui);
// "ABRIR": ask for a base file and read it; cancelling or a blank path does nothing. The caller
// asks the unsaved-changes question first. True when a file was chosen (whatever reading it gave).
bool OpenBaseFileDialog(AppState& state, Interaction& ui);

} // namespace kombitron
