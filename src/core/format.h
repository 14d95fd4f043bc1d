#pragma once

#include <cstddef>

#include <cstdint>
#include <string>

namespace kombitron {

// Grouping and decimal characters of the user's number format. The program sets them once
// from the locale; tests pin the Spanish "." and ",".
struct NumberFormat {
    std::string grouping = ".";
    std::string decimal = ",";
};

void setNumberFormat(const NumberFormat& format);
const NumberFormat& numberFormat();

// Round to `decimals` places with halves to the even neighbour.
double roundHalfEven(double value, int decimals = 0);

// "#,#,0": 13983816 -> "13.983.816".
std::string formatCount(int64_t value);
// "#,##0.00": 1234.5 -> "1.234,50".
std::string formatMoney(double value);
// "0.00": 3.14159 -> "3,14".
std::string formatFixed2(double value);
// "000.000": 12.5 -> "012,500".
std::string formatPercent3(double value);
// "00": 7 -> "07".
std::string formatTwoDigits(int value);
// A decimal with up to `maxDecimals` places and no trailing zeros, in the user's format.
std::string formatDecimal(double value, int maxDecimals = 15);
// Shortest text with up to 15 significant digits and "." as separator (XML files).
std::string formatInvariant(double value);

// Parse a decimal written with "." or "," as separator; false when it is not a number.
bool parseDecimal(const std::string& text, double& value);

// Number of characters (code points) of a UTF-8 text.
size_t utf8Length(const std::string& text);
// Pad with spaces on the right / left up to `width` characters.
std::string padRight(const std::string& text, size_t width);
std::string padLeft(const std::string& text, size_t width);

} // namespace kombitron
