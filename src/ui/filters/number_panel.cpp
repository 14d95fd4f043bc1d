#include "ui/filters/number_panel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/widgets/image_button.h"
#include "ui/widgets/mark_cell.h"
#include "ui/widgets/ticket_grid.h"

namespace kombitron::ui {

NumberPanel::NumberPanel(const QString& titleName, const QString& cellPrefix, const QString& clearName,
                         const QString& clearTooltip, QWidget* parent, int cellSize)
    : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);

    auto* head = new QHBoxLayout;
    title = new QLabel(this);
    title->setObjectName(titleName);
    title->setStyleSheet(QStringLiteral("font-weight:bold;"));
    clear = new ImageButton(clearName, AppIcon::ClearAll, clearTooltip, this, 18);
    head->addWidget(title);
    head->addStretch();
    head->addWidget(clear);
    layout->addLayout(head);

    grid = new TicketGrid(this, cellPrefix, false, cellSize);
    for (int n = 1; n <= 49; ++n) {
        grid->cell(n)->setText(QString::number(n));
        grid->cell(n)->setAccessibleName(QString::number(n));
    }
    layout->addWidget(grid, 0, Qt::AlignHCenter);
    extras_ = new QVBoxLayout;
    extras_->setSpacing(4);
    layout->addLayout(extras_);

    connect(grid, &TicketGrid::numberClicked, this, &NumberPanel::numberClicked);
    connect(clear, &QToolButton::clicked, this, &NumberPanel::cleared);
}

void NumberPanel::setTitle(const QString& text) { title->setText(text); }

void NumberPanel::setBase(const std::vector<uint8_t>& baseNumbers)
{
    std::array<bool, 50> inBase{};
    for (uint8_t n : baseNumbers)
        if (n >= 1 && n <= 49) inBase[n] = true;
    for (int n = 1; n <= 49; ++n) grid->setNumberEnabled(n, inBase[n]);
}

void NumberPanel::showSet(const NumberFlags& members) { grid->setMarkedNumbers(members); }

} // namespace kombitron::ui
