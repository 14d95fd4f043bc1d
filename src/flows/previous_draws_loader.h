#pragma once

#include <cstdint>

#include "core/state.h"
#include "history/service_client.h"

namespace kombitron {

class Interaction;

// What the draws block of the SORTEOS ANTERIORES window shows after "Cargar".
struct PreviousDrawsLoadResult {
    bool loaded = false;          // false: a failure was shown and the block shows no draws
    int64_t count = 0;            // "Sorteos cargados"
    bool hasSpan = false;         // false: "-" for both ends
    DrawRef first, last;          // draw number and season of the first and last draw
    int64_t consultationCount = 0; // draws selected by the current group's range and day
};

// "Cargar": fetch every draw of the current game into state.filters.sorteosAnteriores.draws and
// give every group whose maximum is 0 the count as maximum. On a failure shows the program's
// message, empties the draws and returns loaded = false.
PreviousDrawsLoadResult loadPreviousDrawsFromService(AppState& state, Interaction& ui);
PreviousDrawsLoadResult loadPreviousDrawsFromService(AppState& state, Interaction& ui, const ServiceOptions& options);

// The same with the service's answer already fetched (the window fetches in a job and applies
// the answer on the UI thread).
PreviousDrawsLoadResult applyPreviousDraws(AppState& state, ServiceDrawsResult fetched, Interaction& ui);

} // namespace kombitron
