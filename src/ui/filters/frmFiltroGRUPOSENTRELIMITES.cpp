#include "ui/filters/frmFiltroGRUPOSENTRELIMITES.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

#include "core/state.h"
#include "filters/groups.h"

namespace kombitron::ui {

frmFiltroGRUPOSENTRELIMITES::frmFiltroGRUPOSENTRELIMITES(AppState& state, Interaction& ui, QWidget* parent)
    : GroupPagesWindow(state, ui, FilterId::GRUPOSENTRELIMITES, QStringLiteral("GRUPOS ENTRE LIMITES"), parent)
{
    const auto& params = state_.filters.gruposEntreLimites;
    auto* panel = new QGroupBox(QStringLiteral("LIMITES DE GRUPOS ACERTADOS"), this);
    auto* grid = new QGridLayout(panel);
    auto* headings = new QLabel(QStringLiteral("   Mínimo                     Máximo"), panel);
    headings->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    grid->addWidget(headings, 0, 0, 1, 2);
    cboIntervalo1 = new QComboBox(panel);
    cboIntervalo1->setObjectName(QStringLiteral("cboIntervalo1"));
    cboIntervalo2 = new QComboBox(panel);
    cboIntervalo2->setObjectName(QStringLiteral("cboIntervalo2"));
    for (auto* box : {cboIntervalo1, cboIntervalo2}) {
        for (int v = 0; v <= kGroupCount; ++v) box->addItem(QString::number(v));
        box->setMaxVisibleItems(15);
    }
    cboIntervalo1->setCurrentIndex(std::clamp(static_cast<int>(params.minimum), 0, kGroupCount));
    cboIntervalo2->setCurrentIndex(std::clamp(static_cast<int>(params.maximum), 0, kGroupCount));
    grid->addWidget(cboIntervalo1, 1, 0);
    grid->addWidget(cboIntervalo2, 1, 1);
    body()->addWidget(panel, 0, Qt::AlignLeft);
    showPage();
}

NumberFlags& frmFiltroGRUPOSENTRELIMITES::members(int group)
{
    return state_.filters.gruposEntreLimites.groups[static_cast<size_t>(group - 1)].members;
}

HitSet& frmFiltroGRUPOSENTRELIMITES::hits(int group)
{
    return state_.filters.gruposEntreLimites.groups[static_cast<size_t>(group - 1)].hits;
}

bool frmFiltroGRUPOSENTRELIMITES::closing()
{
    return acceptCheck(validateAndStoreGruposEntreLimites(state_.filters.gruposEntreLimites, cboIntervalo1->currentIndex(),
                                                         cboIntervalo2->currentIndex()));
}

} // namespace kombitron::ui
