#include <charconv>
#include <cstring>
#include <ctime>
#include <new>

#include "core/filter_rows.h"
#include "core/paths.h"
#include "formats/base_file.h"

namespace kombitron {

namespace {

// Attribute text: the characters XML does not take literally in a quoted value become references.
std::string escaped(const std::string& value)
{
    std::string out;
    for (char c : value) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '\'': out += "&apos;"; break;
        case '"': out += "&quot;"; break;
        // A parser folds literal line ends and tabs in an attribute into spaces.
        case '\t': out += "&#9;"; break;
        case '\n': out += "&#10;"; break;
        case '\r': out += "&#13;"; break;
        default: out += c;
        }
    }
    return out;
}

// Indices first..last whose flag is on, ascending, comma-separated.
template <class Flags>
std::string flagList(const Flags& flags, int first, int last)
{
    std::string out;
    for (int i = first; i <= last; ++i)
        if (flags[static_cast<size_t>(i)]) {
            if (!out.empty()) out += ',';
            out += std::to_string(i);
        }
    return out;
}

template <class Values>
std::string valueList(const Values& values)
{
    std::string out;
    for (const auto& v : values) {
        if (!out.empty()) out += ',';
        out += std::to_string(static_cast<long long>(v));
    }
    return out;
}

// Up to 15 significant digits, no trailing zeros, "." whatever the locale says.
std::string invariant(double value)
{
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    return std::string(buf, result.ptr);
}

std::string percentList(const PercentagesTable& table)
{
    std::string out;
    for (double v : table) {
        if (!out.empty()) out += ',';
        out += invariant(v);
    }
    return out;
}

// Any of the numbers 1..49 flagged.
bool hasMembers(const NumberFlags& flags)
{
    static const uint8_t none[49] = {};
    return std::memcmp(flags.data() + 1, none, sizeof none) != 0;
}

std::string pair(long long minimum, long long maximum)
{
    return std::to_string(minimum) + "-" + std::to_string(maximum);
}

class Lines {
public:
    Lines& operator<<(const std::string& line)
    {
        text_ += line;
        text_ += "\r\n";
        return *this;
    }
    std::string take() { return std::move(text_); }

private:
    std::string text_;
};

std::string q(const std::string& v) { return "'" + escaped(v) + "'"; }
std::string q(long long v) { return "'" + std::to_string(v) + "'"; }

