#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/bet.h"
#include "core/draw.h"
#include "core/job.h"
#include "history/service_client.h"
#include "history/statistics.h"
#include "scrutiny/hit_count.h"
#include "scrutiny/scrutiny.h"

namespace kombitron {

inline constexpr const char* kStatisticalReportFileName = "KOMBITRON_ESCRUTINIO.txt";
// Most characters the window's report box holds.
inline constexpr size_t kStatisticalWindowLimit = 65118;
inline constexpr const char* kStatisticalReportHeader =
    "Nº             Año      Sorteo Día   Números                                  6-5C-5-4-3               Importe";
inline constexpr const char* kStatisticalTooLongNotice =
    "(El informe es demasiado grande para ser mostrado, pulse el botón 'Ver Informe en Bloc de Notas' para "
    "visualizarlo entero)";
// Shown above the report when not one of the selected draws came with a prize amount, so that the
// player does not take the zero amounts for a result.
inline constexpr const char* kNoPrizeAmountsNotice =
    "AVISO: El servicio de resultados no ha dado ningún importe de premios para los sorteos escrutados; "
    "los importes del informe no son premios reales.";
inline constexpr const char* kDrawsLoadError = "ERROR AL CARGAR EL FICHERO DE SORTEOS";

// The draws of a game with their official prizes: prizes[i] belongs to draws[i], in the
// service's order CAT6R, CAT6, CAT5C, CAT5, CAT4, CAT3.
struct StatisticalDraws {
    DrawList draws;
    std::vector<std::array<double, kPrizeCategoryCount>> prizes;
    int64_t count() const { return static_cast<int64_t>(draws.size()); }
};

enum class DrawsLoadStatus { Loaded, ParseFailed, Failed };

struct StatisticalDrawsLoad {
    DrawsLoadStatus status = DrawsLoadStatus::Failed;
    std::string message;                     // the load error to show
    std::shared_ptr<const StatisticalDraws> data;  // Loaded: never null
    // Draw number and season of the first and last draw; "-" when there are none or on failure.
    std::string firstDraw = "-", firstSeason = "-", lastDraw = "-", lastSeason = "-";
    bool loaded() const { return status == DrawsLoadStatus::Loaded; }
};

// Draws and prizes from one answer of the draws request: the COMBINACIONES branch and the
// SORTEOS branch, paired by position. Refused with the load error when the answer is not
// well-formed, a value does not convert, or the two lists do not pair up by season and draw
// number (a prize of another draw must not value this one).
StatisticalDrawsLoad parseStatisticalDraws(std::string_view xml, const std::string& game);
// "Cargar desde Internet": the draws request of `game` to the results service, then the above.
StatisticalDrawsLoad loadStatisticalDraws(const std::string& game, const ServiceOptions& options = defaultServiceOptions());

// A query read from its boxes.
struct DrawQuery {
    int seasonFrom = 0, seasonTo = 0, drawFrom = 0, drawTo = 0;
    int weekday = 0; // 0 any day
};

// The checks before a run, in order: bets, draws, an empty box, crossed seasons, crossed draw
// numbers. The error to show, or empty with `query` filled.
std::string validateStatisticalRun(int64_t bets, int64_t draws, const StatisticsQuery& boxes, DrawQuery& query);

struct StatisticalInputs {
    SharedBets bets;                                  // only the six numbers count
    std::shared_ptr<const StatisticalDraws> draws;
    DrawQuery query;
    GameType game = GameType::Primitiva;              // the price of a bet for the reintegro estimate
    std::optional<BetFileCounter::Method> method;     // the counting to use; none: the cheaper one
};

struct StatisticalResult : JobOutcome {
    std::string report;                               // detail lines, then the summary when done
    int64_t drawsScrutinised = 0;                     // k
    HitTally totals;                                  // T0..T6, T5C
    std::array<double, 5> amounts{};                  // A6, A5C, A5, A4, A3
    double grandTotal = 0;
    double reintegroEstimate = 0;                     // rounded to whole euros
    bool noPrizeAmounts = false;                      // draws were selected and none had an amount
};

// The run: every bet against each selected draw (the fastest counting that gives the same
// figures), one detail line per draw, then the totals, the reintegro estimate (one bet in ten
// wins back its price per draw) and the final amount. A stop ends the run with the lines gathered
// and no summary.
StatisticalResult runStatisticalScrutiny(const StatisticalInputs& inputs, Progress& progress, const StopToken& stop);

// What the window's report box shows: the report, or its first 65,118 characters, two line
// ends and the notice that it is too long.
std::string statisticalWindowText(const std::string& report);

} // namespace kombitron
