#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/bet.h"
#include "core/state.h"
#include "history/service_client.h"

namespace kombitron {

inline constexpr int kCalculatorRows = 5; // 6, 5+C, 5, 4, 3
inline constexpr const char* kPrizeSummaryFileName = "KOMBITRON_TEMP.txt";
inline constexpr const char* kMissingReportFieldError = "ERROR: ALGUN CAMPO ESTA VACIO";
inline constexpr const char* kInvalidDrawDateError = "ERROR: FECHA DE SORTEO INCORRECTA";
inline constexpr const char* kDrawNotFoundError = "ERROR: SORTEO NO ENCONTRADO";

// Row captions of the calculator and of the draw's prizes, in the order 6, 5+C, 5, 4, 3.
extern const std::array<const char*, kCalculatorRows> kCalculatorRowLabels; // "De 6 :" ...

// The ten boxes of the calculator as typed: prizes per category (digits) and the amount of one
// prize (digits with "," or "." as decimal point).
struct CalculatorBoxes {
    std::array<std::string, kCalculatorRows> prizes{"0", "0", "0", "0", "0"};
    std::array<std::string, kCalculatorRows> amounts{"0", "0", "0", "0", "0"};
};

// The boxes as the calculator opens: the scrutiny's five counts and every amount "0".
CalculatorBoxes calculatorFromCounts(const std::array<int64_t, kCalculatorRows>& counts);

struct CalculatorTotals {
    double total = 0;          // euros won; 0 when a box does not convert
    double invested = 0;       // bets scrutinised times the game's bet price
    std::string totalText;     // txtPremiosTOTAL, "0.00"
    std::string percentText;   // txtPorcentajeTOTAL, the percentage won back rounded to 2 decimals and "%"
    bool green = false;        // 100 % or more
};

// The recompute: total of prizes times amounts, and the share of the investment (bets times the
// game's bet price) it gives back; "0%" when no bet was scrutinised.
CalculatorTotals recomputeCalculator(const CalculatorBoxes& boxes, int64_t betsScrutinised, GameType game);

// Money invested in `bets` bets of `game`.
double investment(int64_t bets, GameType game);

// ---- Consultation by date ("Consultar por Fecha de Sorteo") ----

struct DrawDateBoxes {
    std::string day, month, year;
};

// The date boxes as the window opens: today, "00", "00" and "0000".
DrawDateBoxes todayDateBoxes();

// Trimmed day + "/" + trimmed month + "/" + trimmed year, the text compared with the draws' dates.
std::string drawDateText(const DrawDateBoxes& date);
// Whether day/month/year name a day of the calendar (digits only, year 1..9999).
bool isValidDrawDate(const DrawDateBoxes& date);

enum class ConsultationStatus { Found, ParseFailed, InvalidDate, NotFound, Failed };

// What the draw boxes show after a consultation ("0" in every box after a failure).
struct DrawPrizeBoxes {
    std::string takings = "0", jackpot = "0", drawNumber = "0";
    int weekdayIndex = 0;                                    // cboDia: weekday code - 1
    std::array<std::string, kCalculatorRows> winners{"0", "0", "0", "0", "0"};
    std::array<std::string, kCalculatorRows> prizes{"0", "0", "0", "0", "0"};
};

struct PrizeConsultation {
    ConsultationStatus status = ConsultationStatus::Failed;
    std::string message;       // the error to show; empty when found
    DrawPrizes draw;           // Found: the draw of that date
    DrawPrizeBoxes boxes;      // Found: its values; Failed: every box "0"; otherwise unused
    bool clearBoxes() const { return status == ConsultationStatus::Failed; }
};

// The prizes request, injected so that tests can answer it.
using PrizesFetch = std::function<ServicePrizesResult(const std::string& game)>;
// fetchServicePrizes against `options`.
PrizesFetch servicePrizesFetch(const ServiceOptions& options = defaultServiceOptions());

// Ask for the prizes of `game` and take the first draw whose date text equals the boxes' date
// exactly. Errors in the program's words: a parse failure, an invalid date, no such draw, and
// any other failure (transport, conversion, a response without draws).
PrizeConsultation consultPrizesByDate(const std::string& game, const DrawDateBoxes& date, const PrizesFetch& fetch);

// After a found consultation the calculator's amounts are the draw's five prizes.
void applyConsultation(const PrizeConsultation& consultation, CalculatorBoxes& boxes);

// ---- Summary report (KOMBITRON_TEMP.txt) ----

struct PrizeSummaryInputs {
    GameType game = GameType::Primitiva;
    DrawDateBoxes date;
    std::string drawNumber;                 // txtNumeroSorteo
    std::string weekdayText;                // text of cboDia
    std::string combinationName;            // scrutinisedCombinationName
    int64_t bets = 0;                       // ApuestasATRATAR
    std::array<uint8_t, 6> winningNumbers{};// ascending, 0 beyond those marked
    std::string complementaryText = "--";   // text of the scrutiny's complementary list
    CalculatorBoxes calculator;
};

// The report needs the year and the draw number.
bool prizeSummaryFieldsMissing(const PrizeSummaryInputs& inputs);

// The 22 lines of KOMBITRON_TEMP.txt, each ended by CR LF.
std::string prizeSummaryReport(const PrizeSummaryInputs& inputs);
// Its last three lines alone ("Invertido", "Total Cobrado", "Porcentaje Recuperado").
std::string prizeSummaryTotals(const CalculatorBoxes& calculator, int64_t bets, GameType game);

// Line 5 of the report: for a manual or random combination the name of its XML base file (as
// the filter summary names it), for an imported one the name of the imported file.
std::string scrutinisedCombinationName(const AppState& state);

// The winning numbers as the report lists them: the marked ones ascending, joined by ",".
std::string winningNumbersText(const std::array<uint8_t, 6>& numbers);

} // namespace kombitron
