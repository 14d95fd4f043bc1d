#include <gtest/gtest.h>

#include "core/format.h"
#include "filters/percentages_file.h"
#include "support/test_paths.h"

using namespace kombitron;
using namespace kombitron::test;

TEST(PercentagesFile, NamingRule)
{
    EXPECT_EQ(percentagesFilePath("/p/datos.txt"), "/p/datos.txt");
    EXPECT_EQ(percentagesFilePath("/p/datos.dat"), "/p/datos.txt");
    EXPECT_EQ(percentagesFilePath("/p/datos"), "/p/datos.txt");
    EXPECT_EQ(percentagesFilePath("/p/datos.largo1"), "/p/datos.largo1.txt");
}

TEST(PercentagesFile, RoundTripWithADecimalComma)
{
    TempDir dir;
    setNumberFormat({".", ","});
    std::array<std::string, 49> fields;
    for (int n = 0; n < 49; ++n) fields[n] = percentageText(10 + n * 0.25);
    fields[7] = "0,0";
    EXPECT_EQ(fields[2], "10,5");
    ASSERT_EQ(savePercentagesPanel(dir.file("p"), fields), "");
    const std::string text = readFile(dir.file("p.txt"));
    EXPECT_EQ(text.substr(0, 16), "10 10,25 10,5 10");
    EXPECT_NE(text.find(" 11,5 0 12 "), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");

    // Read back where "." is the decimal separator: the texts come back, and so do the values.
    setNumberFormat({",", "."});
    std::array<std::string, 49> loaded;
    loaded.fill("5");
    EXPECT_EQ(loadPercentagesPanel(dir.file("p.txt"), loaded), "");
    EXPECT_EQ(loaded[1], "10,25");
    EXPECT_EQ(loaded[7], "5"); // a 0 leaves the field
    double value = 0;
    ASSERT_TRUE(parsePercentageText(loaded[1], value));
    EXPECT_EQ(value, 10.25);
    EXPECT_EQ(percentageText(12.6), "12.6");
    setNumberFormat({".", ","});
}

TEST(PercentagesFile, Failures)
{
    TempDir dir;
    std::array<std::string, 49> fields;
    fields.fill("1");
    fields[2] = "";
    EXPECT_EQ(savePercentagesPanel(dir.file("a.txt"), fields),
              "ERROR AL GUARDAR LOS PORCENTAJES (el porcentaje del número 3 está en blanco)");
    EXPECT_EQ(readFile(dir.file("a.txt")), "");
    fields[2] = "1,2,3";
    EXPECT_NE(savePercentagesPanel(dir.file("a.txt"), fields).find("no es un número"), std::string::npos);

    // 48 fields: the first 48 are applied, then the error.
    std::string line;
    for (int n = 1; n <= 48; ++n) line += (n > 1 ? " " : "") + std::to_string(n);
    writeFile(dir.file("short.txt"), line + "\r\n");
    fields.fill("x");
    EXPECT_EQ(loadPercentagesPanel(dir.file("short.txt"), fields), "ERROR AL ABRIR LOS PORCENTAJES");
    EXPECT_EQ(fields[47], "48");
    EXPECT_EQ(fields[48], "x");

    writeFile(dir.file("bad.txt"), "1 2 tres\r\n");
    fields.fill("x");
    EXPECT_EQ(loadPercentagesPanel(dir.file("bad.txt"), fields), "ERROR AL ABRIR LOS PORCENTAJES");
    EXPECT_EQ(fields[1], "2");
    EXPECT_EQ(loadPercentagesPanel(dir.file("missing.txt"), fields), "ERROR AL ABRIR LOS PORCENTAJES");

    // Zeros everywhere change nothing.
    std::string zeros = "0";
    for (int n = 2; n <= 49; ++n) zeros += " 0";
    writeFile(dir.file("zeros.txt"), zeros + "\r\n");
    fields.fill("9");
    EXPECT_EQ(loadPercentagesPanel(dir.file("zeros.txt"), fields), "");
    for (const auto& f : fields) EXPECT_EQ(f, "9");
}

TEST(PercentagesFile, Valuations)
{
    TempDir dir;
    std::array<int, 49> values{};
    values[0] = 100;
    values[9] = 5;
    ASSERT_EQ(saveValuationsFile(dir.file("v.dat"), values), "");
    const std::string text = readFile(dir.file("v.txt"));
    EXPECT_EQ(text.substr(0, 21), "100 0 0 0 0 0 0 0 0 5");

    const std::vector<uint8_t> base = {1, 2, 10, 20};
    std::array<int, 49> loaded{};
    EXPECT_EQ(loadValuationsFile(dir.file("v.txt"), base, loaded), "");
    EXPECT_EQ(loaded[0], 100);
    EXPECT_EQ(loaded[9], 5);

    // A value the list does not offer: outside the base, above 100, with decimals.
    for (const char* bad : {"0 0 7", "101", "2,5"}) {
        std::string line = bad;
        int fieldsInLine = 1;
        for (char c : line) fieldsInLine += c == ' ';
        for (int n = fieldsInLine; n < 49; ++n) line += " 0";
        writeFile(dir.file("bad.txt"), line + "\r\n");
        loaded.fill(0);
        EXPECT_EQ(loadValuationsFile(dir.file("bad.txt"), base, loaded),
                  "ERROR AL CARGAR ALGUNOS O TODOS LOS VALORES DE LOS PORCENTAJES")
            << bad;
    }
}
