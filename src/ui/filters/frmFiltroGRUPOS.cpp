#include "ui/filters/frmFiltroGRUPOS.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/state.h"
#include "filters/groups.h"
#include "ui/filters/number_panel.h"
#include "ui/widgets/mark_cell.h"

namespace kombitron::ui {

frmFiltroGRUPOS::frmFiltroGRUPOS(AppState& state, Interaction& ui, QWidget* parent)
    : GroupPagesWindow(state, ui, FilterId::GRUPOS, QStringLiteral("GRUPOS DE NUMEROS"), parent)
{
    for (int k = 0; k < 3; ++k) {
        auto* panel = grupos[static_cast<size_t>(k)];
        auto* line = new QHBoxLayout;
        line->setSpacing(3);
        line->addWidget(new QLabel(QStringLiteral("Posiciones"), panel));
        line->addStretch();
        for (int i = 0; i < 6; ++i) {
            auto* cell = new MarkCell(QString::number(i + 1), MarkCell::Style::Hit, panel);
            cell->setObjectName(QStringLiteral("lblAciertosG%1_%2").arg(k + 1).arg(i));
            cell->setCellSize(22);
            line->addWidget(cell);
            posiciones[static_cast<size_t>(k)][static_cast<size_t>(i)] = cell;
            // Positions narrow a group; choosing them is not an edit that activates the filter.
            connect(cell, &MarkCell::clicked, this, [this, k, i, cell] {
                auto& flags = state_.filters.grupos.groups[static_cast<size_t>(groupAt(k) - 1)].positions;
                flags[static_cast<size_t>(i)] = flags[static_cast<size_t>(i)] ? 0 : 1;
                cell->setMarked(flags[static_cast<size_t>(i)] != 0);
            });
        }
        panel->extras()->addLayout(line);
    }
    showPage();
}

NumberFlags& frmFiltroGRUPOS::members(int group) { return state_.filters.grupos.groups[static_cast<size_t>(group - 1)].members; }

HitSet& frmFiltroGRUPOS::hits(int group) { return state_.filters.grupos.groups[static_cast<size_t>(group - 1)].hits; }

void frmFiltroGRUPOS::showPage()
{
    GroupPagesWindow::showPage();
    for (int k = 0; k < 3; ++k) {
        const auto& flags = state_.filters.grupos.groups[static_cast<size_t>(groupAt(k) - 1)].positions;
        for (size_t i = 0; i < 6; ++i) posiciones[static_cast<size_t>(k)][i]->setMarked(flags[i] != 0);
    }
}

bool frmFiltroGRUPOS::closing() { return acceptCheck(checkGruposClosing(state_.filters.grupos)); }

} // namespace kombitron::ui
