#include "ui/filters/group_pages_window.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "filters/groups.h"
#include "ui/filters/number_panel.h"
#include "ui/widgets/group_pager.h"
#include "ui/widgets/hit_set_field.h"

namespace kombitron::ui {

GroupPagesWindow::GroupPagesWindow(AppState& state, Interaction& ui, FilterId id, const QString& caption, QWidget* parent)
    : FilterWindow(state, ui, id, QStringLiteral("%1 (Máx. %2)").arg(caption).arg(kGroupCount), parent)
{
    pager = new GroupPager(kGroupCount, 3, true, this);
    pager->setInteraction(&ui_);
    body()->addWidget(pager);

    auto* row = new QHBoxLayout;
    for (int k = 0; k < 3; ++k) {
        const QString prefix = k == 0 ? QStringLiteral("lblNumero") : QStringLiteral("lblNumero_G%1").arg(k + 1);
        auto* panel = new NumberPanel(QStringLiteral("lblTitGrupo_%1").arg(k), prefix, QStringLiteral("imgININumeros_%1").arg(k),
                                      QStringLiteral("Inicializa este grupo"), this);
        auto* field = new HitSetField(QStringLiteral("txtAciertos_%1").arg(k), QStringLiteral("cmdModificar_%1").arg(k),
                                      QStringLiteral("Modificar"), panel);
        panel->extras()->addWidget(field);
        row->addWidget(panel, 0, Qt::AlignTop);
        grupos[static_cast<size_t>(k)] = panel;
        aciertos[static_cast<size_t>(k)] = field;

        connect(panel, &NumberPanel::numberClicked, this, [this, k, panel](int n) {
            NumberFlags& set = members(groupAt(k));
            set[static_cast<size_t>(n)] = set[static_cast<size_t>(n)] ? 0 : 1;
            panel->showSet(set);
            activate();
        });
        connect(panel, &NumberPanel::cleared, this, [this, k, panel] {
            NumberFlags& set = members(groupAt(k));
            set.fill(0);
            panel->showSet(set);
            activate();
        });
        connect(field, &HitSetField::edited, this, [this, k](const HitSet& set) {
            hits(groupAt(k)) = set;
            activate();
        });
    }
    body()->addLayout(row);
    connect(pager, &GroupPager::pageChanged, this, [this] { showPage(); });
}

int GroupPagesWindow::groupAt(int slot) const { return 3 * (pager->page() - 1) + slot + 1; }

void GroupPagesWindow::showPage()
{
    for (int k = 0; k < 3; ++k) {
        const int group = groupAt(k);
        NumberFlags& set = members(group);
        dropNumbersOutsideBase(set, baseNumbers());
        auto* panel = grupos[static_cast<size_t>(k)];
        panel->setTitle(QStringLiteral("GRUPO %1").arg(group));
        panel->setBase(baseNumbers());
        panel->showSet(set);
        aciertos[static_cast<size_t>(k)]->setHitSet(hits(group));
    }
}

} // namespace kombitron::ui
