#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <new>
#include <utility>
#include <vector>

#include <pugixml.hpp>

#include "core/filter_rows.h"
#include "core/paths.h"
#include "core/text.h"
#include "formats/base_file.h"
#include "formats/codepage.h"

namespace kombitron {

namespace {

std::string upper(std::string_view text) { return toUpper(text); }

bool sameName(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b) {
        const char x = static_cast<char>(*a >= 'a' && *a <= 'z' ? *a - 'a' + 'A' : *a);
        const char y = static_cast<char>(*b >= 'a' && *b <= 'z' ? *b - 'a' + 'A' : *b);
        if (x != y) return false;
    }
    return *a == *b;
}

std::vector<std::string_view> splitCommas(std::string_view text)
{
    std::vector<std::string_view> items;
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        items.push_back(trimmed(text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start)));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return items;
}

template <class Range>
auto elements(const Range& children)
{
    std::vector<pugi::xml_node> out;
    for (pugi::xml_node c : children)
        if (c.type() == pugi::node_element) out.push_back(c);
    return out;
}

// The walk of one base file: applies what it can and remembers, per section, the last failure.
class BaseFileReader {
public:
    explicit BaseFileReader(AppState& state) : s_(state) {}

    void walk(const pugi::xml_document& document)
    {
        for (pugi::xml_node first : document.children())
            for (pugi::xml_node second : first.children())
                for (pugi::xml_node third : second.children()) {
                    if (third.type() != pugi::node_element) continue;
                    const std::string name = upper(third.name());
                    if (name == "PROGRAMA") program(third);
                    else if (name == "COMBINACION") combination(third);
                    else if (name == "COMBINACIONGANADORA") winning(third);
                    else if (name == "COMPLEMENTARIO") complementary(third);
                    else if (name == "BASEASCII") baseAscii(third);
                    else if (name == "REDUCCION") reduction(third);
                    else if (name == "FILTROS") filters(third);
                }
    }

    void fail(const std::string& label, const std::string& description)
    {
        for (auto& e : errors_)
            if (e.first == label) {
                e.second = description;
                return;
            }
        errors_.emplace_back(label, description);
    }

    const std::vector<std::pair<std::string, std::string>>& errors() const { return errors_; }
    const std::string& baseAsciiPath() const { return baseAsciiPath_; }

private:
    // ---- values ----

    const char* attribute(pugi::xml_node node, const char* name)
    {
        for (pugi::xml_attribute a : node.attributes())
            if (sameName(a.name(), name)) return a.value();
        fail(label_, std::string("falta el atributo ") + name + " en <" + node.name() + ">");
        return nullptr;
    }

    bool integer(std::string_view text, long long low, long long high, long long& value)
    {
        const std::string_view t = trimmed(text);
        long long v = 0;
        const auto result = std::from_chars(t.data(), t.data() + t.size(), v);
        if (t.empty() || result.ec == std::errc::invalid_argument || result.ptr != t.data() + t.size()) {
            fail(label_, "'" + std::string(text) + "' no es un número");
            return false;
        }
        if (result.ec == std::errc::result_out_of_range || v < low || v > high) {
            fail(label_, "'" + std::string(text) + "' fuera de rango");
            return false;
        }
        value = v;
        return true;
    }

    bool integerAttribute(pugi::xml_node node, const char* name, long long low, long long high, long long& value)
    {
        const char* text = attribute(node, name);
        return text && integer(text, low, high, value);
    }

    template <class T>
    void setFromAttribute(pugi::xml_node node, const char* name, long long low, long long high, T& target)
    {
        long long v = 0;
        if (integerAttribute(node, name, low, high, v)) target = static_cast<T>(v);
    }

    template <class T>
    void setWhole(pugi::xml_node node, const char* name, T& target)
    {
        setFromAttribute(node, name, std::numeric_limits<T>::min(), std::numeric_limits<T>::max(), target);
    }

    // A flag list: every listed index in [low, high] turns its flag on.
    template <class Flags>
    void flagList(pugi::xml_node node, const char* name, Flags& flags, int low, int high)
    {
        const char* text = attribute(node, name);
        if (!text || trimmed(text).empty()) return;
        for (std::string_view item : splitCommas(text)) {
            long long index = 0;
            if (integer(item, low, high, index)) flags[static_cast<size_t>(index)] = 1;
        }
    }

