#include "ui/filters/frmFiltroEXTERIORES.h"

#include "core/state.h"

namespace kombitron::ui {

frmFiltroEXTERIORES::frmFiltroEXTERIORES(AppState& state, Interaction& ui, QWidget* parent)
    : PartitionWindow(state, ui,
                      {FilterId::EXTERIORESINTERIORES, QStringLiteral("EXTERIORES/INTERIORES"), QStringLiteral("EXTERIORES"),
                       QStringLiteral("INTERIORES"), QStringLiteral("chkExterioresInteriores"), 18,
                       {QStringLiteral("Exteriores : 1,2,3,4,5,6,7,8,9"), QStringLiteral("10,20,30,40,19,29,39,49"),
                        QStringLiteral("41,42,43,44,45,46,47,48"), QStringLiteral("Interiores : 11,12,13,14,15,16,17,18"),
                        QStringLiteral("21,22,23,24,25,26,27,28"), QStringLiteral("31,32,33,34,35,36,37,38")}},
                      state.filters.exteriores.exteriores, parent)
{
}

} // namespace kombitron::ui
