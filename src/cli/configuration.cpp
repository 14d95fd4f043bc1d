#include "cli/configuration.h"

#include "core/filter_rows.h"
#include "flows/import.h"
#include "flows/previous_draws_loader.h"
#include "formats/base_file.h"
#include "history/draw_history.h"

namespace kombitron::cli {

void addConfigurationOptions(CLI::App& command, ConfigurationOptions& options, bool draws)
{
    command.add_option("BASE.xml", options.baseFile, "Fichero BASE de KOMBITRON (la configuración)")->required();
    command.add_option("--import", options.importFile, "Importa antes FILE como base (Pronóstico Desde Archivo)")
        ->type_name("FILE");
    command.add_flag("--reintegros", options.reintegros, "Lee los reintegros de los ficheros de apuestas de texto");
    if (!draws) return;
    command.add_option("--draws", options.drawsFile, "Sorteos de SORTEOS ANTERIORES desde un histórico de sorteos")
        ->type_name("HISTORY.txt");
    command.add_flag("--draws-from-service", options.drawsFromService,
                     "Sorteos de SORTEOS ANTERIORES desde el servicio de resultados, como \"Cargar\"");
}

bool openConfiguration(AppState& state, const ConfigurationOptions& options, TerminalInteraction& ui)
{
    ResetStateDefaults(state);
    resetFilterRows(state);
    if (!options.importFile.empty()) {
        state.base.loadReintegros = options.reintegros;
        if (!importAsBase(state, options.importFile, ui)) return false;
    }
    if (!ReadBaseFile(state, options.baseFile, ui)) return false;
    if (!options.drawsFile.empty()) {
        // The draws stand in for those "Cargar" fetches; the limits stay as the base file has them.
        DrawHistory history;
        const HistoryLoadResult loaded = LoadDrawHistory(history, options.drawsFile, ui);
        if (loaded.status == HistoryLoadStatus::Failed || loaded.status == HistoryLoadStatus::NothingImported)
            return false;
        state.filters.sorteosAnteriores.draws = std::move(history.draws);
    }
    if (options.drawsFromService && !loadPreviousDrawsFromService(state, ui).loaded) return false;
    return true;
}

void addDrawQueryOptions(CLI::App& command, StatisticsQuery& query)
{
    command.add_option("--temporada-desde", query.seasonFrom, "Temporada inicial (por defecto 1985)")
        ->check(DigitsUpTo(4))
        ->type_name("Y");
    command.add_option("--temporada-hasta", query.seasonTo, "Temporada final (por defecto el año actual)")
        ->check(DigitsUpTo(4))
        ->type_name("Y");
    command.add_option("--sorteo-desde", query.drawFrom, "Sorteo inicial (por defecto 1)")->check(DigitsUpTo(4))->type_name("N");
    command.add_option("--sorteo-hasta", query.drawTo, "Sorteo final (por defecto 999)")->check(DigitsUpTo(4))->type_name("N");
    command.add_option("--dia", query.weekday, "Día: 0 todos, 1 Lunes .. 7 Domingo")->check(WholeIn(0, 7))->type_name("0..7");
}

} // namespace kombitron::cli
