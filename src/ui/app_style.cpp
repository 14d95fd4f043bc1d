#include "ui/app_style.h"

#include <QApplication>
#include <QFile>
#include <QIcon>

#include "ui/widgets/mark_cell.h"

namespace kombitron::ui {

QString applicationStyleSheet()
{
    // Rules with an attribute and a pseudo-state weigh the same, so the disabled rules come last
    // and win over the coloured commands ([accent="red"]) of the windows.
    return QStringLiteral(
               "QMainWindow, QDialog { background: #f4f5f7; }"
               "QGroupBox { font-weight: bold; border: 1px solid #c4c9d1; border-radius: 5px; margin-top: 10px; "
               "background: #fbfbfc; }"
               "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 4px; color: %1; }"
               "QGroupBox::title:disabled { color: %3; }"
               "QToolButton[accent=\"red\"], QPushButton[accent=\"red\"] { color: %2; }"
               "QToolButton:disabled, QPushButton:disabled { color: %3; }")
        .arg(QLatin1String(colors::kAccent), QLatin1String(colors::kMarkRed), QLatin1String(kDisabledText));
}

namespace {

QIcon programIcon()
{
    QIcon bundled;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString path = QStringLiteral(":/app/kombitron-%1.png").arg(size);
        if (QFile::exists(path)) bundled.addFile(path, QSize(size, size));
    }
    // The installed program finds the icon its package put in the theme folders.
    return QIcon::fromTheme(QStringLiteral("kombitron"), bundled);
}

} // namespace

void applyApplicationStyle(QApplication& app)
{
    app.setStyleSheet(applicationStyleSheet());
    QApplication::setWindowIcon(programIcon());
    // The windows then match the desktop entry kombitron.desktop (and its icon).
    QGuiApplication::setDesktopFileName(QStringLiteral("kombitron"));
}

} // namespace kombitron::ui
