#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/bet.h"

namespace kombitron {

class Interaction;

// How often each number 1..49 (index = number) and each reintegro 0..9 occurs in the first
// `bets` bets of a list: the "ANALISIS" of the final system.
struct AnalysisCounts {
    int64_t bets = 0;
    std::array<int64_t, 50> numbers{};
    std::array<int64_t, 10> reintegros{};
};

// Count the first `bets` bets of `list` (all of them when it holds fewer); `bets` stays the
// divisor of the percentages.
AnalysisCounts countAnalysis(const BetList& list, int64_t bets);

// What the analysis shows in its cells: the counts, or the percentages of the analysed bets.
enum class AnalysisView { Counts, Percentages };

// The cell texts of a view: a count as a plain integer, a percentage rounded to two decimals
// (halves to even) in the user's format with "%", and "" for a value that never occurs.
struct AnalysisCells {
    std::array<std::string, 49> numbers;     // number v at index v - 1
    std::array<std::string, 10> reintegros;
};
AnalysisCells analysisCellTexts(const AnalysisCounts& counts, AnalysisView view);

// The report text of the cells (KOMBITRON_ANALISIS.txt), lines ended by CR LF: the numbers in
// the ticket's rows and, for PRIMITIVA, the reintegros.
std::string analysisReportText(const AnalysisCells& cells, bool primitiva);

// Write the report and open it in the editor (failure message as every report's).
bool showAnalysisReport(const AnalysisCells& cells, bool primitiva, Interaction& ui);

} // namespace kombitron
