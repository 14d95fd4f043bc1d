#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "core/filter_registry.h"
#include "core/format.h"
#include "filter_window_fixture.h"
#include "support/test_paths.h"
#include "ui/ui_test_support.h"

using namespace kombitron;
using kombitron::test::child;
using kombitron::test::click;
using kombitron::test::readFile;
using kombitron::test::retype;
using kombitron::test::TempDir;
using kombitron::test::writeFile;

namespace {
constexpr int kValoraciones = static_cast<int>(FilterId::VALORACIONES);
constexpr int kCoeficiente = static_cast<int>(FilterId::COEFICIENTERENTABILIDAD);

QComboBox* list(QWidget* w, int number) { return child<QComboBox>(w, QStringLiteral("cboPorcentaje_%1").arg(number - 1)); }
QLineEdit* played(QWidget* w, int number) { return child<QLineEdit>(w, QStringLiteral("txtPorcentajesApostados_%1").arg(number - 1)); }
QLineEdit* real(QWidget* w, int number) { return child<QLineEdit>(w, QStringLiteral("txtPorcentajesReales_%1").arg(number - 1)); }

// 49 fields: `value` for the listed numbers, "0" for the rest.
std::string line(std::initializer_list<std::pair<int, const char*>> values)
{
    std::array<std::string, 49> f;
    f.fill("0");
    for (auto [n, v] : values) f[static_cast<size_t>(n - 1)] = v;
    std::string out;
    for (size_t i = 0; i < 49; ++i) out += (i ? " " : "") + f[i];
    return out;
}
} // namespace

using PercentagesWindows = kombitron::test::FilterWindowTest;

TEST_F(PercentagesWindows, ValoracionesOffersValuesOnlyForTheBaseAndValidatesEachCondition)
{
    auto& params = state.filters.valoraciones;
    openRow(kValoraciones, [&](QDialog* w) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral("VALORACIONES (Máx. 10)"));
        EXPECT_EQ(list(w, 1)->count(), 101);
        EXPECT_EQ(list(w, 1)->itemText(0), QStringLiteral("------"));
        EXPECT_TRUE(list(w, 1)->isEnabled());
        EXPECT_EQ(list(w, 13)->count(), 1);  // 13 is not in the base
        EXPECT_FALSE(list(w, 13)->isEnabled());
        EXPECT_FALSE(child<QPushButton>(w, "cmdMENOSBloque")->isEnabled());
        EXPECT_FALSE(rowActive(kValoraciones));

        for (int n = 1; n <= 10; ++n) list(w, n)->setCurrentIndex(10);  // valuation 10
        list(w, 1)->setFocus();
        EXPECT_TRUE(rowActive(kValoraciones));  // a list getting the focus activates
        EXPECT_EQ(child<QLabel>(w, "lblSumaPorcentajes")->text(), QStringLiteral("100"));

        ui.messages.clear();
        click(child<QPushButton>(w, "cmdMASBloque"));
        EXPECT_EQ(ui.lastText(), "ERROR GRUPO 1: Hay seleccionadas valoraciones de números y no ha activado ningún intervalo");
        EXPECT_EQ(params.valuations[0][0], 10);  // the valuations are stored before that check
        EXPECT_EQ(child<QLabel>(w, "lblNumeroGrupo")->text(), QStringLiteral("GRUPO 1"));

        retype(child<QLineEdit>(w, "txtValoracionMinima_1"), QStringLiteral("40"));
        retype(child<QLineEdit>(w, "txtValoracionMaxima_1"), QStringLiteral("30"));
        ui.messages.clear();
        click(child<QToolButton>(w, "imgVolver"));
        EXPECT_EQ(ui.lastText(), "ERROR GRUPO 1: El valor mínimo de un intervalo no puede ser mayor que el valor máximo");
        retype(child<QLineEdit>(w, "txtValoracionMinima_1"), QString());
        ui.messages.clear();
        click(child<QToolButton>(w, "imgVolver"));
        EXPECT_EQ(ui.lastText(), "ERROR GRUPO 1: No se permiten valores nulos en los intervalos");
        EXPECT_EQ(params.valuationMax[0][1], 0);

        retype(child<QLineEdit>(w, "txtValoracionMinima_1"), QStringLiteral("50"));
        retype(child<QLineEdit>(w, "txtValoracionMaxima_1"), QStringLiteral("120"));
        EXPECT_EQ(child<QLineEdit>(w, "txtValoracionMaxima_1")->maxLength(), 4);
        ui.messages.clear();
        click(child<QPushButton>(w, "cmdMASBloque"));
        EXPECT_TRUE(ui.messages.empty()) << ui.lastText();
        EXPECT_EQ(child<QLabel>(w, "lblNumeroGrupo")->text(), QStringLiteral("GRUPO 2"));
        EXPECT_EQ(list(w, 1)->currentText(), QStringLiteral("------"));
        EXPECT_EQ(child<QLabel>(w, "lblTitNumeros")->text(), QStringLiteral("0 Valoraciones Seleccionadas"));
        for (int i = 0; i < 9; ++i) click(child<QPushButton>(w, "cmdMASBloque"));
        EXPECT_EQ(child<QLabel>(w, "lblNumeroGrupo")->text(), QStringLiteral("GRUPO 10"));
        EXPECT_FALSE(child<QPushButton>(w, "cmdMASBloque")->isEnabled());

        w->close();  // the close box does nothing
        EXPECT_TRUE(w->isVisible());
        click(child<QToolButton>(w, "imgVolver"));
    });
    EXPECT_EQ(params.valuationMin[0][1], 50);
    EXPECT_EQ(params.valuationMax[0][1], 120);
    EXPECT_EQ(params.valuations[9][0], 10);
    EXPECT_EQ(params.valuations[10][0], 0);
    EXPECT_EQ(rowText(kValoraciones).substr(0, 36), "Sí   Valoraciones          1 de 10 ");
}

