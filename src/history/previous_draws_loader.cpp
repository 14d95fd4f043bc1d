#include "history/previous_draws_loader.h"

#include <utility>

#include "core/interaction.h"
#include "filters/previous_draws.h"

namespace kombitron {

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

    ApplyLoadedPreviousDraws(params, std::move(fetched.draws));
    result.loaded = true;
    result.count = static_cast<int64_t>(params.draws.size());
    if (!params.draws.empty()) {
        result.hasSpan = true;
        result.first = {params.draws.front().drawNumber, params.draws.front().season};
        result.last = {params.draws.back().drawNumber, params.draws.back().season};
    }
    const int current = state.cursors.sorteosAnteriores;
    const PreviousDrawsGroup& shown = params.groups[current >= 1 && current <= kPreviousDrawsGroups ? current - 1 : 0];
    result.consultationCount = countSelectedDraws(params.draws, shown.sorteoDESDE, shown.sorteoHASTA, shown.sorteoDIAS);
    return result;
}

} // namespace kombitron
