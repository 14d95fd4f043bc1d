#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/draw.h"

namespace kombitron {

class Interaction;
struct DrawHistory;

inline constexpr int kStatisticCount = 10;

// Label of the option button of statistic `index`: 0 "Números", 1 "Bajos y Altos", 2 "Decenas",
// 3 "Distancias", 4 "Pares e Impares", 5 "Seguidos", 6 "Sumas", 7 "Terminaciones",
// 8 "Exteriores/Interiores", 9 "Superiores/Inferiores"; "" outside 0..9.
const char* statisticLabel(int index);
// Header shown above the result area for statistic `index` 0..9; "" outside.
const char* statisticHeader(int index);

// The query boxes as typed (digits only) and the day selector (0 "Todos", else a weekday code).
struct StatisticsQuery {
    std::string seasonFrom = "1985";
    std::string seasonTo;             // the current year when the window opens
    std::string drawFrom = "1";
    std::string drawTo = "999";
    int weekday = 0;
    int statistic = 0;                // option index 0..9; anything else runs 0
};

// The query as the window opens: 1985 to `currentYear`, draws 1 to 999, any day, "Números".
StatisticsQuery defaultStatisticsQuery(int currentYear);

enum class StatisticsStatus {
    Done,        // result computed (possibly empty, after the empty-result warning)
    NoHistory,   // no draws loaded
    EmptyField,  // a query box is empty or not a number
    SeasonRange, // highest season below the lowest
    DrawRange    // highest draw number below the lowest
};

struct StatisticsResult {
    StatisticsStatus status = StatisticsStatus::Done;
    std::string header;               // of the statistic run
    std::vector<std::string> lines;   // result lines without their line ends
    std::string text;                 // the result area: lines joined as the window shows them
    int64_t matchingDraws = 0;
};

// Whether `draw` lies in the seasons, draw numbers and weekday of a parsed query.
bool drawMatches(const DrawRecord& draw, int seasonFrom, int seasonTo, int drawFrom, int drawTo, int weekday);

// Lines of statistic `statistic` over the draws of `draws` that match; `matching` receives their number.
std::vector<std::string> computeStatistic(int statistic, const DrawList& draws, int seasonFrom, int seasonTo,
                                          int drawFrom, int drawTo, int weekday, int64_t& matching);

// "Consultar": check the query, run its statistic over the history and build the result area.
// Refusals (no history, empty box, crossed ranges) show their message through `ui` and return
// their status with nothing computed; an empty result shows its warning and returns Done.
StatisticsResult runStatisticsQuery(const DrawHistory& history, const StatisticsQuery& query, Interaction& ui);

} // namespace kombitron