TEST_F(PercentagesWindows, ValoracionesKeysActivateEvenWhenRefused)
{
    openRow(kValoraciones, [&](QDialog* w) {
        auto* field = child<QLineEdit>(w, "txtValoracionMinima_0");
        QTest::keyClick(field, Qt::Key_A);
        EXPECT_EQ(field->text(), QStringLiteral("0"));
        EXPECT_TRUE(rowActive(kValoraciones));
        click(child<QToolButton>(w, "imgVolver"));
    });
}

TEST_F(PercentagesWindows, ValoracionesSavesWhatTheListsShowAndLoadsItBack)
{
    TempDir dir;
    ui.savePaths.push_back(dir.file("valoraciones.dat"));  // the extension is replaced
    ui.openPaths.push_back(dir.file("valoraciones.txt"));
    writeFile(dir.file("corto.txt"), line({{2, "7"}}).substr(0, line({{2, "7"}}).rfind(' ')));  // 48 fields
    ui.openPaths.push_back(dir.file("corto.txt"));
    writeFile(dir.file("fuera.txt"), line({{3, "8"}, {13, "5"}}));  // 13 is not in the base
    ui.openPaths.push_back(dir.file("fuera.txt"));
    openRow(kValoraciones, [&](QDialog* w) {
        list(w, 1)->setCurrentIndex(100);
        list(w, 49)->setCurrentIndex(3);
        click(child<QPushButton>(w, "cmdGuardarPorcentajes"));
        ASSERT_EQ(ui.saveRequests.size(), 1u);
        EXPECT_EQ(ui.saveRequests[0].title, "Guardar Porcentajes");
        ASSERT_EQ(ui.saveRequests[0].filters.size(), 2u);
        EXPECT_EQ(ui.saveRequests[0].filters[0].description, "Ficheros de porcentajes (*.TXT)");
        EXPECT_EQ(readFile(dir.file("valoraciones.txt")), line({{1, "100"}, {49, "3"}}) + "\r\n");

        click(child<QToolButton>(w, "imgININumeros"));
        EXPECT_EQ(list(w, 1)->currentText(), QStringLiteral("------"));
        click(child<QPushButton>(w, "cmdAbrirPorcentajes"));
        EXPECT_EQ(ui.openRequests.back().title, "Cargar Porcentajes");
        EXPECT_EQ(list(w, 1)->currentText(), QStringLiteral("100"));
        EXPECT_EQ(list(w, 49)->currentText(), QStringLiteral("3"));
        EXPECT_EQ(child<QLabel>(w, "lblSumaPorcentajes")->text(), QStringLiteral("103"));
        EXPECT_TRUE(ui.messages.empty());

        click(child<QPushButton>(w, "cmdAbrirPorcentajes"));  // 48 fields: the first 48 apply
        EXPECT_EQ(ui.lastText(), "ERROR AL CARGAR ALGUNOS O TODOS LOS VALORES DE LOS PORCENTAJES");
        EXPECT_EQ(list(w, 2)->currentText(), QStringLiteral("7"));
        ui.messages.clear();
        click(child<QPushButton>(w, "cmdAbrirPorcentajes"));
        EXPECT_EQ(ui.lastText(), "ERROR AL CARGAR ALGUNOS O TODOS LOS VALORES DE LOS PORCENTAJES");
        EXPECT_EQ(list(w, 3)->currentText(), QStringLiteral("8"));
        click(child<QToolButton>(w, "imgININumeros"));
        click(child<QToolButton>(w, "imgVolver"));
    });
}

