#include "core/format.h"

#include "core/text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kombitron {

namespace {
NumberFormat g_format;

std::string groupDigits(const std::string& digits)
{
    std::string out;
    const size_t n = digits.size();
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += g_format.grouping;
        out += digits[i];
    }
    return out;
}

// Fixed notation with halves to even at the last place, split into integer and fraction digits.
void fixedDigits(double value, int decimals, bool& negative, std::string& integer, std::string& fraction)
{
    double rounded = roundHalfEven(value, decimals);
    negative = rounded < 0 && rounded != 0;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, std::fabs(rounded));
    std::string text = buf;
    size_t dot = text.find('.');
    integer = text.substr(0, dot);
    fraction = dot == std::string::npos ? "" : text.substr(dot + 1);
}
} // namespace

void setNumberFormat(const NumberFormat& format) { g_format = format; }
const NumberFormat& numberFormat() { return g_format; }

double roundHalfEven(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    // Work on the decimal text of the scaled value so that 2.675 rounds as written,
    // not as its nearest binary neighbour.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6f", scaled);
    double r = std::strtod(buf, nullptr);
    double floorPart = std::floor(r);
    double diff = r - floorPart;
    double result;
    if (std::fabs(diff - 0.5) < 1e-9)
        result = std::fmod(floorPart, 2.0) == 0 ? floorPart : floorPart + 1;
    else
        result = std::round(r);
    return result / scale;
}

std::string formatCount(int64_t value)
{
    std::string digits = std::to_string(value < 0 ? -value : value);
    return (value < 0 ? "-" : "") + groupDigits(digits);
}

std::string formatMoney(double value)
{
    bool negative;
    std::string integer, fraction;
    fixedDigits(value, 2, negative, integer, fraction);
    return (negative ? "-" : "") + groupDigits(integer) + g_format.decimal + fraction;
}

std::string formatFixed2(double value)
{
    bool negative;
    std::string integer, fraction;
    fixedDigits(value, 2, negative, integer, fraction);
    return (negative ? "-" : "") + integer + g_format.decimal + fraction;
}

std::string formatPercent3(double value)
{
    bool negative;
    std::string integer, fraction;
    fixedDigits(value, 3, negative, integer, fraction);
    while (integer.size() < 3) integer.insert(integer.begin(), '0');
    return (negative ? "-" : "") + integer + g_format.decimal + fraction;
}

std::string formatTwoDigits(int value)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", value);
    return buf;
}

std::string formatDecimal(double value, int maxDecimals)
{
    bool negative;
    std::string integer, fraction;
    fixedDigits(value, maxDecimals, negative, integer, fraction);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    std::string out = (negative ? "-" : "") + integer;
    if (!fraction.empty()) out += g_format.decimal + fraction;
    return out;
}

std::string formatInvariant(double value)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    return buf;
}

bool parseDecimal(const std::string& text, double& value)
{
    std::string t(trimmed(text));
    if (t.empty()) return false;
    for (char& c : t)
        if (c == ',') c = '.';
    char* end = nullptr;
    value = std::strtod(t.c_str(), &end);
    return end && *end == '\0' && end != t.c_str();
}

size_t utf8Length(const std::string& text)
{
    size_t n = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

std::string padRight(const std::string& text, size_t width)
{
    size_t len = utf8Length(text);
    return len >= width ? text : text + std::string(width - len, ' ');
}

std::string padLeft(const std::string& text, size_t width)
{
    size_t len = utf8Length(text);
    return len >= width ? text : std::string(width - len, ' ') + text;
}

} // namespace kombitron
