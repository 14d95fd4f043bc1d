#include "scrutiny/prize_calculator.h"

#include <ctime>

#include "core/format.h"
#include "core/paths.h"
#include "scrutiny/scrutiny.h"

namespace kombitron {

const std::array<const char*, kCalculatorRows> kCalculatorRowLabels = {"De 6 :", "De 5+C :", "De 5 :", "De 4 :",
                                                                       "De 3 :"};

namespace {

constexpr const char* kLoadError = "ERROR AL CARGAR EL FICHERO DE SORTEOS";

// The service's categories behind the calculator's rows 6, 5+C, 5, 4, 3.
constexpr std::array<int, kCalculatorRows> kServiceCategory = {kCat6, kCat5C, kCat5, kCat4, kCat3};

std::string trim(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool allDigits(const std::string& text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// A box of prizes: a whole number of digits (surrounding blanks allowed).
bool parseCount(const std::string& box, int64_t& value)
{
    const std::string text = trim(box);
    if (!allDigits(text) || text.size() > 18) return false;
    value = std::stoll(text);
    return true;
}

const char* const kRowCaptions[kCalculatorRows] = {"6         ", "5+C       ", "5         ", "4         ",
                                                   "3         "};

} // namespace

CalculatorBoxes calculatorFromCounts(const std::array<int64_t, kCalculatorRows>& counts)
{
    CalculatorBoxes boxes;
    for (int r = 0; r < kCalculatorRows; ++r) boxes.prizes[static_cast<size_t>(r)] = std::to_string(counts[static_cast<size_t>(r)]);
    return boxes;
}

double investment(int64_t bets, GameType game) { return static_cast<double>(bets) * betPrice(game); }

CalculatorTotals recomputeCalculator(const CalculatorBoxes& boxes, int64_t betsScrutinised, GameType game)
{
    CalculatorTotals totals;
    double total = 0;
    bool converts = true;
    for (int r = 0; r < kCalculatorRows && converts; ++r) {
        int64_t prizes = 0;
        double amount = 0;
        converts = parseCount(boxes.prizes[static_cast<size_t>(r)], prizes) &&
                   parseDecimal(boxes.amounts[static_cast<size_t>(r)], amount);
        total += static_cast<double>(prizes) * amount;
    }
    totals.total = converts ? total : 0;
    totals.totalText = formatFixed2(totals.total);
    totals.invested = investment(betsScrutinised, game);
    if (betsScrutinised < 1) {
        totals.percentText = "0%";
        return totals;
    }
    const double percent = roundHalfEven(totals.total * 100 / totals.invested, 2);
    totals.percentText = formatDecimal(percent, 2) + "%";
    totals.green = percent >= 100;
    return totals;
}

DrawDateBoxes todayDateBoxes()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char year[16];
    std::snprintf(year, sizeof year, "%04d", local.tm_year + 1900);
    return {formatTwoDigits(local.tm_mday), formatTwoDigits(local.tm_mon + 1), year};
}

std::string drawDateText(const DrawDateBoxes& date)
{
    return trim(date.day) + "/" + trim(date.month) + "/" + trim(date.year);
}

bool isValidDrawDate(const DrawDateBoxes& date)
{
    const std::string d = trim(date.day), m = trim(date.month), y = trim(date.year);
    if (!allDigits(d) || !allDigits(m) || !allDigits(y) || d.size() > 2 || m.size() > 2 || y.size() > 4) return false;
    const int day = std::stoi(d), month = std::stoi(m), year = std::stoi(y);
    if (year < 1 || month < 1 || month > 12 || day < 1) return false;
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

PrizesFetch servicePrizesFetch(const ServiceOptions& options)
{
    return [options](const std::string& game) { return fetchServicePrizes(game, options); };
}

PrizeConsultation consultPrizesByDate(const std::string& game, const DrawDateBoxes& date, const PrizesFetch& fetch)
{
    PrizeConsultation consultation;
    const auto fail = [&](const std::string& description) {
        consultation.status = ConsultationStatus::Failed;
        consultation.message = std::string(kLoadError) + " (" + description + ")";
        consultation.boxes = DrawPrizeBoxes{};
        return consultation;
    };
    ServicePrizesResult answer;
    try {
        answer = fetch(game);
    } catch (const std::exception& e) {
        return fail(e.what());
    }
    if (answer.status == ServiceStatus::Parse) {
        consultation.status = ConsultationStatus::ParseFailed;
        consultation.message = std::string(kLoadError) + " - " + answer.description;
        return consultation;
    }
    if (!answer.ok()) return fail(answer.description);
    if (!isValidDrawDate(date)) {
        consultation.status = ConsultationStatus::InvalidDate;
        consultation.message = kInvalidDrawDateError;
        return consultation;
    }
    if (answer.draws.empty()) return fail("la respuesta no trae ningún sorteo de " + game);
    const std::string wanted = drawDateText(date);
    for (const DrawPrizes& draw : answer.draws) {
        if (trim(draw.date) != wanted) continue;
        consultation.status = ConsultationStatus::Found;
        consultation.draw = draw;
        DrawPrizeBoxes& boxes = consultation.boxes;
        // Euros have cents at most: more places would only show the binary fraction's error
        // ("91235,61999999999" for 91235.62).
        boxes.takings = formatDecimal(draw.takings, 2);
        boxes.jackpot = formatDecimal(draw.jackpot, 2);
        boxes.drawNumber = std::to_string(draw.drawNumber);
        boxes.weekdayIndex = draw.weekday - 1;
        for (int r = 0; r < kCalculatorRows; ++r) {
            const PrizeCategory& category = draw.categories[static_cast<size_t>(kServiceCategory[static_cast<size_t>(r)])];
            boxes.prizes[static_cast<size_t>(r)] = formatDecimal(category.prize, 2);
            boxes.winners[static_cast<size_t>(r)] = std::to_string(category.winners);
        }
        return consultation;
    }
    consultation.status = ConsultationStatus::NotFound;
    consultation.message = kDrawNotFoundError;
    return consultation;
}

void applyConsultation(const PrizeConsultation& consultation, CalculatorBoxes& boxes)
{
    if (consultation.status == ConsultationStatus::Found) boxes.amounts = consultation.boxes.prizes;
}

bool prizeSummaryFieldsMissing(const PrizeSummaryInputs& inputs)
{
    return trim(inputs.date.year).empty() || trim(inputs.drawNumber).empty();
}

std::string winningNumbersText(const std::array<uint8_t, 6>& numbers)
{
    std::string text;
    for (uint8_t n : numbers) {
        if (n == 0) continue;
        if (!text.empty()) text += ',';
        text += formatTwoDigits(n);
    }
    return text;
}

std::string prizeSummaryTotals(const CalculatorBoxes& calculator, int64_t bets, GameType game)
{
    const CalculatorTotals totals = recomputeCalculator(calculator, bets, game);
    return "Invertido             : " + formatFixed2(totals.invested) + " Euros\r\n" +
           "Total Cobrado         : " + totals.totalText + " Euros\r\n" +
           "Porcentaje Recuperado : " + totals.percentText + "\r\n";
}

std::string prizeSummaryReport(const PrizeSummaryInputs& in)
{
    std::string out;
    const auto line = [&out](const std::string& text) { out += text + "\r\n"; };
    line(std::string("Tipo de Juego            : ") + gameName(in.game));
    line("Fecha Sorteo             : " + in.date.day + "/" + in.date.month + "/" + in.date.year);
    line("Número Sorteo            : " + in.drawNumber);
    line("Día                      : " + in.weekdayText);
    line("Combinación Escrutada    : " + in.combinationName);
    line("Total Apuestas           : " + formatCount(in.bets));
    line("Total Boletos(de 8 apu.) : " + formatCount(ticketCount(in.bets)));
    line("Números Ganadores        : " + winningNumbersText(in.winningNumbers));
    line("Nº Complementario        : " + in.complementaryText);
    line("");
    line("Resultados");
    line("----------");
    line("Categoría NºPremios Euros");
    for (int r = 0; r < kCalculatorRows; ++r)
        line(kRowCaptions[r] + padRight(in.calculator.prizes[static_cast<size_t>(r)], 10) +
             in.calculator.amounts[static_cast<size_t>(r)]);
    line("");
    out += prizeSummaryTotals(in.calculator, in.bets, in.game);
    return out;
}

std::string scrutinisedCombinationName(const AppState& state)
{
    if (state.base.kind == CombinationKind::FromFile) return fileNameOf(state.base.importedFileName);
    return state.baseFileName;
}

} // namespace kombitron
