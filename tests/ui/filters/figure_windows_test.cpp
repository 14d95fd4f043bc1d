#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "core/filter_registry.h"
#include "core/filter_rows.h"
#include "filter_window_fixture.h"
#include "ui/ui_test_support.h"

using namespace kombitron;
using kombitron::test::child;
using kombitron::test::click;
using kombitron::test::editHits;
using kombitron::test::hits;
using kombitron::test::retype;

namespace {
constexpr int kDecenas = static_cast<int>(FilterId::DECENAS);
constexpr int kSeguidos = static_cast<int>(FilterId::SEGUIDOS);
constexpr int kTerminaciones = static_cast<int>(FilterId::TERMINACIONES);
} // namespace

using FigureWindows = kombitron::test::FilterWindowTest;

TEST_F(FigureWindows, DecenasStoresDecadesAtOnceAndFiguresOnClosing)
{
    state.filters.decenas.figures[9] = 1;
    openRow(kDecenas, [&](QDialog* w) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral("DECENAS"));
        EXPECT_EQ(child<QCheckBox>(w, "chkFigura_1")->accessibleName(), QStringLiteral("6-0"));
        EXPECT_EQ(child<QCheckBox>(w, "chkFigura_10")->accessibleName(), QStringLiteral("2-1-1-1-1"));
        EXPECT_TRUE(child<QCheckBox>(w, "chkFigura_10")->isChecked());
        EXPECT_EQ(child<QCheckBox>(w, "chkFigura_11"), nullptr);
        editHits(child<QPushButton>(w, "cmdModificar3039"), {1});
        EXPECT_EQ(state.filters.decenas.decenas[3], hits({1}));
        EXPECT_EQ(child<QLineEdit>(w, "txtAciertos3039")->text(), QStringLiteral("1"));

        setRowActive(state.filterRows[kDecenas], false);
        click(child<QCheckBox>(w, "chkFigura_6"));
        EXPECT_TRUE(rowActive(kDecenas));  // a figure click activates...
        EXPECT_EQ(state.filters.decenas.figures[5], 0);  // ...but is stored only on closing
        w->close();
    });
    EXPECT_EQ(state.filters.decenas.figures[5], 1);
    EXPECT_EQ(state.filters.decenas.figures[9], 1);
}

TEST_F(FigureWindows, SeguidosHidesTheZeroCountAndListsElevenFigures)
{
    openRow(kSeguidos, [&](QDialog* w) {
        EXPECT_EQ(child<QCheckBox>(w, "chkFigura_11")->accessibleName(), QStringLiteral("1-1-1-1-1-1"));
        auto watch = test::whenModal([](QWidget* d) {
            EXPECT_FALSE(child<QWidget>(d, "lblAciertos_0")->isVisible());
            click(child<QToolButton>(d, "imgTodos"));
            click(child<QToolButton>(d, "imgVolver"));
        });
        click(child<QPushButton>(w, "cmdModificar"));
        click(child<QCheckBox>(w, "chkFigura_11"));
        click(child<QToolButton>(w, "imgVolver"));
    });
    EXPECT_EQ(state.filters.seguidos.seguidos, hits({1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(state.filters.seguidos.figures[10], 1);
    EXPECT_TRUE(rowActive(kSeguidos));
}

TEST_F(FigureWindows, TerminacionesRefusesBadSumsAndStoresNothingUntilTheyPass)
{
    struct Case {
        const char* minimum;
        const char* maximum;
        const char* message;
    };
    const Case refused[] = {
        {"", "40", "ERROR: el valor de la suma de terminaciones mínima esta en blanco"},
        {"10", "", "ERROR: el valor de la suma de terminaciones máxima esta en blanco"},
        {"30", "29", "ERROR: la suma de terminaciones máxima debe ser mayor que la mínima"},
    };
    openRow(kTerminaciones, [&](QDialog* w) {
        auto* lo = child<QLineEdit>(w, "txtSumaTerminacionesMinimo");
        auto* hi = child<QLineEdit>(w, "txtSumaTerminacionesMaximo");
        EXPECT_EQ(lo->text(), QStringLiteral("2"));
        EXPECT_EQ(hi->text(), QStringLiteral("53"));
        EXPECT_EQ(lo->toolTip(), QStringLiteral("Mínimo valor permitido 2(10,11,20,30,40,41)"));
        EXPECT_EQ(hi->toolTip(), QStringLiteral("Máximo valor permitido 53(09,19,29,39,48,49)"));
        EXPECT_EQ(lo->maxLength(), 2);

        retype(lo, QStringLiteral("1x2"));  // the letter is dropped
        EXPECT_EQ(lo->text(), QStringLiteral("12"));
        EXPECT_TRUE(rowActive(kTerminaciones));

        editHits(child<QPushButton>(w, "cmdModificar_0"), {5});
        EXPECT_EQ(state.filters.terminaciones.terminadosEn[0], hits({5}));
        click(child<QCheckBox>(w, "chkFigura_1"));
        for (const Case& c : refused) {
            SCOPED_TRACE(c.message);
            retype(lo, QString::fromUtf8(c.minimum));
            retype(hi, QString::fromUtf8(c.maximum));
            ui.messages.clear();
            click(child<QToolButton>(w, "imgVolver"));
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
            EXPECT_EQ(ui.messages[0].text, c.message);
            EXPECT_TRUE(w->isVisible());
            EXPECT_EQ(state.filters.terminaciones.figures[0], 0);
            EXPECT_EQ(state.filters.terminaciones.sumMin, 2);
            EXPECT_EQ(state.filters.terminaciones.sumMax, 53);
            EXPECT_EQ(lo->text(), QString::fromUtf8(c.minimum));  // the user's text stays
        }
        retype(lo, QStringLiteral("20"));
        retype(hi, QStringLiteral("20"));  // equal bounds pass
        w->close();  // the close box runs the same checks
    });
    EXPECT_EQ(state.filters.terminaciones.sumMin, 20);
    EXPECT_EQ(state.filters.terminaciones.sumMax, 20);
    EXPECT_EQ(state.filters.terminaciones.figures[0], 1);
}
