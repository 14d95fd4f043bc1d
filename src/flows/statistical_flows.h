#pragma once

#include <functional>
#include <string>

#include "core/interaction.h"
#include "flows/scrutiny_flows.h"
#include "history/statistics.h"
#include "scrutiny/statistical.h"

namespace kombitron {

// Where "Cargar desde Internet" gets the draws and prizes of a game: the results service, or
// whatever a test answers.
using StatisticalDrawsSource = std::function<StatisticalDrawsLoad(const std::string& game)>;

// "Cargar desde Internet": draws and prizes of `game`, the load error shown on failure.
StatisticalDrawsLoad loadStatisticalDrawsFlow(const std::string& game, const ServiceOptions& options, Interaction& ui);
// The same from `source`; an exception escaping it is a failed load with its description.
StatisticalDrawsLoad loadStatisticalDrawsFlow(const std::string& game, const StatisticalDrawsSource& source,
                                              Interaction& ui);

// The bet file of the statistical multi-scrutiny: KMB by its extension, else text without
// reintegros; the reader's messages and the zero-bets warning shown.
ScrutinyFileLoad loadStatisticalBets(const std::string& path, Interaction& ui);
ScrutinyFileLoad openStatisticalBets(Interaction& ui);

// What a run needs from the window.
struct StatisticalRunRequest {
    SharedBets bets;
    std::shared_ptr<const StatisticalDraws> draws;
    StatisticsQuery boxes;                 // the query boxes as typed and the day selector
    GameType game = GameType::Primitiva;
};

// "Escrutar": the checks in order (their error shown; the result then fails with it), then the
// run on the interaction's progress and stop flag.
StatisticalResult runStatisticalFlow(const StatisticalRunRequest& request, Interaction& ui);

// "Muestra en el Bloc de Notas el informe completo": the same checks, a new run and the whole
// report written to KOMBITRON_ESCRUTINIO.txt and opened. The run's result is returned.
StatisticalResult showStatisticalReport(const StatisticalRunRequest& request, Interaction& ui);

} // namespace kombitron