void writeFilterParameters(Lines& out, const FilterParams& f, FilterId id)
{
    switch (id) {
    case FilterId::ALTOSBAJOS:
        out << "<Bajos valores=" + q(flagList(f.altosBajos.bajos.flags, 0, 6)) + " />";
        out << "<Altos valores=" + q(flagList(f.altosBajos.altos.flags, 0, 6)) + " />";
        break;
    case FilterId::DECENAS: {
        static const char* const names[5] = {"Decena0109", "Decena1019", "Decena2029", "Decena3039", "Decena4049"};
        for (int d = 0; d < 5; ++d)
            out << "<" + std::string(names[d]) + " valores=" + q(flagList(f.decenas.decenas[d].flags, 0, 6)) + " />";
        out << "<FigurasDecenas valores=" + q(valueList(f.decenas.figures)) + "/>";
        break;
    }
    case FilterId::DISTANCIAS: {
        static const char* const pairs[6] = {"12", "23", "34", "45", "56", "16"};
        for (int k = 0; k < 6; ++k) {
            out << "<Distancia" + std::string(pairs[k]) + "Minima valor=" + q(f.distancias.minimum[k]) + " />";
            out << "<Distancia" + std::string(pairs[k]) + "Maxima valor=" + q(f.distancias.maximum[k]) + " />";
        }
        break;
    }
    case FilterId::GRUPOS:
        for (int g = 0; g < kGroupCount; ++g) {
            const NumberGroup& group = f.grupos.groups[g];
            if (!group.hits.any()) continue;
            out << "<grupo numero=" + q(g + 1) + ">";
            out << "<numeros valores=" + q(flagList(group.members, 1, 49)) + " />";
            out << "<aciertos valores=" + q(flagList(group.hits.flags, 0, 6)) + " />";
            out << "<posiciones valores=" + q(valueList(group.positions)) + " />";
            out << "</grupo>";
        }
        break;
    case FilterId::GRUPOSRELACIONADOS:
        for (int b = 0; b < kRelatedBlocks; ++b) {
            bool members = false;
            for (int j = 0; j < 6; ++j) members = members || hasMembers(f.gruposRelacionados.subgroups[b * 6 + j]);
            if (!members) continue;
            out << "<grupo numero=" + q(b + 1) + ">";
            out << "<subgrupos>";
            for (int j = 0; j < 6; ++j) {
                const std::string list = flagList(f.gruposRelacionados.subgroups[b * 6 + j], 1, 49);
                if (!list.empty()) out << "<subgrupo numero=" + q(b * 6 + j + 1) + " numeros=" + q(list) + " />";
            }
            out << "</subgrupos>";
            out << "<condiciones>";
            for (int j = 0; j < 6; ++j) {
                const HitSet& hits = f.gruposRelacionados.conditions[b * 6 + j];
                if (hits.any()) out << "<aciertos bloque=" + q(j + 1) + " valores=" + q(flagList(hits.flags, 0, 6)) + " />";
            }
            out << "</condiciones>";
            out << "</grupo>";
        }
        break;
    case FilterId::HOMOLOGOS:
        out << "<HomologosAcertados valores=" + q(flagList(f.homologos.homologos.flags, 1, 6)) + " />";
        break;
    case FilterId::PARESIMPARES:
        out << "<ParesActivos valores=" + q(flagList(f.paresImpares.pares.flags, 0, 6)) + " />";
        break;
    case FilterId::SEGUIDOS:
        out << "<NumerosSeguidos valores=" + q(flagList(f.seguidos.seguidos.flags, 1, 6)) + " />";
        out << "<FigurasSeguidos valores=" + q(valueList(f.seguidos.figures)) + "/>";
        break;
    case FilterId::SUMAS:
        out << "<intervalos>";
        for (int i = 0; i < 10; ++i)
            out << "<intervalo numero=" + q(i + 1) + " suma=" +
                       q(pair(f.sumas.intervals[i].minimum, f.sumas.intervals[i].maximum)) + "/>";
        out << "</intervalos>";
        break;
    case FilterId::TERMINACIONES:
        for (int d = 0; d < 10; ++d)
            out << "<TerminadosEn id=" + q(d) + " valores=" + q(flagList(f.terminaciones.terminadosEn[d].flags, 0, 6)) +
                       " />";
        out << "<SumaTerminaciones suma=" + q(pair(f.terminaciones.sumMin, f.terminaciones.sumMax)) + "/>";
        out << "<FigurasTerminaciones valores=" + q(valueList(f.terminaciones.figures)) + "/>";
        break;
    case FilterId::POSICIONES:
        for (int j = 0; j < 6; ++j)
            out << "<Bola id=" + q(j + 1) + " valores=" + q(flagList(f.posiciones.allowed[j], 1, 49)) + " />";
        break;
    case FilterId::EXTERIORESINTERIORES:
        out << "<ExterioresInterioresActivos valores=" + q(flagList(f.exteriores.exteriores.flags, 0, 6)) + " />";
        break;
    case FilterId::SUPERIORESINFERIORES:
        out << "<SuperioresInferioresActivos valores=" + q(flagList(f.superiores.superiores.flags, 0, 6)) + " />";
        break;
    case FilterId::COLINDANTES:
        out << "<ColindantesAcertados valores=" + q(flagList(f.colindantes.colindantes.flags, 0, 6)) + " />";
        break;
    case FilterId::SORTEOSANTERIORES:
        for (int g = 0; g < kPreviousDrawsGroups; ++g) {
            const PreviousDrawsGroup& group = f.sorteosAnteriores.groups[g];
            if (!group.acertarEN.any()) continue;
            out << "<grupo numero=" + q(g + 1) + ">";
            out << "<sorteoDESDE numero=" + q(group.sorteoDESDE.draw) + " anio=" + q(group.sorteoDESDE.season) + "/>";
            out << "<sorteoHASTA numero=" + q(group.sorteoHASTA.draw) + " anio=" + q(group.sorteoHASTA.season) + "/>";
            out << "<sorteoDIAS valor=" + q(group.sorteoDIAS) + "/>";
            out << "<aciertosMinimoSORTEOS valor=" + q(group.aciertosMinimoSORTEOS) + " />";
            out << "<aciertosMaximoSORTEOS valor=" + q(group.aciertosMaximoSORTEOS) + " />";
            out << "<acertarEN valores=" + q(flagList(group.acertarEN.flags, 0, 6)) + " />";
            out << "</grupo>";
        }
        break;
    case FilterId::SUMASPORTRIOS:
        for (int t = 0; t < 2; ++t) {
            const auto& intervals = t == 0 ? f.sumasPorTrios.first : f.sumasPorTrios.last;
            const std::string name = t == 0 ? "intervalosT1" : "intervalosT2";
            out << "<" + name + ">";
            for (int i = 0; i < 5; ++i)
                out << "<intervalo numero=" + q(i + 1) + " suma=" + q(pair(intervals[i].minimum, intervals[i].maximum)) +
                           "/>";
            out << "</" + name + ">";
        }
        break;
    case FilterId::VALORACIONES:
        for (int c = 0; c < kValuationConditions; ++c) {
            bool defined = false;
            for (int k = 0; k < 4; ++k)
                defined = defined || f.valoraciones.valuationMin[c][k] != 0 || f.valoraciones.valuationMax[c][k] != 0;
            if (!defined) continue;
            out << "<grupo numero=" + q(c + 1) + ">";
            out << "<intervalos>";
            for (int k = 0; k < 4; ++k)
                out << "<intervalo numero=" + q(k + 1) + " valores=" +
                           q(pair(f.valoraciones.valuationMin[c][k], f.valoraciones.valuationMax[c][k])) + "/>";
            out << "</intervalos>";
            std::string values;
            for (int n = 0; n < 49; ++n) {
                if (n > 0) values += ',';
                values += std::to_string(f.valoraciones.valuations[n][c]);
            }
            out << "<valoraciones valores=" + q(values) + "/>";
            out << "</grupo>";
        }
        break;
    case FilterId::COEFICIENTERENTABILIDAD:
        out << "<PorcentajesApostados valores=" + q(percentList(f.coeficiente.played)) + "/>";
        out << "<PorcentajesReales valores=" + q(percentList(f.coeficiente.real)) + "/>";
        out << "<RangosCR valores=" + q(flagList(f.coeficiente.ranges, 0, 100)) + " />";
        break;
    case FilterId::GRUPOSENTRELIMITES:
        for (int g = 0; g < kGroupCount; ++g) {
            const LimitGroup& group = f.gruposEntreLimites.groups[g];
            if (!group.hits.any()) continue;
            out << "<grupo numero=" + q(g + 1) + ">";
            out << "<numeros valores=" + q(flagList(group.members, 1, 49)) + " />";
            out << "<aciertos valores=" + q(flagList(group.hits.flags, 0, 6)) + " />";
            out << "</grupo>";
        }
        out << "<aciertosMinimoGRUPOSENTRELIMITES valor=" + q(f.gruposEntreLimites.minimum) + " />";
        out << "<aciertosMaximoGRUPOSENTRELIMITES valor=" + q(f.gruposEntreLimites.maximum) + " />";
        break;
    }
}

} // namespace

