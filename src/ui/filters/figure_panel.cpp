#include "ui/filters/figure_panel.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>

namespace kombitron::ui {

FigurePanel::FigurePanel(const std::vector<const char*>& texts, QWidget* parent)
    : QGroupBox(QStringLiteral("FIGURAS"), parent)
{
    auto* grid = new QGridLayout(this);
    grid->setVerticalSpacing(2);
    grid->setHorizontalSpacing(10);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (size_t i = 0; i < texts.size(); ++i) {
        const int row = static_cast<int>(i);
        auto* number = new QLabel(QStringLiteral("%1.").arg(row + 1), this);
        auto* figure = new QLabel(QString::fromUtf8(texts[i]), this);
        figure->setFont(fixed);
        auto* check = new QCheckBox(this);
        check->setObjectName(QStringLiteral("chkFigura_%1").arg(row + 1));
        check->setAccessibleName(figure->text());
        number->setBuddy(check);
        figure->setBuddy(check);
        grid->addWidget(number, row, 0, Qt::AlignRight);
        grid->addWidget(figure, row, 1);
        grid->addWidget(check, row, 2);
        checks_.push_back(check);
        connect(check, &QCheckBox::clicked, this, &FigurePanel::clicked);
    }
}

void FigurePanel::setFlags(const uint8_t* flags)
{
    for (size_t i = 0; i < checks_.size(); ++i) checks_[i]->setChecked(flags[i] != 0);
}

bool FigurePanel::isTicked(int flag) const { return checks_[static_cast<size_t>(flag)]->isChecked(); }

} // namespace kombitron::ui
