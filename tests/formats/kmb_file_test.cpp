#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "core/random.h"
#include "core/rank.h"
#include "formats/bet_files.h"
#include "formats/cipher.h"
#include "formats/formats_support.h"
#include "support/test_paths.h"

using namespace kombitron;
using test::kmbFile;
using test::kmbRecord;

namespace {

BetFileRead readBytes(const std::string& bytes)
{
    Progress progress;
    StopFlag stop;
    return readBetFileKmbBytes(bytes, progress, stop);
}

const std::string kImportError = "ERROR AL IMPORTAR EL FICHERO, FICHERO NO IMPORTADO (";

class StopAfterReports : public Progress {
public:
    StopAfterReports(StopFlag& stop, int reports) : stop_(stop), left_(reports) {}
    void report(int64_t, int64_t) override
    {
        if (--left_ <= 0) stop_.request();
    }

private:
    StopFlag& stop_;
    int left_;
};

} // namespace

TEST(KmbFile, WriteThenReadGivesTheSameBets)
{
    test::TempDir dir;
    // Random valid bets with reintegros, more than one write batch and one read batch.
    Rng rng(7);
    const int64_t n = 250000;
    BetList bets(n);
    for (int64_t i = 1; i <= n; ++i) {
        CombinationFromRank(static_cast<int32_t>(1 + rng.below(kAllBets)), bets.bet(i));
        bets.bet(i)[6] = static_cast<uint8_t>(rng.below(10));
    }
    Progress progress;
    StopFlag stop;
    const std::string path = dir.file("sistema.KMB");
    const BetFileWrite written = WriteBetFile(path, "010203040506", bets, n, progress, stop);
    ASSERT_TRUE(written.ok()) << written.failure;
    EXPECT_EQ(std::filesystem::file_size(path), kmbRecord("010203040506").size() + kmbRecord("250000").size() + 22u * n);

    const BetFileRead read = ReadBetFileKmb(path, progress, stop);
    ASSERT_TRUE(read.ok()) << read.failure;
    EXPECT_EQ(read.header, "010203040506");
    ASSERT_EQ(read.bets.size(), n);
    EXPECT_EQ(std::memcmp(read.bets.data(), bets.data(), static_cast<size_t>(n) * kBetBytes), 0);
    EXPECT_TRUE(read.warnings.empty());

    // Only bets 1..count are written; an empty header is written as "0"; no bets is a valid file.
    const BetFileWrite three = WriteBetFile(path, "", bets, 3, progress, stop);
    ASSERT_TRUE(three.ok());
    const BetFileRead back = ReadBetFileKmb(path, progress, stop);
    EXPECT_EQ(back.header, "0");
    const auto all = test::recordTexts(bets);
    EXPECT_EQ(test::recordTexts(back.bets), std::vector<std::string>(all.begin(), all.begin() + 3));
    ASSERT_TRUE(WriteBetFile(path, "0", bets, 0, progress, stop).ok());
    const BetFileRead none = ReadBetFileKmb(path, progress, stop);
    EXPECT_TRUE(none.ok());
    EXPECT_EQ(none.bets.size(), 0);
}

TEST(KmbFile, RecordsOnDiskAreLengthAndCipher)
{
    test::TempDir dir;
    const BetList bets = test::betList({{1, 2, 3, 4, 5, 6, 7}});
    Progress progress;
    StopFlag stop;
    const std::string path = dir.file("a.KMB");
    ASSERT_TRUE(WriteBetFile(path, "010203040506", bets, 1, progress, stop).ok());
    EXPECT_EQ(test::readFile(path), kmbFile({"010203040506", "1", "01,02,03,04,05,06+07"}));
}

