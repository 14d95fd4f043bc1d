#include <QComboBox>
#include <QLabel>
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
constexpr int kGrupos = static_cast<int>(FilterId::GRUPOS);
constexpr int kRelacionados = static_cast<int>(FilterId::GRUPOSRELACIONADOS);
constexpr int kPosiciones = static_cast<int>(FilterId::POSICIONES);
constexpr int kEntreLimites = static_cast<int>(FilterId::GRUPOSENTRELIMITES);

QWidget* cell(QWidget* w, const QString& prefix, int number)
{
    return child<QWidget>(w, QStringLiteral("%1_%2").arg(prefix).arg(number - 1));
}

// "Ir Grupo :": type a number and press Enter.
void goTo(QWidget* w, const QString& text)
{
    auto* field = child<QLineEdit>(w, "txtNumeroGrupo");
    retype(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

QString title(QWidget* w, int slot) { return child<QLabel>(w, QStringLiteral("lblTitGrupo_%1").arg(slot))->text(); }
} // namespace

using GroupWindows = kombitron::test::FilterWindowTest;

TEST_F(GroupWindows, PosicionesDropsNumbersOutsideTheBaseAndStoresEveryClick)
{
    // 13 and 14 are not in the base: opening the window removes them from every ball.
    state.filters.posiciones.allowed[0][13] = 1;
    state.filters.posiciones.allowed[5][14] = 1;
    state.filters.posiciones.allowed[5][49] = 1;
    openRow(kPosiciones, [&](QDialog* w) {
        EXPECT_EQ(state.filters.posiciones.allowed[0][13], 0);
        EXPECT_EQ(state.filters.posiciones.allowed[5][14], 0);
        EXPECT_EQ(child<QLabel>(w, "lblTitBola_5")->text(), QStringLiteral("BOLA 6"));
        auto* six49 = cell(w, "lblNumero_G6", 49);
        EXPECT_EQ(qobject_cast<QLabel*>(six49)->text(), QStringLiteral("49"));
        EXPECT_FALSE(cell(w, "lblNumero_G6", 14)->isEnabled());
        EXPECT_TRUE(six49->isEnabled());
        EXPECT_FALSE(rowActive(kPosiciones));  // opening changed nothing the user did

        click(cell(w, "lblNumero_G6", 14));     // disabled: nothing happens
        EXPECT_EQ(state.filters.posiciones.allowed[5][14], 0);
        EXPECT_FALSE(rowActive(kPosiciones));
        click(cell(w, "lblNumero", 2));
        EXPECT_EQ(state.filters.posiciones.allowed[0][2], 1);
        EXPECT_TRUE(rowActive(kPosiciones));
        setRowActive(state.filterRows[kPosiciones], false);
        click(child<QToolButton>(w, "imgININumeros_5"));
        EXPECT_EQ(child<QToolButton>(w, "imgININumeros_5")->toolTip(), QStringLiteral("Inicializa esta bola"));
        EXPECT_EQ(state.filters.posiciones.allowed[5][49], 0);
        EXPECT_TRUE(rowActive(kPosiciones));
        w->close();
    });
}

TEST_F(GroupWindows, GruposPagesThreeGroupsAtATimeWithinItsLimits)
{
    openRow(kGrupos, [&](QDialog* w) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral("GRUPOS DE NUMEROS (Máx. 210)"));
        auto* minus = child<QPushButton>(w, "cmdMENOSBloque");
        auto* plus = child<QPushButton>(w, "cmdMASBloque");
        EXPECT_EQ(title(w, 0), QStringLiteral("GRUPO 1"));
        EXPECT_FALSE(minus->isEnabled());
        click(plus);
        EXPECT_EQ(title(w, 2), QStringLiteral("GRUPO 6"));
        EXPECT_TRUE(minus->isEnabled());

        for (const char* bad : {"0", "211", ""}) {
            SCOPED_TRACE(bad);
            ui.messages.clear();
            goTo(w, QString::fromUtf8(bad));
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(ui.lastText(), "ERROR: EL NUMERO DE GRUPO DEBE ESTAR ENTRE 1 y 210");
            EXPECT_EQ(title(w, 0), QStringLiteral("GRUPO 4"));
        }
        EXPECT_EQ(child<QLineEdit>(w, "txtNumeroGrupo")->maxLength(), 3);
        goTo(w, QStringLiteral("210"));
        EXPECT_EQ(title(w, 0), QStringLiteral("GRUPO 208"));
        EXPECT_FALSE(plus->isEnabled());
        EXPECT_TRUE(child<QLineEdit>(w, "txtNumeroGrupo")->hasSelectedText());
        goTo(w, QStringLiteral("4"));
        EXPECT_EQ(title(w, 0), QStringLiteral("GRUPO 4"));
        goTo(w, QStringLiteral("3"));
        EXPECT_EQ(title(w, 0), QStringLiteral("GRUPO 1"));
        EXPECT_FALSE(minus->isEnabled());
        EXPECT_EQ(ui.messages.size(), 1u);  // only the last refused jump spoke
        EXPECT_FALSE(rowActive(kGrupos));  // paging is not an edit
        click(child<QToolButton>(w, "imgVolver"));
    });
}

