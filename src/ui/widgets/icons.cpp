#include "ui/widgets/icons.h"

#include <QColor>
#include <QFile>
#include <QPainter>
#include <QPen>
#include <QPixmap>

#include "ui/widgets/mark_cell.h"

// Resources must be registered from the global namespace.
static void initBundledIcons() { Q_INIT_RESOURCE(kombitron); }

namespace kombitron::ui {

namespace {

const char* themeName(AppIcon icon)
{
    switch (icon) {
    case AppIcon::Active: return "emblem-default";
    case AppIcon::Inactive: return "emblem-default"; // drawn, see inactivePicture()
    case AppIcon::Back: return "system-log-out";
    case AppIcon::Calculate: return "system-run";
    case AppIcon::Stop: return "process-stop";
    case AppIcon::SaveBets: return "document-save";
    case AppIcon::Guarantees: return "accessories-calculator";
    case AppIcon::Report: return "accessories-text-editor";
    case AppIcon::SelectAll: return "edit-select-all";
    case AppIcon::ClearAll: return "edit-clear";
    case AppIcon::Switch: return "view-refresh";
    case AppIcon::Search: return "edit-find";
    case AppIcon::Information: return "dialog-information";
    case AppIcon::OpenFile: return "document-open";
    case AppIcon::SaveFile: return "document-save";
    case AppIcon::AddFile: return "list-add";
    case AppIcon::RemoveFile: return "list-remove";
    case AppIcon::EmptyList: return "edit-delete";
    case AppIcon::Calculator: return "accessories-calculator";
    case AppIcon::First: return "go-first";
    case AppIcon::Previous: return "go-previous";
    case AppIcon::Next: return "go-next";
    case AppIcon::Last: return "go-last";
    }
    return "dialog-information";
}

QIcon bundled(const QString& name)
{
    QIcon icon;
    for (const char* size : {"-24.png", "-48.png"}) {
        const QString path = QStringLiteral(":/icons/") + name + QLatin1String(size);
        if (QFile::exists(path)) icon.addFile(path);
    }
    return icon;
}

// A bundled picture painted in the program's accent colour.
QIcon tinted(const QString& name)
{
    QIcon icon;
    for (const char* size : {"-24.png", "-48.png"}) {
        QPixmap pixmap(QStringLiteral(":/icons/") + name + QLatin1String(size));
        if (pixmap.isNull()) continue;
        QPainter painter(&pixmap);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(pixmap.rect(), QColor(QLatin1String(colors::kAccent)));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

// The theme's navigation arrows and its eraser are drawn in light grey and read as disabled
// beside the coloured pictures.
bool isTinted(AppIcon icon)
{
    return icon == AppIcon::First || icon == AppIcon::Previous || icon == AppIcon::Next || icon == AppIcon::Last ||
           icon == AppIcon::ClearAll;
}

// imgActivar's "off" picture: an empty ring, the unticked counterpart of the active tick. The
// theme's choices (a stop sign, a cross) would read as "stop" or "delete".
QIcon inactivePicture()
{
    QIcon icon;
    for (int side : {24, 48}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal pen = side / 12.0;
        painter.setPen(QPen(QColor(0x6b, 0x73, 0x80), pen));
        painter.setBrush(Qt::white);
        painter.drawEllipse(QRectF(pen, pen, side - 2 * pen, side - 2 * pen));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

QIcon appIcon(AppIcon icon)
{
    const QString name = QLatin1String(themeName(icon));
    if (icon == AppIcon::Inactive) return inactivePicture();
    if (isTinted(icon)) {
        QIcon own = tinted(name);
        if (!own.isNull()) return own;
    }
    return QIcon::fromTheme(name, bundled(name));
}

void initIconTheme()
{
    initBundledIcons();
    const QString current = QIcon::themeName();
    if (current.isEmpty() || current == QLatin1String("hicolor")) QIcon::setThemeName(QStringLiteral("Adwaita"));
}

} // namespace kombitron::ui
