#include <gtest/gtest.h>

#include "support/test_paths.h"
#include "tools/tools_support.h"
#include "tools/viewer.h"

using namespace kombitron;

namespace {

SharedBets bets(int count)
{
    std::vector<std::vector<int>> rows;
    for (int i = 0; i < count; ++i) rows.push_back({1 + i % 40, 2 + i % 40, 3 + i % 40, 4 + i % 40, 5 + i % 40, 10 + i % 40, i % 10});
    return std::make_shared<const BetList>(test::betList(rows));
}

} // namespace

TEST(Viewer, NothingLoaded)
{
    TicketViewer viewer;
    EXPECT_EQ(viewer.statusText(), "Boleto actual : 0/0");
    EXPECT_FALSE(viewer.canAdvance());
    EXPECT_FALSE(viewer.previousVisible());
    viewer.last();
    viewer.next();
    EXPECT_EQ(viewer.currentTicket(), 0);
    EXPECT_EQ(viewer.numberCell(0, 0), "");
    const auto notice = viewer.jump("1");
    ASSERT_TRUE(notice.has_value());
    EXPECT_EQ(notice->text, "ERROR: EL NUMERO DE BOLETO DEBE ESTAR ENTRE 1 y 0");
}

TEST(Viewer, EightBetsAreOneTicket)
{
    TicketViewer viewer;
    viewer.setBets(bets(8));
    EXPECT_EQ(viewer.ticketCount(), 1);
    EXPECT_EQ(viewer.statusText(), "Boleto actual : 1/1");
    EXPECT_FALSE(viewer.canAdvance());
    EXPECT_FALSE(viewer.previousVisible());
    EXPECT_EQ(viewer.numberCell(7, 5), "17");
    viewer.next();
    EXPECT_EQ(viewer.currentTicket(), 1);
}

TEST(Viewer, NineBetsLeaveSevenEmptyColumnsOnTicketTwo)
{
    TicketViewer viewer;
    viewer.setBets(bets(9));
    EXPECT_EQ(viewer.ticketCount(), 2);
    EXPECT_TRUE(viewer.canAdvance());
    viewer.next();
    EXPECT_EQ(viewer.statusText(), "Boleto actual : 2/2");
    EXPECT_FALSE(viewer.canAdvance());
    EXPECT_TRUE(viewer.previousVisible());
    EXPECT_EQ(viewer.numberCell(0, 0), "09");
    for (int column = 1; column < 8; ++column)
        for (int position = 0; position < 6; ++position) EXPECT_EQ(viewer.numberCell(column, position), "");
    const std::string gaps = "                     \n";  // seven empty columns after a one-space separator each
    EXPECT_EQ(viewer.ticketText(false), "Boleto actual : 2/2\n09" + gaps + "10" + gaps + "11" + gaps + "12" + gaps +
                                            "13" + gaps + "18" + gaps);
    viewer.previous();
    EXPECT_EQ(viewer.currentTicket(), 1);
    viewer.previous();
    EXPECT_EQ(viewer.currentTicket(), 1);
    viewer.last();
    EXPECT_EQ(viewer.currentTicket(), 2);
    viewer.first();
    EXPECT_EQ(viewer.currentTicket(), 1);
}

TEST(Viewer, JumpWithinTheTickets)
{
    TicketViewer viewer;
    viewer.setBets(bets(20));  // T = 3
    EXPECT_FALSE(viewer.jump("3").has_value());
    EXPECT_EQ(viewer.currentTicket(), 3);
    for (const char* text : {"4", "0", "", "99999999999999999999999"}) {
        SCOPED_TRACE(text);
        const auto notice = viewer.jump(text);
        ASSERT_TRUE(notice.has_value());
        EXPECT_EQ(notice->kind, MessageKind::Error);
        EXPECT_EQ(notice->text, "ERROR: EL NUMERO DE BOLETO DEBE ESTAR ENTRE 1 y 3");
        EXPECT_EQ(viewer.currentTicket(), 3);
    }
}

TEST(Viewer, ReintegroRow)
{
    TicketViewer viewer;
    viewer.setReintegrosTicked(true);
    viewer.setBets(bets(10));
    EXPECT_EQ(viewer.reintegroCell(3), "03");
    EXPECT_EQ(viewer.ticketText(true).substr(viewer.ticketText(true).rfind("00 01")), "00 01 02 03 04 05 06 07\n");

    // Unticking empties the row at once; ticking again waits for the next ticket shown.
    viewer.setReintegrosTicked(false);
    EXPECT_EQ(viewer.reintegroCell(3), "");
    viewer.setReintegrosTicked(true);
    EXPECT_EQ(viewer.reintegroCell(3), "");
    viewer.next();
    EXPECT_EQ(viewer.reintegroCell(0), "08");
    EXPECT_EQ(viewer.reintegroCell(2), "");  // past the last bet
    const std::string text = viewer.ticketText(true);
    EXPECT_EQ(text.substr(text.rfind('\n', text.size() - 2) + 1), "08 09" + std::string(18, ' ') + "\n");
}

TEST(Viewer, OpeningForEachGame)
{
    TicketViewer viewer;
    viewer.setReintegrosTicked(true);
    viewer.setBets(bets(12));
    viewer.open(GameType::Bonoloto);
    EXPECT_EQ(viewer.statusText(), "Boleto actual : 0/0");
    EXPECT_FALSE(viewer.reintegroRowVisible());
    EXPECT_FALSE(viewer.reintegrosTicked());
    viewer.setBets(bets(3));
    EXPECT_EQ(viewer.reintegroCell(0), "");
    viewer.open(GameType::Primitiva);
    EXPECT_TRUE(viewer.reintegroRowVisible());
}

TEST(Viewer, ReloadingWithoutBetsClearsTheTicket)
{
    TicketViewer viewer;
    viewer.setBets(bets(30));
    viewer.last();
    viewer.setBets(bets(0));
    EXPECT_EQ(viewer.statusText(), "Boleto actual : 0/0");
    EXPECT_EQ(viewer.numberCell(0, 0), "");
    EXPECT_EQ(viewer.betCount(), 0);
}

TEST(Viewer, LoadReadsReintegrosOfTextFilesWhenAsked)
{
    test::TempDir dir;
    const std::string path = dir.file("apuestas.txt");
    test::writeFile(path, "01 02 03 04 05 06 7\n");
    Progress progress;
    StopFlag stop;
    ViewerLoad with = runLoadViewerFile({path, true}, progress, stop);
    ASSERT_TRUE(with.done()) << with.failure;
    EXPECT_EQ(with.bets->at(1, 7), 7);
    ViewerLoad without = runLoadViewerFile({path, false}, progress, stop);
    EXPECT_EQ(without.bets->at(1, 7), 0);
    // A KMB name in lower case still goes to the KMB reader.
    const std::string kmb = test::writeKmb(dir.file("x.kmb"), {{1, 2, 3, 4, 5, 6, 4}});
    ViewerLoad fromKmb = runLoadViewerFile({kmb, false}, progress, stop);
    ASSERT_TRUE(fromKmb.done()) << fromKmb.failure;
    EXPECT_EQ(fromKmb.bets->at(1, 7), 4);
}
