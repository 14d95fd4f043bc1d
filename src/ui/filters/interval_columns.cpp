#include "ui/filters/interval_columns.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>

#include "ui/widgets/numeric_line_edit.h"

namespace kombitron::ui {

IntervalColumns::IntervalColumns(int count, const QString& minName, const QString& maxName, int maxLength, QWidget* parent)
    : QWidget(parent)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(4);
    grid->addWidget(new QLabel(QStringLiteral("Suma Mínima :"), this), 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("Suma Máxima :"), this), 2, 0);
    const int width = QFontMetrics(font()).horizontalAdvance(QString(maxLength + 2, QLatin1Char('0'))) + 8;
    for (int i = 0; i < count; ++i) {
        const int column = 1 + 2 * i;
        if (i > 0) {
            auto* orLabel = new QLabel(QStringLiteral("OR"), this);
            orLabel->setStyleSheet(QStringLiteral("color:#2b5797; font-weight:bold;"));
            grid->addWidget(orLabel, 1, column - 1, 2, 1, Qt::AlignCenter);
        }
        auto* head = new QLabel(QStringLiteral("Int.%1").arg(i + 1), this);
        head->setAlignment(Qt::AlignCenter);
        grid->addWidget(head, 0, column);
        auto* lo = new NumericLineEdit(maxLength, NumericLineEdit::Mode::Digits, this);
        lo->setObjectName(QStringLiteral("%1_%2").arg(minName).arg(i));
        auto* hi = new NumericLineEdit(maxLength, NumericLineEdit::Mode::Digits, this);
        hi->setObjectName(QStringLiteral("%1_%2").arg(maxName).arg(i));
        for (auto* f : {lo, hi}) {
            f->setFixedWidth(width);
            f->setAlignment(Qt::AlignRight);
        }
        grid->addWidget(lo, 1, column);
        grid->addWidget(hi, 2, column);
        minimum.push_back(lo);
        maximum.push_back(hi);
    }
}

void IntervalColumns::setIntervals(const SumInterval* intervals)
{
    for (size_t i = 0; i < minimum.size(); ++i) {
        minimum[i]->setText(QString::number(intervals[i].minimum));
        maximum[i]->setText(QString::number(intervals[i].maximum));
    }
}

std::string IntervalColumns::minimumText(int column) const { return minimum[static_cast<size_t>(column)]->text().toStdString(); }
std::string IntervalColumns::maximumText(int column) const { return maximum[static_cast<size_t>(column)]->text().toStdString(); }

} // namespace kombitron::ui
