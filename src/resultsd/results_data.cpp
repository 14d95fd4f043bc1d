#include "resultsd/results_data.h"

#include <cctype>
#include <fstream>
#include <sstream>

#include <pugixml.hpp>

namespace kombitron::resultsd {

namespace {

std::string lower(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::vector<std::string> splitCommas(const std::string& line)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(line);
    while (std::getline(in, part, ',')) parts.push_back(part);
    if (!line.empty() && line.back() == ',') parts.emplace_back();
    return parts;
}

bool readInt(const std::string& text, int low, int high, int& value)
{
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    value = std::stoi(text);
    return value >= low && value <= high;
}

bool isAmount(const std::string& text)
{
    const size_t dot = text.find('.');
    const std::string whole = text.substr(0, dot);
    if (whole.empty() || whole.find_first_not_of("0123456789") != std::string::npos) return false;
    if (dot == std::string::npos) return true;
    const std::string fraction = text.substr(dot + 1);
    return !fraction.empty() && fraction.find_first_not_of("0123456789") == std::string::npos;
}

bool isCount(const std::string& text) { return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos; }

// Lines of a text file without their CR LF or LF ends; false when it cannot be opened.
bool readLines(const std::string& path, std::vector<std::string>& lines, bool& exists)
{
    std::ifstream in(path, std::ios::binary);
    exists = static_cast<bool>(in);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return !in.bad();
}

bool readWhole(const std::string& path, std::optional<std::string>& contents)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return true; // prepared answers are optional
    std::ostringstream all;
    all << in.rdbuf();
    contents = all.str();
    return !in.bad();
}

std::string where(const std::string& path, size_t line) { return path + ":" + std::to_string(line) + ": "; }

bool readDraws(const std::string& path, GameData& data, std::string& failure)
{
    std::vector<std::string> lines;
    bool exists = false;
    if (!readLines(path, lines, exists)) {
        if (!exists) return true; // a game without draws
        failure = path + ": no se pudo leer";
        return false;
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty() || line.rfind("fecha", 0) == 0) continue;
        const std::vector<std::string> f = splitCommas(line);
        DrawRow row;
        if (f.size() != 12 || f[0].empty() || !readInt(f[1], 1900, 9999, row.season) ||
            !readInt(f[2], 1, 65535, row.draw) || f[3].size() != 1 ||
            std::string("LMXJVSD").find(f[3][0]) == std::string::npos) {
            failure = where(path, i + 1) + "se espera fecha,anio,sorteo,dia,n1,n2,n3,n4,n5,n6,complementario,reintegro";
            return false;
        }
        row.date = f[0];
        row.weekday = f[3][0];
        for (int v = 0; v < 8; ++v) {
            const int low = v < 6 ? 1 : 0;
            const int high = v == 7 ? 9 : 49;
            if (!readInt(f[4 + v], low, high, row.values[v])) {
                failure = where(path, i + 1) + "valor '" + f[4 + v] + "' fuera de rango";
                return false;
            }
        }
        data.draws.push_back(row);
    }
    return true;
}

bool readPrizes(const std::string& path, GameData& data, std::string& failure)
{
    std::vector<std::string> lines;
    bool exists = false;
    if (!readLines(path, lines, exists)) {
        if (!exists) return true;
        failure = path + ": no se pudo leer";
        return false;
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty() || line.rfind("anio", 0) == 0) continue;
        const std::vector<std::string> f = splitCommas(line);
        int season = 0, draw = 0;
        if (f.size() != 16 || !readInt(f[0], 1900, 9999, season) || !readInt(f[1], 1, 65535, draw)) {
            failure = where(path, i + 1) + "se espera anio,sorteo,recaudacion,bote y premio,acertantes de 6R 6 5C 5 4 3";
            return false;
        }
        PrizeRow row;
        row.takings = f[2];
        row.jackpot = f[3];
        for (int c = 0; c < 6; ++c) {
            row.prize[c] = f[4 + 2 * c];
            row.winners[c] = f[5 + 2 * c];
        }
        bool ok = (row.takings.empty() || isAmount(row.takings)) && (row.jackpot.empty() || isAmount(row.jackpot));
        for (int c = 0; c < 6; ++c)
            ok = ok && (row.prize[c].empty() || isAmount(row.prize[c])) && (row.winners[c].empty() || isCount(row.winners[c]));
        if (!ok) {
            failure = where(path, i + 1) + "importes con punto decimal y acertantes enteros, o en blanco";
            return false;
        }
        data.prizes[{season, draw}] = row;
    }
    return true;
}

