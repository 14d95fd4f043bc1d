#include "ui/widgets/hit_set_field.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>

#include "ui/frmAciertos.h"

namespace kombitron::ui {

QString hitSetText(const HitSet& set)
{
    QStringList parts;
    for (int i = 0; i <= 6; ++i)
        if (set.flags[i]) parts << QString::number(i);
    return parts.join(QLatin1Char(','));
}

HitSetField::HitSetField(const QString& textName, const QString& buttonName, const QString& buttonCaption, QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    text_ = new QLineEdit(this);
    text_->setObjectName(textName);
    text_->setReadOnly(true);
    text_->setFocusPolicy(Qt::NoFocus);
    text_->setMinimumWidth(90);
    button_ = new QPushButton(buttonCaption, this);
    button_->setObjectName(buttonName);
    if (buttonCaption.size() <= 2) button_->setFixedWidth(32);
    layout->addWidget(text_, 1);
    layout->addWidget(button_);

    connect(button_, &QPushButton::clicked, this, [this] {
        const HitSet result = frmAciertos::edit(set_, minimum_, maximum_, zeroHidden_, window());
        setHitSet(result);
        emit edited(set_);
    });
}

void HitSetField::setRange(int minimum, int maximum)
{
    minimum_ = minimum;
    maximum_ = maximum;
}

void HitSetField::setHitSet(const HitSet& set)
{
    set_ = set;
    text_->setText(hitSetText(set));
}

} // namespace kombitron::ui
