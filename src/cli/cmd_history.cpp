#include <cstdio>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/terminal.h"
#include "core/format.h"
#include "history/draw_history.h"

namespace kombitron::cli {

namespace {

struct HistoryOptions {
    std::string file;
    std::string game;
};

// What the statistics window shows of a loaded history.
void printHistory(const DrawHistory& history)
{
    std::printf("Sorteos cargados : %s\n", formatCount(history.count()).c_str());
    std::printf("Desde sorteo : %s temporada : %s\n", history.firstDraw.c_str(), history.firstSeason.c_str());
    std::printf("Hasta sorteo : %s temporada : %s\n", history.lastDraw.c_str(), history.lastSeason.c_str());
}

int runLoad(const HistoryOptions& o)
{
    TerminalInteraction ui(true);
    DrawHistory history;
    const HistoryLoadResult r = LoadDrawHistory(history, o.file, ui);
    if (r.status == HistoryLoadStatus::Failed || r.status == HistoryLoadStatus::NothingImported) return kExitRefused;
    printHistory(history);
    return kExitDone;
}

int runUpdate(const HistoryOptions& o)
{
    TerminalInteraction ui(true);
    DrawHistory history;
    HistoryUpdateOptions options;
    options.defaultFile = o.file;
    const HistoryUpdateResult r = UpdateDrawHistory(history, o.game == "bonoloto" ? "BONOLOTO" : "PRIMITIVA", ui, options);
    if (r.status != HistoryUpdateStatus::Updated) return kExitRefused;
    printHistory(history);
    return kExitDone;
}

} // namespace

void addHistoryCommand(CommandLine& cli)
{
    CLI::App& history = cli.add("history", "El histórico de sorteos: cargarlo o actualizarlo", nullptr);

    auto load = std::make_shared<HistoryOptions>();
    CLI::App& loading = cli.add(history, "load",
                                "Lee un histórico de sorteos (01,02,03,04,05,06,CC,RR 2010 1 J por línea) y muestra "
                                "cuántos sorteos tiene y de cuándo a cuándo",
                                [load] { return runLoad(*load); });
    loading.add_option("FILE", load->file, "Fichero del histórico")->required();

    auto update = std::make_shared<HistoryOptions>();
    CLI::App& updating = cli.add(history, "update",
                                 "Reescribe FILE (lo crea si falta) con los sorteos del juego del servicio de "
                                 "resultados, respondiendo Sí a las preguntas",
                                 [update] { return runUpdate(*update); });
    updating.add_option("FILE", update->file, "Fichero del histórico")->required();
    updating.add_option("--game", update->game, "Juego")->required()->check(OneOf({"primitiva", "bonoloto"}))->type_name("primitiva|bonoloto");
}

} // namespace kombitron::cli
