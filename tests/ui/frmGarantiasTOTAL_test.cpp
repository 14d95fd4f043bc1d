#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>

#include <gtest/gtest.h>

#include "core/filter_rows.h"
#include "core/format.h"
#include "core/paths.h"
#include "core/state.h"
#include "engine/generation.h"
#include "support/recording_interaction.h"
#include "support/test_paths.h"
#include "ui/frmGarantiasTOTAL.h"
#include "ui/widgets/image_button.h"
#include "ui_test_support.h"

using namespace kombitron;
using namespace kombitron::ui;
using kombitron::test::click;
using kombitron::test::waitUntil;

namespace {

// Eight numbers, every bet conditioned, the reduced system the first five bets.
void prepare(AppState& s)
{
    ResetStateDefaults(s, 2024);
    for (int v = 1; v <= 8; ++v) setNumberMarked(s, v, true);
    BuildBaseNumbers(s);
    const int64_t total = EnumerateSubsets(s, 6);
    s.conditionedSystem = s.totalSystem;
    s.conditionedCount = total;
    MapToFinal(s);
    s.finalSystem.truncate(5);
    s.reducedCount = 5;
}

} // namespace

TEST(frmGarantiasTOTAL, ScopesLevelsAndAPublishedPass)
{
    setNumberFormat({".", ","});
    test::TempDir dir;
    setApplicationFolder(dir.path().string());
    AppState s;
    prepare(s);
    test::RecordingInteraction ui;
    frmGarantiasTOTAL window(s, ui);
    window.show();

    EXPECT_EQ(window.windowTitle(), QStringLiteral("Cálculo de Garantías y de Porcentajes"));
    EXPECT_EQ(window.lblTitulo[0]->text(), QStringLiteral("Garantías sobre el SISTEMA TOTAL (28 Apuestas)"));
    EXPECT_EQ(window.lblTitulo[2]->text(), QStringLiteral("Garantías sobre el SISTEMA CONDICIONADO (28 Apuestas)"));
    EXPECT_EQ(window.lblTituloApuestas->text(), QStringLiteral("Apuestas actuales : 5"));
    EXPECT_TRUE(window.optTipoGarantias[0]->isChecked());
    EXPECT_FALSE(window.optTipoGarantias[1]->isEnabled());
    EXPECT_EQ(window.cboTipoGarantias->currentIndex(), 6);

    // Level 1: rows 6..2 hidden, 1 and 0 shown; every single number is in some reduced bet.
    window.selectLevel(1);
    for (int h = 2; h <= 6; ++h) EXPECT_FALSE(window.lblApu[h]->isVisible()) << h;
    EXPECT_TRUE(window.lblApu[1]->isVisible());
    EXPECT_TRUE(window.lblApu[0]->isVisible());
    click(window.imgCalcularGarantias);
    EXPECT_TRUE(window.isComputing());
    EXPECT_FALSE(window.imgVolver->isEnabled()) << "the controls wait for the pass";
    ASSERT_TRUE(waitUntil([&] { return !window.isComputing(); }));
    EXPECT_EQ(window.lblApu[1]->text(), QStringLiteral("8"));
    EXPECT_EQ(window.lblPor[1]->text(), QStringLiteral("100,000% 1 si 1"));
    EXPECT_EQ(window.lblPor[0]->text(), QStringLiteral("100,000% 0 si 1"));
    EXPECT_FALSE(window.txtResumen->toPlainText().isEmpty());
    EXPECT_TRUE(window.imgCalcularGarantias->isEnabled());

    click(window.imgVerInformeTabulado);
    ASSERT_EQ(ui.editorPaths.size(), 1u);
    EXPECT_NE(ui.editorPaths[0].find("KOMBITRON_GARANTIAS_si1.txt"), std::string::npos);

    // The conditioned scope: the list hides, level 6, the table is cleared.
    click(window.optTipoGarantias[2]);
    EXPECT_FALSE(window.cboTipoGarantias->isVisible());
    EXPECT_EQ(window.cboTipoGarantias->currentIndex(), 6);
    EXPECT_TRUE(window.lblApu[1]->text().isEmpty());
    EXPECT_TRUE(window.txtResumen->toPlainText().isEmpty());
    click(window.imgCalcularGarantias);
    ASSERT_TRUE(waitUntil([&] { return !window.isComputing(); }));
    EXPECT_EQ(window.lblApu[6]->text(), QStringLiteral("5"));
    EXPECT_EQ(window.lblde[6][6]->text(), QStringLiteral("1-1"));
    EXPECT_EQ(window.lblde[6][6]->toolTip(), QStringLiteral("1-1"));

    // "Todas" writes the six reports and opens them from si6 to si1.
    click(window.optTipoGarantias[0]);
    window.selectLevel(0);
    click(window.imgCalcularGarantias);
    ASSERT_TRUE(waitUntil([&] { return !window.isComputing(); }));
    for (int h = 0; h <= 6; ++h) EXPECT_TRUE(window.lblApu[h]->isVisible()) << h;
    ui.editorPaths.clear();
    click(window.imgVerInformeTabulado);
    ASSERT_EQ(ui.editorPaths.size(), 6u);
    EXPECT_NE(ui.editorPaths[0].find("si6"), std::string::npos);
    EXPECT_NE(ui.editorPaths[5].find("si1"), std::string::npos);
    EXPECT_TRUE(ui.messages.empty()) << ui.lastText();

    // Its own close box does nothing.
    window.close();
    EXPECT_TRUE(window.isVisible());
    click(window.imgVolver);
    EXPECT_FALSE(window.isVisible());
}

