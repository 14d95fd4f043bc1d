#include "scrutiny/statistical.h"

#include <algorithm>
#include <cstdio>

#include "core/format.h"

namespace kombitron {

namespace {

constexpr int64_t kComparisonsPerReport = 50000000;

std::string describeDraw(uint16_t draw, int16_t season)
{
    return "sorteo " + std::to_string(draw) + " de " + std::to_string(season);
}

// A query box: digits only, read as a 16-bit integer; false when blank or unreadable.
bool readBox(const std::string& text, int& value)
{
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    const int v = std::stoi(text);
    if (v > 32767) return false;
    value = v;
    return true;
}

// Text in a field of `width`; a longer text keeps one space after it so figures stay apart.
std::string column(const std::string& text, size_t width)
{
    return utf8Length(text) < width ? padRight(text, width) : text + " ";
}

std::string detailLine(int64_t k, const DrawRecord& draw, const HitTally& t, double amount)
{
    char head[64];
    std::snprintf(head, sizeof head, "%06lld. %d  %03u  %c   ", static_cast<long long>(k), draw.season,
                  static_cast<unsigned>(draw.drawNumber), draw.weekday >= 1 && draw.weekday <= 7 ? weekdayLetter(draw.weekday) : '-');
    std::string line = head;
    for (int j = 0; j < 6; ++j) line += formatTwoDigits(draw.numbers[j]) + ",";
    line += formatTwoDigits(draw.complementary);
    line += " * " + std::to_string(t.hits[6]) + "-" + std::to_string(t.fiveWithComplementary) + "-" +
            std::to_string(std::max<int64_t>(0, t.fiveWithoutComplementary())) + "-" + std::to_string(t.hits[4]) + "-" +
            std::to_string(t.hits[3]) + " * " + formatMoney(amount) + "\r\n";
    return line;
}

} // namespace

StatisticalDrawsLoad parseStatisticalDraws(std::string_view xml, const std::string& game)
{
    StatisticalDrawsLoad load;
    const auto fail = [&](const std::string& description) {
        load.status = DrawsLoadStatus::Failed;
        load.message = std::string(kDrawsLoadError) + " (" + description + ")";
        return load;
    };
    ServiceDrawsResult draws = parseServiceDraws(xml, game);
    if (draws.status == ServiceStatus::Parse) {
        load.status = DrawsLoadStatus::ParseFailed;
        load.message = std::string(kDrawsLoadError) + " - " + draws.description;
        return load;
    }
    if (!draws.ok()) return fail(draws.description);
    ServicePrizesResult prizes = parseServicePrizes(xml, game);
    if (!prizes.ok()) return fail(prizes.description);
    if (prizes.draws.size() != draws.draws.size())
        return fail("la respuesta trae " + formatCount(static_cast<int64_t>(draws.draws.size())) +
                    " sorteos y los premios de " + formatCount(static_cast<int64_t>(prizes.draws.size())));
    auto data = std::make_shared<StatisticalDraws>();
    data->prizes.resize(draws.draws.size());
    for (size_t i = 0; i < draws.draws.size(); ++i) {
        const DrawRecord& d = draws.draws[i];
        const DrawPrizes& p = prizes.draws[i];
        if (d.season != p.season || d.drawNumber != p.drawNumber)
            return fail("los premios del puesto " + std::to_string(i + 1) + " son del " +
                        describeDraw(p.drawNumber, p.season) + " y no del " + describeDraw(d.drawNumber, d.season));
        for (int c = 0; c < kPrizeCategoryCount; ++c)
            data->prizes[i][static_cast<size_t>(c)] = p.categories[static_cast<size_t>(c)].prize;
    }
    data->draws = std::move(draws.draws);
    if (!data->draws.empty()) {
        load.firstDraw = std::to_string(data->draws.front().drawNumber);
        load.firstSeason = std::to_string(data->draws.front().season);
        load.lastDraw = std::to_string(data->draws.back().drawNumber);
        load.lastSeason = std::to_string(data->draws.back().season);
    }
    load.data = std::move(data);
    load.status = DrawsLoadStatus::Loaded;
    return load;
}

StatisticalDrawsLoad loadStatisticalDraws(const std::string& game, const ServiceOptions& options)
{
    const HttpResponse response = httpGet(options, serviceDrawsTarget(game));
    if (response.status != ServiceStatus::Ok) {
        StatisticalDrawsLoad load;
        load.message = std::string(kDrawsLoadError) + " (" + response.description + ")";
        return load;
    }
    return parseStatisticalDraws(response.body, game);
}

std::string validateStatisticalRun(int64_t bets, int64_t draws, const StatisticsQuery& boxes, DrawQuery& query)
{
    if (bets < 1) return "ERROR: No hay ningún fichero cargado para escrutar";
    if (draws < 1) return "ERROR: No hay ningún fichero de sorteos cargado";
    DrawQuery q;
    if (!readBox(boxes.seasonFrom, q.seasonFrom) || !readBox(boxes.seasonTo, q.seasonTo) ||
        !readBox(boxes.drawFrom, q.drawFrom) || !readBox(boxes.drawTo, q.drawTo))
        return "ERROR: Algún campo de la consulta esta vacío";
    if (q.seasonTo < q.seasonFrom) return "ERROR: Año mínimo mayor que año máximo";
    if (q.drawTo < q.drawFrom) return "ERROR: Número de sorteo mínimo mayor que número de sorteo máximo";
    q.weekday = boxes.weekday;
    query = q;
    return {};
}

StatisticalResult runStatisticalScrutiny(const StatisticalInputs& inputs, Progress& progress, const StopToken& stop)
{
    return guardJob<StatisticalResult>([&](StatisticalResult& result) {
        static const BetList kNoBets;
        static const StatisticalDraws kNoDraws;
        const BetList& bets = inputs.bets ? *inputs.bets : kNoBets;
        const StatisticalDraws& draws = inputs.draws ? *inputs.draws : kNoDraws;
        const DrawQuery& q = inputs.query;
        const int64_t total = draws.count();

        std::vector<int64_t> selected;
        for (int64_t d = 0; d < total; ++d)
            if (drawMatches(draws.draws[static_cast<size_t>(d)], q.seasonFrom, q.seasonTo, q.drawFrom, q.drawTo, q.weekday))
                selected.push_back(d);
        const int64_t chosen = static_cast<int64_t>(selected.size());

        BetFileCounter counter;
        const bool prepared = inputs.method ? counter.prepare(bets, bets.size(), *inputs.method, stop)
                                            : counter.prepare(bets, bets.size(), chosen, stop);
        if (!prepared) {
            result.markStopped();
            return;
        }
        // About a hundred reports per run, fewer when each draw costs a long count.
        int64_t perReport = std::clamp<int64_t>(chosen / 100, 1, 4096);
        if (counter.method() == BetFileCounter::Method::BetByBet)
            perReport = std::clamp<int64_t>(kComparisonsPerReport / std::max<int64_t>(bets.size(), 1), 1, perReport);
        std::vector<uint64_t> masks(static_cast<size_t>(perReport));
        std::vector<uint8_t> complementaries(static_cast<size_t>(perReport));
        std::vector<HitTally> tallies(static_cast<size_t>(perReport));
        std::string& report = result.report;
        bool anyAmount = false;
        for (int64_t first = 0; first < chosen; first += perReport) {
            if (stop.stopRequested()) {
                result.markStopped();
                return;
            }
            const int64_t n = std::min(perReport, chosen - first);
            for (int64_t j = 0; j < n; ++j) {
                const DrawRecord& draw = draws.draws[static_cast<size_t>(selected[static_cast<size_t>(first + j)])];
                masks[static_cast<size_t>(j)] = numberMask(draw.numbers);
                complementaries[static_cast<size_t>(j)] = draw.complementary;
            }
            counter.tallyMany(masks.data(), complementaries.data(), n, tallies.data());
            for (int64_t j = 0; j < n; ++j) {
                const size_t d = static_cast<size_t>(selected[static_cast<size_t>(first + j)]);
                const HitTally& t = tallies[static_cast<size_t>(j)];
                const auto& prize = draws.prizes[d];
                for (double p : prize) anyAmount = anyAmount || p != 0;
                const std::array<double, 5> won = {
                    static_cast<double>(t.hits[6]) * prize[kCat6],
                    static_cast<double>(t.fiveWithComplementary) * prize[kCat5C],
                    static_cast<double>(t.fiveWithoutComplementary()) * prize[kCat5],
                    static_cast<double>(t.hits[4]) * prize[kCat4],
                    static_cast<double>(t.hits[3]) * prize[kCat3],
                };
                const double amount = won[0] + won[1] + won[2] + won[3] + won[4];
                ++result.drawsScrutinised;
                report += detailLine(result.drawsScrutinised, draws.draws[d], t, amount);
                result.totals += t;
                for (size_t c = 0; c < won.size(); ++c) result.amounts[c] += won[c];
                result.grandTotal += amount;
            }
            progress.report(selected[static_cast<size_t>(first + n - 1)] + 1, total);
        }
        result.noPrizeAmounts = chosen > 0 && !anyAmount;

        const int64_t k = result.drawsScrutinised;
        report += "\r\nDETALLE DE PREMIOS/IMPORTES TOTALES (6-5C-5-4-3)\r\n"
                  "------------------------------------------------\r\n"
                  "PREMIO     CANTIDAD        IMPORTES           MEDIA\r\n";
        static const char* const kLabels[5] = {"6          ", "5+C        ", "5          ", "4          ",
                                               "3          "};
        const HitTally& T = result.totals;
        const std::array<int64_t, 5> counts = {T.hits[6], T.fiveWithComplementary, T.fiveWithoutComplementary(),
                                               T.hits[4], T.hits[3]};
        for (size_t c = 0; c < 5; ++c) {
            const double mean = counts[c] < 1 ? 0 : result.amounts[c] / static_cast<double>(counts[c]);
            report += kLabels[c] + column(std::to_string(counts[c]), 16) + column(formatMoney(result.amounts[c]), 19) +
                      formatMoney(mean) + "\r\n";
        }
        const double estimate = static_cast<double>(bets.size()) * 10 / 100 * static_cast<double>(k) * betPrice(inputs.game);
        result.reintegroEstimate = roundHalfEven(estimate);
        report += "\r\nTOTALES\r\n-------\r\n";
        report += "Sorteos Escrutados    : " + std::to_string(k) + "\r\n";
        report += "Importe total         : " + formatMoney(result.grandTotal) + " euros\r\n";
        report += "Estimación reintegros : " + formatCount(static_cast<int64_t>(result.reintegroEstimate)) + " euros\r\n";
        report += "IMPORTE FINAL         : " + formatMoney(result.grandTotal + result.reintegroEstimate) + " euros\r\n";
    });
}

std::string statisticalWindowText(const std::string& report)
{
    size_t chars = 0;
    for (size_t i = 0; i < report.size(); ++i) {
        if ((static_cast<unsigned char>(report[i]) & 0xC0) == 0x80) continue;
        if (chars == kStatisticalWindowLimit)
            return report.substr(0, i) + "\r\n\r\n" + kStatisticalTooLongNotice;
        ++chars;
    }
    return report;
}

} // namespace kombitron