    // A value list: the values in index order; values beyond the table are refused.
    template <class T, size_t N>
    void valueList(pugi::xml_node node, const char* name, std::array<T, N>& values)
    {
        const char* text = attribute(node, name);
        if (!text || trimmed(text).empty()) return;
        size_t i = 0;
        for (std::string_view item : splitCommas(text)) {
            if (i >= N) {
                fail(label_, std::string("demasiados valores en ") + name);
                return;
            }
            long long v = 0;
            if (integer(item, std::numeric_limits<T>::min(), std::numeric_limits<T>::max(), v))
                values[i] = static_cast<T>(v);
            ++i;
        }
    }

    void percentList(pugi::xml_node node, const char* name, PercentagesTable& values)
    {
        const char* text = attribute(node, name);
        if (!text || trimmed(text).empty()) return;
        size_t i = 0;
        for (std::string_view item : splitCommas(text)) {
            if (i >= values.size()) {
                fail(label_, std::string("demasiados valores en ") + name);
                return;
            }
            double v = 0;
            const auto result = std::from_chars(item.data(), item.data() + item.size(), v);
            if (item.empty() || result.ec != std::errc() || result.ptr != item.data() + item.size())
                fail(label_, "'" + std::string(item) + "' no es un número");
            else if (!std::isfinite(v))
                fail(label_, "'" + std::string(item) + "' fuera de rango");
            else
                values[i] = v;
            ++i;
        }
    }

    // A "min-max" pair; the dash that separates them is the first one after the first character.
    template <class T>
    void pairAttribute(pugi::xml_node node, const char* name, T& minimum, T& maximum)
    {
        const char* text = attribute(node, name);
        if (!text) return;
        const std::string_view t = trimmed(text);
        const size_t dash = t.size() > 1 ? t.find('-', 1) : std::string_view::npos;
        if (dash == std::string_view::npos) {
            fail(label_, "'" + std::string(text) + "' no es un intervalo");
            return;
        }
        long long a = 0, b = 0;
        const long long low = std::numeric_limits<T>::min(), high = std::numeric_limits<T>::max();
        if (integer(t.substr(0, dash), low, high, a) && integer(t.substr(dash + 1), low, high, b)) {
            minimum = static_cast<T>(a);
            maximum = static_cast<T>(b);
        }
    }

    // ---- sections ----

    void program(pugi::xml_node node)
    {
        label_ = "TIPOJUEGO";
        for (pugi::xml_attribute a : node.attributes())
            if (sameName(a.name(), "IDtipojuego")) {
                long long id = 0;
                if (integer(a.value(), std::numeric_limits<long long>::min(), std::numeric_limits<long long>::max(), id) &&
                    (id == 0 || id == 1))
                    selectGame(s_, static_cast<GameType>(id));
                return;
            }
    }

    void combination(pugi::xml_node node)
    {
        if (s_.base.kind == CombinationKind::FromFile) return;
        label_ = "NUMEROS-REINTEGROS";
        for (pugi::xml_node child : elements(node.children())) {
            const std::string name = upper(child.name());
            if (name == "BASE_NUMEROS") {
                flagList(child, "numeros", s_.base.markedNumbers, kMinNumber, kMaxNumber);
            } else if (name == "BASE_REINTEGROS") {
                flagList(child, "numeros", s_.base.markedReintegros, 0, kMaxReintegro);
                long long mode = 0;
                if (integerAttribute(child, "tipo", 0, 2, mode)) s_.base.reintegroMode = static_cast<ReintegroMode>(mode);
            }
        }
        recomputeCounters(s_);
    }

    void winning(pugi::xml_node node)
    {
        label_ = "COMBINACION GANADORA";
        const char* text = attribute(node, "valor");
        if (!text || trimmed(text).empty()) return;
        size_t i = 0;
        for (std::string_view item : splitCommas(text)) {
            if (i >= s_.winning.numbers.size()) {
                fail(label_, "demasiados valores en valor");
                return;
            }
            long long v = 0;
            if (integer(item, 0, kMaxNumber, v)) s_.winning.numbers[i] = static_cast<uint8_t>(v);
            ++i;
        }
    }

    void complementary(pugi::xml_node node)
    {
        label_ = "COMPLEMENTARIO";
        setFromAttribute(node, "valor", 0, kMaxNumber, s_.winning.complementary);
    }

