#include "cli/command_line.h"
#include "cli/commands.h"
#include "core/format.h"
#include "core/paths.h"

#include <csignal>
#include <unistd.h>

using namespace kombitron::cli;

namespace {

// Ctrl-C or a kill in the middle of a save: the temporary files go, the targets stay as they were.
extern "C" void leaveOnSignal(int signal)
{
    kombitron::removePendingTemporaries();
    _exit(128 + signal);
}

} // namespace

int main(int argc, char** argv)
{
    // Numbers in listings follow the Spanish format the program uses by default.
    kombitron::setNumberFormat({".", ","});
    kombitron::ignoreFileSizeSignal();
    std::signal(SIGINT, leaveOnSignal);
    std::signal(SIGTERM, leaveOnSignal);
    CommandLine cli;
    addGenerateCommand(cli);
    addViewCommand(cli);
    addImportCommand(cli);
    addConvertCommand(cli);
    addBaseCommand(cli);
    addCalcCommand(cli);
    addSummaryCommand(cli);
    addGuaranteesCommand(cli);
    addAnalysisCommand(cli);
    addHistoryCommand(cli);
    addStatsCommand(cli);
    addScrutinyCommand(cli);
    addPrizesCommand(cli);
    addMultiScrutinyCommand(cli);
    addBacktestCommand(cli);
    addRandomBetsCommand(cli);
    addRandomPercentCommand(cli);
    addOwnSystemCommand(cli);
    addAlgebraCommand(cli);
    addTicketsCommand(cli);
    return cli.run(argc, argv);
}
