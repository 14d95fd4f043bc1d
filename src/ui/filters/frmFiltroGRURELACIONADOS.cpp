#include "ui/filters/frmFiltroGRURELACIONADOS.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/state.h"
#include "filters/groups.h"
#include "filters/related_groups.h"
#include "ui/filters/number_panel.h"
#include "ui/widgets/group_pager.h"
#include "ui/widgets/hit_set_field.h"
#include "ui/widgets/numeric_line_edit.h"

namespace kombitron::ui {

frmFiltroGRURELACIONADOS::frmFiltroGRURELACIONADOS(AppState& state, Interaction& ui, QWidget* parent)
    : FilterWindow(state, ui, FilterId::GRUPOSRELACIONADOS, QStringLiteral("GRUPOS RELACIONADOS"), parent)
{
    setCloseBoxIgnored(true);

    auto* head = new QHBoxLayout;
    lblNumeroGrupo = new QLabel(this);
    lblNumeroGrupo->setObjectName(QStringLiteral("lblNumeroGrupo"));
    lblNumeroGrupo->setStyleSheet(QStringLiteral("font-weight:bold; font-size:14pt;"));
    pager = new GroupPager(kRelatedBlocks, 1, true, this);
    pager->setInteraction(&ui_);
    pager->setGoToCaption(QStringLiteral("Ir al Grupo :"));
    pager->goToField()->setMaxLength(2);
    head->addWidget(lblNumeroGrupo);
    head->addSpacing(20);
    head->addWidget(pager, 1);
    body()->addLayout(head);

    auto* content = new QHBoxLayout;
    auto* grids = new QGridLayout;
    grids->setSpacing(6);
    for (int k = 0; k < 6; ++k) {
        const QString prefix = k == 0 ? QStringLiteral("lblNumero") : QStringLiteral("lblNumero_G%1").arg(k + 1);
        auto* panel = new NumberPanel(QStringLiteral("lblTitGrupo_%1").arg(k), prefix, QStringLiteral("imgININumeros_%1").arg(k),
                                      QStringLiteral("Inicializa este subgrupo"), this, 20);
        grids->addWidget(panel, k / 3, k % 3);
        subgrupos[static_cast<size_t>(k)] = panel;
        connect(panel, &NumberPanel::numberClicked, this, [this, k, panel](int n) {
            NumberFlags& set = subgroup(k);
            set[static_cast<size_t>(n)] = set[static_cast<size_t>(n)] ? 0 : 1;
            panel->showSet(set);
            activate();
        });
        connect(panel, &NumberPanel::cleared, this, [this, k, panel] {
            subgroup(k).fill(0);
            panel->showSet(subgroup(k));
            activate();
        });
    }
    content->addLayout(grids);

    auto* conditions = new QGroupBox(QStringLiteral("ACIERTOS EN CUALQUIERA DE LOS SUBGRUPOS"), this);
    auto* conditionRows = new QVBoxLayout(conditions);
    for (int k = 0; k < 6; ++k) {
        auto* field = new HitSetField(QStringLiteral("txtAciertos_%1").arg(k), QStringLiteral("cmdModificar_%1").arg(k),
                                      QStringLiteral("Modificar"), conditions);
        conditionRows->addWidget(field);
        condiciones[static_cast<size_t>(k)] = field;
        connect(field, &HitSetField::edited, this, [this, k](const HitSet& set) {
            condition(k) = set;
            activate();
        });
    }
    conditionRows->addStretch();
    content->addWidget(conditions, 0, Qt::AlignTop);
    body()->addLayout(content);

    connect(pager, &GroupPager::pageChanged, this, &frmFiltroGRURELACIONADOS::showGroup);
    showGroup();
}

int frmFiltroGRURELACIONADOS::group() const { return pager->page(); }

NumberFlags& frmFiltroGRURELACIONADOS::subgroup(int slot)
{
    return state_.filters.gruposRelacionados.subgroups[static_cast<size_t>((group() - 1) * 6 + slot)];
}

HitSet& frmFiltroGRURELACIONADOS::condition(int slot)
{
    return state_.filters.gruposRelacionados.conditions[static_cast<size_t>((group() - 1) * 6 + slot)];
}

void frmFiltroGRURELACIONADOS::showGroup()
{
    const int g = group();
    lblNumeroGrupo->setText(QStringLiteral("GRUPO %1").arg(g));
    for (int k = 0; k < 6; ++k) {
        NumberFlags& set = subgroup(k);
        dropNumbersOutsideBase(set, baseNumbers());
        auto* panel = subgrupos[static_cast<size_t>(k)];
        // Sub-groups are numbered across all groups: group g holds 6g-5 .. 6g.
        panel->setTitle(QStringLiteral("SUBGRUPO %1").arg(6 * g - 5 + k));
        panel->setBase(baseNumbers());
        panel->showSet(set);
        condiciones[static_cast<size_t>(k)]->setHitSet(condition(k));
    }
}

bool frmFiltroGRURELACIONADOS::closing() { return acceptCheck(closeGruposRelacionados(state_.filters.gruposRelacionados)); }

} // namespace kombitron::ui
