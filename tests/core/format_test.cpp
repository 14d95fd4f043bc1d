#include <gtest/gtest.h>

#include "core/format.h"

using namespace kombitron;

class FormatTest : public ::testing::Test {
protected:
    void SetUp() override { setNumberFormat({".", ","}); }
};

TEST_F(FormatTest, CountsGroupThousands)
{
    EXPECT_EQ(formatCount(13983816), "13.983.816");
    EXPECT_EQ(formatCount(0), "0");
    EXPECT_EQ(formatCount(999), "999");
    EXPECT_EQ(formatCount(1000), "1.000");
    EXPECT_EQ(formatCount(-3000000), "-3.000.000");
}

TEST_F(FormatTest, DecimalsRoundHalvesToEven)
{
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_DOUBLE_EQ(roundHalfEven(0.125, 2), 0.12);
    EXPECT_DOUBLE_EQ(roundHalfEven(0.135, 2), 0.14);
    EXPECT_EQ(formatFixed2(2.345), "2,34");
    EXPECT_EQ(formatFixed2(2.355), "2,36");
    EXPECT_EQ(formatMoney(1234567.5), "1.234.567,50");
    EXPECT_EQ(formatMoney(0), "0,00");
    EXPECT_EQ(formatPercent3(12.5), "012,500");
    EXPECT_EQ(formatPercent3(100), "100,000");
    EXPECT_EQ(formatPercent3(0.0625), "000,062");
    EXPECT_EQ(formatTwoDigits(7), "07");
    EXPECT_EQ(formatDecimal(12.25), "12,25");
    EXPECT_EQ(formatDecimal(11.0), "11");
}

TEST_F(FormatTest, OtherSeparatorsComeFromTheSetting)
{
    setNumberFormat({",", "."});
    EXPECT_EQ(formatCount(13983816), "13,983,816");
    EXPECT_EQ(formatMoney(1234.5), "1,234.50");
    EXPECT_EQ(formatInvariant(11.87), "11.87");
    EXPECT_EQ(formatInvariant(12.6), "12.6");
}

TEST_F(FormatTest, ParsesEitherDecimalSeparator)
{
    double v = 0;
    EXPECT_TRUE(parseDecimal("12,25", v));
    EXPECT_DOUBLE_EQ(v, 12.25);
    EXPECT_TRUE(parseDecimal("9.92", v));
    EXPECT_DOUBLE_EQ(v, 9.92);
    EXPECT_FALSE(parseDecimal("", v));
    EXPECT_FALSE(parseDecimal("1x", v));
}

TEST_F(FormatTest, PaddingCountsCharactersNotBytes)
{
    EXPECT_EQ(utf8Length("Homólogos"), 9u);
    EXPECT_EQ(padRight("Sí", 5), "Sí   ");
    EXPECT_EQ(padLeft("7", 3), "  7");
}
