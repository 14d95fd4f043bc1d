#pragma once

#include <cstddef>

#include <string>

#include "core/state.h"

namespace kombitron {

inline constexpr size_t kFilterRowWidth = 47;

// True when the row text begins with "Sí".
bool isRowActive(const std::string& row);
// Replace every "No" by "Sí" (active) or every "Sí" by "No" in the row text.
void setRowActive(std::string& row, bool active);
// Flip the state of a row, as a right click on it does.
void toggleRow(std::string& row);

// Number of defined entries of the five counted filters and their capacity
// (GRUPOS 210, GRUPOSRELACIONADOS 60, SORTEOSANTERIORES 20, VALORACIONES 10, GRUPOSENTRELIMITES 210);
// capacity 0 for the other filters.
int definedEntryCount(const AppState& state, FilterId id);
int entryCapacity(FilterId id);

// The whole text of filter row `position` (0..18) in its given state with "-" as eliminated count.
std::string buildFilterRow(const AppState& state, int position, bool active);
// The reduction row for a reduction type: "-   " for 0, "al 5" .. "al 2" for 1..4.
std::string buildReductionRow(int type, bool active);

// Fill the twenty rows as at start-up and after New: every row inactive, with the current counts.
void resetFilterRows(AppState& state);
// Rebuild the detail field of a row (counted filters, reduction) keeping its state.
void rebuildFilterRow(AppState& state, int position);
// Replace the eliminated-bets column of every filter row: "-" when inactive or before any
// conditioning pass, else the filter's count formatted "#,#,0", right-aligned.
void refreshEliminatedColumn(AppState& state);

} // namespace kombitron
