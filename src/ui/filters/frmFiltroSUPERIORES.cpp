#include "ui/filters/frmFiltroSUPERIORES.h"

#include "core/state.h"

namespace kombitron::ui {

frmFiltroSUPERIORES::frmFiltroSUPERIORES(AppState& state, Interaction& ui, QWidget* parent)
    : PartitionWindow(state, ui,
                      {FilterId::SUPERIORESINFERIORES, QStringLiteral("SUPERIORES/INFERIORES"), QStringLiteral("SUPERIORES"),
                       QStringLiteral("INFERIORES"), QStringLiteral("chkSuperioresInferiores"), 18,
                       {QStringLiteral("Superiores : 1,2,3,4,10,11,12,13,14"), QStringLiteral("20,21,22,23,24,30,31,32"),
                        QStringLiteral("33,34,40,41,42,43,44"), QStringLiteral("Inferiores : 5,6,7,8,9,15,16,17,18,19"),
                        QStringLiteral("25,26,27,28,29,35,36,37"), QStringLiteral("38,39,45,46,47,48,49")}},
                      state.filters.superiores.superiores, parent)
{
}

} // namespace kombitron::ui
