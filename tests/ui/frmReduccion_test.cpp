#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include "core/filter_rows.h"
#include "core/state.h"
#include "ui/frmReduccion.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/numeric_line_edit.h"
#include "ui_test_support.h"

using namespace kombitron;
using namespace kombitron::ui;
using kombitron::test::click;

namespace {
AppState freshState()
{
    AppState s;
    ResetStateDefaults(s, 2024);
    resetFilterRows(s);
    return s;
}
} // namespace

TEST(frmReduccion, OpeningFillsWithoutActivatingAndStoresOnClose)
{
    AppState s = freshState();
    s.reduction = {3, 85, 40, 1, 0, 1, 1};
    {
        frmReduccion dialog(s);
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Reducción"));
        EXPECT_FALSE(isRowActive(s.filterRows[kReductionRow])) << "filling must not activate";
        EXPECT_FALSE(dialog.imgActivar->isActive());
        EXPECT_EQ(dialog.cboTipoReduccion->currentText(), QStringLiteral("Reducción al 3"));
        EXPECT_EQ(dialog.cboPorcentaje->count(), 100);
        EXPECT_EQ(dialog.cboPorcentaje->itemText(0), QStringLiteral("Asegurar el 100%"));
        EXPECT_EQ(dialog.cboPorcentaje->currentText(), QStringLiteral("Asegurar el 85%"));
        EXPECT_TRUE(dialog.optTipo[0]->isChecked());
        EXPECT_TRUE(dialog.txtNColumnas->isVisible());
        EXPECT_FALSE(dialog.cboPorcentaje->isEnabled());
        EXPECT_TRUE(dialog.chkApuestasExactas->isChecked());

        // Typing the bet count does not activate; the blank box stores 1.
        dialog.txtNColumnas->selectAll();
        QTest::keyClick(dialog.txtNColumnas, Qt::Key_Backspace);
        EXPECT_FALSE(isRowActive(s.filterRows[kReductionRow]));
        // Percentage mode: the exact-count box is cleared and disabled, and the change activates.
        click(dialog.optTipo[1]);
        EXPECT_TRUE(isRowActive(s.filterRows[kReductionRow]));
        EXPECT_TRUE(dialog.imgActivar->isActive());
        EXPECT_FALSE(dialog.chkApuestasExactas->isChecked());
        EXPECT_FALSE(dialog.chkApuestasExactas->isEnabled());
        EXPECT_FALSE(dialog.txtNColumnas->isVisible());
        dialog.cboPorcentaje->setCurrentIndex(100 - 60);
        click(dialog.imgVolver);
    }
    EXPECT_EQ(s.reduction.type, 3);
    EXPECT_EQ(s.reduction.percentage, 60);
    EXPECT_EQ(s.reduction.betCount, 1);
    EXPECT_EQ(s.reduction.byBetCount, 0);
    EXPECT_EQ(s.reduction.exactCount, 0);
    EXPECT_EQ(s.reduction.cycles, 0);
    EXPECT_EQ(s.reduction.random, 1);
}

TEST(frmReduccion, ActivationButtonFlipsTheReductionRow)
{
    AppState s = freshState();
    frmReduccion dialog(s);
    dialog.show();
    click(dialog.imgActivar);
    EXPECT_TRUE(isRowActive(s.filterRows[kReductionRow]));
    click(dialog.imgActivar);
    EXPECT_FALSE(isRowActive(s.filterRows[kReductionRow]));
    dialog.chkActivarCiclos->click();
    EXPECT_TRUE(isRowActive(s.filterRows[kReductionRow]));
    click(dialog.chkApuestasExactas); // disabled in percentage mode: nothing changes
    EXPECT_FALSE(dialog.chkApuestasExactas->isEnabled());
    EXPECT_FALSE(dialog.chkApuestasExactas->isChecked());
}
