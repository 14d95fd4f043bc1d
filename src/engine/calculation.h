#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/state.h"

namespace kombitron {

class Interaction;

inline constexpr const char* kEliminationReportFileName = "KOMBITRON_RESUMEN.txt";

// What a calculation hands to other parts of the program.
struct CalculationHooks {
    // Runs the process window / reduction over the conditioned system: sets finalSystem and
    // reducedCount; false when the calculation must stop. Empty: a calculation that asks for a
    // real reduction stops with a message.
    std::function<bool(AppState&, Interaction&)> reduce;
    // The definitive save of the final system (KMB and XML). Empty: the program's own.
    std::function<bool(AppState&, Interaction&)> definitiveSave;
};

// The calculation ("Cálculo de Prueba"): checks the base (six numbers, reintegros, the SORTEOS
// ANTERIORES question, an imported file), builds the total system, runs the conditioning pass,
// keeps the surviving bets as the conditioned system, reduces or maps them to the final system,
// gives the reintegros and, when state.saveWhenDone is set, runs the definitive save. Every
// refusal or failure is shown through `ui` and returns false; true when the final system is built
// (and saved when asked).
bool RunCalculation(AppState& state, Interaction& ui, const CalculationHooks& hooks);

// The conditioning pass: clears the elimination flags and counts, runs the FilterPass of every
// active filter row in registry order (showing its caption through ui.progress()), stores each
// count and returns the total eliminated. A bet is counted by the first filter that rejects it.
int64_t RunConditioningPass(AppState& state, Interaction& ui);

// The text of the elimination report ("Ver Informe Apuestas Eliminadas"), lines ended by CR LF.
std::string BuildEliminationReport(const AppState& state);

// Write the report (plus one line end) to KOMBITRON_RESUMEN.txt in the application folder and open
// it in the editor; a failure shows "ERROR AL GENERAR EL FICHERO EN EL BLOC DE NOTAS (...)".
void ShowEliminationReport(const AppState& state, Interaction& ui);

} // namespace kombitron
