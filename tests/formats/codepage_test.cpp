#include <gtest/gtest.h>

#include "formats/codepage.h"

using namespace kombitron;

TEST(CodePage, ConvertsWindows1252)
{
    EXPECT_EQ(cp1252ToUtf8("\x80\xF1\x81"), "€ñ\u0081");
    EXPECT_EQ(utf8ToCp1252("€ñ"), "\x80\xF1");
    EXPECT_EQ(utf8ToCp1252("中"), "?");
    EXPECT_EQ(utf8ToCp1252("a\xFF" "b"), "a?b");
    EXPECT_TRUE(isValidUtf8("ñandú"));
    EXPECT_FALSE(isValidUtf8("\xF1" "andu"));
    EXPECT_FALSE(isValidUtf8("\xC0\x80"));
}
