#include "ui/filters/frmFiltroPARESIMPARES.h"

#include "core/state.h"

namespace kombitron::ui {

frmFiltroPARESIMPARES::frmFiltroPARESIMPARES(AppState& state, Interaction& ui, QWidget* parent)
    : PartitionWindow(state, ui,
                      {FilterId::PARESIMPARES, QStringLiteral("PARES E IMPARES"), QStringLiteral("PARES"),
                       QStringLiteral("IMPARES"), QStringLiteral("chkParesImpares"), 12, {}},
                      state.filters.paresImpares.pares, parent)
{
}

} // namespace kombitron::ui
