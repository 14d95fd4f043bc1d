#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "core/filter_registry.h"
#include "filter_window_fixture.h"
#include "ui/ui_test_support.h"

using namespace kombitron;
using kombitron::test::child;
using kombitron::test::click;
using kombitron::test::editHits;
using kombitron::test::hits;

namespace {
constexpr int kAltosBajos = static_cast<int>(FilterId::ALTOSBAJOS);
constexpr int kPares = static_cast<int>(FilterId::PARESIMPARES);
constexpr int kExteriores = static_cast<int>(FilterId::EXTERIORESINTERIORES);
constexpr int kSuperiores = static_cast<int>(FilterId::SUPERIORESINFERIORES);
constexpr int kHomologos = static_cast<int>(FilterId::HOMOLOGOS);
constexpr int kColindantes = static_cast<int>(FilterId::COLINDANTES);
} // namespace

using PartitionWindows = kombitron::test::FilterWindowTest;

TEST_F(PartitionWindows, AltosBajosStoresEachSetAtOnceAndActivates)
{
    state.filters.altosBajos.altos = hits({4});
    openRow(kAltosBajos, [&](QDialog* w) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral("BAJOS Y ALTOS"));
        EXPECT_EQ(child<QLabel>(w, "lbl0124")->text(), QStringLiteral("01 al 24 : "));
        EXPECT_EQ(child<QLineEdit>(w, "txtAciertos2549")->text(), QStringLiteral("4"));
        EXPECT_FALSE(child<QToolButton>(w, "imgActivar")->property("active").toBool());
        editHits(child<QPushButton>(w, "cmdModificar0124"), {2, 3});
        // Stored before the window closes.
        EXPECT_EQ(state.filters.altosBajos.bajos, hits({2, 3}));
        EXPECT_EQ(child<QLineEdit>(w, "txtAciertos0124")->text(), QStringLiteral("2,3"));
        EXPECT_TRUE(rowActive(kAltosBajos));
        EXPECT_TRUE(child<QToolButton>(w, "imgActivar")->property("active").toBool());
        editHits(child<QPushButton>(w, "cmdModificar2549"), {4, 0});
        click(child<QToolButton>(w, "imgVolver"));
    });
    EXPECT_EQ(state.filters.altosBajos.altos, hits({0}));
    EXPECT_EQ(rowText(kAltosBajos).substr(0, 6), "Sí   ");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PartitionWindows, ActivationImageFlipsTheRowBothWaysAndEditsNeverClearIt)
{
    openRow(kPares, [&](QDialog* w) {
        auto* activar = child<QToolButton>(w, "imgActivar");
        EXPECT_EQ(activar->toolTip(), QStringLiteral("Activar/Desactivar condición"));
        EXPECT_EQ(child<QToolButton>(w, "imgVolver")->toolTip(), QStringLiteral("Cerrar condición"));
        click(activar);
        EXPECT_TRUE(rowActive(kPares));
        click(activar);
        EXPECT_FALSE(rowActive(kPares));
        click(child<QCheckBox>(w, "chkParesImpares_3"));
        EXPECT_TRUE(rowActive(kPares));
        click(child<QCheckBox>(w, "chkParesImpares_3"));  // clearing it is an edit too
        EXPECT_TRUE(rowActive(kPares));
        w->close();  // the frame's close box closes this window
    });
    EXPECT_FALSE(state.filters.paresImpares.pares.any());
}

TEST_F(PartitionWindows, CheckBoxWindowsStoreTheirFlagAtOnceWhicheverWayTheyClose)
{
    struct Case {
        int row;
        const char* title;
        const char* check;
        HitSet* set;
        const char* firstExample;
    };
    const Case cases[] = {
        {kPares, "PARES E IMPARES", "chkParesImpares", &state.filters.paresImpares.pares, nullptr},
        {kExteriores, "EXTERIORES/INTERIORES", "chkExterioresInteriores", &state.filters.exteriores.exteriores,
         "Exteriores : 1,2,3,4,5,6,7,8,9"},
        {kSuperiores, "SUPERIORES/INFERIORES", "chkSuperioresInferiores", &state.filters.superiores.superiores,
         "Superiores : 1,2,3,4,10,11,12,13,14"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        c.set->flags[5] = 1;
        openRow(c.row, [&](QDialog* w) {
            EXPECT_EQ(w->windowTitle(), QString::fromUtf8(c.title));
            EXPECT_TRUE(child<QCheckBox>(w, QStringLiteral("%1_5").arg(c.check))->isChecked());
            auto* example = child<QLabel>(w, "lblEjemplos_0");
            if (c.firstExample) {
                ASSERT_NE(example, nullptr);
                EXPECT_EQ(example->text(), QString::fromUtf8(c.firstExample));
                EXPECT_NE(child<QLabel>(w, "lblEjemplos_5"), nullptr);
            } else {
                EXPECT_EQ(example, nullptr);
            }
            click(child<QCheckBox>(w, QStringLiteral("%1_0").arg(c.check)));
            click(child<QCheckBox>(w, QStringLiteral("%1_5").arg(c.check)));
            EXPECT_EQ(*c.set, hits({0}));
            w->close();
        });
        EXPECT_EQ(*c.set, hits({0}));
        EXPECT_TRUE(rowActive(c.row));
    }
}

TEST_F(PartitionWindows, HomologosAdmitsCountsFromOneOnlyAndListsTheNineClasses)
{
    openRow(kHomologos, [&](QDialog* w) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral("HOMOLOGOS"));
        bool sawFirstClass = false;
        for (auto* l : w->findChildren<QLabel*>())
            sawFirstClass |= l->text() == QStringLiteral("\"Del uno\"    : 1,10,19,28,37 y 46");
        EXPECT_TRUE(sawFirstClass);
        auto watch1 = test::whenModal([](QWidget* d) {
            EXPECT_FALSE(child<QWidget>(d, "lblAciertos_0")->isVisible());
            click(child<QToolButton>(d, "imgTodos"));
            click(child<QToolButton>(d, "imgVolver"));
        });
        click(child<QPushButton>(w, "cmdModificar"));
        EXPECT_EQ(child<QLineEdit>(w, "txtNumero")->text(), QStringLiteral("1,2,3,4,5,6"));
        click(child<QToolButton>(w, "imgVolver"));
    });
    EXPECT_EQ(state.filters.homologos.homologos, hits({1, 2, 3, 4, 5, 6}));
    EXPECT_TRUE(rowActive(kHomologos));
}

TEST_F(PartitionWindows, ColindantesEditsZeroToSixAndShowsTheTicketExample)
{
    openRow(kColindantes, [&](QDialog* w) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral("COLINDANTES"));
        EXPECT_EQ(child<QWidget>(w, "imgEjemplo")->toolTip(), QStringLiteral("Ejemplo de colindantes del número 24"));
        editHits(child<QPushButton>(w, "cmdModificar"), {0, 6});
        click(child<QToolButton>(w, "imgVolver"));
    });
    EXPECT_EQ(state.filters.colindantes.colindantes, hits({0, 6}));
    EXPECT_TRUE(rowActive(kColindantes));
}