TEST(frmGarantiasTOTAL, HolesOfTheChosenScopeAndLevel)
{
    setNumberFormat({".", ","});
    test::TempDir dir;
    setApplicationFolder(dir.path().string());
    AppState s;
    prepare(s);
    s.reduction.type = 2;   // "al 4": holes are the outcomes below four hits by default
    test::RecordingInteraction ui;
    frmGarantiasTOTAL window(s, ui);
    window.show();
    EXPECT_EQ(window.txtAciertosHuecos->value(), 4);
    EXPECT_EQ(window.imgVerHuecos->toolTip(), QStringLiteral("Ver huecos: los casos con menos aciertos de los indicados"));

    // Level 2 of the whole base: the pairs of the eight numbers no reduced bet holds.
    window.selectLevel(2);
    window.txtAciertosHuecos->setValue(2);
    click(window.imgVerHuecos);
    EXPECT_TRUE(window.isComputing());
    EXPECT_FALSE(window.imgVerHuecos->isEnabled());
    ASSERT_TRUE(waitUntil([&] { return !window.isComputing(); }));
    EXPECT_TRUE(ui.messages.empty()) << ui.lastText();
    ASSERT_EQ(ui.editorPaths.size(), 1u);
    EXPECT_EQ(ui.editorPaths[0], dir.file("KOMBITRON_HUECOS.txt"));
    const std::string report = test::readFile(ui.editorPaths[0]);
    EXPECT_EQ(report.rfind("HUECOS DEL SISTEMA REDUCIDO (5 Apuestas)\r\nGarantías sobre el SISTEMA TOTAL, si 2 Aciertos\r\n"
                           "Casos con menos de 2 aciertos en la mejor apuesta: ",
                           0),
              0u)
        << report;
    EXPECT_TRUE(window.imgVerHuecos->isEnabled());

    // The conditioned scope takes the conditioned bets as outcomes, at six hits.
    click(window.optTipoGarantias[2]);
    window.txtAciertosHuecos->setValue(6);
    click(window.imgVerHuecos);
    ASSERT_TRUE(waitUntil([&] { return !window.isComputing(); }));
    ASSERT_EQ(ui.editorPaths.size(), 2u);
    // 28 bets, 5 of them reduced: 23 outcomes not drawn exactly.
    EXPECT_NE(test::readFile(ui.editorPaths[1]).find("Garantías sobre el SISTEMA CONDICIONADO, si 6 Aciertos\r\n"
                                                     "Casos con menos de 6 aciertos en la mejor apuesta: 23 de 28\r\n"),
              std::string::npos);

    // No editor: the message names the report written.
    ui.editorFails = true;
    click(window.imgVerHuecos);
    ASSERT_TRUE(waitUntil([&] { return !window.isComputing(); }));
    EXPECT_EQ(ui.lastText(), "ERROR AL GENERAR EL FICHERO EN EL BLOC DE NOTAS (no hay editor; el informe está en " +
                                 dir.file("KOMBITRON_HUECOS.txt") + ")");
}

// With 49 numbers the range cells hold two seven-digit counts, and the one-hit heading is singular.
TEST(frmGarantiasTOTAL, RangeCellsFitWideSystems)
{
    AppState s;
    ResetStateDefaults(s, 2024);
    for (int v = 1; v <= 49; ++v) setNumberMarked(s, v, true);
    BuildBaseNumbers(s);
    s.conditionedCount = s.initialCount;
    s.reducedCount = 0;
    test::RecordingInteraction ui;
    frmGarantiasTOTAL window(s, ui);
    window.show();
    QCoreApplication::processEvents();
    auto* one = window.findChild<QLabel*>(QStringLiteral("lblTituloAciertos1"));
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->text(), QStringLiteral("1 Acierto"));
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("lblTituloAciertos2"))->text(), QStringLiteral("2 Aciertos"));
    for (const QString& text : {QStringLiteral("12452-13325"), QStringLiteral("1234567-1234567")})
        for (int h = 0; h <= 6; ++h)
            for (int j = 0; j <= h; ++j) {
                QLabel* cell = window.lblde[h][j];
                cell->setText(text);
                EXPECT_GE(cell->contentsRect().width(), cell->fontMetrics().horizontalAdvance(text)) << h << " " << j << " " << text.toStdString();
            }
}
