#pragma once

#include <string>

#include "cli/command_line.h"
#include "cli/terminal.h"
#include "core/state.h"
#include "history/statistics.h"

namespace kombitron::cli {

// What a player sets up before a calculation, as the commands that calculate take it:
// BASE.xml [--import FILE [--reintegros]] [--draws HISTORY.txt] [--draws-from-service].
struct ConfigurationOptions {
    std::string baseFile;
    std::string importFile;
    bool reintegros = false;
    std::string drawsFile;
    bool drawsFromService = false;
};

// The BASE.xml positional and --import/--reintegros; with `draws`, also --draws and
// --draws-from-service.
void addConfigurationOptions(CLI::App& command, ConfigurationOptions& options, bool draws);

// Set the configuration up as a player does: import FILE as the base when asked (reintegros read
// with --reintegros), open BASE.xml as "ABRIR" does, then load the SORTEOS ANTERIORES draws from
// a draws-history file (the groups keep the limits the base file gives them) or from the results
// service as the window's "Cargar" does. False, after the program's message, when one of them
// fails (a base file that cannot be read included).
bool openConfiguration(AppState& state, const ConfigurationOptions& options, TerminalInteraction& ui);

// The draws a statistics query selects, as the "Consultas" boxes take them: --temporada-desde,
// --temporada-hasta, --sorteo-desde, --sorteo-hasta and --dia.
void addDrawQueryOptions(CLI::App& command, StatisticsQuery& query);

} // namespace kombitron::cli
