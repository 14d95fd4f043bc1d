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

WaitingPanel::WaitingPanel(QWidget* host, bool withStop, const QString& name) : QFrame(host)
{
    setObjectName(name);
    setStyleSheet(QStringLiteral("QFrame#%1 { background: white; border: 2px solid %2; border-radius: 8px; }")
                      .arg(name, QLatin1String(colors::kAccent)));
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(24, 18, 24, 18);
    v->setSpacing(10);
    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("lblEspera"));
    QFont f = title_->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.2);
    title_->setFont(f);
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("lblProgressBar"));
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setMinimumWidth(340);
    v->addWidget(title_, 0, Qt::AlignCenter);
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

void WaitingPanel::setTitle(const QString& title)
{
    title_->setText(title);
    if (isVisible()) centre();
}

void WaitingPanel::setProgress(qint64 done, qint64 total)
{
    if (total <= 0) {
        bar_->setRange(0, 0);
        return;
    }
    bar_->setRange(0, 1000);
    bar_->setValue(static_cast<int>(std::min<qint64>(done, total) * 1000 / total));
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
