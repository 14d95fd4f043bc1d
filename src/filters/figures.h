#pragma once

#include <array>
#include <string>

#include "filters/filter_common.h"

namespace kombitron {

// Figure of a bet's six ascending numbers over the five decades 1-9, 10-19, .., 40-49:
// index 0..9 in the DECENAS figure list ("6-0" .. "2-1-1-1-1").
int decadeFigure(const uint8_t* numbers);
// Figure of the runs of consecutive numbers: index 0..10 in the SEGUIDOS list ("6-0" ..
// "1-1-1-1-1-1"); `longestRun` receives the size of the largest run, 1..6.
int runFigure(const uint8_t* numbers, int& longestRun);
// Figure of the last digits: index 0..9 in the TERMINACIONES list ("5-1" .. "1-1-1-1-1-1"),
// -1 for six numbers with one last digit (impossible in 1..49); `digitSum` receives the sum of
// the last digits.
int lastDigitFigure(const uint8_t* numbers, int& digitSum);

// Texts of the figure lists as the windows and the summary show them.
const char* decadeFigureText(int flag);      // flags 0..9
const char* runFigureText(int flag);         // flags 0..10
const char* lastDigitFigureText(int flag);   // flags 0..9

// DECENAS: the decade figure first (when in force), then each decade HitSet in force.
int64_t decenasPass(AppState& state, Progress& progress, const StopToken& stop);
// SEGUIDOS: the run figure first (when in force), then the longest run (when in force).
int64_t seguidosPass(AppState& state, Progress& progress, const StopToken& stop);
// TERMINACIONES: the figure (when in force), then the sum of last digits (always), then the
// HitSet of each last digit 0..9 in force. Always walks the bets.
int64_t terminacionesPass(AppState& state, Progress& progress, const StopToken& stop);

// The TERMINACIONES window's fields validated on closing.
struct TerminacionesFields {
    std::array<bool, 10> figures{};
    std::string sumMinimum;
    std::string sumMaximum;
};

// Closing checks of the TERMINACIONES window: a blank minimum, a blank maximum, a maximum below
// the minimum, each with its message; on success stores the figures, then the sum bounds, and
// returns "". On failure stores nothing and returns the message.
std::string validateAndStoreTerminaciones(TerminacionesParams& params, const TerminacionesFields& fields);

} // namespace kombitron
