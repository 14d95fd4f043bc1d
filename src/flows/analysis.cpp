#include "flows/analysis.h"

#include <algorithm>

#include "core/format.h"
#include "flows/reports.h"

namespace kombitron {

namespace {

// A value and its cell in the report, padded to a column of 10 characters ("--" when empty).
std::string column(int value, const std::string& text)
{
    if (text.empty()) return std::to_string(value) + " --" + std::string(8, ' ');
    const size_t len = utf8Length(text);
    return std::to_string(value) + " " + text + std::string(len < 10 ? 10 - len : 0, ' ');
}

std::string cellText(int64_t count, int64_t bets, AnalysisView view)
{
    if (count < 1) return {};
    if (view == AnalysisView::Counts) return std::to_string(count);
    if (bets <= 0) return {};
    const double p = roundHalfEven(static_cast<double>(count) * 100.0 / static_cast<double>(bets), 2);
    return formatDecimal(p, 2) + "%";
}

} // namespace

AnalysisCounts countAnalysis(const BetList& list, int64_t bets)
{
    AnalysisCounts counts;
    counts.bets = bets;
    const int64_t n = std::min<int64_t>(bets, list.size());
    for (int64_t i = 1; i <= n; ++i) {
        const uint8_t* b = list.bet(i);
        for (int j = 0; j < 6; ++j)
            if (b[j] >= kMinNumber && b[j] <= kMaxNumber) ++counts.numbers[b[j]];
        if (b[6] <= kMaxReintegro) ++counts.reintegros[b[6]];
    }
    return counts;
}

AnalysisCells analysisCellTexts(const AnalysisCounts& counts, AnalysisView view)
{
    AnalysisCells cells;
    for (int v = kMinNumber; v <= kMaxNumber; ++v) cells.numbers[v - 1] = cellText(counts.numbers[v], counts.bets, view);
    for (int d = 0; d <= kMaxReintegro; ++d) cells.reintegros[d] = cellText(counts.reintegros[d], counts.bets, view);
    return cells;
}

std::string analysisReportText(const AnalysisCells& cells, bool primitiva)
{
    std::string t = "KOMBITRON ANALISIS:\r\n\r\n";
    t += "NUMEROS\r\n";
    t += std::string(12, ' ');
    for (int v : {10, 20, 30, 40}) t += column(v, cells.numbers[v - 1]);
    t += "\r\n";
    for (int r = 1; r <= 9; ++r) {
        for (int v = r; v <= 49; v += 10) t += column(v, cells.numbers[v - 1]);
        t += "\r\n";
    }
    if (primitiva) {
        t += "\r\nREINTEGROS\r\n";
        for (int d = 0; d <= 4; ++d) t += column(d, cells.reintegros[d]);
        t += "\r\n";
        for (int d = 5; d <= 9; ++d) t += column(d, cells.reintegros[d]);
        t += "\r\n";
    }
    return t;
}

bool showAnalysisReport(const AnalysisCells& cells, bool primitiva, Interaction& ui)
{
    return writeAndOpenReport(kAnalysisReportFileName, analysisReportText(cells, primitiva), ui);
}

} // namespace kombitron
