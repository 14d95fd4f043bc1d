#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/terminal.h"
#include "cli/tool_options.h"
#include "flows/random_generators_flow.h"

namespace kombitron::cli {

namespace {

struct RandomBetsOptions {
    std::string numbers;
    std::string count;
    std::string out;
    SeedOption seed;
};

int runRandomBets(const RandomBetsOptions& o)
{
    std::vector<int> values;
    parseNumberList(o.numbers, kMinNumber, kMaxNumber, values);
    const std::vector<uint8_t> numbers(values.begin(), values.end());
    TerminalInteraction ui;
    ui.savePath = o.out;
    return printToolSave(generateRandomBetsByNumbers(numbers, o.count, o.seed.value(), ui));
}

} // namespace

void addRandomBetsCommand(CommandLine& cli)
{
    auto o = std::make_shared<RandomBetsOptions>();
    CLI::App& command = cli.add("random-bets",
                                "\"GENERAR APUESTAS ALEATORIAS POR NUMEROS\": N apuestas distintas al azar del sistema "
                                "total de los números marcados, guardadas en FILE (.KMB)",
                                [o] { return runRandomBets(*o); });
    command.add_option("--numbers", o->numbers, "Números marcados: lista de números y rangos, 1-10,15,20")
        ->required()
        ->check(NumberListIn(kMinNumber, kMaxNumber))
        ->type_name("LISTA");
    addGeneratorOptions(command, o->count, o->out, o->seed);
}

} // namespace kombitron::cli
