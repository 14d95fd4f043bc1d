#pragma once

#include <string>

#include "filters/filter_common.h"

namespace kombitron {

// GRUPOS: for every group with numbers, in order, counts the bet's numbers in the group at the
// group's chosen positions and eliminates the bet when that count is not an allowed hit.
int64_t gruposPass(AppState& state, Progress& progress, const StopToken& stop);
// GRUPOSENTRELIMITES: counts the groups with numbers whose HitSet allows the bet's count in them
// and eliminates the bet when that number lies outside the minimum..maximum limits. Always walks.
int64_t gruposEntreLimitesPass(AppState& state, Progress& progress, const StopToken& stop);

// Closing checks of the GRUPOS window over groups 1..210: "" when all pass, else the message of
// the first failure ("ERROR en GRUPO5 : ...").
std::string checkGruposClosing(const GruposParams& params);

// Closing checks of the GRUPOS ENTRE LIMITES window: the groups, then the two limits chosen in the
// lists. On success stores the limits and returns ""; on failure returns the message and stores nothing.
std::string validateAndStoreGruposEntreLimites(GruposEntreLimitesParams& params, int minimum, int maximum);

// Page 1..70 of the group-paging windows that shows group n (1..210).
int pageOfGroup(int group);

// Remove the numbers outside the base combination from a group (done whenever a page shows it).
void dropNumbersOutsideBase(NumberFlags& members, const std::vector<uint8_t>& baseNumbers);

} // namespace kombitron
