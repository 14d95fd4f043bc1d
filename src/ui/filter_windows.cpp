#include "ui/filter_windows.h"

#include <array>

#include "core/filter_registry.h"
#include "core/state.h"
#include "ui/filters/frmFiltroALTOSBAJOS.h"
#include "ui/filters/frmFiltroCOLINDANTES.h"
#include "ui/filters/frmFiltroEXTERIORES.h"
#include "ui/filters/frmFiltroHOMOLOGOS.h"
#include "ui/filters/frmFiltroPARESIMPARES.h"
#include "ui/filters/frmFiltroSUPERIORES.h"

namespace kombitron::ui {

namespace {
std::array<FilterWindowOpener, kFilterCount>& openers()
{
    static std::array<FilterWindowOpener, kFilterCount> table;
    return table;
}

// Open window W modally on the context's state; it returns when the window closes.
template <class W>
void install(FilterId id)
{
    registerFilterWindow(static_cast<int>(id), [](const FilterWindowContext& c) {
        W window(c.state, c.ui, c.parent);
        window.exec();
    });
}
} // namespace

void registerFilterWindow(int row, FilterWindowOpener opener)
{
    if (row >= 0 && row < kFilterCount) openers()[row] = std::move(opener);
}

bool hasFilterWindow(int row)
{
    return row >= 0 && row < kFilterCount && static_cast<bool>(openers()[row]);
}

bool openFilterWindow(const FilterWindowContext& context)
{
    if (!hasFilterWindow(context.row)) return false;
    openers()[context.row](context);
    return true;
}

void installFilterWindows()
{
    install<frmFiltroALTOSBAJOS>(FilterId::ALTOSBAJOS);
    install<frmFiltroHOMOLOGOS>(FilterId::HOMOLOGOS);
    install<frmFiltroPARESIMPARES>(FilterId::PARESIMPARES);
    install<frmFiltroEXTERIORES>(FilterId::EXTERIORESINTERIORES);
    install<frmFiltroSUPERIORES>(FilterId::SUPERIORESINFERIORES);
    install<frmFiltroCOLINDANTES>(FilterId::COLINDANTES);
}

} // namespace kombitron::ui
