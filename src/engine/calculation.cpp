#include "engine/calculation.h"

#include <cstring>
#include <exception>

#include "core/filter_rows.h"
#include "core/format.h"
#include "core/interaction.h"
#include "engine/generation.h"
#include "engine/reduction_options.h"
#include "filters/conditioning.h"
#include "formats/definitive_save.h"
#include "filters/summary_report.h"

namespace kombitron {

namespace {

const char* const kPreviousDrawsQuestion =
    "Está activado el filtro 'SORTEOS ANTERIORES'. Este filtro puede retardar considerablemente el proceso de "
    "cálculo en caso de tratar muchas apuestas en muchos sorteos. Se puede consultar una tabla de tiempos "
    "aproximados en la información de la condición. ¿ Desea continuar ?";

bool blankAfterTrim(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

// Steps 5 to 14 of a calculation, after the checks; false when it stops.
bool calculate(AppState& state, Interaction& ui, const CalculationHooks& hooks)
{
    const bool imported = state.base.kind == CombinationKind::FromFile;
    int64_t total = 0;
    if (imported) {
        if (blankAfterTrim(state.base.importedFileName)) {
            ui.error("ERROR: NO HAY NINGUN FICHERO ASCII CARGADO");
            return false;
        }
        if (!BuildTotalFromImport(state, ui)) return false;
        total = state.totalSystem.size();
    } else {
        total = EnumerateSubsets(state, 6);
    }

    const int64_t eliminated = RunConditioningPass(state, ui);
    state.noBetEliminated = !imported && eliminated == 0;
    const int64_t conditioned = total - eliminated;
    state.conditionedCount = conditioned;
    refreshEliminatedColumn(state);

    if (conditioned == 0) {
        ui.error("ERROR: Se han generado 0 apuestas después de condicionar, cambie las condiciones");
        return false;
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
        if (state.reduction.exactCount == 1 && conditioned < state.reduction.betCount) {
            ui.error("ERROR: Ha elegido reducir con la opción 'Número Exacto de Apuestas' y dicho número supera el "
                     "sistema final condicionado, cambie el número de apuestas pedidas al reducir");
            return false;
        }
        if (!hooks.reduce) {
            ui.error("ERROR: La reducción no está disponible en esta versión; desactive la fila de Reducción o "
                     "elija 'Sin reducción' al 100%");
            return false;
        }
        if (!hooks.reduce(state, ui)) return false;
    } else {
        state.reducedCount = conditioned;
        MapToFinal(state);
    }

    if (state.base.game == GameType::Primitiva) AssignReintegros(state);

    bool saved = true;
    if (state.saveWhenDone) {
        saved = hooks.definitiveSave ? hooks.definitiveSave(state, ui) : RunDefinitiveSave(state, ui);
    }
    state.saveWhenDone = false;
    return saved;
}

} // namespace

int64_t RunConditioningPass(AppState& state, Interaction& ui)
{
    state.filterEliminationCounts.fill(0);
    state.conditioningRan = false;
    refreshEliminatedColumn(state);
    const int64_t total = state.totalSystem.size();
    state.eliminationFlags.assign(static_cast<size_t>(total), 0);

    int64_t eliminated = 0;
    for (int p = 0; p < kFilterCount; ++p) {
        if (!isRowActive(state.filterRows[p])) continue;
        ui.progress().caption(filterInfo(p).progressCaption);
        const int64_t count = filterPassAt(p)(state, ui.progress());
        state.filterEliminationCounts[p] = count;
        eliminated += count;
    }
    state.conditioningRan = true;
    return eliminated;
}

bool RunCalculation(AppState& state, Interaction& ui, const CalculationHooks& hooks)
{
    if (markedNumberCount(state) < kMinMarkedNumbers) {
        ui.warning("AVISO: DEBE SELECCIONAR MINIMO 6 NUMEROS");
        return false;
    }
    // Imported bases carry their own reintegros.
    if (state.base.game == GameType::Primitiva && state.base.kind != CombinationKind::FromFile &&
        !checkReintegros(state, ui))
        return false;
    if (isRowActive(state.filterRows[static_cast<int>(FilterId::SORTEOSANTERIORES)]) &&
        !ui.question(kPreviousDrawsQuestion))
        return false;

    state.savedFlag = false;
    state.reducedCount = 0;
    BuildBaseNumbers(state);
    try {
        return calculate(state, ui, hooks);
    } catch (const std::exception& e) {
        state.conditionedCount = 0;
        state.saveWhenDone = false;
        ui.error(std::string("ERROR: ") + e.what());
        return false;
    }
}

std::string BuildEliminationReport(const AppState& state)
{
    int64_t eliminated = 0;
    for (int p = 0; p < kFilterCount; ++p) eliminated += state.filterEliminationCounts[p];
    // The total of the last conditioning pass: the flags keep its size even after the guarantees
    // have rebuilt the total system with smaller subsets.
    const auto total = static_cast<int64_t>(state.eliminationFlags.size());
    std::string text;
    const auto line = [&](const std::string& s) { text += s + "\r\n"; };
    line("TOTAL Apuestas Iniciales     : " + formatCount(total));
    line("TOTAL Apuestas Eliminadas    : " + formatCount(eliminated));
    line("TOTAL Apuestas Condicionadas : " + formatCount(state.conditionedCount));
    line("TOTAL Apuestas Reducidas     : " + formatCount(state.reducedCount));
    line("");
    line("Eliminadas por cada Filtro Activo:");
    for (int p = 0; p < kFilterCount; ++p)
        if (isRowActive(state.filterRows[p]))
            line(filterInfo(p).reportLabel + formatCount(state.filterEliminationCounts[p]));
    return text;
}

void ShowEliminationReport(const AppState& state, Interaction& ui)
{
    WriteAndOpenReport(kEliminationReportFileName, BuildEliminationReport(state), ui);
}

} // namespace kombitron
