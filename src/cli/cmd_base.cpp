#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/terminal.h"
#include "core/paths.h"
#include "core/state.h"
#include "formats/base_file.h"

namespace kombitron::cli {

namespace {

struct BaseOptions {
    std::string in;
    std::string save;
};

int runBase(const BaseOptions& o)
{
    AppState state;
    ResetStateDefaults(state);
    TerminalInteraction ui;
    // A file that could not be read leaves the reset configuration: saving it would write a
    // default configuration over the file, or beside it, as if it had been read.
    if (!ReadBaseFile(state, o.in, ui)) return kExitRefused;
    std::string failure;
    if (!WriteBaseFile(state, applySaveExtension(o.save, ".xml"), failure)) {
        ui.error("ERROR AL GUARDAR EL FICHERO EN XML (" + failure + ")");
        return kExitRefused;
    }
    return kExitDone;
}

} // namespace

void addBaseCommand(CommandLine& cli)
{
    auto o = std::make_shared<BaseOptions>();
    CLI::App& command = cli.add("base", "Abre un fichero BASE como \"ABRIR\" y lo vuelve a escribir (regla \".xml\")",
                                [o] { return runBase(*o); });
    command.add_option("IN.xml", o->in, "Fichero BASE que se abre")->required();
    command.add_option("--save", o->save, "Fichero BASE que se escribe")->required()->type_name("OUT.xml");
}

} // namespace kombitron::cli
