#include "ui/widgets/image_button.h"

namespace kombitron::ui {

ImageButton::ImageButton(const QString& name, AppIcon icon, const QString& tooltip, QWidget* parent, int iconSide)
    : QToolButton(parent)
{
    setObjectName(name);
    setIcon(appIcon(icon));
    setIconSize(QSize(iconSide, iconSide));
    setAutoRaise(true);
    setToolTip(tooltip);
    setAccessibleName(tooltip);
    setCursor(Qt::PointingHandCursor);
    setStyleSheet(QStringLiteral(
        "QToolButton { border: 1px solid transparent; border-radius: 4px; padding: 2px; }"
        "QToolButton:hover { border: 1px solid #2b5797; background: #e8eef8; }"
        "QToolButton:focus { border: 1px dotted #2b5797; }"));
}

ActivationButton::ActivationButton(QWidget* parent, int iconSide)
    : ImageButton(QStringLiteral("imgActivar"), AppIcon::Inactive, QStringLiteral("Activar/Desactivar condición"), parent,
                  iconSide)
{
    setActive(false);
}

void ActivationButton::setActive(bool active)
{
    active_ = active;
    setIcon(appIcon(active ? AppIcon::Active : AppIcon::Inactive));
    setProperty("active", active);
    setAccessibleDescription(active ? QStringLiteral("Activada") : QStringLiteral("Desactivada"));
}

ImageButton* makeVolverButton(QWidget* parent, const QString& tooltip, int iconSide)
{
    return new ImageButton(QStringLiteral("imgVolver"), AppIcon::Back, tooltip, parent, iconSide);
}

} // namespace kombitron::ui
