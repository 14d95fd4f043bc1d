#pragma once

#include <functional>

#include "core/job.h"
#include "core/state.h"

namespace kombitron {

class Interaction;

// How a step of the calculation ended. Every refusal and error was already shown through the
// Interaction; `completed` says whether the step did its work. Stopped when the stop request of
// the Interaction ended it (nothing is shown then). Failed only when something escaped the flow.
struct CalculationResult : JobOutcome {
    bool completed = false;
    // startCalculation: the conditioned system waits for the process window (the reduction);
    // the caller reduces and then calls finishCalculation.
    bool needsReduction = false;
};

// What a calculation hands to other parts of the program, for callers that run it in one go.
struct CalculationHooks {
    // Runs the process window / reduction over the conditioned system: sets finalSystem and
    // reducedCount; false when the calculation must stop. Empty: a calculation that asks for a
    // real reduction stops with a message.
    std::function<bool(AppState&, Interaction&)> reduce;
    // The definitive save of the final system (KMB and XML). Empty: the program's own.
    std::function<bool(AppState&, Interaction&)> definitiveSave;
};

// The calculation ("Cálculo de Prueba") up to the reduction: checks the base (six numbers, the
// reintegros, the SORTEOS ANTERIORES question, an imported file), builds the total system, runs
// the conditioning pass (captions and progress through ui.progress(), stoppable through
// ui.stopToken()) and keeps the surviving bets as the conditioned system. When the reduction row
// asks for a real reduction it checks the exact count and ends with needsReduction; otherwise it
// maps the conditioned system to the final system and goes on with finishCalculation.
CalculationResult startCalculation(AppState& state, Interaction& ui, const CalculationHooks& hooks = {});

// The end of a calculation, after the reduction: the reintegros (PRIMITIVA) and, when
// state.saveWhenDone is set, the definitive save; saveWhenDone is cleared.
CalculationResult finishCalculation(AppState& state, Interaction& ui, const CalculationHooks& hooks = {});

// The whole calculation in one go (the command line, tests): startCalculation, hooks.reduce when
// a reduction is asked for, finishCalculation. True when the final system is built (and saved
// when asked).
bool RunCalculation(AppState& state, Interaction& ui, const CalculationHooks& hooks);

// Shown when a real reduction is asked for and nothing can reduce.
inline constexpr const char* kReductionUnavailableMessage =
    "ERROR: La reducción no está disponible en esta versión; desactive la fila de Reducción o elija 'Sin "
    "reducción' al 100%";

} // namespace kombitron
