#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/scrutiny_options.h"
#include "cli/terminal.h"
#include "core/draw.h"
#include "flows/scrutiny_flows.h"

namespace kombitron::cli {

namespace {

struct PrizesOptions {
    ScrutinyOptions scrutiny;
    std::string amounts;
    std::string date;
};

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at = text.find(separator); at != std::string::npos; at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

// Five amounts, digits with at most one "." as decimal point.
CLI::Validator FiveAmounts()
{
    return CLI::Validator(
        [](std::string& text) {
            const std::vector<std::string> parts = split(text, ',');
            bool sound = parts.size() == kCalculatorRows;
            for (const std::string& part : parts) {
                const size_t dot = part.find('.');
                sound = sound && !part.empty() && part != "." && part.find_first_not_of("0123456789.") == std::string::npos &&
                        (dot == std::string::npos || part.find('.', dot + 1) == std::string::npos);
            }
            if (sound) return std::string();
            return "«" + text + "» no son cinco importes A6,A5C,A5,A4,A3 (con \".\" decimal, por ejemplo 1000000,50000.5,1200,60,8)";
        },
        "", "importes");
}

CLI::Validator DayMonthYear()
{
    return CLI::Validator(
        [](std::string& text) {
            if (split(text, '/').size() == 3) return std::string();
            return "«" + text + "» no es una fecha DD/MM/AAAA";
        },
        "", "fecha");
}

int runPrizes(const PrizesOptions& o)
{
    if (o.amounts.empty() == o.date.empty()) {
        std::fprintf(stderr, "kombitron-cli: prizes necesita --amounts o --date\n");
        return kExitUsage;
    }
    TerminalInteraction ui;
    ScrutinyFileLoad load;
    ScrutinyInputs inputs;
    ScrutinyResult result;
    if (const int code = RunScrutinyFromOptions(o.scrutiny, ui, load, inputs, result); code != kExitDone) return code;

    const GameType game = o.scrutiny.gameType();
    CalculatorBoxes calculator = calculatorFromCounts(calculatorCounts(result.tally));
    if (!o.amounts.empty()) {
        const std::vector<std::string> amounts = split(o.amounts, ',');
        for (size_t r = 0; r < kCalculatorRows; ++r) calculator.amounts[r] = amounts[r];
        // Without a consulted draw the date and draw lines are unknown: only the totals.
        writeOut(prizeSummaryTotals(calculator, result.bets, game));
        return kExitDone;
    }

    const std::vector<std::string> date = split(o.date, '/');
    PrizeSummaryInputs report;
    report.game = game;
    report.date = {date[0], date[1], date[2]};
    const PrizeConsultation consultation = consultPrizesFlow(gameName(game), report.date, servicePrizesFetch(), ui);
    if (consultation.status != ConsultationStatus::Found) return kExitRefused;
    applyConsultation(consultation, calculator);
    report.drawNumber = consultation.boxes.drawNumber;
    report.weekdayText = std::string(1, weekdayLetter(consultation.boxes.weekdayIndex + 1));
    // The combination scrutinised is the file given, as the window names an imported one.
    report.combinationName = load.fileName;
    report.bets = result.bets;
    report.winningNumbers = inputs.winning.numbers;
    report.complementaryText = inputs.winning.complementary == 0 ? "--" : std::to_string(inputs.winning.complementary);
    report.calculator = calculator;
    if (prizeSummaryFieldsMissing(report)) {
        ui.error(kMissingReportFieldError);
        return kExitRefused;
    }
    writeOut(ReportFileText(prizeSummaryReport(report)));
    return kExitDone;
}

} // namespace

void addPrizesCommand(CommandLine& cli)
{
    auto o = std::make_shared<PrizesOptions>();
    CLI::App& command = cli.add("prizes",
                                "Escruta BETS contra un sorteo y valora sus premios con los importes dados o con los "
                                "del sorteo de una fecha en el servicio de resultados: el informe KOMBITRON_TEMP.txt",
                                [o] { return runPrizes(*o); });
    addScrutinyOptions(command, o->scrutiny);
    CLI::Option* amounts = command.add_option("--amounts", o->amounts,
                                              "Importe de un premio de 6, 5+C, 5, 4 y 3 aciertos, con \".\" decimal; "
                                              "muestra solo Invertido, Total Cobrado y Porcentaje Recuperado")
                               ->check(FiveAmounts())
                               ->type_name("A6,A5C,A5,A4,A3");
    CLI::Option* date = command.add_option("--date", o->date,
                                           "\"Consultar por Fecha de Sorteo\": los premios del sorteo de ese día")
                            ->check(DayMonthYear())
                            ->type_name("DD/MM/AAAA");
    amounts->excludes(date);
}

} // namespace kombitron::cli
