#include <QFontMetrics>
#include <QLabel>
#include <QToolButton>

#include "core/filter_registry.h"
#include "filter_window_fixture.h"
#include "ui/ui_test_support.h"

using namespace kombitron;
using kombitron::test::child;
using kombitron::test::click;

using FilterWindows = kombitron::test::FilterWindowTest;

// A title bar holds the caption in bold beside the window's icon and three buttons (about 100
// pixels on the usual desktops): every filter window leaves room for them.
TEST_F(FilterWindows, EveryWindowIsWideEnoughForItsCaption)
{
    for (int row = 0; row < kFilterCount; ++row) {
        SCOPED_TRACE(filterInfo(row).windowClass);
        openRow(row, [&](QDialog* w) {
            QFont bold = w->font();
            bold.setBold(true);
            EXPECT_GE(w->width(), QFontMetrics(bold).horizontalAdvance(w->windowTitle()) + 120) << w->windowTitle().toStdString();
            w->done(QDialog::Accepted);
        });
    }
}

TEST_F(FilterWindows, ValuationHeadingsUseTheWindowsFont)
{
    openRow(static_cast<int>(FilterId::VALORACIONES), [&](QDialog* w) {
        const QFontInfo window(w->font());
        int headings = 0;
        for (auto* label : w->findChildren<QLabel*>()) {
            if (!label->text().contains(QLatin1String("Intervalo")) && !label->text().contains(QLatin1String("Max."))) continue;
            ++headings;
            SCOPED_TRACE(label->text().toStdString());
            EXPECT_FALSE(QFontInfo(label->font()).fixedPitch());
            EXPECT_EQ(QFontInfo(label->font()).family(), window.family());
        }
        EXPECT_EQ(headings, 8) << "four intervals, each with its heading and its Max.";
        w->done(QDialog::Accepted);
    });
}
