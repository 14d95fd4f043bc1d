#include "ui/filters/frmFiltroALTOSBAJOS.h"

#include <QFormLayout>
#include <QLabel>

#include "core/state.h"
#include "ui/widgets/hit_set_field.h"

namespace kombitron::ui {

frmFiltroALTOSBAJOS::frmFiltroALTOSBAJOS(AppState& state, Interaction& ui, QWidget* parent)
    : FilterWindow(state, ui, FilterId::ALTOSBAJOS, QStringLiteral("BAJOS Y ALTOS"), parent)
{
    auto& params = state_.filters.altosBajos;
    auto* form = new QFormLayout;
    bajos = new HitSetField(QStringLiteral("txtAciertos0124"), QStringLiteral("cmdModificar0124"), QStringLiteral("M"), this);
    altos = new HitSetField(QStringLiteral("txtAciertos2549"), QStringLiteral("cmdModificar2549"), QStringLiteral("M"), this);
    auto* lbl0124 = new QLabel(QStringLiteral("01 al 24 : "), this);
    lbl0124->setObjectName(QStringLiteral("lbl0124"));
    auto* lbl2549 = new QLabel(QStringLiteral("25 al 49 : "), this);
    lbl2549->setObjectName(QStringLiteral("lbl2549"));
    form->addRow(lbl0124, bajos);
    form->addRow(lbl2549, altos);
    body()->addLayout(form);

    bajos->setHitSet(params.bajos);
    altos->setHitSet(params.altos);
    connect(bajos, &HitSetField::edited, this, [this](const HitSet& set) {
        state_.filters.altosBajos.bajos = set;
        activate();
    });
    connect(altos, &HitSetField::edited, this, [this](const HitSet& set) {
        state_.filters.altosBajos.altos = set;
        activate();
    });
}

} // namespace kombitron::ui
