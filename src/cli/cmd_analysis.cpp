#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/terminal.h"
#include "core/state.h"
#include "flows/analysis.h"
#include "formats/base_file.h"
#include "formats/bet_files.h"

namespace kombitron::cli {

namespace {

struct AnalysisOptions {
    std::string baseFile;
    std::string bets;
    bool reintegros = false;
    bool percentages = false;
};

int runAnalysis(const AnalysisOptions& o)
{
    AppState state;
    ResetStateDefaults(state);
    TerminalInteraction ui;
    // The base file gives the game: PRIMITIVA shows the reintegros too.
    if (!ReadBaseFile(state, o.baseFile, ui)) return kExitRefused;
    const BetFileRead read = readBetFile(o.bets, o.reintegros, ui);
    if (!read.ok()) return kExitRefused;
    if (read.bets.empty()) {
        ui.error("ERROR: No hay apuestas generadas");
        return kExitRefused;
    }
    const AnalysisCounts counts = countAnalysis(read.bets, read.bets.size());
    const AnalysisCells cells =
        analysisCellTexts(counts, o.percentages ? AnalysisView::Percentages : AnalysisView::Counts);
    writeOut(analysisReportText(cells, state.base.game == GameType::Primitiva) + "\r\n");
    return kExitDone;
}

} // namespace

void addAnalysisCommand(CommandLine& cli)
{
    auto o = std::make_shared<AnalysisOptions>();
    CLI::App& command = cli.add("analysis",
                                "El análisis de las apuestas de BETS (cuántas llevan cada número y reintegro) como "
                                "lo escribe la ventana ANALISIS en KOMBITRON_ANALISIS.txt",
                                [o] { return runAnalysis(*o); });
    command.add_option("BASE.xml", o->baseFile, "Fichero BASE de KOMBITRON (el juego)")->required();
    command.add_option("BETS", o->bets, "Fichero de apuestas que se analiza")->required();
    command.add_flag("--reintegros", o->reintegros, "El fichero de texto trae el reintegro de cada apuesta");
    command.add_flag("--percentages", o->percentages, "Porcentajes en vez de número de apuestas, como \"Ver porcentajes\"");
}

} // namespace kombitron::cli
