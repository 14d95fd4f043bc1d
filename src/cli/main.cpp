#include "cli/command_line.h"
#include "cli/commands.h"
#include "core/format.h"

using namespace kombitron::cli;

int main(int argc, char** argv)
{
    // Numbers in listings follow the Spanish format the program uses by default.
    kombitron::setNumberFormat({".", ","});
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
    return cli.run(argc, argv);
}
