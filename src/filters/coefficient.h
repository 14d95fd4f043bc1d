#pragma once

#include <array>
#include <string>

#include "filters/filter_common.h"

namespace kombitron {

// Round to `decimals` places with halves to the even neighbour, as the program's number
// formatting does (format.h roundHalfEven), without going through text: fast enough per bet.
double roundHalfEvenFast(double value, int decimals);

// The profitability coefficient of six numbers: the product of their real percentages / 100
// divided by the product of their played percentages / 100, each product rounded to 14 places;
// a percentage of 0 or less contributes the factor 1. A played product that rounds to 0 gives
// +infinity (or 1 when the real product rounds to 0 as well).
double ProfitabilityCoefficient(const uint8_t* numbers, const PercentagesTable& played, const PercentagesTable& real);

// The step 0..99 of a coefficient: its rounding to one place times 10, rounded half to even;
// 99 for anything from 9.9 on (infinity included).
int coefficientStep(double coefficient);

// A step as the window's list and the summary show it: step / 10 with one decimal in the user's
// number format ("0,0" .. "9,9").
std::string coefficientStepText(int step);

// COEFICIENTERENTABILIDAD: in force when a step flag 0..100 is set; eliminates every bet whose
// step is not allowed (no bet ever has step 100).
int64_t coeficienteRentabilidadPass(AppState& state, Progress& progress, const StopToken& stop);

// "Calcular": the first blank field, played panel then real panel, gives
// "ERROR EN NUMERO " + n + ": EL % ESTA EN BLANCO (% APOSTADOS)" (or "(% REALES)"); else "".
std::string checkCoefficientPanels(const std::array<std::string, 49>& played, const std::array<std::string, 49>& real);

// Closing the window: every blank field becomes 0 and the steps 0..99 take the list's selection
// (flag 100 stays). A field that is not a number cannot be stored: the window stays open with
// "ERROR EN NUMERO " + n + ": EL % NO ES UN NUMERO (% APOSTADOS)" (or "(% REALES)") and nothing
// is stored. Returns "" when stored.
std::string storeCoefficientWindow(CoeficienteParams& params, const std::array<std::string, 49>& played,
                                   const std::array<std::string, 49>& real, const std::array<bool, 100>& selectedSteps);

} // namespace kombitron