    void baseAscii(pugi::xml_node node)
    {
        if (s_.base.kind == CombinationKind::FromFile) return;
        label_ = "BASE ASCII";
        const char* text = attribute(node, "valor");
        if (text && *text) baseAsciiPath_ = text;
    }

    void reduction(pugi::xml_node node)
    {
        label_ = "REDUCCION";
        ReductionOptions& r = s_.reduction;
        for (pugi::xml_node child : elements(node.children())) {
            const std::string name = upper(child.name());
            if (name == "TIPO") {
                long long type = 0;
                if (integerAttribute(child, "valor", 0, 4, type)) {
                    r.type = static_cast<int>(type);
                    // The reduction is active exactly when its type asks for one.
                    s_.filterRows[kReductionRow] = buildReductionRow(r.type, r.type != 0);
                }
            } else if (name == "PORCENTAJE") setWhole(child, "valor", r.percentage);
            else if (name == "ACTIVARNUMEROAPUESTAS") setWhole(child, "valor", r.byBetCount);
            else if (name == "NUAPUESTAS") setWhole(child, "valor", r.betCount);
            else if (name == "APUESTASEXACTAS") setWhole(child, "valor", r.exactCount);
            else if (name == "ACTIVARCICLOS") setWhole(child, "valor", r.cycles);
            else if (name == "ALEATORIO") setWhole(child, "valor", r.random);
        }
    }

    void filters(pugi::xml_node node)
    {
        for (pugi::xml_node block : elements(node.children())) {
            const char* id = nullptr;
            for (pugi::xml_attribute a : block.attributes())
                if (!id && sameName(a.name(), "nombre")) id = a.value();
            if (!id) continue;
            const int position = filterPositionByName(upper(trimmed(id)).c_str());
            if (position < 0) continue;
            label_ = filterInfo(position).xmlSection;
            long long active = 0;
            if (integerAttribute(block, "activado", std::numeric_limits<long long>::min(),
                                 std::numeric_limits<long long>::max(), active) &&
                active == 1)
                setRowActive(s_.filterRows[position], true);
            filterParameters(block, static_cast<FilterId>(position));
        }
    }

    // The children of a block whose upper-cased name is `name`.
    template <class F>
    void each(pugi::xml_node block, const char* name, F&& f)
    {
        for (pugi::xml_node child : elements(block.children()))
            if (upper(child.name()) == name) f(child);
    }

    // A numbered entry: its index within [1, count] (0-based on return); false after a failure.
    bool entryIndex(pugi::xml_node node, const char* name, int count, int& index)
    {
        long long v = 0;
        if (!integerAttribute(node, name, 1, count, v)) return false;
        index = static_cast<int>(v) - 1;
        return true;
    }

