#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/terminal.h"
#include "cli/tool_options.h"
#include "core/text.h"
#include "flows/random_generators_flow.h"

namespace kombitron::cli {

namespace {

struct RandomPercentOptions {
    std::string percentages;
    std::string count;
    std::string out;
    SeedOption seed;
};

bool wholeIn(const std::string& text, int low, int high, int& value)
{
    return parseIntegerAs(text, low, high, value);
}

// "7:50,12:10": each number 1..49 at most once, with a percentage 1..100.
bool parseShares(const std::string& text, PercentageShares& shares)
{
    shares = {};
    size_t start = 0;
    while (true) {
        size_t comma = text.find(',', start);
        if (comma == std::string::npos) comma = text.size();
        const std::string item = text.substr(start, comma - start);
        const size_t colon = item.find(':');
        int number = 0, percent = 0;
        if (colon == std::string::npos || !wholeIn(item.substr(0, colon), kMinNumber, kMaxNumber, number) ||
            !wholeIn(item.substr(colon + 1), 1, 100, percent) || shares[static_cast<size_t>(number)] != 0)
            return false;
        shares[static_cast<size_t>(number)] = static_cast<uint8_t>(percent);
        if (comma == text.size()) return true;
        start = comma + 1;
    }
}

CLI::Validator SharesList()
{
    return CLI::Validator(
        [](std::string& text) {
            PercentageShares shares;
            if (parseShares(text, shares)) return std::string();
            return "«" + text + "» no es una lista NUM:PCT de números distintos de 1 a 49 con porcentajes de 1 a 100 "
                               "(por ejemplo 7:50,12:10)";
        },
        "", "porcentajes");
}

int runRandomPercent(const RandomPercentOptions& o)
{
    PercentageShares shares;
    parseShares(o.percentages, shares);
    TerminalInteraction ui;
    ui.savePath = o.out;
    return printToolSave(generateRandomBetsByPercentages(shares, o.count, o.seed.value(), ui));
}

} // namespace

void addRandomPercentCommand(CommandLine& cli)
{
    auto o = std::make_shared<RandomPercentOptions>();
    CLI::App& command = cli.add("random-percent",
                                "\"GENERAR APUESTAS ALEATORIAS POR PORCENTAJES\": N apuestas en las que cada número "
                                "elegido sale en su porcentaje de ellas, guardadas en FILE (.KMB)",
                                [o] { return runRandomPercent(*o); });
    command.add_option("--percentages", o->percentages, "Porcentaje de cada número elegido: NUM:PCT,NUM:PCT,...")
        ->required()
        ->check(SharesList())
        ->type_name("NUM:PCT,...");
    addGeneratorOptions(command, o->count, o->out, o->seed);
}

} // namespace kombitron::cli
