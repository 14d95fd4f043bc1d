#include "filter_window_fixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QToolButton>

#include "core/filter_rows.h"
#include "ui/frmPrincipal.h"
#include "ui/ui_test_support.h"

namespace kombitron::test {

FilterWindowTest::FilterWindowTest() = default;
FilterWindowTest::~FilterWindowTest() = default;

void FilterWindowTest::SetUp()
{
    main = std::make_unique<ui::frmPrincipal>(state, ui);
    main->show();
    setBase({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 20, 25, 30, 40, 45, 49});
}

void FilterWindowTest::TearDown()
{
    state.savedFlag = true;  // leave without the unsaved question
    main->close();
    main.reset();
}

void FilterWindowTest::setBase(std::initializer_list<int> numbers)
{
    // Marked on the grid only: the list of base numbers is built when a calculation starts.
    for (int n = 1; n <= 49; ++n) setNumberMarked(state, n, false);
    for (int n : numbers) setNumberMarked(state, n, true);
    main->refreshAll();
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
    QListWidget* list = main->lstFiltros;
    const QPoint at = list->visualItemRect(list->item(row)).center();
    // A person's double click: the first press selects the row, the second opens it.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_TRUE(ran) << "no window opened for row " << row;
    EXPECT_EQ(list->item(row)->text().toStdString(), rowText(row));
    EXPECT_FALSE(state.savedFlag);
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
