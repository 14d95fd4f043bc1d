#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/terminal.h"
#include "formats/bet_files.h"

namespace kombitron::cli {

namespace {

struct ViewOptions {
    std::string file;
    bool reintegros = false;
};

int runView(const ViewOptions& o)
{
    TerminalInteraction ui;
    const BetFileRead read = readBetFile(o.file, o.reintegros, ui);
    if (!read.ok()) return kExitRefused;
    printBets(read.bets);
    return kExitDone;
}

} // namespace

void addViewCommand(CommandLine& cli)
{
    auto o = std::make_shared<ViewOptions>();
    CLI::App& command = cli.add("view",
                                "Lista las apuestas de un fichero (\".KMB\": el formato cifrado; otro: texto de seis "
                                "números por línea) en su orden, como 01,02,03,04,05,06+07",
                                [o] { return runView(*o); });
    command.add_option("FILE", o->file, "Fichero de apuestas")->required();
    command.add_flag("--reintegros", o->reintegros, "El fichero de texto trae el reintegro de cada apuesta");
}

} // namespace kombitron::cli
