// The program started under the system locale given by LC_ALL (the test is run once per locale):
// Qt's own texts are Spanish whatever the locale, numbers follow a chosen locale, and a C or
// POSIX locale, where nobody chose one, shows the Spanish format.
#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QTreeView>

#include <gtest/gtest.h>

#include "core/format.h"
#include "core/state.h"
#include "support/recording_interaction.h"
#include "support/test_paths.h"
#include "ui/app_context.h"
#include "ui/frmPrincipal.h"
#include "ui/qt_interaction.h"
#include "ui/widgets/mark_cell.h"
#include "ui/widgets/ticket_grid.h"
#include "ui_test_support.h"

using namespace kombitron;
using namespace kombitron::ui;
using kombitron::test::waitUntil;
using kombitron::test::whenModal;

namespace {

bool englishLocale() { return qEnvironmentVariable("LC_ALL").startsWith(QLatin1String("en")); }

QStringList buttonTexts(QWidget* dialog)
{
    QStringList texts;
    for (auto* b : dialog->findChildren<QAbstractButton*>())
        if (!b->text().isEmpty()) texts << b->text();
    return texts;
}

} // namespace

TEST(LocaleAtStartUp, CountersFollowAChosenLocaleAndSpanishOtherwise)
{
    SCOPED_TRACE(qPrintable(qEnvironmentVariable("LC_ALL")));
    EXPECT_EQ(isUnchosenLocale(QLocale::system()), !englishLocale());
    kombitron::test::RecordingInteraction ui;
    frmPrincipal window(appState(), ui);
    window.show();
    for (int n = 1; n <= 49; ++n) window.gridNumeros->cell(n)->clicked();
    EXPECT_EQ(window.lblApuestasIniciales->text().toStdString(), englishLocale() ? "13,983,816" : "13.983.816");
    EXPECT_EQ(formatPercent3(0.649), englishLocale() ? "000.649" : "000,649");
    EXPECT_EQ(formatDecimal(12.6), englishLocale() ? "12.6" : "12,6");
    appState().savedFlag = true;
}

TEST(LocaleAtStartUp, QtDialogsSpeakSpanish)
{
    SCOPED_TRACE(qPrintable(qEnvironmentVariable("LC_ALL")));
    kombitron::test::TempDir dir;
    QDir().mkpath(QString::fromStdString(dir.file("sub")));
    QFile file(QString::fromStdString(dir.file("apuestas.kmb")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    QtInteraction interaction;
    QStringList buttons, kinds;
    auto watch = whenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog) {
            modal->close();
            return;
        }
        buttons = buttonTexts(dialog);
        auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
        if (view) {
            waitUntil([&] { return view->model()->rowCount(view->rootIndex()) >= 2; });
            for (int r = 0; r < view->model()->rowCount(view->rootIndex()); ++r)
                kinds << view->model()->index(r, 2, view->rootIndex()).data().toString();
        }
        dialog->reject();
    });
    FileDialogRequest request;
    request.title = "Abrir";
    request.initialFolder = dir.path().string();
    interaction.openFileDialog(request);
    EXPECT_TRUE(buttons.contains(QStringLiteral("&Abrir"))) << qPrintable(buttons.join(QLatin1Char('|')));
    EXPECT_TRUE(buttons.contains(QStringLiteral("Cancelar"))) << qPrintable(buttons.join(QLatin1Char('|')));
    EXPECT_TRUE(kinds.contains(QStringLiteral("Carpeta"))) << qPrintable(kinds.join(QLatin1Char('|')));
    EXPECT_TRUE(kinds.contains(QStringLiteral("Fichero KMB"))) << qPrintable(kinds.join(QLatin1Char('|')));

    auto answer = whenModal([&](QWidget* modal) {
        buttons = buttonTexts(modal);
        modal->close();
    });
    interaction.question("¿ SEGURO ?");
    EXPECT_TRUE(buttons.contains(QStringLiteral("&Sí"))) << qPrintable(buttons.join(QLatin1Char('|')));
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    configureApplication(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
