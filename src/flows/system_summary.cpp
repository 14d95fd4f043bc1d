#include "flows/system_summary.h"

#include <charconv>

#include "core/format.h"

namespace kombitron {

std::string costPerDrawText(int64_t bets, GameType game)
{
    return formatMoney(static_cast<double>(bets) * betPrice(game)) + " €";
}

namespace {

// A count cell as the table shows it; -1 when it is empty or not a number.
int64_t cellCount(const std::string& text)
{
    int64_t value = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return -1;
    return value;
}

} // namespace

std::string guaranteeHeadline(const GuaranteeTable& table)
{
    // Classes are cumulative from the top: the share reaches 100 % at the lowest class that
    // still holds outcomes, so the headline is the class above every empty lower one.
    int lowest = -1;
    for (int h = 0; h <= 6; ++h) {
        if (!table.shown(h)) continue;
        const int64_t cases = cellCount(table.countText[h]);
        if (cases < 0) return {};
        if (cases > 0 && lowest < 0) lowest = h;
    }
    if (lowest < 0) return {};
    return table.percentText[lowest];
}

} // namespace kombitron
