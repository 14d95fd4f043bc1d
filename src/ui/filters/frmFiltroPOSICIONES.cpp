#include "ui/filters/frmFiltroPOSICIONES.h"

#include <QGridLayout>

#include "core/state.h"
#include "filters/positions.h"
#include "ui/filters/number_panel.h"

namespace kombitron::ui {

frmFiltroPOSICIONES::frmFiltroPOSICIONES(AppState& state, Interaction& ui, QWidget* parent)
    : FilterWindow(state, ui, FilterId::POSICIONES, QStringLiteral("POSICIONES"), parent)
{
    auto& params = state_.filters.posiciones;
    dropNumbersOutsideBase(params, baseNumbers());

    auto* grid = new QGridLayout;
    grid->setSpacing(6);
    for (int k = 0; k < 6; ++k) {
        const QString prefix = k == 0 ? QStringLiteral("lblNumero") : QStringLiteral("lblNumero_G%1").arg(k + 1);
        auto* panel = new NumberPanel(QStringLiteral("lblTitBola_%1").arg(k), prefix, QStringLiteral("imgININumeros_%1").arg(k),
                                      QStringLiteral("Inicializa esta bola"), this);
        panel->setTitle(QStringLiteral("BOLA %1").arg(k + 1));
        panel->setBase(baseNumbers());
        panel->showSet(params.allowed[static_cast<size_t>(k)]);
        grid->addWidget(panel, k / 3, k % 3);
        bolas[static_cast<size_t>(k)] = panel;
        connect(panel, &NumberPanel::numberClicked, this, [this, k, panel](int n) {
            auto& ball = state_.filters.posiciones.allowed[static_cast<size_t>(k)];
            ball[static_cast<size_t>(n)] = ball[static_cast<size_t>(n)] ? 0 : 1;
            panel->showSet(ball);
            activate();
        });
        connect(panel, &NumberPanel::cleared, this, [this, k, panel] {
            auto& ball = state_.filters.posiciones.allowed[static_cast<size_t>(k)];
            ball.fill(0);
            panel->showSet(ball);
            activate();
        });
    }
    body()->addLayout(grid);
}

} // namespace kombitron::ui
