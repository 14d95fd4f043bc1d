#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/terminal.h"
#include "core/state.h"
#include "flows/import.h"

namespace kombitron::cli {

namespace {

struct ImportOptions {
    std::string file;
    bool reintegros = false;
    std::string game = "primitiva";
};

int runImport(const ImportOptions& o)
{
    AppState state;
    ResetStateDefaults(state);
    selectGame(state, o.game == "bonoloto" ? GameType::Bonoloto : GameType::Primitiva);
    state.base.loadReintegros = o.reintegros;
    TerminalInteraction ui;
    if (!importAsBase(state, o.file, ui)) return kExitRefused;
    printBets(state.base.importedBets);
    return kExitDone;
}

} // namespace

void addImportCommand(CommandLine& cli)
{
    auto o = std::make_shared<ImportOptions>();
    CLI::App& command = cli.add("import",
                                "Importa un fichero de apuestas como base (\"Pronóstico Desde Archivo\") y lista sus "
                                "apuestas distintas en su orden",
                                [o] { return runImport(*o); });
    command.add_option("FILE", o->file, "Fichero de apuestas")->required();
    command.add_flag("--reintegros", o->reintegros, "Carga los reintegros del fichero (si no, reintegro 0)");
    command.add_option("--game", o->game, "Juego")->check(OneOf({"primitiva", "bonoloto"}))->type_name("primitiva|bonoloto");
}

} // namespace kombitron::cli