    void filterParameters(pugi::xml_node block, FilterId id)
    {
        FilterParams& f = s_.filters;
        switch (id) {
        case FilterId::ALTOSBAJOS:
            each(block, "BAJOS", [&](pugi::xml_node n) { flagList(n, "valores", f.altosBajos.bajos.flags, 0, 6); });
            each(block, "ALTOS", [&](pugi::xml_node n) { flagList(n, "valores", f.altosBajos.altos.flags, 0, 6); });
            break;
        case FilterId::DECENAS: {
            static const char* const names[5] = {"DECENA0109", "DECENA1019", "DECENA2029", "DECENA3039", "DECENA4049"};
            for (int d = 0; d < 5; ++d)
                each(block, names[d], [&](pugi::xml_node n) { flagList(n, "valores", f.decenas.decenas[d].flags, 0, 6); });
            each(block, "FIGURASDECENAS", [&](pugi::xml_node n) { valueList(n, "valores", f.decenas.figures); });
            break;
        }
        case FilterId::DISTANCIAS: {
            static const char* const pairs[6] = {"12", "23", "34", "45", "56", "16"};
            for (int k = 0; k < 6; ++k) {
                const std::string base = std::string("DISTANCIA") + pairs[k];
                each(block, (base + "MINIMA").c_str(), [&](pugi::xml_node n) { setWhole(n, "valor", f.distancias.minimum[k]); });
                each(block, (base + "MAXIMA").c_str(), [&](pugi::xml_node n) { setWhole(n, "valor", f.distancias.maximum[k]); });
            }
            break;
        }
        case FilterId::GRUPOS:
            each(block, "GRUPO", [&](pugi::xml_node g) {
                int index = 0;
                if (!entryIndex(g, "numero", kGroupCount, index)) return;
                NumberGroup& group = f.grupos.groups[index];
                each(g, "NUMEROS", [&](pugi::xml_node n) { flagList(n, "valores", group.members, 1, 49); });
                each(g, "ACIERTOS", [&](pugi::xml_node n) { flagList(n, "valores", group.hits.flags, 0, 6); });
                each(g, "POSICIONES", [&](pugi::xml_node n) { valueList(n, "valores", group.positions); });
            });
            break;
        case FilterId::GRUPOSRELACIONADOS:
            each(block, "GRUPO", [&](pugi::xml_node g) {
                int b = 0;
                if (!entryIndex(g, "numero", kRelatedBlocks, b)) return;
                each(g, "SUBGRUPOS", [&](pugi::xml_node list) {
                    int j = 0;
                    for (pugi::xml_node sub : elements(list.children())) {
                        if (j >= 6) {
                            fail(label_, "más de 6 subgrupos en el grupo " + std::to_string(b + 1));
                            break;
                        }
                        flagList(sub, "numeros", f.gruposRelacionados.subgroups[b * 6 + j], 1, 49);
                        ++j;
                    }
                });
                each(g, "CONDICIONES", [&](pugi::xml_node list) {
                    each(list, "ACIERTOS", [&](pugi::xml_node n) {
                        int j = 0;
                        if (entryIndex(n, "bloque", 6, j))
                            flagList(n, "valores", f.gruposRelacionados.conditions[b * 6 + j].flags, 0, 6);
                    });
                });
            });
            break;
        case FilterId::HOMOLOGOS:
            each(block, "HOMOLOGOSACERTADOS", [&](pugi::xml_node n) { flagList(n, "valores", f.homologos.homologos.flags, 0, 6); });
            break;
        case FilterId::PARESIMPARES:
            each(block, "PARESACTIVOS", [&](pugi::xml_node n) { flagList(n, "valores", f.paresImpares.pares.flags, 0, 6); });
            break;
        case FilterId::SEGUIDOS:
            each(block, "NUMEROSSEGUIDOS", [&](pugi::xml_node n) { flagList(n, "valores", f.seguidos.seguidos.flags, 0, 6); });
            each(block, "FIGURASSEGUIDOS", [&](pugi::xml_node n) { valueList(n, "valores", f.seguidos.figures); });
            break;
        case FilterId::SUMAS:
            each(block, "INTERVALOS", [&](pugi::xml_node list) {
                for (pugi::xml_node n : elements(list.children())) {
                    int i = 0;
                    if (entryIndex(n, "numero", 10, i))
                        pairAttribute(n, "suma", f.sumas.intervals[i].minimum, f.sumas.intervals[i].maximum);
                }
            });
            break;
        case FilterId::TERMINACIONES:
            each(block, "TERMINADOSEN", [&](pugi::xml_node n) {
                long long d = 0;
                if (integerAttribute(n, "id", 0, 9, d)) flagList(n, "valores", f.terminaciones.terminadosEn[d].flags, 0, 6);
            });
            each(block, "SUMATERMINACIONES",
                 [&](pugi::xml_node n) { pairAttribute(n, "suma", f.terminaciones.sumMin, f.terminaciones.sumMax); });
            each(block, "FIGURASTERMINACIONES", [&](pugi::xml_node n) { valueList(n, "valores", f.terminaciones.figures); });
            break;
        case FilterId::POSICIONES:
            each(block, "BOLA", [&](pugi::xml_node n) {
                int j = 0;
                if (entryIndex(n, "id", 6, j)) flagList(n, "valores", f.posiciones.allowed[j], 1, 49);
            });
            break;
        case FilterId::EXTERIORESINTERIORES:
            each(block, "EXTERIORESINTERIORESACTIVOS",
                 [&](pugi::xml_node n) { flagList(n, "valores", f.exteriores.exteriores.flags, 0, 6); });
            break;
        case FilterId::SUPERIORESINFERIORES:
            each(block, "SUPERIORESINFERIORESACTIVOS",
                 [&](pugi::xml_node n) { flagList(n, "valores", f.superiores.superiores.flags, 0, 6); });
            break;
        case FilterId::COLINDANTES:
            each(block, "COLINDANTESACERTADOS",
                 [&](pugi::xml_node n) { flagList(n, "valores", f.colindantes.colindantes.flags, 0, 6); });
            break;
        case FilterId::SORTEOSANTERIORES:
            each(block, "GRUPO", [&](pugi::xml_node g) {
                int index = 0;
                if (!entryIndex(g, "numero", kPreviousDrawsGroups, index)) return;
                PreviousDrawsGroup& group = f.sorteosAnteriores.groups[index];
                each(g, "SORTEODESDE", [&](pugi::xml_node n) {
                    setWhole(n, "numero", group.sorteoDESDE.draw);
                    setWhole(n, "anio", group.sorteoDESDE.season);
                });
                each(g, "SORTEOHASTA", [&](pugi::xml_node n) {
                    setWhole(n, "numero", group.sorteoHASTA.draw);
                    setWhole(n, "anio", group.sorteoHASTA.season);
                });
                each(g, "SORTEODIAS", [&](pugi::xml_node n) { setWhole(n, "valor", group.sorteoDIAS); });
                each(g, "ACIERTOSMINIMOSORTEOS", [&](pugi::xml_node n) { setWhole(n, "valor", group.aciertosMinimoSORTEOS); });
                each(g, "ACIERTOSMAXIMOSORTEOS", [&](pugi::xml_node n) { setWhole(n, "valor", group.aciertosMaximoSORTEOS); });
                each(g, "ACERTAREN", [&](pugi::xml_node n) { flagList(n, "valores", group.acertarEN.flags, 0, 6); });
            });
            break;
        case FilterId::SUMASPORTRIOS:
            for (int t = 0; t < 2; ++t) {
                auto& intervals = t == 0 ? f.sumasPorTrios.first : f.sumasPorTrios.last;
                each(block, t == 0 ? "INTERVALOST1" : "INTERVALOST2", [&](pugi::xml_node list) {
                    for (pugi::xml_node n : elements(list.children())) {
                        int i = 0;
                        if (entryIndex(n, "numero", 5, i)) pairAttribute(n, "suma", intervals[i].minimum, intervals[i].maximum);
                    }
                });
            }
            break;
        case FilterId::VALORACIONES:
            each(block, "GRUPO", [&](pugi::xml_node g) {
                int c = 0;
                if (!entryIndex(g, "numero", kValuationConditions, c)) return;
                ValoracionesParams& v = f.valoraciones;
                each(g, "INTERVALOS", [&](pugi::xml_node list) {
                    for (pugi::xml_node n : elements(list.children())) {
                        int k = 0;
                        if (entryIndex(n, "numero", 4, k)) pairAttribute(n, "valores", v.valuationMin[c][k], v.valuationMax[c][k]);
                    }
                });
                each(g, "VALORACIONES", [&](pugi::xml_node n) {
                    std::array<int16_t, 49> column{};
                    for (int number = 0; number < 49; ++number) column[number] = v.valuations[number][c];
                    valueList(n, "valores", column);
                    for (int number = 0; number < 49; ++number) v.valuations[number][c] = column[number];
                });
            });
            break;
        case FilterId::COEFICIENTERENTABILIDAD:
            each(block, "PORCENTAJESAPOSTADOS", [&](pugi::xml_node n) { percentList(n, "valores", f.coeficiente.played); });
            each(block, "PORCENTAJESREALES", [&](pugi::xml_node n) { percentList(n, "valores", f.coeficiente.real); });
            each(block, "RANGOSCR", [&](pugi::xml_node n) { flagList(n, "valores", f.coeficiente.ranges, 0, 100); });
            break;
        case FilterId::GRUPOSENTRELIMITES:
            each(block, "GRUPO", [&](pugi::xml_node g) {
                int index = 0;
                if (!entryIndex(g, "numero", kGroupCount, index)) return;
                LimitGroup& group = f.gruposEntreLimites.groups[index];
                each(g, "NUMEROS", [&](pugi::xml_node n) { flagList(n, "valores", group.members, 1, 49); });
                each(g, "ACIERTOS", [&](pugi::xml_node n) { flagList(n, "valores", group.hits.flags, 0, 6); });
            });
            each(block, "ACIERTOSMINIMOGRUPOSENTRELIMITES",
                 [&](pugi::xml_node n) { setWhole(n, "valor", f.gruposEntreLimites.minimum); });
            each(block, "ACIERTOSMAXIMOGRUPOSENTRELIMITES",
                 [&](pugi::xml_node n) { setWhole(n, "valor", f.gruposEntreLimites.maximum); });
            break;
        }
    }

