#include "filters/summary_report.h"

#include "core/filter_rows.h"
#include "core/format.h"
#include "filters/coefficient.h"
#include "filters/figures.h"
#include "filters/filter_common.h"
#include "filters/percentages_file.h"

namespace kombitron {

namespace {

class Text {
public:
    void line(const std::string& s = {}) { text_ += s + "\r\n"; }
    std::string take() { return std::move(text_); }

private:
    std::string text_;
};

std::string list(const HitSet& set) { return hitSetText(set); }

// Figure list: the texts of the flags that are on, comma-separated.
std::string figures(const uint8_t* flags, int count, const char* (*text)(int))
{
    std::string out;
    for (int i = 0; i < count; ++i) {
        if (!flags[i]) continue;
        if (!out.empty()) out += ',';
        out += text(i);
    }
    return out;
}

// "c-(6-c)" for the partition filters' HitSets.
std::string splitFigures(const HitSet& set)
{
    std::string out;
    for (int c = 0; c <= 6; ++c) {
        if (!set.flags[c]) continue;
        if (!out.empty()) out += ',';
        out += std::to_string(c) + "-" + std::to_string(6 - c);
    }
    return out;
}

std::string members(const NumberFlags& flags) { return flagListText(flags.data(), 1, 49); }

// The ticket layout: the row of units 0 (an empty cell, then 10, 20, 30, 40), then the rows of
// units 1..9. `cell(n)` gives the text of number n's cell.
template <class Cell>
void grid(Text& out, const std::string& emptyCell, const Cell& cell)
{
    for (int units = 0; units <= 9; ++units) {
        std::string row = units == 0 ? emptyCell : cell(units);
        for (int tens = 1; tens <= 4; ++tens) {
            const int n = tens * 10 + units;
            if (n <= 49) row += cell(n);
        }
        out.line(row);
    }
}

void percentagesGrid(Text& out, const PercentagesTable& table)
{
    grid(out, std::string(6, ' '), [&](int n) {
        const double v = table[n - 1];
        return v == 0 ? std::string(" -----") : padRight(" " + percentageText(v), 6);
    });
}

void section(Text& out, const AppState& state, FilterId id)
{
    const FilterParams& f = state.filters;
    switch (id) {
    case FilterId::ALTOSBAJOS:
        out.line("Filtro BAJOS Y ALTOS:");
        out.line("Números 01 al 24: " + list(f.altosBajos.bajos));
        out.line("Números 25 al 49: " + list(f.altosBajos.altos));
        break;
    case FilterId::DECENAS: {
        out.line("Filtro DECENAS:");
        static const char* const kLabels[5] = {"Decena del 01 al 09: ", "Decena del 10 al 19: ", "Decena del 20 al 29: ",
                                               "Decena del 30 al 39: ", "Decena del 40 al 49: "};
        for (int d = 0; d < 5; ++d) out.line(kLabels[d] + list(f.decenas.decenas[d]));
        out.line("Figuras jugadas: " + figures(f.decenas.figures.data(), 10, decadeFigureText));
        break;
    }
    case FilterId::DISTANCIAS: {
        out.line("Filtro DISTANCIAS:");
        static const char* const kLabels[6] = {
            "Distancia entre números 1 y 2(Mín-Máx): ", "Distancia entre números 2 y 3(Mín-Máx): ",
            "Distancia entre números 3 y 4(Mín-Máx): ", "Distancia entre números 4 y 5(Mín-Máx): ",
            "Distancia entre números 5 y 6(Mín-Máx): ", "Distancia general números del 1 al 6(Mín-Máx): "};
        for (int r = 0; r < 6; ++r)
            out.line(kLabels[r] + std::to_string(f.distancias.minimum[r]) + "-" + std::to_string(f.distancias.maximum[r]));
        break;
    }
    case FilterId::GRUPOS:
        out.line("Filtro GRUPOS DE NUMEROS:");
        for (int g = 1; g <= kGroupCount; ++g) {
            const NumberGroup& group = f.grupos.groups[g - 1];
            if (!group.hits.any()) continue;
            out.line("Grupo " + std::to_string(g));
            out.line("Números en el grupo: " + members(group.members));
            out.line("Aciertos en el grupo: " + list(group.hits));
            std::string positions;
            for (int k = 0; k < 6; ++k) {
                if (!group.positions[k]) continue;
                if (!positions.empty()) positions += ',';
                positions += std::to_string(k + 1);
            }
            out.line("Posiciones en el grupo: " + positions);
            out.line();
        }
        break;
    case FilterId::GRUPOSRELACIONADOS:
        out.line("Filtro GRUPOS RELACIONADOS:");
        for (int b = 1; b <= kRelatedBlocks; ++b) {
            int filled = 0;
            for (int j = 0; j < 6; ++j) filled += membersMask(f.gruposRelacionados.subgroups[(b - 1) * 6 + j]) != 0 ? 1 : 0;
            if (filled == 0) continue;
            out.line("GRUPO " + std::to_string(b));
            for (int i = 1; i <= filled; ++i) {
                const NumberFlags& sub = f.gruposRelacionados.subgroups[(b - 1) * 6 + i - 1];
                std::string line = "Números en Subgrupo " + std::to_string((b - 1) * 6 + i) + ": ";
                for (int n = 1; n <= 49; ++n)
                    if (sub[n]) line += std::to_string(n) + " ";
                out.line(line);
            }
            for (int j = 0; j < 6; ++j) {
                const HitSet& condition = f.gruposRelacionados.conditions[(b - 1) * 6 + j];
                if (condition.any()) out.line("Aciertos en algún Subgrupo: " + list(condition));
            }
        }
        break;
    case FilterId::HOMOLOGOS:
        out.line("Filtro HOMOLOGOS:");
        out.line("Homólogos acertados: " + list(f.homologos.homologos));
        break;
    case FilterId::PARESIMPARES:
        out.line("Filtro PARES E IMPARES:");
        out.line("Números jugados (Pares-Impares): " + splitFigures(f.paresImpares.pares));
        break;
    case FilterId::SEGUIDOS:
        out.line("Filtro SEGUIDOS:");
        out.line("Números Seguidos: " + list(f.seguidos.seguidos));
        out.line("Figuras jugadas: " + figures(f.seguidos.figures.data(), 11, runFigureText));
        break;
    case FilterId::SUMAS:
        out.line("Filtro SUMAS:");
        for (int i = 1; i <= 10; ++i) {
            const SumInterval& s = f.sumas.intervals[i - 1];
            out.line("Intervalo " + std::to_string(i) + "(Suma Mín-Máx): " + std::to_string(s.minimum) + "-" +
                     std::to_string(s.maximum));
        }
        break;
    case FilterId::TERMINACIONES:
        out.line("Filtro TERMINACIONES:");
        for (int d = 0; d <= 9; ++d)
            out.line("Terminados en " + std::to_string(d) + ": " + list(f.terminaciones.terminadosEn[d]));
        out.line("Figuras jugadas: " + figures(f.terminaciones.figures.data(), 10, lastDigitFigureText));
        out.line("Suma de Terminaciones: " + std::to_string(f.terminaciones.sumMin) + "-" +
                 std::to_string(f.terminaciones.sumMax));
        break;
    case FilterId::POSICIONES:
        out.line("Filtro POSICIONES:");
        out.line("Números seleccionados en cada bola:");
        for (int b = 1; b <= 6; ++b) {
            const std::string numbers = members(f.posiciones.allowed[b - 1]);
            out.line("BOLA " + std::to_string(b) + ": " + (numbers.empty() ? std::string("-") : numbers));
        }
        break;
    case FilterId::EXTERIORESINTERIORES:
        out.line("Filtro EXTERIORES/INTERIORES:");
        out.line("Números jugados (Exteriores-Interiores): " + splitFigures(f.exteriores.exteriores));
        break;
    case FilterId::SUPERIORESINFERIORES:
        out.line("Filtro SUPERIORES/INFERIORES:");
        out.line("Números jugados (Superiores-Inferiores): " + splitFigures(f.superiores.superiores));
        break;
    case FilterId::COLINDANTES:
        out.line("Filtro COLINDANTES:");
        out.line("Colindantes acertados: " + list(f.colindantes.colindantes));
        break;
    case FilterId::SORTEOSANTERIORES:
        out.line("Filtro SORTEOS ANTERIORES:");
        for (int g = 1; g <= kPreviousDrawsGroups; ++g) {
            const PreviousDrawsGroup& group = f.sorteosAnteriores.groups[g - 1];
            if (!group.acertarEN.any()) continue;
            out.line("GRUPO " + std::to_string(g));
            out.line("Desde el sorteo " + std::to_string(group.sorteoDESDE.draw) + " de " +
                     std::to_string(group.sorteoDESDE.season) + " hasta el sorteo " +
                     std::to_string(group.sorteoHASTA.draw) + " de " + std::to_string(group.sorteoHASTA.season));
            out.line(std::string("En los días : ") + weekdayName(group.sorteoDIAS));
            out.line("En Mínimo " + std::to_string(group.aciertosMinimoSORTEOS) + " Sorteos" + " y Máximo " +
                     std::to_string(group.aciertosMaximoSORTEOS) + " Sorteos");
            out.line("Se han de acertar : " + list(group.acertarEN));
        }
        break;
    case FilterId::SUMASPORTRIOS: {
        out.line("Filtro SUMAS POR TRIOS:");
        const auto trio = [&](const std::array<SumInterval, 5>& intervals) {
            for (int i = 1; i <= 5; ++i)
                out.line("Intervalo " + std::to_string(i) + "(Suma Mín-Máx): " + std::to_string(intervals[i - 1].minimum) +
                         "-" + std::to_string(intervals[i - 1].maximum));
        };
        out.line("Tres Primeros Números:");
        trio(f.sumasPorTrios.first);
        out.line("Tres Ultimos Números:");
        trio(f.sumasPorTrios.last);
        break;
    }
    case FilterId::VALORACIONES:
        out.line("Filtro VALORACIONES:");
        for (int c = 1; c <= kValuationConditions; ++c) {
            bool used = false;
            for (int k = 0; k < 4; ++k)
                used = used || f.valoraciones.valuationMin[c - 1][k] != 0 || f.valoraciones.valuationMax[c - 1][k] != 0;
            if (!used) continue;
            out.line("Grupo " + std::to_string(c));
            for (int k = 0; k < 4; ++k)
                out.line("Intervalo " + std::to_string(k + 1) + "(Mín-Máx): " +
                         std::to_string(f.valoraciones.valuationMin[c - 1][k]) + "-" +
                         std::to_string(f.valoraciones.valuationMax[c - 1][k]));
            out.line("Valoraciones:");
            grid(out, std::string(4, ' '), [&](int n) {
                const int v = f.valoraciones.valuations[n - 1][c - 1];
                return v == 0 ? std::string(" ---") : padRight(" " + std::to_string(v), 4);
            });
            out.line();
        }
        break;
    case FilterId::COEFICIENTERENTABILIDAD: {
        out.line("Filtro COEFICIENTE RENTABILIDAD:");
        out.line("Porcentajes Probabilidad Apostada:");
        percentagesGrid(out, f.coeficiente.played);
        out.line();
        out.line("Porcentajes Probabilidad Real:");
        percentagesGrid(out, f.coeficiente.real);
        out.line();
        std::string steps;
        for (int s = 0; s < 100; ++s) {
            if (!f.coeficiente.ranges[s]) continue;
            if (!steps.empty()) steps += ' ';
            steps += coefficientStepText(s);
        }
        out.line("CR seleccionados : " + steps);
        break;
    }
    case FilterId::GRUPOSENTRELIMITES:
        out.line("Filtro GRUPOS ENTRE LIMITES:");
        for (int g = 1; g <= kGroupCount; ++g) {
            const LimitGroup& group = f.gruposEntreLimites.groups[g - 1];
            if (!group.hits.any()) continue;
            out.line("Grupo " + std::to_string(g));
            out.line("Números en el grupo: " + members(group.members));
            out.line("Aciertos en el grupo: " + list(group.hits));
        }
        out.line("Límites de Grupos Acertados: " + std::to_string(f.gruposEntreLimites.minimum) + " - " +
                 std::to_string(f.gruposEntreLimites.maximum));
        break;
    }
    out.line();
}

} // namespace

std::string buildFilterSummary(const AppState& state)
{
    Text out;
    out.line("RESUMEN");
    out.line();
    out.line(std::string("Programa           : KOMBITRON ") + KOMBITRON_VERSION);
    out.line("Tipo de Juego      : " + state.base.gameName);
    out.line("Nombre combinación : " + state.baseFileName);
    const bool imported = state.base.kind == CombinationKind::FromFile;
    const int64_t bets = (!imported && state.reducedCount == 0) ? state.conditionedCount : state.reducedCount;
    out.line("Nº de Apuestas     : " + formatCount(bets));
    out.line();
    out.line("COMBINACION BASE");
    out.line();
    out.line("NUMEROS");
    grid(out, std::string(3, ' '), [&](int n) {
        return state.base.markedNumbers[n] ? " " + formatTwoDigits(n) : std::string(" --");
    });
    if (state.base.game == GameType::Primitiva) {
        out.line();
        out.line(std::string("REINTEGROS (") + reintegroModeText(state.base.reintegroMode) + ")");
        std::string row;
        for (int d = 0; d <= 9; ++d) {
            row += state.base.markedReintegros[d] ? " " + formatTwoDigits(d) + " " : std::string(" -- ");
            if (d == 4 || d == 9) {
                out.line(row);
                row.clear();
            }
        }
        out.line();
    }
    if (imported) {
        out.line("Base desde Fichero : " + state.base.importedFileName);
        out.line();
    }
    bool anyActive = false;
    for (int p = 0; p < kFilterCount; ++p) anyActive = anyActive || isRowActive(state.filterRows[p]);
    if (anyActive) {
        out.line("FILTROS");
        out.line();
        for (int p = 0; p < kFilterCount; ++p)
            if (isRowActive(state.filterRows[p])) section(out, state, static_cast<FilterId>(p));
    }
    return out.take();
}

} // namespace kombitron
