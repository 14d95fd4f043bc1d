#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include "core/state.h"
#include "tools/tool_window_fixture.h"
#include "ui/frmPrincipal.h"
#include "ui/frmPronosticoAleatorio.h"
#include "ui/widgets/mark_cell.h"
#include "ui/widgets/ticket_grid.h"

using namespace kombitron;
using namespace kombitron::ui;
using kombitron::test::child;
using kombitron::test::click;

namespace {

int markedCells(const frmPrincipal& main)
{
    int n = 0;
    for (int v = 1; v <= 49; ++v) n += main.gridNumeros->isMarked(v) ? 1 : 0;
    return n;
}

} // namespace

// Choosing "Pronóstico Aleatorio" opens the window; each draw marks the main grid at once and sets
// its counters; the frame's close box closes this one.
TEST(PronosticoAleatorio, DrawsMarkTheMainGridAndItsCounters)
{
    setNumberFormat({".", ","});
    AppState state;
    test::ToolPerson person;
    frmPrincipal main(state, person);
    main.show();
    click(main.gridNumeros->cell(1));
    click(main.lblReintegro[4]);
    state.savedFlag = true;

    bool seen = false;
    auto watch = test::whenModal([&](QWidget* w) {
        seen = true;
        auto* window = qobject_cast<frmPronosticoAleatorio*>(w);
        EXPECT_NE(window, nullptr);
        if (!window) return qobject_cast<QDialog*>(w)->done(0);
        EXPECT_EQ(window->cboNumeros->count(), 49);
        EXPECT_EQ(window->cboNumeros->itemText(0), QStringLiteral("1"));
        EXPECT_EQ(window->cboNumeros->itemText(48), QStringLiteral("49"));
        EXPECT_EQ(window->cboNumeros->currentText(), QStringLiteral("6"));

        // Three numbers: no bet yet, every counter 0, the reintegro left alone.
        window->cboNumeros->setCurrentIndex(2);
        click(window->cmdAlazar);
        EXPECT_EQ(markedCells(main), 3);
        EXPECT_EQ(main.lblTipoCombinacion->text(), QStringLiteral("3 Números"));
        EXPECT_EQ(main.lblApuestasIniciales->text(), QStringLiteral("0"));
        EXPECT_EQ(main.lblApuestasCondicionadas->text(), QStringLiteral("0"));
        EXPECT_EQ(main.lblApuestasReducidas->text(), QStringLiteral("0"));
        EXPECT_TRUE(main.lblReintegro[4]->isMarked());

        // Another draw replaces the marks; the conditioned counter follows the initial one.
        window->cboNumeros->setCurrentIndex(11);
        click(window->cmdAlazar);
        EXPECT_EQ(markedCells(main), 12);
        EXPECT_EQ(main.lblTipoCombinacion->text(), QStringLiteral("12 Números"));
        EXPECT_EQ(main.lblApuestasIniciales->text(), QStringLiteral("924"));
        EXPECT_EQ(main.lblApuestasCondicionadas->text(), QStringLiteral("924"));
        EXPECT_EQ(main.lblApuestasReducidas->text(), QStringLiteral("0"));

        window->close();
        EXPECT_FALSE(window->isVisible());
        if (window->isVisible()) window->done(0);
    });
    main.cboTipoCombinacion->setCurrentIndex(1);
    EXPECT_TRUE(seen);
    EXPECT_EQ(main.cboTipoCombinacion->currentText(), QStringLiteral("Pronóstico Aleatorio"));
    EXPECT_EQ(markedCells(main), 12);
    EXPECT_EQ(main.lblApuestasIniciales->text(), QStringLiteral("924"));
    // The drawn combination is a new one: going back to a manual forecast asks first.
    EXPECT_FALSE(state.savedFlag);
    main.cboTipoCombinacion->setCurrentIndex(0);
    ASSERT_EQ(person.questions.size(), 1u);
    EXPECT_EQ(person.questions[0],
              "NO HA GUARDADO LA COMBINACION ACTUAL EN XML, ¿ DESEA CONTINUAR DE TODAS FORMAS ?");
    EXPECT_EQ(markedCells(main), 12);
    state.savedFlag = true;
}
