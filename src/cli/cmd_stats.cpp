#include <cstdio>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/configuration.h"
#include "cli/terminal.h"
#include "core/format.h"
#include "core/state.h"
#include "history/draw_history.h"
#include "history/statistics.h"

namespace kombitron::cli {

namespace {

struct StatsOptions {
    std::string file;
    StatisticsQuery query = defaultStatisticsQuery(currentYear());
};

int runStats(const StatsOptions& o)
{
    TerminalInteraction ui(true);
    DrawHistory history;
    const HistoryLoadResult loaded = LoadDrawHistory(history, o.file, ui);
    if (loaded.status == HistoryLoadStatus::Failed || loaded.status == HistoryLoadStatus::NothingImported)
        return kExitRefused;
    const StatisticsResult r = runStatisticsQuery(history, o.query, ui);
    if (r.status != StatisticsStatus::Done) return kExitRefused;
    std::printf("%s\n", r.header.c_str());
    for (const std::string& line : r.lines) std::printf("%s\n", line.c_str());
    std::printf("Número de sorteos de la última consulta : %s\n", formatCount(r.matchingDraws).c_str());
    return kExitDone;
}

} // namespace

void addStatsCommand(CommandLine& cli)
{
    auto o = std::make_shared<StatsOptions>();
    CLI::App& command = cli.add("stats",
                                "Una estadística de un histórico de sorteos: su cabecera, sus líneas y el número de "
                                "sorteos que cumplen la consulta",
                                [o] { return runStats(*o); });
    command.add_option("FILE", o->file, "Fichero del histórico")->required();
    command.add_option("--query", o->query.statistic,
                       "0 Números, 1 Bajos y Altos, 2 Decenas, 3 Distancias, 4 Pares e Impares, 5 Seguidos, 6 Sumas, "
                       "7 Terminaciones, 8 Exteriores/Interiores, 9 Superiores/Inferiores")
        ->check(WholeIn(0, 9))->type_name("0..9");
    addDrawQueryOptions(command, o->query);
}

} // namespace kombitron::cli
