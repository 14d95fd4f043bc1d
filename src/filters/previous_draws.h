#pragma once

#include <string>

#include "filters/filter_common.h"

namespace kombitron {

// Whether a group's range and weekday select a draw: (season, draw number) not before `from` and
// not after `to`, comparing seasons first; weekday 0 selects any day.
bool drawSelected(const DrawRecord& draw, const DrawRef& from, const DrawRef& to, int weekday);

// SORTEOSANTERIORES: with draws loaded, for every active group (a hit count chosen) in order,
// q = how many selected draws the bet hits with an allowed count; eliminates the bet when q lies
// outside minimum..maximum. No draws loaded: eliminates nothing.
int64_t sorteosAnterioresPass(AppState& state, Progress& progress, const StopToken& stop);

// The group fields of the SORTEOS ANTERIORES window.
struct PreviousDrawsFields {
    int drawFrom = 1;
    int seasonFrom = 0;
    int drawTo = 1;
    int seasonTo = 0;
    int weekday = 0;
    std::string minimum;   // a blank box becomes "0"
    std::string maximum;
};

// Leaving group 1..20 ("+", "-" or closing): blank limit boxes become "0"; a group with a hit
// count chosen is validated (range order, season order, limits, draws loaded) and the first
// failure's message is returned with nothing stored; otherwise the fields are stored and "" returned.
std::string validateAndStorePreviousDrawsGroup(SorteosAnterioresParams& params, int group, PreviousDrawsFields& fields);

} // namespace kombitron
