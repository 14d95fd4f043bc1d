#pragma once

#include <string>
#include <string_view>

#include "core/interaction.h"
#include "core/state.h"

namespace kombitron {

// Filter lists of the base-file dialogs.
inline constexpr const char* kBaseFileFilters = "Fichero BASE de KOMBITRON (*.XML)|*.XML|Todos los archivos (*.*)|*.*|";

// The whole XML base file of the configuration, every line ended by CR LF, stamped with the
// current local date and time.
std::string buildBaseFileText(const AppState& state);
// The same with the given date and time texts (for a reproducible file).
std::string buildBaseFileText(const AppState& state, const std::string& date, const std::string& time);

// Write the base file to `path` through a temporary file renamed over it; on success set
// savedFlag and baseFileName (the file name of the path). False with a description on failure,
// leaving the state and any previous file untouched.
bool WriteBaseFile(AppState& state, const std::string& path, std::string& failure);

// Open a base file: reset the configuration (the grid too, unless the combination is imported),
// apply every element the file holds, show the error box for the sections that failed and the
// notice of an imported-file base; savedFlag becomes true and baseFileName the file name.
// An unreadable or malformed file gives the "FICHERO" line of the error box and returns false
// (the configuration is then the reset one); true when the file was read, even with errors in
// some of its sections.
bool ReadBaseFile(AppState& state, const std::string& path, Interaction& ui);
// The same on the bytes of a base file already in memory; `fileName` becomes baseFileName.
// `readable` false stands for a file that could not be read.
bool readBaseFileBytes(AppState& state, const std::string& fileName, std::string_view bytes, bool readable,
                       Interaction& ui);

} // namespace kombitron
