#include "filters/filter_common.h"

#include "core/text.h"

namespace kombitron {

NumberMask membersMask(const NumberFlags& flags)
{
    NumberMask mask = 0;
    for (int n = kMinNumber; n <= kMaxNumber; ++n)
        if (flags[n]) mask |= numberBit(n);
    return mask;
}

const char* figureText(int index)
{
    static const char* const kTexts[11] = {"6-0",   "5-1",     "4-2",   "4-1-1",   "3-3",        "3-2-1",
                                           "3-1-1-1", "2-2-2", "2-2-1-1", "2-1-1-1-1", "1-1-1-1-1-1"};
    return index >= 0 && index <= 10 ? kTexts[index] : "";
}

std::string hitSetText(const HitSet& set) { return flagListText(set.flags.data(), 0, 6); }

std::string flagListText(const uint8_t* flags, int first, int last)
{
    std::string text;
    for (int i = first; i <= last; ++i) {
        if (!flags[i]) continue;
        if (!text.empty()) text += ',';
        text += std::to_string(i);
    }
    return text;
}

bool parseNumericField(const std::string& text, int64_t& value)
{
    // The fields hold at most a few digits; anything longer is saturated, never wrapped.
    constexpr int64_t kSaturated = int64_t{1} << 40;
    const IntegerParse read = parseInteger(trimmed(text, " \t"), 0, kSaturated, value);
    if (read == IntegerParse::OutOfRange) value = kSaturated;
    return read != IntegerParse::NotNumber;
}

std::string checkGroupNumber(const std::string& text, int capacity, int& group)
{
    int64_t value = 0;
    if (!parseNumericField(text, value) || value < 1 || value > capacity)
        return "ERROR: EL NUMERO DE GRUPO DEBE ESTAR ENTRE 1 y " + std::to_string(capacity);
    group = static_cast<int>(value);
    return {};
}

std::array<uint8_t, 256> positionTable(const std::vector<uint8_t>& baseNumbers)
{
    std::array<uint8_t, 256> table{};
    for (size_t i = 0; i < baseNumbers.size() && i < 255; ++i)
        table[i + 1] = baseNumbers[i] <= kMaxNumber ? baseNumbers[i] : 0;
    return table;
}

} // namespace kombitron
