#pragma once

#include <array>
#include <string>
#include <vector>

namespace kombitron {

// The file a percentages save writes for the path chosen in the dialog: when a "." occurs among
// the last six characters, the path is cut before its last "."; then ".txt" is appended.
std::string percentagesFilePath(const std::string& chosenPath);

// A percentage as its window field and the reports show it: the shortest decimal text that reads
// back as the same value, with the user's decimal separator ("12,6", "12,25", "0").
std::string percentageText(double value);

// Value of a percentage text: an optional sign, digits and at most one "," or "." as decimal
// separator, blanks trimmed. False when it is blank or anything else.
bool parsePercentageText(const std::string& text, double& value);

// Write one line of 49 fields joined by single spaces and ended by CR LF: each field's text when
// its value is not 0, "0" when it is. False with a description when a field is blank or not a
// number (nothing is written then) or when the file cannot be written; any earlier file stays.
bool writePercentagesLine(const std::string& path, const std::array<std::string, 49>& fields, std::string& failure);

// The fields of the first line of a percentages file, trimmed and split at single spaces.
// False with a description when the file cannot be read.
bool readPercentagesLine(const std::string& path, std::vector<std::string>& fields, std::string& failure);

// Save a percentage panel (the coefficient window): "" on success, else
// "ERROR AL GUARDAR LOS PORCENTAJES (" + description + ")".
std::string savePercentagesPanel(const std::string& chosenPath, const std::array<std::string, 49>& fields);

// Load a percentage panel: for n = 1..49, a field whose value is not 0 replaces field n; a 0
// leaves it. Returns "" or "ERROR AL ABRIR LOS PORCENTAJES" (fewer than 49 fields, a field that
// is not a number, an unreadable file); the fields set before the failure keep their new text.
std::string loadPercentagesPanel(const std::string& path, std::array<std::string, 49>& fields);

// Save the valuations the window shows (0 = "------", else 1..100): "" or "ERROR AL GUARDAR LOS PORCENTAJES".
std::string saveValuationsFile(const std::string& chosenPath, const std::array<int, 49>& valuations);

// Load valuations: for n = 1..49, a non-zero field must be one of the items of list n ("1".."100"
// for a number of the base combination) and becomes its value; a 0 leaves it. Returns "" or
// "ERROR AL CARGAR ALGUNOS O TODOS LOS VALORES DE LOS PORCENTAJES"; values set before the failure stay.
std::string loadValuationsFile(const std::string& path, const std::vector<uint8_t>& baseNumbers,
                               std::array<int, 49>& valuations);

} // namespace kombitron
