#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "cli/terminal.h"
#include "core/filter_rows.h"
#include "core/state.h"
#include "engine/calculation.h"
#include "engine/guarantees.h"
#include "formats/base_file.h"
#include "formats/bet_files.h"
#include "formats/import_base.h"

namespace kombitron::cli {

namespace {

constexpr const char* kUsage =
    "guarantees BASE.xml BETS [--import FILE [--reintegros]] [--scope total|condicionado] [--level 1..6|todas] "
    "[--extended]";

int usage()
{
    std::fprintf(stderr, "usage: kombitron-cli %s\n", kUsage);
    return kExitUsage;
}

void writeOut(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

// Captions and every tenth of the way on stderr.
class StderrProgress : public Progress {
public:
    void report(int64_t done, int64_t total) override
    {
        const int64_t tenth = total > 0 ? done * 10 / total : 0;
        if (tenth == last_) return;
        last_ = tenth;
        std::fprintf(stderr, "%lld%%\n", static_cast<long long>(tenth * 10));
    }
    void caption(std::string_view text) override
    {
        last_ = -1;
        if (!text.empty()) std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    }

private:
    int64_t last_ = -1;
};

// The configuration as the calculation command opens it: the imported bet file first when
// asked, then the base file.
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

int cmdGuarantees(int argc, char** argv)
{
    Args args(argc, argv, 0);
    const auto words = args.positional({"--import", "--scope", "--level"});
    if (words.size() != 2) return usage();
    std::string scopeText = "total", levelText = "6";
    args.value("--scope", scopeText);
    args.value("--level", levelText);
    if (scopeText != "total" && scopeText != "condicionado") return usage();
    const bool allLevels = levelText == "todas";
    int level = 0;
    if (!allLevels) {
        if (levelText.size() != 1 || levelText[0] < '1' || levelText[0] > '6') return usage();
        level = levelText[0] - '0';
    }
    if (scopeText == "condicionado" && level != 6) {
        std::fprintf(stderr, "kombitron-cli: the conditioned scope has the level 6 only\n");
        return kExitUsage;
    }

    AppState state;
    TerminalInteraction ui;
    if (!openConfiguration(state, words[0], args, ui)) return kExitRefused;
    // Only the conditioned system is wanted here: the reduction step keeps it as it is.
    CalculationHooks hooks;
    hooks.reduce = [](AppState&, Interaction&) { return true; };
    state.saveWhenDone = false;
    if (!RunCalculation(state, ui, hooks)) return kExitRefused;

    const BetFileRead read = ReadBetFile(words[1], args.has("--reintegros"), ui);
    if (!read.ok()) return kExitRefused;
    if (read.bets.empty()) {
        ui.error("ERROR: No hay apuestas generadas");
        return kExitRefused;
    }

    const GuaranteeInput input{state.base.baseNumbers, state.conditionedSystem, read.bets};
    StderrProgress progress;
    StopFlag stop;
    if (args.has("--extended")) {
        writeOut(ExtendedGuaranteesText(input, progress, stop));
        return 0;
    }
    GuaranteeTable table;
    if (scopeText == "total" && allLevels) {
        const AllLevelsResult all = RunAllGuaranteeLevels(input, progress, stop);
        if (all.writeFailed) ui.error("ERROR AL GENERAR EL FICHERO EN EL BLOC DE NOTAS (" + all.failure + ")");
        for (const auto& path : all.reportPaths) std::fprintf(stderr, "%s\n", path.c_str());
        table = all.table;
    } else {
        const GuaranteeScope scope = scopeText == "total" ? GuaranteeScope::Total
                                     : state.base.kind == CombinationKind::FromFile ? GuaranteeScope::Imported
                                                                                    : GuaranteeScope::Conditioned;
        GuaranteeStats stats;
        if (!RunGuaranteePass(input, scope, level, stats, progress, stop)) return kExitRefused;
        table = PublishGuarantees(stats, guaranteeOutcomeCount(input, scope, level), level);
    }
    writeOut(GuaranteeSummaryText(table));
    return 0;
}

} // namespace kombitron::cli
