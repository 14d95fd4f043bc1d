#include <gtest/gtest.h>

#include "core/format.h"
#include "formats/bet_files.h"
#include "scrutiny/literal_count.h"
#include "scrutiny/multi_file.h"
#include "support/test_paths.h"

using namespace kombitron;

namespace {

class MultiFile : public ::testing::Test {
protected:
    void SetUp() override { setNumberFormat({".", ","}); }

    std::string textFile(const std::string& name, const std::string& lines)
    {
        const std::string path = dir.file(name);
        test::writeFile(path, lines);
        return path;
    }

    std::string kmbFile(const std::string& name, const BetList& bets)
    {
        const std::string path = dir.file(name);
        Progress progress;
        StopFlag stop;
        EXPECT_TRUE(WriteBetFile(path, "0", bets, bets.size(), progress, stop).ok());
        return path;
    }

    SharedBets winning(const std::string& lines)
    {
        Progress progress;
        StopFlag stop;
        BetFileRead read = readBetFileTextBytes(lines, false, progress, stop);
        EXPECT_TRUE(read.ok());
        return std::make_shared<BetList>(std::move(read.bets));
    }

    MultiFileInputs inputs(std::vector<std::string> files, SharedBets combinations, bool detailed = false)
    {
        MultiFileInputs in;
        in.files = std::move(files);
        in.winning = std::move(combinations);
        in.detailed = detailed;
        in.reportFolder = dir.path().string();
        return in;
    }

    test::TempDir dir;
};

// Presses the file stop once the given file starts to be counted.
class PressDuring : public MultiFileProgress {
public:
    PressDuring(FileStopButton& button, int file) : button_(button), file_(file) {}
    void fileScrutinising(int file, int64_t) override { current_ = file; }
    void report(int64_t, int64_t) override
    {
        if (current_ == file_ && !pressed_) {
            button_.press();
            pressed_ = true;
        }
    }

private:
    FileStopButton& button_;
    int file_;
    int current_ = 0;
    bool pressed_ = false;
};

} // namespace

TEST_F(MultiFile, SummaryOfTwoCombinationsAndThreeBets)
{
    const SharedBets combos = winning("01 02 03 04 05 06\r\n10 20 30 40 41 42\r\n");
    const std::string bets = textFile("tres apuestas.txt", "01 02 03 04 05 06\r\n01 02 03 10 20 30\r\n07 08 09 11 12 13\r\n");
    MultiFileProgress progress;
    const MultiFileResult r = runMultiFileScrutiny(inputs({bets}, combos), progress, {});
    ASSERT_TRUE(r.done()) << r.failure;
    // The bet equal to combination 1 is its DE6; the totals of 2 combinations x 3 bets add up to 6.
    EXPECT_EQ(r.summary,
              "FICHERO                    APUESTAS   DE6       DE5       DE4       DE3       DE2       DE1       DE0\r\n"
              "tres apuestas.txt          3          1         0         0         2         0         0         3         \r\n");
    ASSERT_EQ(r.files.size(), 1u);
    EXPECT_EQ(r.files[0].totals, (std::array<int64_t, 7>{3, 0, 0, 2, 0, 0, 1}));
    EXPECT_EQ(r.files[0].outcome, FileOutcome::Scrutinised);
}

