#include "ui/widgets/ticket_grid.h"

#include <QGridLayout>
#include <QToolButton>

#include "ui/widgets/mark_cell.h"

namespace kombitron::ui {

namespace {

QToolButton* toggleButton(const QString& name, Qt::ArrowType arrow, const QString& tip, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setArrowType(arrow);
    b->setAutoRaise(true);
    b->setToolTip(tip);
    b->setAccessibleName(tip);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

} // namespace

TicketGrid::TicketGrid(QWidget* parent, const QString& cellPrefix, bool withToggles, int cellSize) : QWidget(parent)
{
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    const int offset = withToggles ? 1 : 0;

    for (int n = 1; n <= 49; ++n) {
        auto* c = new MarkCell(QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')), MarkCell::Style::Ticket, this);
        c->setObjectName(QStringLiteral("%1_%2").arg(cellPrefix).arg(n - 1));
        c->setCellSize(cellSize);
        cells_[n] = c;
        layout->addWidget(c, rowOf(n) + offset, columnOf(n) + offset);
        connect(c, &MarkCell::clicked, this, [this, n] { emit numberClicked(n); });
    }

    if (withToggles) {
        auto* all = toggleButton(QStringLiteral("lblMarcarDesmarcarTODOS"), Qt::NoArrow,
                                 QStringLiteral("Marca/desmarca todos los números"), this);
        all->setText(QStringLiteral("±"));
        layout->addWidget(all, 0, 0, Qt::AlignCenter);
        connect(all, &QToolButton::clicked, this, &TicketGrid::allToggleClicked);
        for (int c = 0; c < 5; ++c) {
            auto* b = toggleButton(QStringLiteral("imgINIColumna_%1").arg(c), Qt::DownArrow,
                                   QStringLiteral("Marca/Desmarca esta columna"), this);
            layout->addWidget(b, 0, c + 1, Qt::AlignCenter);
            connect(b, &QToolButton::clicked, this, [this, c] { emit columnToggleClicked(c); });
        }
        for (int i = 0; i < 10; ++i) {
            const int digit = i == 9 ? 0 : i + 1;
            auto* b = toggleButton(QStringLiteral("imgINIFila_%1").arg(i), Qt::RightArrow,
                                   QStringLiteral("Marca/Desmarca esta fila"), this);
            layout->addWidget(b, digit + 1, 0, Qt::AlignCenter);
            connect(b, &QToolButton::clicked, this, [this, digit] { emit rowToggleClicked(digit); });
        }
    }
}

MarkCell* TicketGrid::cell(int number) const
{
    return number >= 1 && number <= 49 ? cells_[number] : nullptr;
}

void TicketGrid::setMarked(int number, bool marked)
{
    if (auto* c = cell(number)) c->setMarked(marked);
}

bool TicketGrid::isMarked(int number) const
{
    auto* c = cell(number);
    return c && c->isMarked();
}

void TicketGrid::setMarkedNumbers(const std::array<uint8_t, 50>& flags)
{
    for (int n = 1; n <= 49; ++n) cells_[n]->setMarked(flags[n] != 0);
}

void TicketGrid::setNumberEnabled(int number, bool enabled)
{
    if (auto* c = cell(number)) c->setEnabled(enabled);
}

void TicketGrid::setReadOnly(bool readOnly)
{
    for (int n = 1; n <= 49; ++n) cells_[n]->setReadOnly(readOnly);
}

} // namespace kombitron::ui
