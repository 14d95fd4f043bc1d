#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/terminal.h"
#include "flows/algebra_flow.h"

namespace kombitron::cli {

namespace {

struct AlgebraOptions {
    std::string operation;
    std::string first;
    std::string second;
    bool descending = false;
    std::string out;
};

AlgebraOperation operationNamed(const std::string& name)
{
    if (name == "sum") return AlgebraOperation::DirectSum;
    if (name == "union") return AlgebraOperation::Union;
    if (name == "intersection") return AlgebraOperation::Intersection;
    if (name == "difference") return AlgebraOperation::Difference;
    return AlgebraOperation::Sort;
}

int runAlgebra(const AlgebraOptions& o)
{
    TerminalInteraction ui;
    const AlgebraSystemLoad first = loadAlgebraSystem(o.first, ui);
    if (!first.done()) return kExitRefused;
    AlgebraSystemLoad second;
    if (!o.second.empty()) {
        second = loadAlgebraSystem(o.second, ui);
        if (!second.done()) return kExitRefused;
    }

    AlgebraInputs inputs;
    inputs.operation = operationNamed(o.operation);
    inputs.descending = o.descending;
    inputs.system1 = first.system.bets;
    inputs.system2 = second.system.bets;
    const AlgebraResult result = calculateAlgebra(inputs, ui);
    if (!result.done()) return kExitRefused;
    writeOut(result.text);
    if (o.out.empty()) return kExitDone;
    ui.savePath = o.out;
    return saveAlgebraResult(result.text, result.bets, ui).saved ? kExitDone : kExitRefused;
}

} // namespace

void addAlgebraCommand(CommandLine& cli)
{
    auto o = std::make_shared<AlgebraOptions>();
    CLI::App& command = cli.add("algebra",
                                "\"ALGEBRA DE COMBINACIONES\": ordena FILE1, o suma, une sin repetidas, cruza o resta "
                                "FILE1 y FILE2, y muestra el texto de resultados",
                                [o] { return runAlgebra(*o); });
    command.add_option("OPERATION", o->operation,
                       "sort: ordenar el sistema 1; sum: sumar (directo); union: sumar quitando repetidas; "
                       "intersection: apuestas comunes; difference: sistema 1 menos sistema 2")
        ->required()
        ->check(OneOf({"sort", "sum", "union", "intersection", "difference"}))
        ->type_name("sort|sum|union|intersection|difference");
    command.add_option("FILE1", o->first, "Sistema 1 (KMB, o de texto)")->required();
    command.add_option("FILE2", o->second, "Sistema 2 (KMB, o de texto)");
    command.add_flag("--descending", o->descending, "Ordena de forma descendente");
    command.add_option("--out", o->out, "Guarda el resultado como \"Guardar apuestas\" (.KMB)")->type_name("FILE");
}

} // namespace kombitron::cli
