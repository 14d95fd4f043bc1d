#include <memory>
#include <string>

#include "cli/calc_reduction.h"
#include "cli/commands.h"
#include "cli/configuration.h"
#include "cli/terminal.h"
#include "core/state.h"
#include "filters/conditioning.h"
#include "flows/calculation.h"

namespace kombitron::cli {

namespace {

struct CalcOptions {
    ConfigurationOptions configuration;
    std::string out;
    bool printBets = false;
    ReductionLimits limits;
};

int runCalc(const CalcOptions& o)
{
    AppState state;
    TerminalInteraction ui;
    if (!openConfiguration(state, o.configuration, ui)) return kExitRefused;
    if (!o.out.empty()) {
        state.saveWhenDone = true;
        ui.savePath = o.out;
    }
    CalculationHooks hooks;
    hooks.reduce = processWindowReduction(o.limits);
    if (!RunCalculation(state, ui, hooks)) return kExitRefused;

    writeOut(buildEliminationReport(state) + "\r\n");
    if (o.printBets) printBets(state.finalSystem, state.reducedCount);
    return kExitDone;
}

} // namespace

void addCalcCommand(CommandLine& cli)
{
    auto o = std::make_shared<CalcOptions>();
    CLI::App& command = cli.add("calc",
                                "\"Cálculo de Prueba\" de una configuración, respondiendo Sí a cada pregunta, y el "
                                "informe de apuestas eliminadas como KOMBITRON_RESUMEN.txt",
                                [o] { return runCalc(*o); });
    addConfigurationOptions(command, o->configuration, true);
    command.add_option("--out", o->out, "Guarda además como \"Cálculo Definitivo\": el KMB y el XML a su lado")
        ->type_name("FILE");
    command.add_flag("--print-bets", o->printBets, "Lista también las apuestas finales, una por línea");
    command.add_option("--max-cycles", o->limits.maxCycles, "Detiene la reducción tras N ciclos contados")
        ->check(PositiveNumber())
        ->type_name("N");
    command.add_option("--seconds", o->limits.seconds, "Detiene la reducción tras S segundos")
        ->check(PositiveNumber())
        ->type_name("S");
    command.add_option("--optimize", o->limits.optimiseSeconds,
                       "Tras la reducción, busca durante S segundos un sistema con menos apuestas y la misma garantía "
                       "(\"Optimizar\"); se imprimen y graban las apuestas optimizadas")
        ->check(PositiveNumber())
        ->type_name("S");
    command.add_option("--seed", o->limits.optimiseSeed, "Semilla de la optimización (1 por omisión)")
        ->type_name("N");
}

} // namespace kombitron::cli
