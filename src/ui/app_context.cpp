#include "ui/app_context.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <clocale>

#include "core/format.h"
#include "core/paths.h"
#include "core/state.h"
#include "ui/app_style.h"
#include "ui/qt_interaction.h"
#include "ui/widgets/icons.h"

namespace kombitron::ui {

AppState& appState()
{
    static AppState state;
    return state;
}

std::string validationPage(const std::string& gameName)
{
    return std::string(web::kValidationHost) +
           (gameName == "PRIMITIVA" ? web::kValidationPathPrimitiva : web::kValidationPathBonoloto);
}

namespace {

bool folderWritable(const QString& folder)
{
    QTemporaryFile probe(folder + QStringLiteral("/.kombitron_probe_XXXXXX"));
    return probe.open();
}

} // namespace

bool isUnchosenLocale(const QLocale& locale) { return locale.language() == QLocale::C; }

NumberFormat numberFormatFor(const QLocale& locale)
{
    if (isUnchosenLocale(locale)) return NumberFormat{".", ","};
    NumberFormat format;
    format.grouping = QString(locale.groupSeparator()).toStdString();
    QString decimal = locale.decimalPoint();
    if (decimal.isEmpty()) decimal = QStringLiteral(",");
    format.decimal = decimal.toStdString();
    return format;
}

void configureApplication(QApplication& app)
{
    QApplication::setApplicationName(QStringLiteral("KOMBITRON"));
    QApplication::setApplicationVersion(QStringLiteral(KOMBITRON_VERSION));
    installSpanishTranslations(app);
    initIconTheme();
    applyApplicationStyle(app);
    // The core parses and prints numbers with the C library: keep its numeric locale fixed.
    std::setlocale(LC_NUMERIC, "C");

    // A C or POSIX locale means nobody chose one: the program then speaks Spanish in its numbers
    // too, and Qt's own widgets (spin boxes, charts) follow.
    if (isUnchosenLocale(QLocale::system())) QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    setNumberFormat(numberFormatFor(QLocale()));

    QString folder = QApplication::applicationDirPath();
    if (!folderWritable(folder)) {
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/kombitron");
        QDir().mkpath(folder);
    }
    setApplicationFolder(QDir::toNativeSeparators(folder).toStdString());
}

} // namespace kombitron::ui
