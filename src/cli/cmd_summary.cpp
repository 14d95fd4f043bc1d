#include <memory>

#include "cli/commands.h"
#include "cli/configuration.h"
#include "cli/terminal.h"
#include "core/state.h"
#include "filters/summary_report.h"

namespace kombitron::cli {

namespace {

int runSummary(const ConfigurationOptions& o)
{
    AppState state;
    TerminalInteraction ui;
    if (!openConfiguration(state, o, ui)) return kExitRefused;
    writeOut(buildFilterSummary(state) + "\r\n");
    return kExitDone;
}

} // namespace

void addSummaryCommand(CommandLine& cli)
{
    auto o = std::make_shared<ConfigurationOptions>();
    CLI::App& command = cli.add("summary", "El resumen de filtros de una configuración, como KOMBITRON_INFORME.txt",
                                [o] { return runSummary(*o); });
    addConfigurationOptions(command, *o, false);
}

} // namespace kombitron::cli