std::string twoDigits(int v) { return v < 10 ? "0" + std::to_string(v) : std::to_string(v); }

struct StringWriter : pugi::xml_writer {
    std::string text;
    void write(const void* data, size_t size) override { text.append(static_cast<const char*>(data), size); }
};

std::string serialise(const pugi::xml_document& doc)
{
    StringWriter writer;
    doc.save(writer, "", pugi::format_raw, pugi::encoding_utf8);
    return writer.text;
}

pugi::xml_node gameElement(pugi::xml_document& doc, const GameData& data)
{
    auto decl = doc.append_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "UTF-8";
    return doc.append_child("RESULTADOS").append_child(data.name.c_str());
}

} // namespace

bool LoadGameData(const std::string& folder, const std::string& game, GameData& data, std::string& failure)
{
    data = GameData{};
    data.name = game;
    const std::string base = folder + "/" + lower(game);
    if (!readDraws(base + ".csv", data, failure) || !readPrizes(base + "-premios.csv", data, failure)) return false;
    if (!readWhole(base + ".xml", data.cannedDraws) || !readWhole(base + "-premios.xml", data.cannedPrizes)) {
        failure = base + ".xml: no se pudo leer";
        return false;
    }
    return true;
}

namespace {

// The SORTEOS branch of `gameNode`: one SORTEO per draw with its prizes, blank where unknown.
void appendPrizes(pugi::xml_node gameNode, const GameData& data, int season)
{
    static const char* const kCategories[6] = {"CAT6R", "CAT6", "CAT5C", "CAT5", "CAT4", "CAT3"};
    static const PrizeRow kUnknown;
    pugi::xml_node list;
    for (const DrawRow& row : data.draws) {
        if (season != 0 && row.season != season) continue;
        if (!list) list = gameNode.append_child("SORTEOS");
        const auto found = data.prizes.find({row.season, row.draw});
        const PrizeRow& prizes = found == data.prizes.end() ? kUnknown : found->second;
        pugi::xml_node node = list.append_child("SORTEO");
        node.append_attribute("anio") = row.season;
        node.append_attribute("sorteo") = row.draw;
        node.append_attribute("dia") = std::string(1, row.weekday).c_str();
        node.append_attribute("fecha") = row.date.c_str();
        node.append_attribute("recaudacion") = prizes.takings.c_str();
        node.append_attribute("bote") = prizes.jackpot.c_str();
        pugi::xml_node scrutiny = node.append_child("ESCRUTINIO");
        for (int c = 0; c < 6; ++c) {
            pugi::xml_node category = scrutiny.append_child(kCategories[c]);
            category.append_attribute("premio") = prizes.prize[c].c_str();
            category.append_attribute("acertantes") = prizes.winners[c].c_str();
        }
    }
}

} // namespace

std::string BuildDrawsResponse(const GameData& data, int season)
{
    if (data.cannedDraws) return *data.cannedDraws;
    pugi::xml_document doc;
    pugi::xml_node gameNode = gameElement(doc, data);
    pugi::xml_node list;
    for (const DrawRow& row : data.draws) {
        if (season != 0 && row.season != season) continue;
        if (!list) list = gameNode.append_child("COMBINACIONES");
        std::string numbers;
        for (int v = 0; v < 8; ++v) {
            if (v) numbers += ',';
            numbers += twoDigits(row.values[v]);
        }
        pugi::xml_node node = list.append_child("COMBINACION");
        node.append_attribute("numeros") = numbers.c_str();
        node.append_attribute("anio") = row.season;
        node.append_attribute("sorteo") = row.draw;
        node.append_attribute("dia") = std::string(1, row.weekday).c_str();
    }
    // The draws answer also carries every draw's prizes, paired by position with the
    // combinations, so that one request values a whole history.
    appendPrizes(gameNode, data, season);
    return serialise(doc);
}

std::string BuildPrizesResponse(const GameData& data, int season)
{
    if (data.cannedPrizes) return *data.cannedPrizes;
    pugi::xml_document doc;
    appendPrizes(gameElement(doc, data), data, season);
    return serialise(doc);
}

} // namespace kombitron::resultsd
