#include "ui/widgets/interval_row.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>

#include "ui/widgets/numeric_line_edit.h"

namespace kombitron::ui {

IntervalRow::IntervalRow(const QString& minName, const QString& maxName, int maxLength, QWidget* parent,
                         const QString& caption, const QString& separator)
    : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    if (!caption.isEmpty()) {
        caption_ = new QLabel(caption, this);
        layout->addWidget(caption_);
    }
    min_ = new NumericLineEdit(maxLength, NumericLineEdit::Mode::Digits, this);
    min_->setObjectName(minName);
    max_ = new NumericLineEdit(maxLength, NumericLineEdit::Mode::Digits, this);
    max_->setObjectName(maxName);
    const int width = QFontMetrics(font()).horizontalAdvance(QString(maxLength + 2, QLatin1Char('0'))) + 8;
    for (auto* f : {min_, max_}) {
        f->setFixedWidth(width);
        f->setAlignment(Qt::AlignRight);
        connect(f, &NumericLineEdit::keyTyped, this, &IntervalRow::edited);
    }
    layout->addWidget(min_);
    layout->addWidget(new QLabel(separator, this));
    layout->addWidget(max_);
    layout->addStretch();
}

void IntervalRow::setValues(long long minimum, long long maximum)
{
    min_->setText(QString::number(minimum));
    max_->setText(QString::number(maximum));
}

long long IntervalRow::minimum() const { return min_->value(0); }
long long IntervalRow::maximum() const { return max_->value(0); }

} // namespace kombitron::ui
