#include "filters/conditioning.h"

#include "core/filter_rows.h"
#include "core/format.h"

#include "filters/coefficient.h"
#include "filters/distances_sums.h"
#include "filters/figures.h"
#include "filters/groups.h"
#include "filters/homologous_adjacent.h"
#include "filters/partition.h"
#include "filters/positions.h"
#include "filters/previous_draws.h"
#include "filters/related_groups.h"
#include "filters/valuations.h"

namespace kombitron {

FilterPassFunction filterPassAt(int position)
{
    static constexpr FilterPassFunction kPasses[kFilterCount] = {
        altosBajosPass,           // ALTOSBAJOS
        decenasPass,              // DECENAS
        distanciasPass,           // DISTANCIAS
        gruposPass,               // GRUPOS
        gruposRelacionadosPass,   // GRUPOSRELACIONADOS
        homologosPass,            // HOMOLOGOS
        paresImparesPass,         // PARESIMPARES
        seguidosPass,             // SEGUIDOS
        sumasPass,                // SUMAS
        terminacionesPass,        // TERMINACIONES
        posicionesPass,           // POSICIONES
        exterioresInterioresPass, // EXTERIORESINTERIORES
        superioresInferioresPass, // SUPERIORESINFERIORES
        colindantesPass,          // COLINDANTES
        sorteosAnterioresPass,    // SORTEOSANTERIORES
        sumasPorTriosPass,        // SUMASPORTRIOS
        valoracionesPass,         // VALORACIONES
        coeficienteRentabilidadPass, // COEFICIENTERENTABILIDAD
        gruposEntreLimitesPass,   // GRUPOSENTRELIMITES
    };
    return position >= 0 && position < kFilterCount ? kPasses[position] : nullptr;
}

ConditioningResult RunConditioningPass(AppState& state, Progress& progress, const StopToken& stop)
{
    ConditioningResult result;
    state.filterEliminationCounts.fill(0);
    state.conditioningRan = false;
    refreshEliminatedColumn(state);
    const int64_t total = state.totalSystem.size();
    state.eliminationFlags.assign(static_cast<size_t>(total), 0);

    for (int p = 0; p < kFilterCount; ++p) {
        if (!isRowActive(state.filterRows[p])) continue;
        if (stop.stopRequested()) break;
        progress.caption(filterInfo(p).progressCaption);
        const int64_t count = filterPassAt(p)(state, progress, stop);
        state.filterEliminationCounts[p] = count;
        result.eliminated += count;
    }
    if (stop.stopRequested()) {
        // A pass cut short counts nothing that a report could show.
        state.filterEliminationCounts.fill(0);
        result.eliminated = 0;
        result.markStopped();
        return result;
    }
    state.conditioningRan = true;
    return result;
}

std::string buildEliminationReport(const AppState& state)
{
    int64_t eliminated = 0;
    for (int p = 0; p < kFilterCount; ++p) eliminated += state.filterEliminationCounts[p];
    // The total of the last conditioning pass: the flags keep its size even after the guarantees
    // have rebuilt the total system with smaller subsets.
    const auto total = static_cast<int64_t>(state.eliminationFlags.size());
    std::string text;
    const auto line = [&](const std::string& s) { text += s + "\r\n"; };
    line("TOTAL Apuestas Iniciales     : " + formatCount(total));
    line("TOTAL Apuestas Eliminadas    : " + formatCount(eliminated));
    line("TOTAL Apuestas Condicionadas : " + formatCount(state.conditionedCount));
    line("TOTAL Apuestas Reducidas     : " + formatCount(state.reducedCount));
    line("");
    line("Eliminadas por cada Filtro Activo:");
    for (int p = 0; p < kFilterCount; ++p)
        if (isRowActive(state.filterRows[p]))
            line(filterInfo(p).reportLabel + formatCount(state.filterEliminationCounts[p]));
    return text;
}

} // namespace kombitron
