#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kombitron {

// The text with the ASCII letters a..z in upper case; every other byte (accented letters in
// UTF-8 included) as it is.
std::string toUpper(std::string_view text);
// The text with the ASCII letters A..Z in lower case; every other byte as it is.
std::string toLower(std::string_view text);

// Blank characters trimmed by default: space, tab, CR and LF.
inline constexpr std::string_view kBlanks = " \t\r\n";
// The text without the leading and trailing characters of `blanks`; empty when only blanks.
std::string_view trimmed(std::string_view text, std::string_view blanks = kBlanks);

// How a text read as a whole number.
enum class IntegerParse {
    Ok,         // the value is in range
    NotNumber,  // empty, a sign where none is allowed, or any character other than a digit
    OutOfRange  // digits (and sign) only, but the value lies outside [low, high]
};

// The whole text as a decimal integer within [low, high]: digits only, preceded by one "+" or
// "-" when `signAllowed`; nothing is trimmed. Any number of digits is read in one pass without
// overflow (the value saturates), so a long run of digits is OutOfRange, never a wrapped value.
// `value` is set only when the result is Ok.
IntegerParse parseInteger(std::string_view text, int64_t low, int64_t high, int64_t& value, bool signAllowed = false);

// The same for a narrower integer type; true only when the result is Ok.
template <class Int>
bool parseIntegerAs(std::string_view text, int64_t low, int64_t high, Int& value, bool signAllowed = false)
{
    int64_t v = 0;
    if (parseInteger(text, low, high, v, signAllowed) != IntegerParse::Ok) return false;
    value = static_cast<Int>(v);
    return true;
}

// Longest piece of an offending text that a message quotes.
inline constexpr size_t kQuotedPrefix = 40;
// An offending text as a message quotes it: between single quotes, cut to its first `limit`
// bytes (at a character boundary, "..." marking the cut) and with control characters, NUL
// included, shown as "?" so that nothing cuts or garbles the message.
std::string quoteForMessage(std::string_view text, size_t limit = kQuotedPrefix);
// The same without the quotes, for a whole description that may carry such a text.
std::string clipForMessage(std::string_view text, size_t limit);

} // namespace kombitron