    AppState& s_;
    std::string label_;
    std::vector<std::pair<std::string, std::string>> errors_;
    std::string baseAsciiPath_;
};

// Largest base file read. A full configuration takes some tens of kilobytes; anything far
// larger is no base file, and parsing it would take many times its size in memory.
constexpr size_t kMaxBaseFileBytes = size_t{4} << 20;
// Longest description of one section in the error box.
constexpr size_t kMaxErrorDescription = 200;

bool readBaseFilePath(AppState& state, const std::string& path, Interaction& ui)
{
    std::string bytes;
    bool readable = false;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        char chunk[1 << 16];
        size_t got;
        // One byte past the limit is enough to refuse the file.
        while (bytes.size() <= kMaxBaseFileBytes && (got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
            bytes.append(chunk, got);
        readable = !std::ferror(file);
        std::fclose(file);
    }
    return readBaseFileBytes(state, fileNameOf(path), bytes, readable, ui);
}

} // namespace

bool readBaseFileBytes(AppState& state, const std::string& fileName, std::string_view bytes, bool readable,
                       Interaction& ui)
{
    // Start from the reset configuration; an imported combination keeps its grid.
    if (state.base.kind != CombinationKind::FromFile) {
        state.base.markedNumbers.fill(0);
        state.base.markedReintegros.fill(0);
        recomputeCounters(state);
    }
    ResetStateDefaults(state);
    resetFilterRows(state);
    state.baseFileName = fileName;

    pugi::xml_document document;
    bool parsed = false;
    const bool tooLarge = readable && bytes.size() > kMaxBaseFileBytes;
    if (readable && !tooLarge) {
        // Files written by earlier versions of the program are in Windows-1252.
        const bool utf16 = bytes.size() >= 2 && ((bytes[0] == '\xFF' && bytes[1] == '\xFE') ||
                                                 (bytes[0] == '\xFE' && bytes[1] == '\xFF'));
        pugi::xml_parse_result result;
        if (!utf16 && !isValidUtf8(bytes)) {
            const std::string text = cp1252ToUtf8(bytes);
            result = document.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8);
        } else {
            result = document.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_auto);
        }
        parsed = static_cast<bool>(result);
    }

    BaseFileReader reader(state);
    reader.walk(document);
    if (tooLarge)
        reader.fail("FICHERO", "ERROR AL ABRIR EL FICHERO (pasa de " + std::to_string(kMaxBaseFileBytes >> 20) +
                                   " MB, no es un fichero BASE)");
    else if (!parsed) reader.fail("FICHERO", "ERROR AL ABRIR EL FICHERO");

    // A counted filter's row shows how many entries the file defined.
    for (int p = 0; p < kFilterCount; ++p)
        if (entryCapacity(static_cast<FilterId>(p)) > 0) rebuildFilterRow(state, p);

    if (!reader.errors().empty()) {
        std::string text = "ERRORES detectados al abrir la BASE:\n\n";
        // A description may quote a value of the file: never let one fill the box or cut it short.
        for (const auto& [label, description] : reader.errors())
            text += label + " : " + clipForMessage(description, kMaxErrorDescription) + "\n";
        ui.error(text);
    }
    if (!reader.baseAsciiPath().empty())
        ui.warning("AVISO : La Base fue importada desde el fichero en ASCII: (" + reader.baseAsciiPath() + ")\n" +
                   "Debe importarlo de nuevo con la opción 'Desde Archivo' si quiere que su Combinación parta de "
                   "dicho fichero.");
    state.savedFlag = true;
    return parsed;
}

bool ReadBaseFile(AppState& state, const std::string& path, Interaction& ui)
{
    try {
        return readBaseFilePath(state, path, ui);
    } catch (const std::bad_alloc&) {
        ui.error("ERROR AL ABRIR EL FICHERO");
        return false;
    }
}


} // namespace kombitron