TEST_F(PercentagesWindows, CoefficientShowsDecimalCommasAndStoresEverythingOnClosing)
{
    auto& params = state.filters.coeficiente;
    params.real.fill(12.25);
    params.played[5] = 12.6;
    params.ranges[10] = 1;
    params.ranges[100] = 1;
    openRow(kCoeficiente, [&](QDialog* w) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral("COEFICIENTE RENTABILIDAD"));
        EXPECT_EQ(child<QToolButton>(w, "imgVolver")->toolTip(), QStringLiteral("Cerrar"));
        EXPECT_EQ(played(w, 6)->text(), QStringLiteral("12,6"));
        EXPECT_EQ(real(w, 49)->text(), QStringLiteral("12,25"));
        auto* steps = child<QListWidget>(w, "lstCR");
        ASSERT_EQ(steps->count(), 100);
        EXPECT_EQ(steps->item(0)->text(), QStringLiteral("0,0"));
        EXPECT_EQ(steps->item(99)->text(), QStringLiteral("9,9"));
        EXPECT_TRUE(steps->item(10)->isSelected());
        EXPECT_EQ(steps->selectedItems().size(), 1);

        // Played fields: digits, "." and one ","; five characters at most.
        retype(played(w, 1), QStringLiteral("1a,2,5x9"));
        EXPECT_EQ(played(w, 1)->text(), QStringLiteral("1,259"));
        retype(played(w, 2), QStringLiteral("123456"));
        EXPECT_EQ(played(w, 2)->text(), QStringLiteral("12345"));
        EXPECT_FALSE(rowActive(kCoeficiente));  // percentages do not activate

        QTest::mouseClick(steps->viewport(), Qt::LeftButton, Qt::NoModifier, steps->visualItemRect(steps->item(2)).center());
        EXPECT_TRUE(steps->item(2)->isSelected());
        EXPECT_TRUE(rowActive(kCoeficiente));
        EXPECT_EQ(params.ranges[2], 0);  // a working copy until closing

        retype(real(w, 3), QString());
        ui.messages.clear();
        click(child<QToolButton>(w, "imgCalcular"));
        EXPECT_EQ(ui.lastText(), "ERROR EN NUMERO 3: EL % ESTA EN BLANCO (% REALES)");
        retype(played(w, 40), QString());
        click(child<QToolButton>(w, "imgCalcular"));
        EXPECT_EQ(ui.lastText(), "ERROR EN NUMERO 40: EL % ESTA EN BLANCO (% APOSTADOS)");
        retype(played(w, 40), QStringLiteral("2"));

        w->close();
        EXPECT_TRUE(w->isVisible());
        click(child<QToolButton>(w, "imgVolver"));
    });
    EXPECT_DOUBLE_EQ(params.played[0], 1.259);
    EXPECT_DOUBLE_EQ(params.played[1], 12345);
    EXPECT_DOUBLE_EQ(params.played[39], 2);
    EXPECT_EQ(params.real[2], 0);  // blank becomes 0
    EXPECT_EQ(params.ranges[2], 1);
    EXPECT_EQ(params.ranges[10], 1);
    EXPECT_EQ(params.ranges[100], 1);  // not offered by the window, left as it was
}

TEST_F(PercentagesWindows, CoefficientPanelsSaveAndLoadBackWithADecimalComma)
{
    TempDir dir;
    ui.savePaths.push_back(dir.file("apostados"));  // ".txt" is appended
    ui.openPaths.push_back(dir.file("apostados.txt"));
    writeFile(dir.file("malo.txt"), "1,5 2,5 x");
    ui.openPaths.push_back(dir.file("malo.txt"));
    openRow(kCoeficiente, [&](QDialog* w) {
        retype(played(w, 1), QStringLiteral("12,6"));
        retype(played(w, 2), QStringLiteral("0,25"));
        click(child<QToolButton>(w, "imgGuardarPorcentajesApostados"));
        EXPECT_TRUE(ui.messages.empty()) << ui.lastText();
        const std::string saved = readFile(dir.file("apostados.txt"));
        EXPECT_EQ(saved.substr(0, 10), "12,6 0,25 ");
        EXPECT_EQ(saved.substr(saved.size() - 2), "\r\n");

        click(child<QToolButton>(w, "imgINIPorcentajesApostados"));
        EXPECT_EQ(played(w, 1)->text(), QStringLiteral("0"));
        click(child<QToolButton>(w, "imgAbrirPorcentajesApostados"));
        EXPECT_EQ(played(w, 1)->text(), QStringLiteral("12,6"));
        EXPECT_EQ(played(w, 2)->text(), QStringLiteral("0,25"));
        EXPECT_EQ(real(w, 1)->text(), QStringLiteral("12,25"));  // the other panel is untouched

        click(child<QToolButton>(w, "imgAbrirPorcentajesReales"));
        EXPECT_EQ(ui.lastText(), "ERROR AL ABRIR LOS PORCENTAJES");
        EXPECT_EQ(real(w, 1)->text(), QStringLiteral("1,5"));  // fields before the fault keep their text
        EXPECT_EQ(real(w, 2)->text(), QStringLiteral("2,5"));

        retype(played(w, 3), QString());
        ui.savePaths.push_back(dir.file("blanco.txt"));
        ui.messages.clear();
        click(child<QToolButton>(w, "imgGuardarPorcentajesApostados"));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.lastText().rfind("ERROR AL GUARDAR LOS PORCENTAJES (", 0), 0u) << ui.lastText();
        EXPECT_EQ(readFile(dir.file("blanco.txt")), "");
        retype(played(w, 3), QStringLiteral("1"));
        click(child<QToolButton>(w, "imgVolver"));
    });
    EXPECT_DOUBLE_EQ(state.filters.coeficiente.played[0], 12.6);
    EXPECT_DOUBLE_EQ(state.filters.coeficiente.real[1], 2.5);
}
