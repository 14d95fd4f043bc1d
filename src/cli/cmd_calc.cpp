#include <cstdio>
#include <string>

#include "cli/calc_reduction.h"
#include "cli/commands.h"
#include "cli/terminal.h"
#include "core/filter_rows.h"
#include "core/state.h"
#include "engine/calculation.h"
#include "filters/summary_report.h"
#include "formats/base_file.h"
#include "formats/import_base.h"
#include "history/draw_history.h"
#include "history/previous_draws_loader.h"

namespace kombitron::cli {

namespace {

void writeOut(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

void printFinalBets(const AppState& state)
{
    // One buffered block per chunk: 14 million lines one printf at a time are slow.
    std::string chunk;
    chunk.reserve(1 << 20);
    for (int64_t i = 1; i <= state.reducedCount && i <= state.finalSystem.size(); ++i) {
        chunk += betRecordText(state.finalSystem.bet(i));
        chunk += '\n';
        if (chunk.size() > (1u << 20) - 32) {
            writeOut(chunk);
            chunk.clear();
        }
    }
    writeOut(chunk);
}

// What the player does before a calculation: import a bet file as the base when asked, then open
// the base file as "ABRIR" does. False when the import is refused.
bool openConfiguration(AppState& state, const std::string& baseFile, const Args& args, TerminalInteraction& ui)
{
    ResetStateDefaults(state);
    resetFilterRows(state);
    std::string imported;
    if (args.value("--import", imported)) {
        state.base.loadReintegros = args.has("--reintegros");
        if (!ImportAsBase(state, imported, ui)) return false;
    }
    ReadBaseFile(state, baseFile, ui);
    return true;
}

} // namespace

int cmdCalc(int argc, char** argv)
{
    Args args(argc, argv, 0);
    const auto words = args.positional({"--import", "--draws", "--out", "--max-cycles", "--seconds"});
    ReductionLimits limits;
    if (words.size() != 1 || !parseReductionLimits(args, limits)) {
        std::fprintf(stderr, "usage: kombitron-cli calc BASE.xml [--import FILE [--reintegros]] [--draws HISTORY.txt] "
                             "[--draws-from-service] [--out FILE] [--print-bets] [--max-cycles N] [--seconds S]\n");
        return kExitUsage;
    }
    AppState state;
    TerminalInteraction ui;
    if (!openConfiguration(state, words[0], args, ui)) return kExitRefused;

    std::string drawsFile;
    if (args.value("--draws", drawsFile)) {
        // The draws stand in for those "Cargar" fetches; the limits stay as the base file has them.
        DrawHistory history;
        const HistoryLoadResult loaded = LoadDrawHistory(history, drawsFile, ui);
        if (loaded.status == HistoryLoadStatus::Failed || loaded.status == HistoryLoadStatus::NothingImported)
            return kExitRefused;
        state.filters.sorteosAnteriores.draws = std::move(history.draws);
    }
    // "Cargar" of SORTEOS ANTERIORES: the current game's draws from the results service.
    if (args.has("--draws-from-service") && !LoadPreviousDrawsFromService(state, ui).loaded) return kExitRefused;

    std::string out;
    if (args.value("--out", out)) {
        state.saveWhenDone = true;
        ui.savePath = out;
    }
    CalculationHooks hooks;
    hooks.reduce = processWindowReduction(limits);
    if (!RunCalculation(state, ui, hooks)) return kExitRefused;

    writeOut(BuildEliminationReport(state) + "\r\n");
    if (args.has("--print-bets")) printFinalBets(state);
    return 0;
}

int cmdSummary(int argc, char** argv)
{
    Args args(argc, argv, 0);
    const auto words = args.positional({"--import"});
    if (words.size() != 1) {
        std::fprintf(stderr, "usage: kombitron-cli summary BASE.xml [--import FILE [--reintegros]]\n");
        return kExitUsage;
    }
    AppState state;
    TerminalInteraction ui;
    if (!openConfiguration(state, words[0], args, ui)) return kExitRefused;
    writeOut(BuildFilterSummary(state) + "\r\n");
    return 0;
}

} // namespace kombitron::cli
