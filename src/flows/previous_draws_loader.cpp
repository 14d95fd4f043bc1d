#include "flows/previous_draws_loader.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

#include "core/interaction.h"
#include "filters/previous_draws.h"

namespace kombitron {

PreviousDrawsLoadResult loadPreviousDrawsFromService(AppState& state, Interaction& ui)
{
    return loadPreviousDrawsFromService(state, ui, defaultServiceOptions());
}

PreviousDrawsLoadResult loadPreviousDrawsFromService(AppState& state, Interaction& ui, const ServiceOptions& options)
{
    return applyPreviousDraws(state, FetchServiceDraws(state.base.gameName, options), ui);
}

PreviousDrawsLoadResult applyPreviousDraws(AppState& state, ServiceDrawsResult fetched, Interaction& ui)
{
    SorteosAnterioresParams& params = state.filters.sorteosAnteriores;
    PreviousDrawsLoadResult result;
    if (!fetched.ok()) {
        // The block then shows no draws; the pass must not go on using draws the window no longer shows.
        params.draws.clear();
        if (fetched.status == ServiceStatus::Parse)
            ui.error("ERROR AL ABRIR EL FICHERO DE SORTEOS - " + fetched.description);
        else
            ui.error("ERROR AL ABRIR EL FICHERO DE SORTEOS (" + fetched.description + ")");
        return result;
    }

    params.draws = std::move(fetched.draws);
    result.loaded = true;
    result.count = static_cast<int64_t>(params.draws.size());
    if (!params.draws.empty()) {
        result.hasSpan = true;
        result.first = {params.draws.front().drawNumber, params.draws.front().season};
        result.last = {params.draws.back().drawNumber, params.draws.back().season};
    }
    // Maxima are 32-bit; a larger count could only come from a service gone wrong.
    const auto maximum = static_cast<int32_t>(std::min<int64_t>(result.count, std::numeric_limits<int32_t>::max()));
    for (PreviousDrawsGroup& group : params.groups)
        if (group.aciertosMaximoSORTEOS == 0) group.aciertosMaximoSORTEOS = maximum;

    const int current = state.cursors.sorteosAnteriores;
    const PreviousDrawsGroup& shown = params.groups[current >= 1 && current <= kPreviousDrawsGroups ? current - 1 : 0];
    for (const DrawRecord& d : params.draws)
        result.consultationCount += drawSelected(d, shown.sorteoDESDE, shown.sorteoHASTA, shown.sorteoDIAS) ? 1 : 0;
    return result;
}

} // namespace kombitron
