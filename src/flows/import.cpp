#include "flows/import.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "core/filter_rows.h"
#include "formats/bet_files.h"
#include "formats/repeated_bets.h"

namespace kombitron {

namespace {

// The check the text reader makes, applied to every source: a KMB file takes its numbers as they
// are, and a bet outside the table of combinations cannot be ranked. Empty when the bet is valid.
std::string invalidBetText(const uint8_t* b, bool withReintegros)
{
    int previous = 0;
    for (int j = 0; j < 6; ++j) {
        if (b[j] < kMinNumber || b[j] > kMaxNumber) return "Apuestas con números fuera del intervalo 1-49 (Apuesta ";
        if (b[j] <= previous) return "Apuestas con números no en orden ascendente (Apuesta ";
        previous = b[j];
    }
    if (withReintegros && b[6] > kMaxReintegro) return "Apuestas con reintegros fuera del intervalo 0-9 (Apuesta ";
    return {};
}

bool isValidBet(const uint8_t* b, bool withReintegros)
{
    bool ok = b[0] >= kMinNumber && b[5] <= kMaxNumber && (!withReintegros || b[6] <= kMaxReintegro);
    for (int j = 1; j < 6; ++j) ok = ok && b[j] > b[j - 1];
    return ok;
}

void clearGrid(AppState& state)
{
    state.base.markedNumbers.fill(0);
    state.base.markedReintegros.fill(0);
}

bool failImport(AppState& state, Interaction& ui, const std::string& message)
{
    if (!message.empty()) ui.error(message);
    state.base.importedBets.clear();
    state.base.importedFileName.clear();
    clearGrid(state);
    BuildBaseNumbers(state);
    state.initialCount = state.conditionedCount = state.reducedCount = 0;
    return false;
}

bool importFile(AppState& state, const std::string& path, Interaction& ui, const ImportReadHook& shown)
{
    BaseCombination& base = state.base;
    base.kind = CombinationKind::FromFile;
    state.filterEliminationCounts.fill(0);
    state.conditioningRan = false;
    refreshEliminatedColumn(state);
    clearGrid(state);
    base.importedFileName = path;
    base.importedBets.clear();
    // The stages of an earlier calculation belong to another combination: the counters set
    // below must not let a definitive save write them.
    state.totalSystem.clear();
    state.conditionedSystem.clear();
    state.finalSystem.clear();
    state.eliminationFlags.clear();

    BetFileRead read = readBetFile(path, base.loadReintegros, ui.progress(), ui.stopToken());
    if (read.status == BetFileStatus::Stopped) return failImport(state, ui, {});
    showBetFileMessages(read, ui);
    BetList bets = read.ok() ? std::move(read.bets) : BetList();
    state.initialCount = bets.size();

    // One parallel pass: the first invalid bet, and how often each number and reintegro occurs.
    int64_t numberCount[kMaxNumber + 1] = {};
    int64_t reintegroCount[kMaxReintegro + 1] = {};
    int64_t firstInvalid = bets.size() + 1;
    const bool withReintegros = base.loadReintegros;
    uint8_t* data = bets.data();
    const int64_t count = bets.size();
#pragma omp parallel for schedule(static) reduction(min : firstInvalid) \
    reduction(+ : numberCount[:kMaxNumber + 1], reintegroCount[:kMaxReintegro + 1]) if (count > 100000)
    for (int64_t i = 0; i < count; ++i) {
        uint8_t* b = data + i * kBetBytes;
        if (!isValidBet(b, withReintegros)) {
            firstInvalid = std::min(firstInvalid, i + 1);
            continue;
        }
        if (!withReintegros) b[6] = 0;
        for (int j = 0; j < 6; ++j) ++numberCount[b[j]];
        ++reintegroCount[b[6]];
    }
    if (firstInvalid <= count)
        return failImport(state, ui,
                          importValidationMessage(invalidBetText(bets.bet(firstInvalid), withReintegros) +
                                                  std::to_string(firstInvalid) + ")"));
    state.savedFlag = false;

    if (bets.empty()) {
        ui.warning("AVISO: Se han importado 0 apuestas.\nEl fichero ha de estar en formato: 010203040506 o "
                   "01,02,03,04,05,06 o 01 02 03 04 05 06");
        BuildBaseNumbers(state);
        state.initialCount = state.conditionedCount = state.reducedCount = 0;
        return false;
    }

    const bool primitiva = base.gameName == "PRIMITIVA";
    if (primitiva)
        for (int d = 0; d <= kMaxReintegro; ++d) base.markedReintegros[d] = reintegroCount[d] > 0 ? 1 : 0;
    for (int v = kMinNumber; v <= kMaxNumber; ++v) base.markedNumbers[v] = numberCount[v] > 0 ? 1 : 0;
    BuildBaseNumbers(state);
    if (shown) shown(state);

    if (primitiva) {
        int distinct = 0;
        for (int64_t c : reintegroCount) distinct += c > 0 ? 1 : 0;
        if (base.loadReintegros && distinct > 1)
            ui.warning("AVISO: LA COMBINACION IMPORTADA TIENE MAS DE 1 REINTEGRO. AL CALCULAR, FILTRAR O REDUCIR SE "
                       "GENERARAN REINTEGROS ALEATORIAMENTE EN BASE A LOS REINTEGROS IMPORTADOS");
        if (!base.loadReintegros)
            ui.warning("AVISO: La combinación importada no tiene reintegros, se le ha asignado a la combinación el "
                       "REINTEGRO 0 por defecto.");
    }

    ui.progress().caption("Analizando ...");
    const RepeatedBetsResult removal = removeRepeatedBets(bets, ui.progress(), ui.stopToken());
    if (removal.stopped()) return failImport(state, ui, {});
    const int64_t repeated = removal.repeated;
    if (repeated > 0)
        ui.warning("AVISO: El sistema importado tiene apuestas repetidas y estas han sido eliminadas\nTOTAL apuestas "
                   "repetidas: " +
                   std::to_string(repeated));

    base.importedBets = std::move(bets);
    state.initialCount = base.importedBets.size();
    state.conditionedCount = state.initialCount;
    state.reducedCount = state.conditionedCount;
    return true;
}

} // namespace

bool importAsBase(AppState& state, const std::string& path, Interaction& ui, const ImportReadHook& read)
{
    try {
        return importFile(state, path, ui, read);
    } catch (const std::bad_alloc&) {
        return failImport(state, ui, importErrorMessage("memoria insuficiente"));
    }
}

bool importAsBaseDialog(AppState& state, Interaction& ui, const ImportReadHook& read)
{
    FileDialogRequest request;
    request.title = "Abrir Fichero";
    request.filters = parseFileFilters(kImportFilters);
    request.filterIndex = 2;
    const std::string chosen = ui.openFileDialog(request);
    if (chosen.empty()) return false;
    state.lastDialogPath = chosen;
    return importAsBase(state, chosen, ui, read);
}

} // namespace kombitron
