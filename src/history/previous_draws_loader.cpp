#include "history/previous_draws_loader.h"

#include <algorithm>
#include <cstdint>
#include <tuple>

#include "core/interaction.h"

namespace kombitron {

int64_t CountSelectedDraws(const DrawList& draws, const DrawRef& from, const DrawRef& to, int weekday)
{
    const auto start = std::make_tuple(from.season, from.draw);
    const auto end = std::make_tuple(to.season, to.draw);
    int64_t count = 0;
    for (const DrawRecord& d : draws) {
        const auto at = std::make_tuple(d.season, d.drawNumber);
        if (at >= start && at <= end && (weekday == 0 || d.weekday == weekday)) ++count;
    }
    return count;
}

PreviousDrawsLoadResult LoadPreviousDrawsFromService(AppState& state, Interaction& ui)
{
    return LoadPreviousDrawsFromService(state, ui, DefaultServiceOptions());
}

PreviousDrawsLoadResult LoadPreviousDrawsFromService(AppState& state, Interaction& ui, const ServiceOptions& options)
{
    return ApplyPreviousDraws(state, FetchServiceDraws(state.base.gameName, options), ui);
}

PreviousDrawsLoadResult ApplyPreviousDraws(AppState& state, ServiceDrawsResult fetched, Interaction& ui)
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
    const auto maximum = static_cast<int32_t>(std::min<int64_t>(result.count, INT32_MAX));
    for (PreviousDrawsGroup& group : params.groups)
        if (group.aciertosMaximoSORTEOS == 0) group.aciertosMaximoSORTEOS = maximum;

    const int current = state.cursors.sorteosAnteriores;
    const PreviousDrawsGroup& shown = params.groups[current >= 1 && current <= kPreviousDrawsGroups ? current - 1 : 0];
    result.consultationCount = CountSelectedDraws(params.draws, shown.sorteoDESDE, shown.sorteoHASTA, shown.sorteoDIAS);
    return result;
}

} // namespace kombitron
