#include "cli/tool_options.h"

#include "cli/terminal.h"
#include "core/format.h"
#include "core/random.h"

namespace kombitron::cli {

uint64_t SeedOption::value() const { return given ? seed : clockSeed(); }

void addSeedOption(CLI::App& command, SeedOption& seed)
{
    command.add_option("--seed", seed.seed, "Semilla del generador en lugar del reloj: la misma semilla da las mismas apuestas")
        ->check(DigitsUpTo(19))
        ->each([&seed](const std::string&) { seed.given = true; })
        ->type_name("S");
}

int printToolSave(const ToolSaveOutcome& outcome)
{
    if (!outcome.saved) return kExitRefused;
    writeOut("Apuestas guardadas: " + formatCount(outcome.count) + "\nFichero: " + outcome.path + "\n");
    return kExitDone;
}

void addGeneratorOptions(CLI::App& command, std::string& count, std::string& out, SeedOption& seed)
{
    command.add_option("--count", count, "Número de apuestas a generar")->required()->check(DigitsUpTo(12))->type_name("N");
    command.add_option("--out", out, "Fichero a guardar; sin extensión, o con otra, termina en .KMB")
        ->required()
        ->type_name("FILE");
    addSeedOption(command, seed);
}

} // namespace kombitron::cli
