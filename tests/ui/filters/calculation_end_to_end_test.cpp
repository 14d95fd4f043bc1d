#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

#include "core/filter_registry.h"
#include "core/filter_rows.h"
#include "core/format.h"
#include "core/interaction.h"
#include "filters/conditioning.h"
#include "filter_window_fixture.h"
#include "ui/frmPrincipal.h"
#include "ui/ui_test_support.h"
#include "ui/widgets/mark_cell.h"

using namespace kombitron;
using kombitron::test::child;
using kombitron::test::click;
using kombitron::test::editHits;
using kombitron::test::retype;

using FilterCalculation = kombitron::test::FilterWindowTest;

// Several filters set through their windows; a trial calculation; the list's eliminated counts
// must be those of the core's conditioning pass over the same state.
TEST_F(FilterCalculation, ListCountsMatchTheConditioningPass)
{
    setBase({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 20, 25, 30, 40, 45, 49});
    click(main->lblReintegro[5]);

    openRow(static_cast<int>(FilterId::GRUPOS), [&](QDialog* w) {
        for (int n : {1, 2, 3}) click(child<QWidget>(w, QStringLiteral("lblNumero_%1").arg(n - 1)));
        editHits(child<QPushButton>(w, "cmdModificar_0"), {0, 1});
        click(child<QToolButton>(w, "imgVolver"));
    });
    openRow(static_cast<int>(FilterId::PARESIMPARES), [&](QDialog* w) {
        for (int k : {2, 3, 4}) click(child<QCheckBox>(w, QStringLiteral("chkParesImpares_%1").arg(k)));
        click(child<QToolButton>(w, "imgVolver"));
    });
    openRow(static_cast<int>(FilterId::SUMAS), [&](QDialog* w) {
        retype(child<QLineEdit>(w, "txtSumaMinima_0"), QStringLiteral("60"));
        retype(child<QLineEdit>(w, "txtSumaMaxima_0"), QStringLiteral("150"));
        click(child<QToolButton>(w, "imgVolver"));
    });
    openRow(static_cast<int>(FilterId::POSICIONES), [&](QDialog* w) {
        for (int n : {1, 2, 3, 4, 5}) click(child<QWidget>(w, QStringLiteral("lblNumero_%1").arg(n - 1)));
        click(child<QToolButton>(w, "imgVolver"));
    });
    openRow(static_cast<int>(FilterId::COLINDANTES), [&](QDialog* w) {
        editHits(child<QPushButton>(w, "cmdModificar"), {0, 2, 3});
        click(child<QToolButton>(w, "imgVolver"));
    });
    // Set and then switched off again: it must not count.
    openRow(static_cast<int>(FilterId::HOMOLOGOS), [&](QDialog* w) {
        editHits(child<QPushButton>(w, "cmdModificar"), {1});
        click(child<QToolButton>(w, "imgActivar"));
        click(child<QToolButton>(w, "imgVolver"));
    });
    ASSERT_TRUE(ui.messages.empty()) << ui.lastText();

    click(main->lblMenu[4]);  // "Cálculo de Prueba"
    ASSERT_TRUE(kombitron::test::waitUntil([&] { return !main->isBusy(); }));
    ASSERT_TRUE(ui.messages.empty()) << ui.lastText();
    ASSERT_EQ(state.initialCount, 18564);

    AppState expected = state;
    Progress quiet;
    const int64_t eliminated = RunConditioningPass(expected, quiet, {}).eliminated;
    EXPECT_EQ(state.conditionedCount, state.initialCount - eliminated);
    int filtersThatEliminated = 0;
    for (int p = 0; p < kFilterCount; ++p) {
        SCOPED_TRACE(filterInfo(p).name);
        const QString shown = main->lstFiltros->item(p)->text();
        if (isRowActive(rowText(p))) {
            EXPECT_TRUE(shown.endsWith(QLatin1Char(' ') + QString::fromStdString(formatCount(expected.filterEliminationCounts[p]))))
                << shown.toStdString();
            filtersThatEliminated += expected.filterEliminationCounts[p] > 0 ? 1 : 0;
        } else {
            EXPECT_TRUE(shown.endsWith(QStringLiteral(" -"))) << shown.toStdString();
            EXPECT_EQ(expected.filterEliminationCounts[p], 0);
        }
    }
    EXPECT_EQ(filtersThatEliminated, 5);
    EXPECT_TRUE(main->lstFiltros->item(static_cast<int>(FilterId::GRUPOS))->text().contains(QStringLiteral("1 de 210")));
}