TEST_F(GroupWindows, GruposPositionsStoreWithoutActivatingAndCellsDo)
{
    auto& g5 = state.filters.grupos.groups[4];
    openRow(kGrupos, [&](QDialog* w) {
        click(child<QPushButton>(w, "cmdMASBloque"));                // groups 4..6
        click(child<QWidget>(w, "lblAciertosG2_5"));                  // group 5, position 6
        EXPECT_EQ(g5.positions[5], 0);
        EXPECT_FALSE(rowActive(kGrupos));
        click(child<QWidget>(w, "lblAciertosG2_5"));
        EXPECT_EQ(g5.positions[5], 1);

        click(cell(w, "lblNumero_G2", 7));
        EXPECT_EQ(g5.members[7], 1);
        EXPECT_TRUE(rowActive(kGrupos));
        editHits(child<QPushButton>(w, "cmdModificar_1"), {3});
        EXPECT_EQ(g5.hits, hits({3}));
        for (int i : {2, 3, 4, 5}) click(child<QWidget>(w, QStringLiteral("lblAciertosG2_%1").arg(i)));  // two positions left
        ui.messages.clear();
        click(child<QToolButton>(w, "imgVolver"));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.lastText(), "ERROR en GRUPO5 : El acierto máximo es mayor que las posiciones marcadas");
        EXPECT_TRUE(w->isVisible());

        click(child<QToolButton>(w, "imgININumeros_1"));  // numbers go; hits and positions stay
        EXPECT_FALSE(g5.members[7]);
        EXPECT_EQ(g5.hits, hits({3}));
        ui.messages.clear();
        click(child<QToolButton>(w, "imgVolver"));
        EXPECT_EQ(ui.lastText(), "ERROR en GRUPO5 : No ha marcado ningún número y hay aciertos seleccionados");
        editHits(child<QPushButton>(w, "cmdModificar_1"), {3});
        ui.messages.clear();
        click(child<QToolButton>(w, "imgVolver"));
        EXPECT_EQ(ui.lastText(), "ERROR en GRUPO5 : No ha marcado ningún número por tanto todas las posiciones del grupo tienen que estar marcadas");
        for (int i : {2, 3, 4, 5}) click(child<QWidget>(w, QStringLiteral("lblAciertosG2_%1").arg(i)));
        ui.messages.clear();
        click(child<QToolButton>(w, "imgVolver"));
        EXPECT_TRUE(ui.messages.empty());
    });
}

TEST_F(GroupWindows, GruposDropsNumbersThatLeftTheBaseFromEveryPageShown)
{
    state.filters.grupos.groups[0].members[13] = 1;    // page 1
    state.filters.grupos.groups[0].members[2] = 1;
    state.filters.grupos.groups[0].hits.flags[1] = 1;
    state.filters.grupos.groups[100].members[14] = 1;  // group 101, page 34
    state.filters.grupos.groups[200].members[15] = 1;  // group 201, never shown
    state.filters.grupos.groups[200].hits.flags[1] = 1;
    openRow(kGrupos, [&](QDialog* w) {
        EXPECT_EQ(state.filters.grupos.groups[0].members[13], 0);
        EXPECT_EQ(state.filters.grupos.groups[0].members[2], 1);
        EXPECT_EQ(state.filters.grupos.groups[100].members[14], 1);
        EXPECT_FALSE(cell(w, "lblNumero", 13)->isEnabled());
        goTo(w, QStringLiteral("101"));
        EXPECT_EQ(title(w, 1), QStringLiteral("GRUPO 101"));
        EXPECT_EQ(state.filters.grupos.groups[100].members[14], 0);
        w->close();
    });
    EXPECT_EQ(state.filters.grupos.groups[200].members[15], 1);
}