std::string buildBaseFileText(const AppState& state, const std::string& date, const std::string& time)
{
    const BaseCombination& base = state.base;
    Lines out;
    out << "<XML>";
    out << "<BASE>";
    out << "<DatosGeneracionFicheroXML fecha=" + q(date) + " hora=" + q(time) + "/>";
    out << "<Programa nombre='KOMBITRON' version=" + q(KOMBITRON_VERSION) + " IDtipojuego=" +
               q(static_cast<int>(base.game)) + " tipojuego=" + q(base.gameName) + " />";
    out << "<Combinacion>";
    out << "<Base_Numeros numeros=" + q(flagList(base.markedNumbers, 1, 49)) + "/>";
    out << "<Base_Reintegros numeros=" + q(flagList(base.markedReintegros, 0, 9)) + " tipo=" +
               q(static_cast<int>(base.reintegroMode)) + " tipoDescripcion=" + q(reintegroModeText(base.reintegroMode)) +
               " />";
    out << "</Combinacion>";
    out << "<CombinacionGanadora valor=" + q(valueList(state.winning.numbers)) + " />";
    out << "<Complementario valor=" + q(state.winning.complementary) + " />";
    // A path left over from an earlier import is not the base of a manual combination.
    out << "<BaseASCII valor=" + q(base.kind == CombinationKind::FromFile ? base.importedFileName : std::string()) +
               " />";
    out << "<Filtros>";
    for (int p = 0; p < kFilterCount; ++p) {
        out << "<Filtro nombre=" + q(filterInfo(p).name) + " activado=" + q(isRowActive(state.filterRows[p]) ? 1 : 0) +
                   ">";
        writeFilterParameters(out, state.filters, static_cast<FilterId>(p));
        out << "</Filtro>";
    }
    out << "</Filtros>";
    const ReductionOptions& r = state.reduction;
    out << "<Reduccion>";
    out << "<Tipo descripcion=" + q(reductionType(r.type).shortName) + " valor=" + q(r.type) + " />";
    out << "<Porcentaje valor=" + q(r.percentage) + " />";
    out << "<ActivarNumeroApuestas valor=" + q(r.byBetCount) + " />";
    out << "<NuApuestas valor=" + q(r.betCount) + " />";
    out << "<ApuestasExactas valor=" + q(r.exactCount) + " />";
    out << "<ActivarCiclos valor=" + q(r.cycles) + " />";
    out << "<Aleatorio valor=" + q(r.random) + " />";
    out << "</Reduccion>";
    out << "</BASE>";
    out << "</XML>";
    return out.take();
}

std::string buildBaseFileText(const AppState& state)
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char date[16], time[16];
    std::strftime(date, sizeof date, "%d/%m/%Y", &local);
    std::strftime(time, sizeof time, "%H:%M:%S", &local);
    return buildBaseFileText(state, date, time);
}

bool WriteBaseFile(AppState& state, const std::string& path, std::string& failure)
{
    std::string text;
    try {
        text = buildBaseFileText(state);
    } catch (const std::bad_alloc&) {
        failure = "memoria insuficiente";
        return false;
    }
    if (!writeFileAtomically(path, text, failure)) return false;
    state.savedFlag = true;
    state.baseFileName = fileNameOf(path);
    return true;
}

} // namespace kombitron