TEST(KmbFile, ReintegrosFollowTheFirstPlus)
{
    // Before any "+" the reintegro is 0; from the first "+" on the seventh field is the reintegro,
    // and a later record without one is malformed.
    const BetFileRead read = readBytes(kmbFile({"0", "3", "01,02,03,04,05,06,09", "01,02,03,04,05,07+04",
                                                "01,02,03,04,05,08,05"}));
    ASSERT_TRUE(read.ok()) << read.failure;
    EXPECT_EQ(test::recordTexts(read.bets),
              (std::vector<std::string>{"01,02,03,04,05,06+00", "01,02,03,04,05,07+04", "01,02,03,04,05,08+05"}));

    const BetFileRead missing = readBytes(kmbFile({"0", "2", "01,02,03,04,05,07+04", "01,02,03,04,05,08"}));
    EXPECT_EQ(missing.status, BetFileStatus::Failed);
    EXPECT_EQ(missing.failure.rfind(kImportError, 0), 0u) << missing.failure;

}

TEST(KmbFile, OutOfRangeValuesAreRefusedWithTheBetNumber)
{
    // Values that fit a byte but not the game were once kept and later cut down (149 written as
    // 49, reintegro 200 shown as 00): they are refused with the reader's message.
    const std::string good = "01,02,03,04,05,06+07";
    struct Case {
        std::string bytes;
        std::string failure;
    };
    const Case cases[] = {
        {kmbFile({"0", "2", good, "01,02,03,04,05,149+07"}),
         kImportError + " Apuestas con números fuera del intervalo 1-49 (Apuesta 2))"},
        {kmbFile({"0", "1", "00,02,03,04,05,06+07"}),
         kImportError + " Apuestas con números fuera del intervalo 1-49 (Apuesta 1))"},
        {kmbFile({"0", "3", good, good, "01,02,03,04,05,06+200"}),
         kImportError + " Apuestas con reintegros fuera del intervalo 0-9 (Apuesta 3))"},
        {kmbFile({"0", "2", good, "01,02,03,04,05,06+10"}),
         kImportError + " Apuestas con reintegros fuera del intervalo 0-9 (Apuesta 2))"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failure);
        const BetFileRead read = readBytes(c.bytes);
        EXPECT_EQ(read.status, BetFileStatus::Failed);
        EXPECT_EQ(read.failure, c.failure);
    }
    // Before the first "+" the seventh field is not a reintegro, so its size does not matter.
    const BetFileRead ignored = readBytes(kmbFile({"0", "1", "01,02,03,04,05,06,77"}));
    ASSERT_TRUE(ignored.ok()) << ignored.failure;
    EXPECT_EQ(ignored.bets.at(1, 7), 0);
}

TEST(KmbFile, RandomGarbageIsNotAnEmptyFile)
{
    // Almost any garbage once read as a valid file of 0 bets (an overlong count record deciphers
    // to "0"). Random blocks of KMB size must fail with the import error.
    uint64_t state = 0x9E3779B97F4A7C15ull;
    auto nextByte = [&] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return static_cast<char>(state >> 24);
    };
    int accepted = 0;
    for (int trial = 0; trial < 2000; ++trial) {
        std::string bytes(static_cast<size_t>(50 + trial % 700), '\0');
        for (char& b : bytes) b = nextByte();
        if (readBytes(bytes).ok()) ++accepted;
    }
    EXPECT_EQ(accepted, 0);
    // header and count of the wrong form
    std::string longCount(2, '\0');
    longCount[0] = static_cast<char>(201);
    longCount += std::string(201, 'x');
    const std::string good = kmbRecord("01,02,03,04,05,06+07");
    for (const std::string& bytes : {kmbRecord("0") + longCount + good, kmbFile({"ab", "1"}) + good,
                                     std::string("\0\0", 2) + kmbRecord("1") + good}) {
        const BetFileRead read = readBytes(bytes);
        EXPECT_EQ(read.status, BetFileStatus::Failed);
        EXPECT_EQ(read.failure.rfind(kImportError, 0), 0u) << read.failure;
    }
}

