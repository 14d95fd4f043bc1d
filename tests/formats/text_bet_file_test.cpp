#include <gtest/gtest.h>

#include <chrono>

#include "formats/bet_files.h"
#include "formats/formats_support.h"
#include "support/test_paths.h"

using namespace kombitron;

namespace {

BetFileRead readText(const std::string& bytes, bool withReintegros)
{
    Progress progress;
    StopFlag stop;
    return readBetFileTextBytes(bytes, withReintegros, progress, stop);
}

const std::string kError = "ERROR AL IMPORTAR EL FICHERO, FICHERO NO IMPORTADO ( ";

} // namespace

TEST(TextBetFile, LayoutsAndReintegros)
{
    struct Case {
        const char* name;
        std::string text;
        bool withReintegros;
        std::vector<std::string> bets;
    };
    const std::vector<Case> cases = {
        {"spaces, the 12-character line", "1 2 3 4 5 16\r\n", false, {"01,02,03,04,05,16+00"}},
        {"runs of spaces count as one", "1  2 3 4 5 16\r\n", false, {"01,02,03,04,05,16+00"}},
        {"11-character raw line is skipped", "1 2 3 4 5 6\r\n10 20 30 40 45 49\r\n", false, {"10,20,30,40,45,49+00"}},
        {"commas", "01,02,03,04,05,06\r\n07,08,09,10,11,12\r\n", false,
         {"01,02,03,04,05,06+00", "07,08,09,10,11,12+00"}},
        {"plus with reintegros", "01,02,03,04,05,06+07\r\n", true, {"01,02,03,04,05,06+07"}},
        {"plus without reintegros", "01,02,03,04,05,06+07\r\n", false, {"01,02,03,04,05,06+00"}},
        {"seventh field with spaces", "01 02 03 04 05 06 7\r\n", true, {"01,02,03,04,05,06+07"}},
        {"seventh field with commas", "01,02,03,04,05,06,7\r\n", true, {"01,02,03,04,05,06+07"}},
        {"plus after spaces", "01 02 03 04 05 06+07\r\n", true, {"01,02,03,04,05,06+07"}},
        {"fixed width", "010203040506\r\n", false, {"01,02,03,04,05,06+00"}},
        {"fixed width with reintegro", "01020304050607\r\n", true, {"01,02,03,04,05,06+07"}},
        {"fixed width file reads later separated lines stripped",
         "010203040506\r\n07 08 09 10 11 12\r\n13-14-15-16-17-18*\r\n", false,
         {"01,02,03,04,05,06+00", "07,08,09,10,11,12+00", "13,14,15,16,17,18+00"}},
        {"fixed width short after stripping", "010203040506\r\n01 02 03 04 0\r\n", false, {"01,02,03,04,05,06+00"}},
        {"LF ends, CR ends and no final end", "01 02 03 04 05 06\n07 08 09 10 11 12\r13 14 15 16 17 18", false,
         {"01,02,03,04,05,06+00", "07,08,09,10,11,12+00", "13,14,15,16,17,18+00"}},
        {"further fields ignored without reintegros", "01 02 03 04 05 06 07 08\r\n", false, {"01,02,03,04,05,06+00"}},
        {"blank and short lines", "\r\n\r\n01 02 03 04 05 06\r\n   \r\n", false, {"01,02,03,04,05,06+00"}},
        {"byte-order mark", "\xEF\xBB\xBF" "01 02 03 04 05 06\r\n", false, {"01,02,03,04,05,06+00"}},
        {"empty file", "", false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const BetFileRead read = readText(c.text, c.withReintegros);
        ASSERT_TRUE(read.ok()) << read.failure;
        EXPECT_EQ(test::recordTexts(read.bets), c.bets);
    }
}

TEST(TextBetFile, ValidationStopsAtTheOffendingBet)
{
    struct Case {
        const char* name;
        std::string text;
        bool withReintegros;
        std::string failure;
    };
    const std::vector<Case> cases = {
        {"not ascending", "01,02,03,04,05,06\r\n02,01,03,04,05,06\r\n", false,
         kError + "Apuestas con números no en orden ascendente (Apuesta 2))"},
        {"repeated number", "01,01,03,04,05,06\r\n", false,
         kError + "Apuestas con números no en orden ascendente (Apuesta 1))"},
        {"number above 49, skipped lines not counted", "x\r\n01 02 03 04 05 06\r\nshort\r\n01 02 03 04 05 50\r\n", false,
         kError + "Apuestas con números fuera del intervalo 1-49 (Apuesta 2))"},
        {"number 0", "00 02 03 04 05 06\r\n", false, kError + "Apuestas con números fuera del intervalo 1-49 (Apuesta 1))"},
        {"range is checked before order", "05 02 03 04 05 99\r\n", false,
         kError + "Apuestas con números no en orden ascendente (Apuesta 1))"},
        {"reintegro above 9", "01,02,03,04,05,06+10\r\n", true,
         kError + "Apuestas con reintegros fuera del intervalo 0-9 (Apuesta 1))"},
        {"missing reintegro", "01,02,03,04,05,06\r\n", true,
         kError + "Ha elegido la opción de Cargar Reintegros y el fichero no tiene reintegros en sus apuestas (Apuesta 1))"},
        {"missing reintegro, fixed width", "010203040506\r\n", true,
         kError + "Ha elegido la opción de Cargar Reintegros y el fichero no tiene reintegros en sus apuestas (Apuesta 1))"},
        {"fixed width out of range", "010203040560\r\n", false,
         kError + "Apuestas con números fuera del intervalo 1-49 (Apuesta 1))"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const BetFileRead read = readText(c.text, c.withReintegros);
        EXPECT_EQ(read.status, BetFileStatus::Failed);
        EXPECT_EQ(read.bets.size(), 0);
        EXPECT_EQ(read.failure, c.failure);
    }
    // Other failures carry a description and an empty specific text.
    for (const std::string text : {"01,02,03,04,05\r\n", "01,02,xx,04,05,06\r\n", "01-02-03-04-05-06\r\n",
                                   "0102030405a6\r\n"}) {
        SCOPED_TRACE(text);
        const BetFileRead read = readText(text, false);
        EXPECT_EQ(read.status, BetFileStatus::Failed);
        EXPECT_EQ(read.failure.rfind("ERROR AL IMPORTAR EL FICHERO, FICHERO NO IMPORTADO (", 0), 0u);
        EXPECT_EQ(read.failure.substr(read.failure.size() - 2), " )") << read.failure;
    }
}

TEST(TextBetFile, SeparatorDetectionAndStripping)
{
    EXPECT_EQ(DetectSeparator("01 02,03"), ' ');
    EXPECT_EQ(DetectSeparator("01,02"), ',');
    EXPECT_EQ(DetectSeparator("01-02"), ',');
    EXPECT_EQ(DetectSeparator("010203"), '\0');
    EXPECT_EQ(StripSeparators("*01-02,03+04 05"), "0102030405");
}

TEST(TextBetFile, ShortLinesOutgrowTheLengthEstimate)
{
    // The list is first sized for one bet per 14 bytes; "1 2 3 4 5 16\n" lines take 13.
    std::string text;
    for (int i = 0; i < 20000; ++i) text += "1 2 3 4 5 16\n";
    const BetFileRead read = readText(text, false);
    ASSERT_TRUE(read.ok());
    ASSERT_EQ(read.bets.size(), 20000);
    EXPECT_EQ(betRecordText(read.bets.bet(20000)), "01,02,03,04,05,16+00");

    // The same through a file, with a window smaller than the file.
    test::TempDir dir;
    const std::string path = dir.file("cortas.txt");
    std::string big;
    for (int i = 0; i < 400000; ++i) big += "1,2,3,4,5,16\n";
    test::writeFile(path, big);
    Progress progress;
    StopFlag stop;
    const BetFileRead fromFile = ReadBetFileText(path, false, progress, stop);
    ASSERT_TRUE(fromFile.ok()) << fromFile.failure;
    EXPECT_EQ(fromFile.bets.size(), 400000);
    EXPECT_EQ(ReadBetFileText(dir.file("none.txt"), false, progress, stop).status, BetFileStatus::Failed);
}

TEST(TextBetFile, LinesAcrossTheReadWindow)
{
    // Every kind of line end, CR LF pairs cut by the reader's chunk boundaries included.
    test::TempDir dir;
    const std::string path = dir.file("largas.txt");
    const char* const ends[] = {"\r\n", "\n", "\r"};
    std::string text;
    int64_t expected = 0;
    while (text.size() < (size_t{9} << 20)) {
        text += "01 02 03 04 05 06" + std::string(static_cast<size_t>(expected % 97), ' ') + ends[expected % 3];
        ++expected;
    }
    text += "07 08 09 10 11 12";  // the last line has no end
    ++expected;
    test::writeFile(path, text);
    Progress progress;
    StopFlag stop;
    const BetFileRead read = ReadBetFileText(path, false, progress, stop);
    ASSERT_TRUE(read.ok()) << read.failure;
    ASSERT_EQ(read.bets.size(), expected);
    EXPECT_EQ(betRecordText(read.bets.bet(expected)), "07,08,09,10,11,12+00");
}

TEST(TextBetFile, AnyLineEndsReadInLinearTime)
{
    // Lone CR ends once made the reader search the whole read window for each line: 2 MB took
    // 18 s. The same bets must read alike with every line end, and quickly (the bound is two
    // orders of magnitude above what a linear reader needs, even under sanitizers).
    const std::string line = "01 02 03 04 05 06";
    for (const char* end : {"\n", "\r\n", "\r"}) {
        SCOPED_TRACE(testing::PrintToString(std::string(end)));
        std::string text;
        for (int i = 0; i < 120000; ++i) text += line + end;
        const auto start = std::chrono::steady_clock::now();
        const BetFileRead read = readText(text, false);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        ASSERT_TRUE(read.ok()) << read.failure;
        EXPECT_EQ(read.bets.size(), 120000);
        EXPECT_LT(seconds, 3.0);
    }
    // 2 MB of nothing but CR: every line is empty and skipped.
    const BetFileRead empty = readText(std::string(2 << 20, '\r'), false);
    ASSERT_TRUE(empty.ok());
    EXPECT_EQ(empty.bets.size(), 0);
}

TEST(TextBetFile, OverlongLinesAndOddBytesGiveShortWholeMessages)
{
    // A 5 MB line is refused, not buffered, and the message quotes none of it.
    const BetFileRead longLine =
        readText("01 02 03 04 05 06\r\n" + std::string(5 << 20, ' ') + "07 08 09 10 11 12\r\n", false);
    EXPECT_EQ(longLine.status, BetFileStatus::Failed);
    EXPECT_EQ(longLine.failure,
              "ERROR AL IMPORTAR EL FICHERO, FICHERO NO IMPORTADO (línea de más de 1024 caracteres (Apuesta 2) )");
    const BetFileRead commas = readText(std::string(3 << 20, ','), false);
    EXPECT_EQ(commas.status, BetFileStatus::Failed);
    EXPECT_LT(commas.failure.size(), 200u);

    // A long field is quoted by its start only; a NUL byte does not cut the message.
    const BetFileRead field = readText("01 02 " + std::string(500, 'x') + " 04 05 06\r\n", false);
    EXPECT_EQ(field.failure, "ERROR AL IMPORTAR EL FICHERO, FICHERO NO IMPORTADO (valor no numérico '" +
                                 std::string(40, 'x') + "...' (Apuesta 1) )");
    const BetFileRead nul = readText(std::string("01 02 0\0 04 05 06\r\n", 19), false);
    EXPECT_EQ(nul.failure, "ERROR AL IMPORTAR EL FICHERO, FICHERO NO IMPORTADO (valor no numérico '0?' (Apuesta 1) )");
}