TEST_F(MultiFile, AnUnreadableFileIsMarkedAndTheRunGoesOn)
{
    const SharedBets combos = winning("01 02 03 04 05 06\r\n");
    const std::string bad = textFile("mal.txt", "01 02 03 04 05 60\r\n");
    const std::string good = kmbFile("bien.KMB", test::randomBets(*std::make_unique<Rng>(5), 40));
    const std::string longName = textFile("un nombre de fichero muy largo que no cabe.txt", "01 02 03 04 05 07\r\n");
    MultiFileProgress progress;
    const MultiFileResult r =
        runMultiFileScrutiny(inputs({bad, dir.file("no existe.txt"), good, longName}, combos), progress, {});
    ASSERT_TRUE(r.done());
    const std::vector<std::string> lines = [&] {
        std::vector<std::string> out;
        size_t start = 0;
        for (size_t end; (end = r.summary.find("\r\n", start)) != std::string::npos; start = end + 2)
            out.push_back(r.summary.substr(start, end - start));
        return out;
    }();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1], "mal.txt                    0          (error al leer el fichero)");
    EXPECT_EQ(lines[2], "no existe.txt              0          (error al leer el fichero)");
    EXPECT_EQ(lines[3].substr(0, 38), "bien.KMB                   40         ");
    EXPECT_EQ(lines[4], "un nombre de fichero muy l 1          0         1         0         0         0         0         0         ");
    EXPECT_EQ(r.files[0].outcome, FileOutcome::Unreadable);
    EXPECT_NE(r.files[0].readFailure.find("Apuestas con números fuera del intervalo 1-49 (Apuesta 1)"), std::string::npos);
    EXPECT_EQ(r.files[2].outcome, FileOutcome::Scrutinised);
}

TEST_F(MultiFile, DetailedModeWritesOneReportPerFile)
{
    const SharedBets combos = winning("01 02 03 04 05 06\r\n10 20 30 40 41 42\r\n");
    const std::string first = textFile("uno.txt", "01 02 03 04 05 06\r\n01 02 03 10 20 30\r\n");
    const std::string second = textFile("dos.txt", "ninguna\r\n");
    const std::string third = textFile("tres.txt", "10 20 30 40 41 49\r\n");
    MultiFileInputs in = inputs({first, second, third}, combos, true);
    in.keepDetailTexts = true;
    MultiFileProgress progress;
    const MultiFileResult r = runMultiFileScrutiny(in, progress, {});
    ASSERT_TRUE(r.done());
    EXPECT_EQ(r.summary,
              "Fichero 1: uno.txt\r\nApuestas Fichero 1: 2\r\n"
              "Fichero 2: dos.txt\r\nApuestas Fichero 2: 0\r\n(error al leer el fichero)\r\n"
              "Fichero 3: tres.txt\r\nApuestas Fichero 3: 1\r\n");
    const std::string expectedFirst =
        "000001. 01,02,03,04,05,06 = 1         0         0         1         0         0         0         \r\n"
        "000002. 10,20,30,40,41,42 = 0         0         0         1         0         0         1         \r\n";
    EXPECT_EQ(test::readFile(dir.file("KOMBITRON_DETALLEPREMIOS_FICHERO1.txt")), expectedFirst);
    EXPECT_EQ(r.files[0].detailText, expectedFirst);
    EXPECT_EQ(r.files[0].detailPath, dir.file("KOMBITRON_DETALLEPREMIOS_FICHERO1.txt"));
    EXPECT_TRUE(r.files[1].detailPath.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.file("KOMBITRON_DETALLEPREMIOS_FICHERO2.txt")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("KOMBITRON_DETALLEPREMIOS_FICHERO3.txt")));
}

TEST_F(MultiFile, AStopEndsOnlyTheFileBeingScrutinised)
{
    const SharedBets combos = winning("01 02 03 04 05 06\r\n07 08 09 10 11 12\r\n13 14 15 16 17 18\r\n");
    const std::string a = textFile("a.txt", "01 02 03 04 05 06\r\n");
    const std::string b = textFile("b.txt", "01 02 03 04 05 06\r\n");
    const std::string c = textFile("c.txt", "01 02 03 04 05 06\r\n");
    FileStopButton button;
    MultiFileInputs in = inputs({a, b, c}, combos);
    in.fileStop = &button;
    PressDuring progress(button, 2);
    const MultiFileResult r = runMultiFileScrutiny(in, progress, {});
    ASSERT_TRUE(r.done());
    EXPECT_EQ(r.files[0].outcome, FileOutcome::Scrutinised);
    EXPECT_EQ(r.files[1].outcome, FileOutcome::Stopped);
    EXPECT_EQ(r.files[2].outcome, FileOutcome::Scrutinised);
    EXPECT_NE(r.summary.find("b.txt                      1          (proceso detenido, fichero no escrutado)\r\n"),
              std::string::npos);
    EXPECT_NE(r.summary.find("c.txt                      1          1         0"), std::string::npos);

    // The run's own stop ends the run; the files not reached are left out.
    StopFlag stop;
    stop.request();
    const MultiFileResult stopped = runMultiFileScrutiny(inputs({a, b}, combos), progress, stop);
    EXPECT_TRUE(stopped.stopped());
    EXPECT_EQ(stopped.files[0].outcome, FileOutcome::NotReached);
}

