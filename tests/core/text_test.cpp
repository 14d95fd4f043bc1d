#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "core/text.h"

using namespace kombitron;

TEST(Text, UpperLowerAndTrimTouchOnlyWhatTheySay)
{
    EXPECT_EQ(toUpper("primitiva Bonoloto 2010 ñ"), "PRIMITIVA BONOLOTO 2010 ñ");
    EXPECT_EQ(toLower("PRIMITIVA Ñ"), "primitiva Ñ");
    EXPECT_EQ(trimmed("  \t a b \r\n"), "a b");
    EXPECT_EQ(trimmed(" \r\n\t"), "");
    EXPECT_EQ(trimmed(""), "");
    EXPECT_EQ(trimmed("\tx\t", " "), "\tx\t");
}

TEST(Text, ParseIntegerTable)
{
    constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    struct Case {
        const char* text;
        int64_t low, high;
        bool sign;
        IntegerParse expected;
        int64_t value;
    };
    const Case cases[] = {
        {"49", 1, 49, false, IntegerParse::Ok, 49},
        {"0049", 1, 49, false, IntegerParse::Ok, 49},
        {"50", 1, 49, false, IntegerParse::OutOfRange, 0},
        {"0", 1, 49, false, IntegerParse::OutOfRange, 0},
        {"", 0, 9, false, IntegerParse::NotNumber, 0},
        {" 7", 0, 9, false, IntegerParse::NotNumber, 0},
        {"7 ", 0, 9, false, IntegerParse::NotNumber, 0},
        {"-3", -9, 9, false, IntegerParse::NotNumber, 0},
        {"-3", -9, 9, true, IntegerParse::Ok, -3},
        {"+3", -9, 9, true, IntegerParse::Ok, 3},
        {"-", -9, 9, true, IntegerParse::NotNumber, 0},
        {"--3", -9, 9, true, IntegerParse::NotNumber, 0},
        {"1e3", 0, 9999, false, IntegerParse::NotNumber, 0},
        {"0x10", 0, 9999, false, IntegerParse::NotNumber, 0},
        // overflow must never wrap into range
        {"18446744073709551617", 0, 9, false, IntegerParse::OutOfRange, 0},
        {"99999999999999999999999999999999999999", kMin, kMax, true, IntegerParse::OutOfRange, 0},
        {"9223372036854775807", kMin, kMax, false, IntegerParse::Ok, kMax},
        {"9223372036854775808", kMin, kMax, false, IntegerParse::OutOfRange, 0},
        {"-9223372036854775808", kMin, kMax, true, IntegerParse::Ok, kMin},
        {"-9223372036854775809", kMin, kMax, true, IntegerParse::OutOfRange, 0},
        {"000000000000000000000000000000012", 0, 99, false, IntegerParse::Ok, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        int64_t value = -12345;
        EXPECT_EQ(parseInteger(c.text, c.low, c.high, value, c.sign), c.expected);
        EXPECT_EQ(value, c.expected == IntegerParse::Ok ? c.value : -12345);
    }
    uint8_t small = 0;
    EXPECT_TRUE(parseIntegerAs("255", 0, 255, small));
    EXPECT_EQ(small, 255);
    EXPECT_FALSE(parseIntegerAs("256", 0, 255, small));
    EXPECT_EQ(small, 255);
}

TEST(Text, QuotedTextIsShortAndWhole)
{
    EXPECT_EQ(quoteForMessage("abc"), "'abc'");
    EXPECT_EQ(quoteForMessage(std::string("a\0b\r\n", 5)), "'a?b?" "?'");
    const std::string huge(100000, ',');
    const std::string quoted = quoteForMessage(huge);
    EXPECT_EQ(quoted, "'" + std::string(kQuotedPrefix, ',') + "...'");
    // a cut never splits a character: "ñ" is two bytes
    EXPECT_EQ(quoteForMessage("aañ", 3), "'aa...'");
    EXPECT_EQ(quoteForMessage("añ", 3), "'añ'");
    EXPECT_EQ(clipForMessage("abc\tdef", 5), "abc?d...");
}
