#include "engine/process_percentages.h"


#include "core/format.h"

namespace kombitron {

namespace {

constexpr const char* kLineBreak = "\r\n";

std::string cell(const NumberPercentages& panel, int v)
{
    const std::string& label = panel.text[static_cast<size_t>(v - 1)];
    const size_t length = utf8Length(label);
    return std::to_string(v) + " " + label + std::string(length < 10 ? 10 - length : 0, ' ');
}

} // namespace

NumberPercentages numberPercentages(const std::array<int64_t, 49>& counts, int64_t bets, const std::string& caption)
{
    NumberPercentages panel;
    panel.caption = caption;
    panel.bets = bets;
    panel.counts = counts;
    for (size_t i = 0; i < 49; ++i) {
        if (counts[i] == 0 || bets <= 0) {
            panel.text[i] = "0 %";
            continue;
        }
        const double share = roundHalfEven(static_cast<double>(counts[i]) * 100.0 / static_cast<double>(bets));
        panel.text[i] = std::to_string(static_cast<int64_t>(share)) + "%";
    }
    return panel;
}

NumberPercentages percentagesBefore(const AppState& state)
{
    const IndexBetList& list = state.conditionedSystem;
    const auto& base = state.base.baseNumbers;
    std::array<int64_t, 100> byPosition{};
    const int64_t count = list.size();
    const uint8_t* data = list.data();
    int64_t* slots = byPosition.data();
#pragma omp parallel for reduction(+ : slots[:100]) schedule(static) if (count > 100000)
    for (int64_t i = 0; i < count; ++i)
        for (int j = 0; j < 6; ++j) ++slots[data[i * kBetBytes + j]];
    std::array<int64_t, 49> counts{};
    for (size_t p = 1; p <= base.size() && p < byPosition.size(); ++p)
        if (base[p - 1] >= 1 && base[p - 1] <= 49) counts[base[p - 1] - 1u] += byPosition[p];
    return numberPercentages(counts, count, kPercentagesBeforeCaption);
}

NumberPercentages percentagesAfter(const AppState& state)
{
    const BetList& list = state.finalSystem;
    std::array<int64_t, 256> byNumber{};
    const int64_t count = list.size();
    const uint8_t* data = list.data();
    int64_t* slots = byNumber.data();
#pragma omp parallel for reduction(+ : slots[:256]) schedule(static) if (count > 100000)
    for (int64_t i = 0; i < count; ++i)
        for (int j = 0; j < 6; ++j) ++slots[data[i * kBetBytes + j]];
    std::array<int64_t, 49> counts{};
    for (size_t v = 1; v <= 49; ++v) counts[v - 1] = byNumber[v];
    return numberPercentages(counts, count, kPercentagesAfterCaption);
}

std::string percentagesReportText(const NumberPercentages& panel)
{
    std::string text = "KOMBITRON " + panel.caption + ":" + kLineBreak + kLineBreak;
    text += std::string(12, ' ');
    for (int v = 10; v <= 40; v += 10) text += cell(panel, v);
    text += kLineBreak;
    for (int r = 1; r <= 9; ++r) {
        for (int v = r; v <= 49; v += 10) text += cell(panel, v);
        text += kLineBreak;
    }
    text += kLineBreak;
    return text;
}

} // namespace kombitron