TEST_F(MultiFile, RefusalsInOrderAndTheSelectionLimit)
{
    bool isError = false;
    EXPECT_EQ(multiFileRefusal(0, 0, isError), "ERROR: No hay Fichero de SORTEOS cargado para escrutar");
    EXPECT_TRUE(isError);
    EXPECT_EQ(multiFileRefusal(1000000, 0, isError),
              "ERROR: El Fichero de SORTEOS tienes más de 999.999 apuestas que es el máximo permitido para ser escrutado");
    EXPECT_EQ(multiFileRefusal(999999, 0, isError), "NO HAY NINGUN FICHERO CARGADO PARA ESCRUTAR");
    EXPECT_FALSE(isError);
    EXPECT_EQ(multiFileRefusal(1, 1, isError), "");

    std::vector<std::string> list;
    std::vector<std::string> selection(1001, "x.KMB");
    EXPECT_FALSE(addSelectedFiles(list, selection));
    EXPECT_TRUE(list.empty());
    selection.resize(600);
    EXPECT_TRUE(addSelectedFiles(list, selection));
    EXPECT_TRUE(addSelectedFiles(list, selection));
    EXPECT_EQ(list.size(), 1200u);

    MultiFileProgress progress;
    EXPECT_EQ(runMultiFileScrutiny(inputs({}, winning("01 02 03 04 05 06\r\n")), progress, {}).failure,
              "NO HAY NINGUN FICHERO CARGADO PARA ESCRUTAR");
}

TEST_F(MultiFile, TheTableGivesTheSameFiguresAsBetByBet)
{
    Rng rng(99);
    BetList combos(300);
    for (int64_t k = 1; k <= combos.size(); ++k) test::randomCombination(rng, combos.bet(k));
    const SharedBets shared = std::make_shared<BetList>(combos);
    const std::string a = kmbFile("a.KMB", test::randomBets(rng, 3000));
    const std::string b = kmbFile("b.KMB", test::randomBets(rng, 20));
    std::string texts[2];
    for (int m = 0; m < 2; ++m) {
        MultiFileInputs in = inputs({a, b}, shared, m == 1);
        in.keepDetailTexts = true;
        MultiFileResult results[2];
        int i = 0;
        for (auto method : {BetFileCounter::Method::BetByBet, BetFileCounter::Method::SubsetTable}) {
            in.method = method;
            MultiFileProgress progress;
            results[i++] = runMultiFileScrutiny(in, progress, {});
        }
        EXPECT_EQ(results[0].summary, results[1].summary);
        EXPECT_EQ(results[0].files[0].detailText, results[1].files[0].detailText);
        texts[m] = results[1].files[0].detailText;
    }
    // Each line's seven figures add up to the file's bets.
    EXPECT_EQ(std::count(texts[1].begin(), texts[1].end(), '\n'), 300);
}

TEST_F(MultiFile, DetailLinesWidenForLargeCounts)
{
    const uint8_t combination[6] = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(detailLine(7, combination, {13983816 - 1, 0, 0, 0, 0, 0, 1}),
              "000007. 01,02,03,04,05,06 = 1         0         0         0         0         0         13983815   \r\n");
    EXPECT_EQ(scrutinisingPanelTitle(3, 13983816), "Escrutando Fichero 3 (13.983.816 Apu.)");
}
