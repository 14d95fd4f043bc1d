#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include "core/state.h"
#include "tools/tool_window_fixture.h"
#include "ui/frmPrincipal.h"
#include "ui/frmSistemasPropios.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/waiting_panel.h"

using namespace kombitron;
using namespace kombitron::ui;
using kombitron::test::child;
using kombitron::test::click;

namespace {

struct ToolEntry {
    const char* action;
    const char* window;
    const char* title;
};

} // namespace

TEST(ToolWindows, MainWindowEntriesOpenEachToolWhichClosesOnlyThroughCerrar)
{
    setNumberFormat({".", ","});
    AppState state;
    test::ToolPerson person;
    frmPrincipal main(state, person);
    main.show();
    const ToolEntry entries[] = {
        {"menuVisualizarArchivo", "frmVisualizarArchivo", "VISUALIZAR ARCHIVO DE APUESTAS"},
        {"menuAlgebra", "frmAlgebra", "ALGEBRA DE COMBINACIONES"},
        {"menuSistemasPropios", "frmSistemasPropios", "SISTEMAS PROPIOS"},
        {"menuGeneradorNumeros", "frmGeneradorNumeros", "GENERAR APUESTAS ALEATORIAS POR NUMEROS"},
        {"menuGeneradorPorcentajes", "frmGeneradorPorcentajes", "GENERAR APUESTAS ALEATORIAS POR PORCENTAJES"},
    };
    for (const ToolEntry& entry : entries) {
        SCOPED_TRACE(entry.action);
        QAction* action = main.action(QString::fromLatin1(entry.action));
        ASSERT_NE(action, nullptr);
        EXPECT_TRUE(action->isEnabled());
        bool seen = false;
        auto watch = test::whenModal([&](QWidget* w) {
            seen = true;
            auto* dialog = qobject_cast<QDialog*>(w);
            EXPECT_EQ(w->objectName(), QString::fromLatin1(entry.window));
            EXPECT_EQ(w->windowTitle(), QString::fromLatin1(entry.title));
            EXPECT_EQ(w->parentWidget(), &main);
            // Neither the frame's close box nor Escape closes the window.
            w->close();
            EXPECT_TRUE(w->isVisible());
            QTest::keyClick(w, Qt::Key_Escape);
            EXPECT_TRUE(w->isVisible());
            auto* back = child<QToolButton>(w, QStringLiteral("imgVolver"));
            EXPECT_NE(back, nullptr);
            if (back) {
                EXPECT_EQ(back->toolTip(), QStringLiteral("Cerrar"));
                click(back);
            }
            EXPECT_FALSE(w->isVisible());
            if (dialog && dialog->isVisible()) dialog->done(QDialog::Rejected);
        });
        action->trigger();
        EXPECT_TRUE(seen);
    }
    EXPECT_TRUE(person.messages.empty());
}

// The focus starts on a window's first control, and Tab reaches "Cerrar" after its last one.
TEST(ToolWindows, FocusStartsOnTheFirstControlAndEndsOnCerrar)
{
    test::TempDir dir;
    test::ToolPerson person;
    frmSistemasPropios window(person, "quiniela.xml");
    window.show();
    QApplication::setActiveWindow(&window);
    QTest::qWait(50);
    EXPECT_EQ(QApplication::focusWidget(), window.cmdDesdeFichero);
    QWidget* next = window.imgCalculoDefinitivo->nextInFocusChain();
    while (!(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
    EXPECT_EQ(next, window.imgVolver);

    // Work disables the controls; the focus comes back where it was once the work is done.
    window.chkElegirOrden->setFocus();
    person.openPaths = {test::writeKmb(dir.file("o.KMB"), {{1, 2, 3, 4, 5, 6, 0}})};
    window.abrir();
    ASSERT_TRUE(test::waitUntil([&] { return !window.isBusy(); }));
    EXPECT_EQ(QApplication::focusWidget(), window.chkElegirOrden);
}
