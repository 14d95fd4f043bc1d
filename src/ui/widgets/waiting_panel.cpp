#include "ui/widgets/waiting_panel.h"

#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "ui/widgets/icons.h"
#include "ui/widgets/mark_cell.h"

namespace kombitron::ui {

WaitingPanel::WaitingPanel(QWidget* host, bool withStop, const QString& name)
    : WaitingPanel(host, name, QStringLiteral("lblEspera"), QString(), QStringLiteral("lblProgressBar"), withStop)
{
}

WaitingPanel::WaitingPanel(QWidget* host, const QString& name, const QString& textName, const QString& text,
                           const QString& barName, bool withStop)
    : QFrame(host)
{
    setObjectName(name);
    setStyleSheet(QStringLiteral("QFrame#%1 { background: white; border: 2px solid %2; border-radius: 8px; }")
                      .arg(name, QLatin1String(colors::kAccent)));
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(24, 18, 24, 18);
    v->setSpacing(10);
    label_ = new QLabel(text, this);
    label_->setObjectName(textName);
    label_->setAlignment(Qt::AlignCenter);
    QFont f = label_->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.2);
    label_->setFont(f);
    bar_ = new QProgressBar(this);
    bar_->setObjectName(barName);
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    bar_->setMinimumWidth(340);
    v->addWidget(label_);
    v->addWidget(bar_);
    if (withStop) {
        stop_ = new QPushButton(QStringLiteral("Detener"), this);
        stop_->setObjectName(QStringLiteral("cmdStop"));
        stop_->setToolTip(QStringLiteral("Detener el proceso"));
        stop_->setAccessibleName(QStringLiteral("Detener el proceso"));
        stop_->setIcon(appIcon(AppIcon::Stop));
        v->addWidget(stop_, 0, Qt::AlignCenter);
    }
    hide();
    host->installEventFilter(this);
}

void WaitingPanel::setText(const QString& text)
{
    label_->setText(text);
    if (isVisible()) centre();
}

QString WaitingPanel::text() const { return label_->text(); }

void WaitingPanel::setProgress(qint64 done, qint64 total)
{
    if (total <= 0) {
        bar_->setRange(0, 0);
        return;
    }
    bar_->setRange(0, 100);
    bar_->setValue(static_cast<int>(std::clamp<qint64>(done * 100 / total, 0, 100)));
}

void WaitingPanel::popUp()
{
    bar_->setRange(0, 100);
    bar_->setValue(0);
    showCentred();
}

void WaitingPanel::showCentred()
{
    centre();
    raise();
    show();
}

void WaitingPanel::centre()
{
    adjustSize();
    if (QWidget* host = parentWidget()) move(host->rect().center() - rect().center());
}

bool WaitingPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize && isVisible()) centre();
    return QFrame::eventFilter(watched, event);
}

} // namespace kombitron::ui
