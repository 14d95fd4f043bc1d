#include "history/statistics.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "core/format.h"
#include "core/interaction.h"
#include "core/text.h"
#include "history/draw_history.h"

namespace kombitron {

namespace {

constexpr const char* kLabels[kStatisticCount] = {
    "Números", "Bajos y Altos", "Decenas", "Distancias", "Pares e Impares",
    "Seguidos", "Sumas", "Terminaciones", "Exteriores/Interiores", "Superiores/Inferiores"};

constexpr const char* kHeaders[kStatisticCount] = {
    "Número     Apariciones",
    "Bajos  Altos          Apariciones",
    "Decena            Apariciones",
    "Distancias      Veces",
    "Pares    Impares       Apariciones",
    "Seguidos     Apariciones",
    "Sumas                 Apariciones",
    "Terminados en         Apariciones",
    "Exteriores Interiores     Apariciones",
    "Superiores Inferiores    Apariciones"};

// Membership tables of the numbers 1..49.
struct NumberSets {
    std::array<uint8_t, 64> high{}, exterior{}, upper{};
    NumberSets()
    {
        for (int n = 1; n <= 49; ++n) {
            high[n] = n >= 25;
            exterior[n] = n <= 10 || n == 19 || n == 20 || n == 29 || n == 30 || n >= 39;
            upper[n] = n % 10 <= 4;
        }
    }
};

const NumberSets& numberSets()
{
    static const NumberSets sets;
    return sets;
}

std::string str(int64_t value) { return std::to_string(value); }

std::string threeDigits(int value)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%03d", value);
    return buf;
}

// Draw counts per k = how many numbers of the draw are in `set`, k = 0..6.
std::array<int32_t, 7> countPerDraw(const std::vector<const DrawRecord*>& draws, const std::array<uint8_t, 64>& set)
{
    std::array<int32_t, 7> counts{};
    for (const DrawRecord* d : draws) {
        int k = 0;
        for (uint8_t n : d->numbers) k += n < set.size() ? set[n] : 0;
        ++counts[k];
    }
    return counts;
}

// Distances and runs are counted on the numbers in ascending order, whatever order the file gave.
std::array<uint8_t, 6> ascending(const DrawRecord& d)
{
    std::array<uint8_t, 6> v;
    std::copy(std::begin(d.numbers), std::end(d.numbers), v.begin());
    std::sort(v.begin(), v.end());
    return v;
}

std::vector<std::string> statisticLines(int statistic, const std::vector<const DrawRecord*>& draws)
{
    std::vector<std::string> lines;
    const NumberSets& sets = numberSets();
    switch (statistic) {
    default:
    case 0: {
        std::array<int32_t, 50> counts{};
        for (const DrawRecord* d : draws)
            for (uint8_t n : d->numbers)
                if (n >= 1 && n <= 49) ++counts[n];
        for (int n = 1; n <= 49; ++n)
            if (counts[n] > 0) lines.push_back(formatTwoDigits(n) + " ---> " + str(counts[n]));
        break;
    }
    case 1: {
        const auto counts = countPerDraw(draws, sets.high);
        for (int k = 0; k <= 6; ++k) lines.push_back(str(6 - k) + "    " + str(k) + "  ---> " + str(counts[k]));
        break;
    }
    case 2: {
        std::array<int32_t, 5> counts{};
        for (const DrawRecord* d : draws)
            for (uint8_t n : d->numbers)
                if (n >= 1 && n <= 49) ++counts[n / 10];
        static const char* const kDecades[5] = {"01-09", "10-19", "20-29", "30-39", "40-49"};
        for (int i = 0; i < 5; ++i) lines.push_back(std::string(kDecades[i]) + " ---> " + str(counts[i]));
        break;
    }
    case 3: {
        std::array<int32_t, 45> counts{};
        for (const DrawRecord* d : draws) {
            const auto v = ascending(*d);
            for (int i = 1; i < 6; ++i) {
                const int diff = v[i] - v[i - 1];
                if (diff >= 1 && diff <= 44) ++counts[diff];
            }
        }
        for (int diff = 1; diff <= 44; ++diff) lines.push_back(padRight(str(diff), 2) + "  --->  " + str(counts[diff]));
        break;
    }
    case 4: {
        std::array<uint8_t, 64> even{};
        for (int n = 0; n < 64; n += 2) even[n] = 1;
        const auto counts = countPerDraw(draws, even);
        for (int k = 6; k >= 0; --k) lines.push_back(str(k) + "     " + str(6 - k) + "  --->  " + str(counts[k]));
        break;
    }
    case 5: {
        std::array<int32_t, 7> counts{};
        for (const DrawRecord* d : draws) {
            const auto v = ascending(*d);
            int run = 1, longest = 1;
            for (int i = 1; i < 6; ++i) {
                run = v[i] == v[i - 1] + 1 ? run + 1 : 1;
                longest = std::max(longest, run);
            }
            ++counts[longest];
        }
        for (int length = 1; length <= 6; ++length) lines.push_back(str(length) + "  --->  " + str(counts[length]));
        break;
    }
    case 6: {
        std::array<int32_t, 26> blocks{}; // block b holds the sums 21 + 10b .. 30 + 10b
        for (const DrawRecord* d : draws) {
            int sum = 0;
            for (uint8_t n : d->numbers) sum += n;
            if (sum >= 21 && sum <= 280) ++blocks[(sum - 21) / 10];
        }
        for (int b = 0; b < 26; ++b) {
            const int s = 21 + 10 * b;
            if (blocks[b] > 0) lines.push_back(threeDigits(s) + "-" + threeDigits(s + 9) + " ---> " + str(blocks[b]));
        }
        break;
    }
    case 7: {
        std::array<int32_t, 10> counts{};
        for (const DrawRecord* d : draws)
            for (uint8_t n : d->numbers) ++counts[n % 10];
        for (int digit = 0; digit <= 9; ++digit) lines.push_back("   " + str(digit) + "    --->   " + str(counts[digit]));
        break;
    }
    case 8:
    case 9: {
        const auto counts = countPerDraw(draws, statistic == 8 ? sets.exterior : sets.upper);
        for (int k = 6; k >= 0; --k) lines.push_back(str(k) + "       " + str(6 - k) + "  --->  " + str(counts[k]));
        break;
    }
    }
    return lines;
}

// A query box: digits only, read as a 16-bit integer; false when blank or unreadable.
bool readBox(const std::string& text, int& value)
{
    // A box holds at most five digits.
    return text.size() <= 5 && parseIntegerAs(text, 0, 32767, value);
}

} // namespace

