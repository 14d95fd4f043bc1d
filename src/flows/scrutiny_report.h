#pragma once

#include <string>

namespace kombitron {

class Interaction;

// Write a scrutiny report, `text` ended by one line end (none added when it has one), to `fileName` in the application folder and open it
// in the text editor. A failure shows "ERROR AL GENERAR EL FICHERO EN EL BLOC DE NOTAS (" +
// description + ")" and gives false.
bool writeScrutinyReport(const std::string& fileName, const std::string& text, Interaction& ui);

} // namespace kombitron
