#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/configuration.h"
#include "cli/scrutiny_options.h"
#include "cli/terminal.h"
#include "core/state.h"
#include "flows/statistical_flows.h"

namespace kombitron::cli {

namespace {

struct BacktestOptions {
    std::string bets;
    std::string game = "primitiva";
    StatisticsQuery query = defaultStatisticsQuery(currentYear());
};

int runBacktest(const BacktestOptions& o)
{
    TerminalInteraction ui;
    StderrProgress progress;
    const GameType game = o.game == "bonoloto" ? GameType::Bonoloto : GameType::Primitiva;
    // "Cargar desde Internet" first, as the window asks for it before the bets.
    const StatisticalDrawsLoad draws = loadStatisticalDrawsFlow(gameName(game), defaultServiceOptions(), ui);
    if (!draws.loaded()) return kExitRefused;
    const ScrutinyFileLoad load = loadStatisticalBets(o.bets, ui);
    if (ui.errorShown) return kExitRefused;

    StatisticalRunRequest request;
    request.bets = load.bets;
    request.draws = draws.data;
    request.boxes = o.query;
    request.game = game;
    ui.useProgress(progress);
    const StatisticalResult result = runStatisticalFlow(request, ui);
    if (!result.done()) return kExitRefused;
    if (result.noPrizeAmounts) ui.warning(kNoPrizeAmountsNotice);
    writeOut(ReportFileText(result.report));
    return kExitDone;
}

} // namespace

void addBacktestCommand(CommandLine& cli)
{
    auto o = std::make_shared<BacktestOptions>();
    CLI::App& command = cli.add("backtest",
                                "Lo que habrían ganado las apuestas de BETS en los sorteos pasados, con los sorteos y "
                                "premios del servicio de resultados: el informe KOMBITRON_ESCRUTINIO.txt",
                                [o] { return runBacktest(*o); });
    command.add_option("BETS", o->bets, "Fichero de apuestas (KMB, o de texto)")->required();
    command.add_option("--game", o->game, "Juego (por defecto primitiva)")
        ->check(OneOf({"primitiva", "bonoloto"}))
        ->type_name("primitiva|bonoloto");
    addDrawQueryOptions(command, o->query);
}

} // namespace kombitron::cli
