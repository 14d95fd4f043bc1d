#include "ui/widgets/mark_cell.h"

#include <QEvent>
#include <QMouseEvent>

namespace kombitron::ui {

MarkCell::MarkCell(const QString& text, Style style, QWidget* parent) : QLabel(text, parent), style_(style)
{
    setAlignment(Qt::AlignCenter);
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(text);
    setCellSize(26);
    restyle();
}

void MarkCell::setCellSize(int side)
{
    setFixedSize(side, side);
}

void MarkCell::setMarked(bool marked)
{
    if (marked_ == marked) return;
    marked_ = marked;
    restyle();
}

void MarkCell::setTone(Tone tone)
{
    if (tone_ == tone) return;
    tone_ = tone;
    restyle();
}

void MarkCell::restyle()
{
    QString css;
    const bool enabled = isEnabled();
    if (style_ == Style::Ticket) {
        const bool green = tone_ == Tone::Green;
        if (marked_)
            css = QStringLiteral("background:%1; color:white; border:1px solid %1; border-radius:3px; font-weight:bold;")
                      .arg(green ? (enabled ? colors::kHitGreen : "#8fc49c") : (enabled ? colors::kMarkRed : "#e08a8d"));
        else
            css = QStringLiteral("background:transparent; color:%1; border:1px solid %2; border-radius:3px; font-weight:bold;")
                      .arg(enabled ? colors::kMarkRed : "#c9b3b4", enabled ? "#e6a9ab" : "#dddddd");
    } else {
        if (marked_)
            css = QStringLiteral("background:%1; color:white; border:1px solid %1; border-radius:3px; font-weight:bold;")
                      .arg(enabled ? colors::kHitGreen : "#8fc49c");
        else
            css = QStringLiteral("background:white; color:%1; border:1px solid #b8b8b8; border-radius:3px; font-weight:bold;")
                      .arg(enabled ? "black" : "#b0b0b0");
    }
    setStyleSheet(css);
    setCursor(enabled && !readOnly_ ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void MarkCell::setReadOnly(bool readOnly)
{
    if (readOnly_ == readOnly) return;
    readOnly_ = readOnly;
    restyle();
}

void MarkCell::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void MarkCell::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click && isEnabled() && !readOnly_) emit clicked();
}

void MarkCell::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) restyle();
}

} // namespace kombitron::ui
