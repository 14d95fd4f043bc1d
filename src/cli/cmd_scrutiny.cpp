#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/scrutiny_options.h"
#include "cli/terminal.h"
#include "core/format.h"

namespace kombitron::cli {

namespace {

struct ScrutinyCommandOptions {
    ScrutinyOptions scrutiny;
    bool report = false;
};

int runScrutinyCommand(const ScrutinyCommandOptions& o)
{
    TerminalInteraction ui;
    ScrutinyFileLoad load;
    ScrutinyInputs inputs;
    ScrutinyResult result;
    if (const int code = RunScrutinyFromOptions(o.scrutiny, ui, load, inputs, result); code != kExitDone) return code;

    if (o.report) {
        writeOut(ReportFileText(prizedTicketsReport(*load.bets, result.hitsPerBet, inputs.winning.complementary)));
        return kExitDone;
    }
    std::string out = "Apuestas: " + formatCount(result.bets) + "\n" + "Boletos: " + formatCount(result.tickets) + "\n";
    for (const std::string& line : prizeListLines(result, o.scrutiny.gameType())) out += line + "\n";
    writeOut(out);
    return kExitDone;
}

} // namespace

void addScrutinyCommand(CommandLine& cli)
{
    auto o = std::make_shared<ScrutinyCommandOptions>();
    CLI::App& command = cli.add("scrutiny",
                                "Escruta las apuestas de BETS contra un sorteo y lista los premios por categoría, "
                                "como la ventana de escrutinio",
                                [o] { return runScrutinyCommand(*o); });
    addScrutinyOptions(command, o->scrutiny);
    command.add_flag("--report", o->report,
                     "Solo el texto de KOMBITRON_PREMIOS.txt: los boletos con alguna apuesta de 3 o más aciertos");
}

} // namespace kombitron::cli
