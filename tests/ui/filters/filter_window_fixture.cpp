#include "filter_window_fixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "core/filter_rows.h"
#include "engine/generation.h"
#include "ui/filter_windows.h"
#include "ui/ui_test_support.h"

namespace kombitron::test {

void FilterWindowTest::SetUp()
{
    ResetStateDefaults(state, 2024);
    resetFilterRows(state);
    setBase({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 20, 25, 30, 40, 45, 49});
}

void FilterWindowTest::setBase(std::initializer_list<int> numbers)
{
    for (int n = 1; n <= 49; ++n) setNumberMarked(state, n, false);
    for (int n : numbers) setNumberMarked(state, n, true);
    BuildBaseNumbers(state);
}

bool FilterWindowTest::rowActive(int row) const { return isRowActive(rowText(row)); }

void FilterWindowTest::openRow(int row, const std::function<void(QDialog*)>& drive)
{
    bool ran = false;
    auto watch1 = whenModal([&](QWidget* w) {
        ran = true;
        auto* dialog = qobject_cast<QDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        // Focus moves as for a person only in the active window.
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        drive(dialog);
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the window of row " << row << " stayed open";
            dialog->done(QDialog::Rejected);
        }
    });
    ASSERT_TRUE(ui::openFilterWindow({row, state, ui, nullptr}));
    EXPECT_TRUE(ran);
}

void editHits(QPushButton* button, std::initializer_list<int> flips)
{
    ASSERT_NE(button, nullptr);
    std::vector<int> cells(flips);
    auto watch2 = whenModal([cells](QWidget* dialog) {
        for (int i : cells) click(child<QWidget>(dialog, QStringLiteral("lblAciertos_%1").arg(i)));
        click(child<QToolButton>(dialog, QStringLiteral("imgVolver")));
    });
    click(button);
}

void retype(QWidget* field, const QString& text)
{
    ASSERT_NE(field, nullptr);
    auto* edit = qobject_cast<QLineEdit*>(field);
    if (edit) {
        edit->end(false);
        const int length = static_cast<int>(edit->text().size());
        for (int i = 0; i < length; ++i) QTest::keyClick(field, Qt::Key_Backspace);
    }
    QTest::keyClicks(field, text);
}

HitSet hits(std::initializer_list<int> counts)
{
    HitSet set;
    for (int c : counts) set.flags[static_cast<size_t>(c)] = 1;
    return set;
}

} // namespace kombitron::test
