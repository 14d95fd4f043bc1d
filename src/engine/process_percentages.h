#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/bet.h"
#include "core/state.h"

namespace kombitron {

inline constexpr const char* kPercentagesBeforeCaption = "Porcentajes ANTES de reducir";
inline constexpr const char* kPercentagesAfterCaption = "Porcentajes DESPUES de reducir";

// The process window's percentage panel: for each number 1..49 (index v - 1) how many bets
// contain it and its label, Round(count x 100 / bets) with halves to even followed by "%", or
// "0 %" (on white instead of light yellow) when no bet contains it.
struct NumberPercentages {
    std::string caption;
    int64_t bets = 0;
    std::array<int64_t, 49> counts{};
    std::array<std::string, 49> text{};
    bool none(int number) const { return counts[static_cast<size_t>(number - 1)] == 0; }
};

// The panel for given counts over `bets` bets.
NumberPercentages numberPercentages(const std::array<int64_t, 49>& counts, int64_t bets, const std::string& caption);

// "Before": over the conditioned system (base positions turned into numbers).
NumberPercentages percentagesBefore(const AppState& state);
// "After": over the bets of finalSystem.
NumberPercentages percentagesAfter(const AppState& state);

// Whether the window shows the "after" figures: only when the shown conditioned and reduced
// counts differ; otherwise the panel keeps the "before" ones.
inline bool showsPercentagesAfter(int64_t conditionedShown, int64_t reducedShown)
{
    return conditionedShown != reducedShown;
}

// The percentages report: "KOMBITRON " + caption + ":", then the numbers in a 10 x 5 grid.
std::string percentagesReportText(const NumberPercentages& panel);

} // namespace kombitron
