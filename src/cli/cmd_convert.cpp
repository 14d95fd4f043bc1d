#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/terminal.h"
#include "formats/bet_files.h"

namespace kombitron::cli {

namespace {

struct ConvertOptions {
    std::string in;
    std::string out;
    bool reintegros = false;
};

int runConvert(const ConvertOptions& o)
{
    TerminalInteraction ui;
    const BetFileRead read = readBetFile(o.in, o.reintegros, ui);
    if (!read.ok()) return kExitRefused;
    const BetFileWrite written = WriteBetFile(o.out, "0", read.bets, read.bets.size(), ui.progress(), ui.stopToken());
    if (!written.ok()) {
        if (written.status == BetFileStatus::Failed) ui.error(written.failure);
        return kExitRefused;
    }
    return kExitDone;
}

} // namespace

void addConvertCommand(CommandLine& cli)
{
    auto o = std::make_shared<ConvertOptions>();
    CLI::App& command = cli.add("convert", "Escribe las apuestas de cualquier fichero de apuestas como fichero KMB "
                                           "(cabecera \"0\")",
                                [o] { return runConvert(*o); });
    command.add_option("IN", o->in, "Fichero de apuestas que se lee")->required();
    command.add_option("OUT", o->out, "Fichero KMB que se escribe")->required();
    command.add_flag("--reintegros", o->reintegros, "El fichero de texto trae el reintegro de cada apuesta");
}

} // namespace kombitron::cli
