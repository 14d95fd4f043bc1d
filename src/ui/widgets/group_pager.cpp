#include "ui/widgets/group_pager.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "core/interaction.h"
#include "filters/filter_common.h"
#include "ui/widgets/numeric_line_edit.h"

namespace kombitron::ui {

GroupPager::GroupPager(int itemCount, int perPage, bool withGoTo, QWidget* parent)
    : QWidget(parent), itemCount_(itemCount), perPage_(perPage > 0 ? perPage : 1)
{
    pageCount_ = (itemCount_ + perPage_ - 1) / perPage_;
    if (pageCount_ < 1) pageCount_ = 1;

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    minus_ = new QPushButton(QStringLiteral("-"), this);
    minus_->setObjectName(QStringLiteral("cmdMENOSBloque"));
    plus_ = new QPushButton(QStringLiteral("+"), this);
    plus_->setObjectName(QStringLiteral("cmdMASBloque"));
    for (auto* b : {minus_, plus_}) b->setFixedWidth(32);
    layout->addWidget(minus_);
    layout->addWidget(plus_);
    connect(minus_, &QPushButton::clicked, this, [this] { setPage(page_ - 1); });
    connect(plus_, &QPushButton::clicked, this, [this] { setPage(page_ + 1); });

    if (withGoTo) {
        layout->addSpacing(12);
        goToCaption_ = new QLabel(QStringLiteral("Ir Grupo :"), this);
        layout->addWidget(goToCaption_);
        goTo_ = new NumericLineEdit(3, NumericLineEdit::Mode::DigitsEnter, this);
        goTo_->setObjectName(QStringLiteral("txtNumeroGrupo"));
        goTo_->setFixedWidth(48);
        layout->addWidget(goTo_);
        connect(goTo_, &QLineEdit::returnPressed, this, &GroupPager::goTo);
    }
    layout->addStretch();
    updateButtons();
}

void GroupPager::setPage(int page)
{
    if (page < 1) page = 1;
    if (page > pageCount_) page = pageCount_;
    if (page != page_) {
        if (leaveCheck_ && !leaveCheck_()) {
            updateButtons();
            return;
        }
        emit aboutToChangePage();
        page_ = page;
        emit pageChanged(page_);
    }
    updateButtons();
}

void GroupPager::setGoToCaption(const QString& caption)
{
    if (goToCaption_) goToCaption_->setText(caption);
}

void GroupPager::updateButtons()
{
    minus_->setEnabled(page_ > 1);
    plus_->setEnabled(page_ < pageCount_);
}

void GroupPager::goTo()
{
    int group = 0;
    const std::string refusal = checkGroupNumber(goTo_->text().toStdString(), itemCount_, group);
    if (refusal.empty()) {
        setPage(pageOf(group));
    } else {
        if (ui_) ui_->error(refusal);
        emit goToRefused();
    }
    goTo_->setFocus();
    goTo_->selectAll();
}

} // namespace kombitron::ui
