#include "ui/filters/partition_window.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/state.h"

namespace kombitron::ui {

PartitionWindow::PartitionWindow(AppState& state, Interaction& ui, const Layout& layout, HitSet& set, QWidget* parent)
    : FilterWindow(state, ui, layout.id, layout.caption, parent), set_(set)
{
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(4);
    auto heading = [this](const QString& text) {
        auto* l = new QLabel(text, this);
        l->setAlignment(Qt::AlignCenter);
        l->setStyleSheet(QStringLiteral("font-weight:bold;"));
        return l;
    };
    grid->addWidget(heading(layout.firstHeading), 0, 1);
    grid->addWidget(heading(layout.secondHeading), 0, 2);
    for (int k = 0; k <= 6; ++k) {
        auto* check = new QCheckBox(this);
        check->setObjectName(QStringLiteral("%1_%2").arg(layout.checkName).arg(k));
        // The row as one text, for screen readers: "  0            6".
        check->setAccessibleName(QStringLiteral("  %1%2%3").arg(k).arg(QString(layout.rowSpacing, QLatin1Char(' '))).arg(6 - k));
        check->setChecked(set_.flags[k] != 0);
        checks[k] = check;
        auto* first = new QLabel(QString::number(k), this);
        auto* second = new QLabel(QString::number(6 - k), this);
        for (auto* l : {first, second}) {
            l->setAlignment(Qt::AlignCenter);
            l->setBuddy(check);
        }
        grid->addWidget(check, k + 1, 0);
        grid->addWidget(first, k + 1, 1);
        grid->addWidget(second, k + 1, 2);
        connect(check, &QCheckBox::toggled, this, [this, k](bool on) {
            set_.flags[k] = on ? 1 : 0;
            activate();
        });
    }
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setLayout(grid);
    body()->addWidget(frame);

    for (int i = 0; i < layout.explanations.size(); ++i) {
        auto* line = new QLabel(layout.explanations[i], this);
        line->setObjectName(QStringLiteral("lblEjemplos_%1").arg(i));
        body()->addWidget(line);
    }
}

} // namespace kombitron::ui
