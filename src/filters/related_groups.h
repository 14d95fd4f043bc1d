#pragma once

#include <string>

#include "filters/filter_common.h"

namespace kombitron {

// Whether the conditions can be assigned one to one to distinct sub-groups so that each
// sub-group holds an allowed count: acceptable[i] has bit j set when condition i allows the
// count of sub-group j. True for no condition at all.
bool conditionsAssignable(const uint8_t* acceptable, int conditions);

// GRUPOSRELACIONADOS: for every block in use (a sub-group with numbers), in order, eliminates a
// bet whose sub-group counts cannot meet the block's active conditions one to one. A block in use
// with no active condition, or with more conditions than active sub-groups, passes no bet.
int64_t gruposRelacionadosPass(AppState& state, Progress& progress, const StopToken& stop);

// Closing checks of the GRUPOS RELACIONADOS window over blocks 1..60: "" when all pass, else the
// first failure ("ERROR en GRUPO7 : No puede haber más condiciones que subgrupos activados").
std::string checkGruposRelacionadosClosing(const GruposRelacionadosParams& params);

// Move the sub-groups with numbers of every block to its lowest slots, keeping their order; the
// empty ones go last. Conditions keep their slots.
void compactRelatedGroups(GruposRelacionadosParams& params);

// What closing the window does: the checks, then, when they pass, the compaction. Returns the
// failure's message (nothing compacted) or "".
std::string closeGruposRelacionados(GruposRelacionadosParams& params);

} // namespace kombitron
