#pragma once

#include <string>

namespace kombitron {

class Interaction;

// The path of a text report: the application folder and the file name.
std::string reportPath(const std::string& fileName);

// Write `text` plus one line end to `fileName` in the application folder, replacing an older
// file, and open it in the editor: the shared tail of every text report of the program. A
// failure shows "ERROR AL GENERAR EL FICHERO EN EL BLOC DE NOTAS (" + description + ")" and
// returns false.
bool writeAndOpenReport(const std::string& fileName, const std::string& text, Interaction& ui);

// The description of a report written to `path` that the editor could not show: `failure`,
// followed by "; el informe está en " + path unless it names the file already, so the player
// can always find what was written.
std::string editorFailureDescription(const std::string& path, const std::string& failure);

} // namespace kombitron
