#include <QGroupBox>
#include <QLabel>

#include <gtest/gtest.h>

#include "core/format.h"
#include "core/paths.h"
#include "core/state.h"
#include "support/recording_interaction.h"
#include "support/test_paths.h"
#include "ui/frmAnalisis.h"
#include "ui/widgets/image_button.h"
#include "ui_test_support.h"

using namespace kombitron;
using namespace kombitron::ui;
using kombitron::test::click;

namespace {
void setBets(AppState& s, std::initializer_list<Bet> bets)
{
    s.finalSystem.resize(static_cast<int64_t>(bets.size()));
    int64_t i = 1;
    for (const Bet& b : bets) s.finalSystem.set(i++, b);
}
} // namespace

TEST(frmAnalisis, CountsAndPercentagesOnTheTicket)
{
    setNumberFormat({".", ","});
    test::TempDir dir;
    setApplicationFolder(dir.path().string());
    AppState s;
    setBets(s, {Bet{{1, 2, 3, 4, 5, 6}, 7}, Bet{{1, 2, 3, 10, 20, 49}, 7}, Bet{{1, 11, 12, 13, 14, 15}, 0}});
    test::RecordingInteraction ui;
    frmAnalisis window(s, ui);
    window.publicApuestasAnalizar = 3;
    window.show();

    EXPECT_EQ(window.windowTitle(), QStringLiteral("ANALISIS"));
    EXPECT_TRUE(window.fraReintegros->isVisibleTo(&window));
    EXPECT_EQ(window.lblN[0]->text(), QStringLiteral("3"));
    EXPECT_EQ(window.lblN[1]->text(), QStringLiteral("2"));
    EXPECT_EQ(window.lblN[48]->text(), QStringLiteral("1"));
    EXPECT_EQ(window.lblN[47]->text(), QString());
    EXPECT_TRUE(window.lblN[47]->styleSheet().contains(QStringLiteral("white")));
    EXPECT_TRUE(window.lblN[0]->styleSheet().contains(QStringLiteral("#ffffc0")));
    EXPECT_EQ(window.lblR[7]->text(), QStringLiteral("2"));
    EXPECT_EQ(window.imgSwitch->toolTip(), QStringLiteral("Ver porcentajes"));

    click(window.imgSwitch);
    EXPECT_EQ(window.imgSwitch->toolTip(), QStringLiteral("Ver número de apuestas"));
    EXPECT_EQ(window.lblN[0]->text(), QStringLiteral("100%"));
    EXPECT_EQ(window.lblN[1]->text(), QStringLiteral("66,67%"));
    EXPECT_EQ(window.lblN[48]->text(), QStringLiteral("33,33%"));
    EXPECT_EQ(window.lblN[47]->text(), QString());

    click(window.imgVerAnalisis);
    ASSERT_EQ(ui.editorPaths.size(), 1u);
    const std::string report = test::readFile(ui.editorPaths[0]);
    EXPECT_EQ(report.rfind("KOMBITRON ANALISIS:\r\n\r\nNUMEROS\r\n            10 33,33%    20 33,33%    30 --        40 --        \r\n", 0), 0u)
        << report;
    EXPECT_NE(report.find("\r\n1 100%      11 33,33%    21 --        31 --        41 --        \r\n"), std::string::npos) << report;
    EXPECT_NE(report.find("REINTEGROS\r\n0 33,33%    1 --        "), std::string::npos);

    click(window.imgSwitch);
    EXPECT_EQ(window.lblN[0]->text(), QStringLiteral("3"));
}

TEST(frmAnalisis, BonolotoHidesTheReintegrosAndTheirSection)
{
    AppState s;
    s.base.gameName = "BONOLOTO";
    setBets(s, {Bet{{1, 2, 3, 4, 5, 6}, 0}});
    test::RecordingInteraction ui;
    frmAnalisis window(s, ui);
    window.publicApuestasAnalizar = 1;
    window.show();
    EXPECT_FALSE(window.fraReintegros->isVisibleTo(&window));
    EXPECT_EQ(window.lblN[0]->text(), QStringLiteral("1"));
}
