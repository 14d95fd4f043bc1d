#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include "support/recording_interaction.h"
#include "ui/frmAciertos.h"
#include "ui/qt_interaction.h"
#include "ui/widgets/group_pager.h"
#include "ui/widgets/hit_set_field.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/mark_cell.h"
#include "ui/widgets/numeric_line_edit.h"
#include "ui/widgets/ticket_grid.h"
#include "ui_test_support.h"

using namespace kombitron;
using namespace kombitron::ui;
using kombitron::test::child;
using kombitron::test::click;
using kombitron::test::whenModal;

TEST(TicketGrid, CellsSitOnTheTicketLayoutAndTogglesNameTheirDigit)
{
    TicketGrid grid(nullptr, QStringLiteral("lblNumero"), true);
    grid.show();
    QCoreApplication::processEvents();

    EXPECT_EQ(grid.cell(1)->objectName(), QStringLiteral("lblNumero_0"));
    EXPECT_EQ(grid.cell(49)->objectName(), QStringLiteral("lblNumero_48"));
    EXPECT_EQ(grid.cell(7)->text(), QStringLiteral("07"));
    // Top row: 10, 20, 30, 40; column 0 holds 1..9 under the empty cell of 0.
    const int top = grid.cell(10)->y();
    for (int n : {20, 30, 40}) EXPECT_EQ(grid.cell(n)->y(), top) << n;
    EXPECT_GT(grid.cell(1)->y(), top);
    EXPECT_EQ(grid.cell(1)->x(), grid.cell(9)->x());
    EXPECT_LT(grid.cell(9)->x(), grid.cell(19)->x());
    EXPECT_GT(grid.cell(19)->y(), grid.cell(11)->y());
    EXPECT_EQ(grid.cell(11)->y(), grid.cell(41)->y());

    QSignalSpy rows(&grid, &TicketGrid::rowToggleClicked);
    QSignalSpy columns(&grid, &TicketGrid::columnToggleClicked);
    QSignalSpy numbers(&grid, &TicketGrid::numberClicked);
    click(child<QToolButton>(&grid, QStringLiteral("imgINIFila_9")));
    click(child<QToolButton>(&grid, QStringLiteral("imgINIFila_0")));
    click(child<QToolButton>(&grid, QStringLiteral("imgINIColumna_4")));
    click(grid.cell(33));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0][0].toInt(), 0);
    EXPECT_EQ(rows[1][0].toInt(), 1);
    ASSERT_EQ(columns.size(), 1);
    EXPECT_EQ(columns[0][0].toInt(), 4);
    ASSERT_EQ(numbers.size(), 1);
    EXPECT_EQ(numbers[0][0].toInt(), 33);
    // The row toggle of digit 0 sits on the row of 10.
    EXPECT_EQ(child<QToolButton>(&grid, QStringLiteral("imgINIFila_9"))->geometry().center().y(),
              grid.cell(10)->geometry().center().y());
}

TEST(MarkCell, MarkingColoursAndDisabledCellsIgnoreClicks)
{
    MarkCell cell(QStringLiteral("05"));
    cell.show();
    EXPECT_TRUE(cell.styleSheet().contains(QStringLiteral("transparent")));
    cell.setMarked(true);
    EXPECT_TRUE(cell.styleSheet().contains(QStringLiteral("color:white")));
    EXPECT_TRUE(cell.styleSheet().contains(QLatin1String(colors::kMarkRed)));

    QSignalSpy clicks(&cell, &MarkCell::clicked);
    click(&cell);
    cell.setEnabled(false);
    click(&cell);
    EXPECT_EQ(clicks.size(), 1);

    MarkCell hit(QStringLiteral("3"), MarkCell::Style::Hit);
    EXPECT_TRUE(hit.styleSheet().contains(QStringLiteral("background:white")));
    hit.setMarked(true);
    EXPECT_TRUE(hit.styleSheet().contains(QLatin1String(colors::kHitGreen)));
}