TEST_F(GroupWindows, EntreLimitesChecksGroupsThenLimitsAndStoresLimitsOnClosing)
{
    auto& params = state.filters.gruposEntreLimites;
    openRow(kEntreLimites, [&](QDialog* w) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral("GRUPOS ENTRE LIMITES (Máx. 210)"));
        EXPECT_EQ(child<QWidget>(w, "lblAciertosG1_0"), nullptr);  // no positions here
        auto* lo = child<QComboBox>(w, "cboIntervalo1");
        auto* hi = child<QComboBox>(w, "cboIntervalo2");
        EXPECT_EQ(lo->count(), 211);
        EXPECT_EQ(lo->currentText(), QStringLiteral("0"));
        EXPECT_EQ(hi->currentText(), QStringLiteral("210"));

        click(cell(w, "lblNumero_G3", 9));
        EXPECT_EQ(params.groups[2].members[9], 1);
        ui.messages.clear();
        click(child<QToolButton>(w, "imgVolver"));
        EXPECT_EQ(ui.lastText(), "ERROR en GRUPO3 : Debe rellenar al menos un acierto");
        editHits(child<QPushButton>(w, "cmdModificar_2"), {1, 2});

        lo->setCurrentIndex(5);
        hi->setCurrentIndex(4);
        ui.messages.clear();
        click(child<QToolButton>(w, "imgVolver"));
        EXPECT_EQ(ui.lastText(), "ERROR en LIMITE DE GRUPOS : El número de aciertos máximo es menor que el mínimo");
        EXPECT_EQ(params.minimum, 0);
        EXPECT_EQ(params.maximum, 210);
        hi->setCurrentIndex(5);
        click(child<QToolButton>(w, "imgVolver"));
    });
    EXPECT_EQ(params.minimum, 5);
    EXPECT_EQ(params.maximum, 5);
    // The row counts the defined groups now, and keeps its state.
    EXPECT_EQ(rowText(kEntreLimites), "Sí   Grupos entre Límites  1 de 210           -");
    EXPECT_EQ(params.groups[2].hits, hits({1, 2}));
}

TEST_F(GroupWindows, RelacionadosClosesOnlyThroughItsImageAndCompactsSubgroups)
{
    auto& params = state.filters.gruposRelacionados;
    openRow(kRelacionados, [&](QDialog* w) {
        EXPECT_EQ(child<QLabel>(w, "lblNumeroGrupo")->text(), QStringLiteral("GRUPO 1"));
        EXPECT_EQ(child<QLineEdit>(w, "txtNumeroGrupo")->maxLength(), 2);
        goTo(w, QStringLiteral("61"));
        EXPECT_EQ(ui.lastText(), "ERROR: EL NUMERO DE GRUPO DEBE ESTAR ENTRE 1 y 60");
        goTo(w, QStringLiteral("60"));
        EXPECT_EQ(child<QLabel>(w, "lblNumeroGrupo")->text(), QStringLiteral("GRUPO 60"));
        EXPECT_EQ(title(w, 5), QStringLiteral("SUBGRUPO 360"));
        EXPECT_FALSE(child<QPushButton>(w, "cmdMASBloque")->isEnabled());
        goTo(w, QStringLiteral("2"));
        EXPECT_EQ(title(w, 0), QStringLiteral("SUBGRUPO 7"));

        // Sub-group 2 filled, sub-group 1 empty; three conditions over one sub-group.
        click(cell(w, "lblNumero_G2", 5));
        click(cell(w, "lblNumero_G2", 6));
        EXPECT_EQ(params.subgroups[7][5], 1);
        EXPECT_TRUE(rowActive(kRelacionados));
        for (int k : {0, 1, 2}) editHits(child<QPushButton>(w, QStringLiteral("cmdModificar_%1").arg(k)), {1});
        EXPECT_EQ(params.conditions[8], hits({1}));

        w->close();  // the close box does nothing
        EXPECT_TRUE(w->isVisible());
        ui.messages.clear();
        click(child<QToolButton>(w, "imgVolver"));
        EXPECT_EQ(ui.lastText(), "ERROR en GRUPO2 : No puede haber más condiciones que subgrupos activados");
        EXPECT_TRUE(w->isVisible());
        for (int k : {1, 2}) editHits(child<QPushButton>(w, QStringLiteral("cmdModificar_%1").arg(k)), {1});
        ui.messages.clear();
        click(child<QToolButton>(w, "imgVolver"));
        EXPECT_TRUE(ui.messages.empty()) << ui.lastText();
    });
    EXPECT_EQ(params.subgroups[6][5], 1);  // moved to sub-group 1 of group 2
    EXPECT_EQ(params.subgroups[7][5], 0);
}