const char* statisticLabel(int index) { return index >= 0 && index < kStatisticCount ? kLabels[index] : ""; }

const char* statisticHeader(int index) { return index >= 0 && index < kStatisticCount ? kHeaders[index] : ""; }

StatisticsQuery defaultStatisticsQuery(int currentYear)
{
    StatisticsQuery query;
    query.seasonTo = std::to_string(currentYear);
    return query;
}

bool drawMatches(const DrawRecord& draw, int seasonFrom, int seasonTo, int drawFrom, int drawTo, int weekday)
{
    return draw.season >= seasonFrom && draw.season <= seasonTo && draw.drawNumber >= drawFrom &&
           draw.drawNumber <= drawTo && (weekday == 0 || draw.weekday == weekday);
}

std::vector<std::string> computeStatistic(int statistic, const DrawList& draws, int seasonFrom, int seasonTo,
                                          int drawFrom, int drawTo, int weekday, int64_t& matching)
{
    std::vector<const DrawRecord*> selected;
    selected.reserve(draws.size());
    for (const DrawRecord& d : draws)
        if (drawMatches(d, seasonFrom, seasonTo, drawFrom, drawTo, weekday)) selected.push_back(&d);
    matching = static_cast<int64_t>(selected.size());
    return statisticLines(statistic, selected);
}

StatisticsResult runStatisticsQuery(const DrawHistory& history, const StatisticsQuery& query, Interaction& ui)
{
    StatisticsResult result;
    const int statistic = query.statistic >= 0 && query.statistic < kStatisticCount ? query.statistic : 0;
    result.header = kHeaders[statistic];
    if (history.count() < 1) {
        ui.warning("No hay ningún fichero de sorteos cargado");
        result.status = StatisticsStatus::NoHistory;
        return result;
    }
    int seasonFrom = 0, seasonTo = 0, drawFrom = 0, drawTo = 0;
    if (!readBox(query.seasonFrom, seasonFrom) || !readBox(query.seasonTo, seasonTo) ||
        !readBox(query.drawFrom, drawFrom) || !readBox(query.drawTo, drawTo)) {
        ui.error("ERROR: Algún campo de la consulta esta vacío");
        result.status = StatisticsStatus::EmptyField;
        return result;
    }
    if (seasonTo < seasonFrom) {
        ui.error("ERROR: Año mínimo mayor que año máximo");
        result.status = StatisticsStatus::SeasonRange;
        return result;
    }
    if (drawTo < drawFrom) {
        ui.error("ERROR: Número de sorteo mínimo mayor que número de sorteo máximo");
        result.status = StatisticsStatus::DrawRange;
        return result;
    }

    result.lines = computeStatistic(statistic, history.draws, seasonFrom, seasonTo, drawFrom, drawTo,
                                    query.weekday, result.matchingDraws);
    for (size_t i = 0; i < result.lines.size(); ++i) {
        result.text += result.lines[i];
        // The decades table is the one whose last line has no line end.
        if (!(statistic == 2 && i + 1 == result.lines.size())) result.text += "\r\n";
    }
    if (result.text.empty()) ui.warning("Ningún dato coincide con la consulta realizada");
    return result;
}

} // namespace kombitron
