#include "flows/calculation.h"

#include <cstring>
#include <exception>

#include "core/filter_rows.h"
#include "core/interaction.h"
#include "core/text.h"
#include "engine/generation.h"
#include "engine/reduction_options.h"
#include "filters/conditioning.h"
#include "flows/definitive_save.h"

namespace kombitron {

namespace {

const char* const kPreviousDrawsQuestion =
    "Está activado el filtro 'SORTEOS ANTERIORES'. Este filtro puede retardar considerablemente el proceso de "
    "cálculo en caso de tratar muchas apuestas en muchos sorteos. Se puede consultar una tabla de tiempos "
    "aproximados en la información de la condición. ¿ Desea continuar ?";

bool blankAfterTrim(const std::string& text) { return trimmed(text, " \t").empty(); }

// What an unexpected failure (or a stop) leaves: the conditioned counter back at 0 and no save
// pending.
void abandon(AppState& state)
{
    state.conditionedCount = 0;
    state.saveWhenDone = false;
}

// Steps 5 to 12 of a calculation, after the checks.
void conditionAndDecide(AppState& state, Interaction& ui, CalculationResult& result)
{
    const bool imported = state.base.kind == CombinationKind::FromFile;
    int64_t total = 0;
    if (imported) {
        if (blankAfterTrim(state.base.importedFileName)) {
            ui.error("ERROR: NO HAY NINGUN FICHERO ASCII CARGADO");
            return;
        }
        if (!BuildTotalFromImport(state, ui)) return;
        total = state.totalSystem.size();
    } else {
        total = EnumerateSubsets(state, 6);
    }

    const ConditioningResult pass = RunConditioningPass(state, ui.progress(), ui.stopToken());
    if (pass.stopped()) {
        abandon(state);
        refreshEliminatedColumn(state);
        result.markStopped();
        return;
    }
    const int64_t eliminated = pass.eliminated;
    state.noBetEliminated = !imported && eliminated == 0;
    const int64_t conditioned = total - eliminated;
    state.conditionedCount = conditioned;
    refreshEliminatedColumn(state);

    if (conditioned == 0) {
        ui.error("ERROR: Se han generado 0 apuestas después de condicionar, cambie las condiciones");
        return;
    }

    IndexBetList survivors(conditioned);
    {
        const uint8_t* from = state.totalSystem.data();
        const uint8_t* flags = state.eliminationFlags.data();
        uint8_t* to = survivors.data();
        for (int64_t i = 0; i < total; ++i) {
            if (flags[i]) continue;
            std::memcpy(to, from + i * kBetBytes, kBetBytes);
            to += kBetBytes;
        }
    }
    state.conditionedSystem = std::move(survivors);

    if (shouldReduce(state)) {
        if (exactCountExceedsConditioned(state.reduction, conditioned)) {
            ui.error(kExactCountTooLargeMessage);
            return;
        }
        result.needsReduction = true;
        result.completed = true;
        return;
    }
    state.reducedCount = conditioned;
    MapToFinal(state);
    result.completed = true;
}

} // namespace

CalculationResult startCalculation(AppState& state, Interaction& ui, const CalculationHooks& hooks)
{
    CalculationResult result;
    if (markedNumberCount(state) < kMinMarkedNumbers) {
        ui.warning("AVISO: DEBE SELECCIONAR MINIMO 6 NUMEROS");
        return result;
    }
    // Imported bases carry their own reintegros.
    if (state.base.game == GameType::Primitiva && state.base.kind != CombinationKind::FromFile &&
        !checkReintegros(state, ui))
        return result;
    if (isRowActive(state.filterRows[static_cast<int>(FilterId::SORTEOSANTERIORES)]) &&
        !ui.question(kPreviousDrawsQuestion))
        return result;

    state.savedFlag = false;
    state.reducedCount = 0;
    BuildBaseNumbers(state);
    try {
        conditionAndDecide(state, ui, result);
    } catch (const std::exception& e) {
        abandon(state);
        ui.error(std::string("ERROR: ") + e.what());
        result.completed = false;
        result.needsReduction = false;
        return result;
    }
    if (!result.completed || result.needsReduction) return result;
    return finishCalculation(state, ui, hooks);
}

CalculationResult finishCalculation(AppState& state, Interaction& ui, const CalculationHooks& hooks)
{
    CalculationResult result;
    try {
        if (state.base.game == GameType::Primitiva) AssignReintegros(state);
        result.completed = true;
        if (state.saveWhenDone)
            result.completed = hooks.definitiveSave ? hooks.definitiveSave(state, ui) : runDefinitiveSave(state, ui);
        state.saveWhenDone = false;
    } catch (const std::exception& e) {
        abandon(state);
        ui.error(std::string("ERROR: ") + e.what());
        result.completed = false;
    }
    return result;
}

bool RunCalculation(AppState& state, Interaction& ui, const CalculationHooks& hooks)
{
    const CalculationResult started = startCalculation(state, ui, hooks);
    if (!started.completed) return false;
    if (!started.needsReduction) return true;
    if (!hooks.reduce) {
        ui.error(kReductionUnavailableMessage);
        return false;
    }
    try {
        if (!hooks.reduce(state, ui)) return false;
    } catch (const std::exception& e) {
        abandon(state);
        ui.error(std::string("ERROR: ") + e.what());
        return false;
    }
    return finishCalculation(state, ui, hooks).completed;
}

} // namespace kombitron
