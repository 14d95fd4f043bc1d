#include "filters/percentages_file.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "core/format.h"
#include "core/paths.h"
#include "core/text.h"

namespace kombitron {

std::string percentagesFilePath(const std::string& chosenPath) { return applySaveExtension(chosenPath, ".txt"); }

std::string percentageText(double value)
{
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    std::string text(buf, result.ptr);
    const size_t dot = text.find('.');
    if (dot != std::string::npos) text.replace(dot, 1, numberFormat().decimal);
    return text;
}

bool parsePercentageText(const std::string& text, double& value)
{
    std::string t(trimmed(text, " \t"));
    if (t.empty()) return false;
    size_t i = (t[0] == '-' || t[0] == '+') ? 1 : 0;
    size_t digits = 0, separators = 0;
    for (size_t k = i; k < t.size(); ++k) {
        if (t[k] >= '0' && t[k] <= '9') ++digits;
        else if (t[k] == ',' || t[k] == '.') {
            ++separators;
            t[k] = '.';
        } else return false;
    }
    if (digits == 0 || separators > 1) return false;
    value = std::strtod(t.c_str(), nullptr);
    return true;
}

bool writePercentagesLine(const std::string& path, const std::array<std::string, 49>& fields, std::string& failure)
{
    std::string line;
    for (int n = 0; n < 49; ++n) {
        double value = 0;
        if (!parsePercentageText(fields[n], value)) {
            const bool blank = trimmed(fields[n], " \t").empty();
            failure = "el porcentaje del número " + std::to_string(n + 1) + (blank ? " está en blanco" : " no es un número");
            return false;
        }
        if (n > 0) line += ' ';
        if (value == 0) {
            line += '0';
        } else {
            line += trimmed(fields[n], " \t");
        }
    }
    line += "\r\n";
    return writeFileAtomically(path, line, failure);
}

bool readPercentagesLine(const std::string& path, std::vector<std::string>& fields, std::string& failure)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        failure = "no se puede abrir el fichero";
        return false;
    }
    std::string line;
    std::getline(in, line);
    line = std::string(trimmed(line));
    fields.clear();
    size_t start = 0;
    while (true) {
        const size_t space = line.find(' ', start);
        fields.push_back(line.substr(start, space == std::string::npos ? std::string::npos : space - start));
        if (space == std::string::npos) break;
        start = space + 1;
    }
    return true;
}

std::string savePercentagesPanel(const std::string& chosenPath, const std::array<std::string, 49>& fields)
{
    std::string failure;
    if (!writePercentagesLine(percentagesFilePath(chosenPath), fields, failure))
        return "ERROR AL GUARDAR LOS PORCENTAJES (" + failure + ")";
    return {};
}

std::string loadPercentagesPanel(const std::string& path, std::array<std::string, 49>& fields)
{
    static const std::string kFailure = "ERROR AL ABRIR LOS PORCENTAJES";
    std::vector<std::string> line;
    std::string failure;
    if (!readPercentagesLine(path, line, failure)) return kFailure;
    for (size_t n = 0; n < 49; ++n) {
        double value = 0;
        if (n >= line.size() || !parsePercentageText(line[n], value)) return kFailure;
        if (value != 0) fields[n] = line[n];
    }
    return {};
}

std::string saveValuationsFile(const std::string& chosenPath, const std::array<int, 49>& valuations)
{
    std::array<std::string, 49> fields;
    for (int n = 0; n < 49; ++n) fields[n] = std::to_string(valuations[n] > 0 ? valuations[n] : 0);
    std::string failure;
    if (!writePercentagesLine(percentagesFilePath(chosenPath), fields, failure)) return "ERROR AL GUARDAR LOS PORCENTAJES";
    return {};
}

std::string loadValuationsFile(const std::string& path, const std::vector<uint8_t>& baseNumbers,
                               std::array<int, 49>& valuations)
{
    static const std::string kFailure = "ERROR AL CARGAR ALGUNOS O TODOS LOS VALORES DE LOS PORCENTAJES";
    std::vector<std::string> line;
    std::string failure;
    if (!readPercentagesLine(path, line, failure)) return kFailure;
    bool inBase[50] = {};
    for (uint8_t n : baseNumbers)
        if (n <= 49) inBase[n] = true;
    for (size_t n = 0; n < 49; ++n) {
        double value = 0;
        if (n >= line.size() || !parsePercentageText(line[n], value)) return kFailure;
        if (value == 0) continue;
        // The list of a number offers the items "1" to "100" only when the number is in the base.
        const std::string& text = line[n];
        int v = 0;
        const bool item = !text.empty() && text[0] != '0' && parseIntegerAs(text, 1, 100, v);
        if (!item || !inBase[n + 1]) return kFailure;
        valuations[n] = v;
    }
    return {};
}

} // namespace kombitron
