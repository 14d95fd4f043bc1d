#include "flows/statistical_flows.h"

#include "core/paths.h"
#include "flows/scrutiny_report.h"
#include "formats/bet_files.h"

namespace kombitron {

StatisticalDrawsLoad loadStatisticalDrawsFlow(const std::string& game, const ServiceOptions& options, Interaction& ui)
{
    return loadStatisticalDrawsFlow(
        game, [&options](const std::string& g) { return loadStatisticalDraws(g, options); }, ui);
}

StatisticalDrawsLoad loadStatisticalDrawsFlow(const std::string& game, const StatisticalDrawsSource& source,
                                              Interaction& ui)
{
    StatisticalDrawsLoad load;
    try {
        load = source(game);
    } catch (...) {
        load = StatisticalDrawsLoad{};
        load.message = std::string(kDrawsLoadError) + " (" + describeJobException(std::current_exception()) + ")";
    }
    if (!load.loaded()) ui.error(load.message);
    return load;
}

ScrutinyFileLoad loadStatisticalBets(const std::string& path, Interaction& ui)
{
    ScrutinyFileLoad load;
    load.chosen = true;
    load.path = path;
    load.fileName = fileNameOf(path);
    BetFileRead read = readBetFile(path, false, ui.progress(), ui.stopToken());
    if (read.status == BetFileStatus::Stopped) return load;
    showBetFileMessages(read, ui);
    if (read.ok()) load.bets = std::make_shared<BetList>(std::move(read.bets));
    if (load.count() == 0) ui.warning(kNoBetsImportedWarning);
    return load;
}

ScrutinyFileLoad openStatisticalBets(Interaction& ui)
{
    const std::string path = ui.openFileDialog(betFileDialog());
    if (path.empty()) return {};
    return loadStatisticalBets(path, ui);
}

StatisticalResult runStatisticalFlow(const StatisticalRunRequest& request, Interaction& ui)
{
    StatisticalInputs inputs;
    const std::string refusal = validateStatisticalRun(request.bets ? request.bets->size() : 0,
                                                       request.draws ? request.draws->count() : 0, request.boxes,
                                                       inputs.query);
    if (!refusal.empty()) {
        ui.error(refusal);
        StatisticalResult refused;
        refused.markFailed(refusal);
        return refused;
    }
    inputs.bets = request.bets;
    inputs.draws = request.draws;
    inputs.game = request.game;
    StatisticalResult result = runStatisticalScrutiny(inputs, ui.progress(), ui.stopToken());
    if (result.failed()) ui.error("ERROR: " + result.failure);
    return result;
}

StatisticalResult showStatisticalReport(const StatisticalRunRequest& request, Interaction& ui)
{
    StatisticalResult result = runStatisticalFlow(request, ui);
    if (result.done()) writeScrutinyReport(kStatisticalReportFileName, result.report, ui);
    return result;
}

} // namespace kombitron
