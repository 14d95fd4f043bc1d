#include <cstdio>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/configuration.h"
#include "cli/terminal.h"
#include "core/state.h"
#include "core/text.h"
#include "engine/guarantees.h"
#include "engine/holes.h"
#include "flows/calculation.h"
#include "flows/guarantees.h"
#include "formats/bet_files.h"

namespace kombitron::cli {

namespace {

struct GuaranteesOptions {
    ConfigurationOptions configuration;
    std::string bets;
    std::string scope = "total";
    std::string level = "6";
    bool extended = false;
    int holes = -1;   // --holes H: the outcomes with fewer than H hits (-1: not asked)
};

int runGuarantees(const GuaranteesOptions& o)
{
    const bool allLevels = o.level == "todas";
    int level = 0; // "todas", or a level the option's check has already accepted
    if (!allLevels) parseIntegerAs(o.level, 1, 6, level);
    if (o.scope == "condicionado" && level != 6) {
        std::fprintf(stderr, "kombitron-cli: el alcance condicionado solo tiene el nivel 6\n");
        return kExitUsage;
    }

    AppState state;
    TerminalInteraction ui;
    if (!openConfiguration(state, o.configuration, ui)) return kExitRefused;
    // Only the conditioned system is wanted here: the reduction step keeps it as it is.
    CalculationHooks hooks;
    hooks.reduce = [](AppState&, Interaction&) { return true; };
    state.saveWhenDone = false;
    if (!RunCalculation(state, ui, hooks)) return kExitRefused;

    const BetFileRead read = readBetFile(o.bets, o.configuration.reintegros, ui);
    if (!read.ok()) return kExitRefused;
    if (read.bets.empty()) {
        ui.error("ERROR: No hay apuestas generadas");
        return kExitRefused;
    }

    const GuaranteeInput input{state.base.baseNumbers, state.conditionedSystem, read.bets};
    StderrProgress progress;
    ui.useProgress(progress);
    if (o.extended) {
        const ExtendedGuaranteesResult extended = extendedGuarantees(input, progress, ui.stopToken());
        writeOut(extended.text);
        return extended.done() ? kExitDone : kExitRefused;
    }
    const GuaranteeScope scope = o.scope == "total" ? GuaranteeScope::Total
                                 : state.base.kind == CombinationKind::FromFile ? GuaranteeScope::Imported
                                                                                : GuaranteeScope::Conditioned;
    if (o.holes >= 0) {
        if (allLevels) {
            std::fprintf(stderr, "kombitron-cli: los huecos se buscan en un nivel de aciertos, no en \"todas\"\n");
            return kExitUsage;
        }
        HolesInputs holes{state.base.baseNumbers, state.conditionedSystem, read.bets, scope, level, o.holes};
        const HolesResult found = runHoles(holes, progress, ui.stopToken());
        if (found.failed()) ui.error("ERROR: " + found.failure);
        if (!found.done()) return kExitRefused;
        writeOut(holesReportText(found, holes));
        return kExitDone;
    }
    GuaranteeTable table;
    if (o.scope == "total" && allLevels) {
        const AllLevelsResult all = runAllGuaranteeLevels(input, ui);
        for (const auto& path : all.reportPaths) std::fprintf(stderr, "%s\n", path.c_str());
        if (!all.done()) return kExitRefused;
        table = all.table;
    } else {
        const GuaranteePassResult pass = runGuaranteePass(input, scope, level, progress, ui.stopToken());
        if (!pass.done()) return kExitRefused;
        table = publishGuarantees(pass);
    }
    writeOut(guaranteeSummaryText(table));
    // A report that could not be written was shown: the run ended in an error.
    return ui.errorShown ? kExitRefused : kExitDone;
}

} // namespace

void addGuaranteesCommand(CommandLine& cli)
{
    auto o = std::make_shared<GuaranteesOptions>();
    CLI::App& command = cli.add("guarantees",
                                "Las garantías del sistema reducido BETS sobre el sistema de la configuración, como "
                                "las muestra la ventana de garantías",
                                [o] { return runGuarantees(*o); });
    addConfigurationOptions(command, o->configuration, true);
    command.add_option("BETS", o->bets, "Fichero de apuestas del sistema reducido")->required();
    command.add_option("--scope", o->scope, "Sobre el sistema total o el condicionado")
        ->check(OneOf({"total", "condicionado"}))->type_name("total|condicionado");
    command.add_option("--level", o->level, "Aciertos q del sistema total; \"todas\" escribe también los seis informes")
        ->check(OneOf({"1", "2", "3", "4", "5", "6", "todas"}))->type_name("1..6|todas");
    command.add_flag("--extended", o->extended, "Las garantías extendidas (DETALLE DE MINI GARANTIAS)");
    command.add_option("--holes", o->holes,
                       "Los huecos: los casos del alcance y nivel elegidos cuya mejor apuesta tiene menos de H "
                       "aciertos (el informe de \"Ver huecos\")")
        ->check(WholeIn(1, 6))
        ->type_name("H")
        ->excludes("--extended");
}

} // namespace kombitron::cli