TEST(frmAciertos, LimitsProtectCellsOutsideTheRange)
{
    frmAciertos dialog;
    dialog.MinimoAcierto = 1;
    dialog.MaximoAcierto = 5;
    dialog.working.flags = {1, 0, 1, 0, 0, 0, 1};
    dialog.refresh();
    dialog.show();

    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("ACIERTOS"));
    EXPECT_FALSE(dialog.lblAciertos[0]->isEnabled());
    EXPECT_FALSE(dialog.lblAciertos[6]->isEnabled());
    click(dialog.lblAciertos[0]);  // disabled: stays set
    click(dialog.lblAciertos[3]);  // flips on
    click(dialog.lblAciertos[2]);  // flips off
    EXPECT_EQ(dialog.working.flags, (std::array<uint8_t, 7>{1, 0, 0, 1, 0, 0, 1}));
    EXPECT_TRUE(dialog.lblAciertos[3]->isMarked());

    click(child<QToolButton>(&dialog, QStringLiteral("imgTodos")));
    EXPECT_EQ(dialog.working.flags, (std::array<uint8_t, 7>{1, 1, 1, 1, 1, 1, 1}));
    dialog.working.flags = {0, 0, 0, 0, 0, 0, 0};
    click(child<QToolButton>(&dialog, QStringLiteral("imgTodos")));
    EXPECT_EQ(dialog.working.flags, (std::array<uint8_t, 7>{0, 1, 1, 1, 1, 1, 0}));
    click(child<QToolButton>(&dialog, QStringLiteral("imgNinguno")));
    EXPECT_FALSE(dialog.working.any());
    EXPECT_EQ(child<QToolButton>(&dialog, QStringLiteral("imgTodos"))->toolTip(), QStringLiteral("Selecciona todos los aciertos"));
    EXPECT_EQ(child<QToolButton>(&dialog, QStringLiteral("imgNinguno"))->toolTip(), QStringLiteral("Inicializa todos los aciertos"));
}

TEST(HitSetField, ModifyButtonEditsTheSetInTheDialog)
{
    HitSetField field(QStringLiteral("txtNumero"), QStringLiteral("cmdModificar"));
    field.setRange(1, 6);
    field.setZeroHidden(true);
    HitSet start;
    start.flags = {0, 0, 1, 1, 0, 0, 0};
    field.setHitSet(start);
    EXPECT_EQ(field.text()->text(), QStringLiteral("2,3"));

    QSignalSpy edited(&field, &HitSetField::edited);
    bool zeroShown = true;
    auto watch1 = whenModal([&](QWidget* w) {
        auto* d = qobject_cast<frmAciertos*>(w);
        ASSERT_NE(d, nullptr);
        zeroShown = d->lblAciertos[0]->isVisibleTo(d);
        click(d->lblAciertos[6]);
        click(d->imgVolver);
    });
    click(field.button());
    EXPECT_FALSE(zeroShown);
    ASSERT_EQ(edited.size(), 1);
    EXPECT_EQ(field.text()->text(), QStringLiteral("2,3,6"));
    EXPECT_TRUE(field.hitSet().has(6));
}

TEST(NumericLineEdit, OnlyAcceptedKeysReachTheBox)
{
    QDialog dialog;
    auto* digits = new NumericLineEdit(3, NumericLineEdit::Mode::Digits, &dialog);
    auto* jump = new NumericLineEdit(3, NumericLineEdit::Mode::DigitsEnter, &dialog);
    auto* decimal = new NumericLineEdit(6, NumericLineEdit::Mode::Decimal, &dialog);
    dialog.show();

    QSignalSpy typed(digits, &NumericLineEdit::keyTyped);
    QTest::keyClicks(digits, QStringLiteral("1a-2 34"));
    EXPECT_EQ(digits->text(), QStringLiteral("123")); // max length 3
    QTest::keyClick(digits, Qt::Key_Backspace);
    EXPECT_EQ(digits->text(), QStringLiteral("12"));
    QTest::keyClick(digits, Qt::Key_Escape);          // passes, does not close the dialog
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_GE(typed.size(), 4);

    QSignalSpy enter(jump, &QLineEdit::returnPressed);
    QSignalSpy enterDigits(digits, &QLineEdit::returnPressed);
    QTest::keyClick(jump, Qt::Key_Return);
    QTest::keyClick(digits, Qt::Key_Return);
    EXPECT_EQ(enter.size(), 1);
    EXPECT_EQ(enterDigits.size(), 0);

    QTest::keyClicks(decimal, QStringLiteral("1,5,2.x"));
    EXPECT_EQ(decimal->text(), QStringLiteral("1,52."));
    digits->clear();
    EXPECT_EQ(digits->value(7), 7);
}

