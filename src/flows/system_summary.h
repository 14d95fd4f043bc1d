#pragma once

// The short facts about the current system that the main window shows beside its counters.

#include <cstdint>
#include <string>

#include "core/bet.h"
#include "engine/guarantees.h"

namespace kombitron {

// What `bets` bets of `game` cost in one draw, "#,##0.00" followed by " €" ("904,00 €").
std::string costPerDrawText(int64_t bets, GameType game);

// The guarantee a pass proved in full: the percentage caption of the highest class h whose
// cumulative share is 100 % (no outcome fell below h), for example "100,000% 4 si 6". Empty when
// the table holds no completed pass.
std::string guaranteeHeadline(const GuaranteeTable& table);

} // namespace kombitron
