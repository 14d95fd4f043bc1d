#pragma once

#include <cstdint>
#include <string>

#include "core/state.h"

namespace kombitron {

class Interaction;

// totalSystem = every k-subset of the positions 1..n in lexicographic order (rows beyond k hold
// 99); returns C(n,k). Any k outside 1..6 gives an empty system and 0.
int64_t EnumerateSubsets(AppState& state, int k);

// totalSystem from the imported bets (positions in baseNumbers, row 7 the imported reintegro).
// Returns false after "ERROR: NO HAY NINGUN FICHERO ASCII CARGADO" when no file is loaded.
bool BuildTotalFromImport(AppState& state, Interaction& ui);

// finalSystem from conditionedSystem: numbers through baseNumbers; row 7 copied for FromFile, else 0.
void MapToFinal(AppState& state);

// Give the bets 1..reducedCount of finalSystem their reintegros (call for PRIMITIVA only).
void AssignReintegros(AppState& state);

// The reintegro the random rule gives bet i among m marked reintegros: index 1..m into them.
int randomReintegroIndex(int64_t betIndex, int m);

} // namespace kombitron