TEST(GroupPager, StepsAndJumpsWithinItsPages)
{
    test::RecordingInteraction ui;
    GroupPager pager(210, 3, true);
    pager.setInteraction(&ui);
    pager.show();
    QSignalSpy changed(&pager, &GroupPager::pageChanged);

    EXPECT_EQ(pager.pageCount(), 70);
    EXPECT_FALSE(pager.minusButton()->isEnabled());
    click(pager.plusButton());
    EXPECT_EQ(pager.page(), 2);
    EXPECT_TRUE(pager.minusButton()->isEnabled());

    auto jump = [&](const QString& text) {
        pager.goToField()->setText(text);
        QTest::keyClick(pager.goToField(), Qt::Key_Return);
    };
    jump(QStringLiteral("4"));
    EXPECT_EQ(pager.page(), 2);
    jump(QStringLiteral("210"));
    EXPECT_EQ(pager.page(), 70);
    EXPECT_FALSE(pager.plusButton()->isEnabled());
    jump(QStringLiteral("7"));
    EXPECT_EQ(pager.page(), 3);
    for (const char* bad : {"0", "211", ""}) {
        jump(QString::fromLatin1(bad));
        EXPECT_EQ(pager.page(), 3) << bad;
    }
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(ui.messages[0].text, "ERROR: EL NUMERO DE GRUPO DEBE ESTAR ENTRE 1 y 210");
    EXPECT_EQ(changed.size(), 3);
}

TEST(ActivationButton, ShowsTwoStatesWithTheConditionTooltip)
{
    ActivationButton button;
    EXPECT_EQ(button.objectName(), QStringLiteral("imgActivar"));
    EXPECT_EQ(button.toolTip(), QStringLiteral("Activar/Desactivar condición"));
    const qint64 off = button.icon().cacheKey();
    button.setActive(true);
    EXPECT_NE(button.icon().cacheKey(), off);
    EXPECT_FALSE(button.icon().isNull());
    EXPECT_EQ(makeVolverButton(&button)->toolTip(), QStringLiteral("Cerrar condición"));
}

TEST(QtInteraction, MessageBoxesAreTitledAndQuestionsDefaultToNo)
{
    QtInteraction ui;
    QString title, yesText, defaultText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    auto watch2 = whenModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        icon = box->icon();
        yesText = box->button(QMessageBox::Yes)->text();
        defaultText = box->defaultButton()->text();
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_TRUE(ui.question("¿ DESEA CONTINUAR ?"));
    EXPECT_EQ(title, QStringLiteral("KOMBITRON"));
    EXPECT_EQ(icon, QMessageBox::Question);
    EXPECT_EQ(yesText.remove(QLatin1Char('&')), QStringLiteral("Sí"));
    EXPECT_EQ(defaultText.remove(QLatin1Char('&')), QStringLiteral("No"));

    auto watch3 = whenModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        icon = box->icon();
        box->accept();
    });
    ui.error("ERROR: algo");
    EXPECT_EQ(icon, QMessageBox::Critical);

    const QStringList filters = fileDialogNameFilters(parseFileFilters("Fichero BASE de KOMBITRON (*.XML)|*.XML|Todos los archivos (*.*)|*.*|"));
    ASSERT_EQ(filters.size(), 2);
    EXPECT_EQ(filters[0], QStringLiteral("Fichero BASE de KOMBITRON (*.XML) (*.XML *.xml)"));
    EXPECT_EQ(filters[1], QStringLiteral("Todos los archivos (*.*) (*.*)"));
}

namespace {

// Share of the opaque pixels of a picture drawn in a strong colour or a dark tone: near zero for
// the pale grey pictures that read as disabled.
double inkShare(const QIcon& icon)
{
    const QImage image = icon.pixmap(24, 24).toImage();
    int opaque = 0, ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() < 128) continue;
            ++opaque;
            if (c.hsvSaturationF() > 0.4 || c.valueF() < 0.55) ++ink;
        }
    return opaque == 0 ? 0.0 : double(ink) / opaque;
}

QImage picture(AppIcon role) { return appIcon(role).pixmap(32, 32).toImage(); }

} // namespace

TEST(Icons, PicturesSayWhatTheyMean)
{
    // imgActivar: two clearly different states, and "off" is not the stop sign.
    EXPECT_NE(picture(AppIcon::Inactive), picture(AppIcon::Active));
    EXPECT_NE(picture(AppIcon::Inactive), picture(AppIcon::Stop));
    // The "Inicializa" eraser and the navigation arrows are not pale like a disabled command.
    for (AppIcon role : {AppIcon::ClearAll, AppIcon::First, AppIcon::Next}) {
        SCOPED_TRACE(static_cast<int>(role));
        EXPECT_GT(inkShare(appIcon(role)), 0.5);
    }
}