TEST(KmbFile, MalformedFilesFailWithTheImportError)
{
    const std::string good = kmbRecord("01,02,03,04,05,06+07");
    struct Case {
        const char* name;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"empty file", ""},
        {"only the header", kmbRecord("0")},
        {"count above the records", kmbFile({"0", "3"}) + good + good},
        {"count far above the file", kmbFile({"0", "9000000"}) + good},
        {"record cut short", kmbFile({"0", "2"}) + good + good.substr(0, 10)},
        {"length cut short", kmbFile({"0", "2"}) + good + "\x14"},
        {"count not a number", kmbFile({"0", "12a"}) + good},
        {"negative count", kmbFile({"0", "-1"}) + good},
        {"too few fields", kmbFile({"0", "1", "01,02,03,04,05"})},
        {"field not a number", kmbFile({"0", "1", "01,02,x3,04,05,06+07"})},
        {"field above a byte", kmbFile({"0", "1", "01,02,300,04,05,06+07"})},
        {"empty record reads as 0", kmbFile({"0", "1"}) + std::string("\0\0", 2)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const BetFileRead read = readBytes(c.bytes);
        EXPECT_EQ(read.status, BetFileStatus::Failed);
        EXPECT_EQ(read.bets.size(), 0);
        EXPECT_EQ(read.failure.rfind(kImportError, 0), 0u) << read.failure;
        EXPECT_EQ(read.failure.back(), ')');
    }
    test::TempDir dir;
    Progress progress;
    StopFlag stop;
    const BetFileRead missingFile = ReadBetFileKmb(dir.file("no.KMB"), progress, stop);
    EXPECT_EQ(missingFile.status, BetFileStatus::Failed);
    EXPECT_EQ(missingFile.failure.rfind(kImportError, 0), 0u);
}

TEST(KmbFile, CountAboveTheLimitWarnsAndReadsTheLimit)
{
    // The count is cut to every possible bet; this file then holds too few records.
    const BetFileRead read = readBytes(kmbFile({"0", "13983817", "01,02,03,04,05,06+07"}));
    ASSERT_EQ(read.warnings.size(), 1u);
    EXPECT_EQ(read.warnings[0], "SOLO SE PUEDEN IMPORTAR 13983816 APUESTAS");
    EXPECT_EQ(read.status, BetFileStatus::Failed);
}

TEST(KmbFile, FailedOrStoppedSaveKeepsThePreviousFile)
{
    test::TempDir dir;
    const std::string path = dir.file("guardado.KMB");
    test::writeFile(path, "precious");
    BetList bets(20000);
    for (int64_t i = 1; i <= bets.size(); ++i) CombinationFromRank(static_cast<int32_t>(i), bets.bet(i));
    for (int64_t i = 1; i <= bets.size(); ++i) bets.bet(i)[6] = 1;
    Progress progress;
    StopFlag stop;
    {
        test::FileSizeLimit limit(4096);  // the disk fills up after 4 KiB
        const BetFileWrite written = WriteBetFile(path, "0", bets, bets.size(), progress, stop);
        EXPECT_EQ(written.status, BetFileStatus::Failed);
        EXPECT_EQ(written.failure, "ERROR AL GUARDAR EL FICHERO (" + written.description + ")");
        EXPECT_FALSE(written.description.empty());
    }
    EXPECT_EQ(test::readFile(path), "precious");

    StopAfterReports stopping(stop, 1);
    EXPECT_EQ(WriteBetFile(path, "0", bets, bets.size(), stopping, stop).status, BetFileStatus::Stopped);
    EXPECT_EQ(test::readFile(path), "precious");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    // A folder that cannot hold files: its parent is a regular file.
    const BetFileWrite nowhere = WriteBetFile(dir.file("guardado.KMB/x.KMB"), "0", bets, 1, progress, stop);
    EXPECT_EQ(nowhere.status, BetFileStatus::Failed);
}

TEST(KmbFile, ReaderChoiceByExtension)
{
    EXPECT_TRUE(isKmbPath("/datos/sistema.KMB"));
    EXPECT_TRUE(isKmbPath("sistema.kmb"));
    EXPECT_TRUE(isKmbPath("sistema.Kmb"));
    EXPECT_FALSE(isKmbPath("sistema.kmb.txt"));
    EXPECT_FALSE(isKmbPath("sistema"));
    EXPECT_FALSE(isKmbPath("/datos.kmb/sistema"));

    test::TempDir dir;
    const std::string text = dir.file("apuestas.kmb.txt");
    test::writeFile(text, "01 02 03 04 05 06\r\n");
    Progress progress;
    StopFlag stop;
    const BetFileRead read = readBetFile(text, false, progress, stop);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.bets.size(), 1);
}
