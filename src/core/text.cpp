#include "core/text.h"

#include <limits>

namespace kombitron {

std::string toUpper(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string toLower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string_view trimmed(std::string_view text, std::string_view blanks)
{
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

IntegerParse parseInteger(std::string_view text, int64_t low, int64_t high, int64_t& value, bool signAllowed)
{
    bool negative = false;
    if (signAllowed && !text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return IntegerParse::NotNumber;
    // Digits past 2^63 cannot give any int64 value: remember that and keep reading, so a long run
    // of digits costs one pass and ends OutOfRange rather than wrapping.
    constexpr uint64_t kLimit = uint64_t{1} << 63;
    uint64_t magnitude = 0;
    bool overflow = false;
    for (char c : text) {
        if (c < '0' || c > '9') return IntegerParse::NotNumber;
        if (overflow) continue;
        const auto digit = static_cast<uint64_t>(c - '0');
        if (magnitude > (kLimit - digit) / 10) overflow = true;
        else magnitude = magnitude * 10 + digit;
    }
    if (overflow || (!negative && magnitude == kLimit)) return IntegerParse::OutOfRange;
    const int64_t v = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    if (v < low || v > high) return IntegerParse::OutOfRange;
    value = v;
    return IntegerParse::Ok;
}

std::string clipForMessage(std::string_view text, size_t limit)
{
    bool cut = false;
    if (text.size() > limit) {
        size_t end = limit;
        // Do not split a UTF-8 sequence: back up to the first byte of the character.
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
        text = text.substr(0, end);
        cut = true;
    }
    std::string out;
    out.reserve(text.size() + 3);
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        out += byte < 0x20 || byte == 0x7F ? '?' : c;
    }
    if (cut) out += "...";
    return out;
}

std::string quoteForMessage(std::string_view text, size_t limit) { return "'" + clipForMessage(text, limit) + "'"; }

} // namespace kombitron
