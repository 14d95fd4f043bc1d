#include "ui/filter_windows.h"

#include <array>

#include "core/filter_registry.h"
#include "core/filter_rows.h"
#include "core/state.h"
#include "ui/filters/frmFiltroALTOSBAJOS.h"
#include "ui/filters/frmFiltroCOLINDANTES.h"
#include "ui/filters/frmFiltroCR.h"
#include "ui/filters/frmFiltroDECENAS.h"
#include "ui/filters/frmFiltroDISTANCIAS.h"
#include "ui/filters/frmFiltroEXTERIORES.h"
#include "ui/filters/frmFiltroGRUPOS.h"
#include "ui/filters/frmFiltroGRUPOSENTRELIMITES.h"
#include "ui/filters/frmFiltroGRURELACIONADOS.h"
#include "ui/filters/frmFiltroHOMOLOGOS.h"
#include "ui/filters/frmFiltroPARESIMPARES.h"
#include "ui/filters/frmFiltroPOSICIONES.h"
#include "ui/filters/frmFiltroSEGUIDOS.h"
#include "ui/filters/frmFiltroSORTEOSANTERIORES.h"
#include "ui/filters/frmFiltroSUMAS.h"
#include "ui/filters/frmFiltroSUMASPORTRIOS.h"
#include "ui/filters/frmFiltroSUPERIORES.h"
#include "ui/filters/frmFiltroTERMINACIONES.h"
#include "ui/filters/frmFiltroVALORACIONES.h"

namespace kombitron::ui {

namespace {
std::array<FilterWindowOpener, kFilterCount>& openers()
{
    static std::array<FilterWindowOpener, kFilterCount> table;
    return table;
}

// The windows with numbered entries open on their first group.
void rewindCursor(AppState& state, FilterId id)
{
    switch (id) {
    case FilterId::GRUPOS: state.cursors.grupos = 1; break;
    case FilterId::GRUPOSRELACIONADOS: state.cursors.gruposRelacionados = 1; break;
    case FilterId::SORTEOSANTERIORES: state.cursors.sorteosAnteriores = 1; break;
    case FilterId::VALORACIONES: state.cursors.valoraciones = 1; break;
    case FilterId::GRUPOSENTRELIMITES: state.cursors.gruposEntreLimites = 1; break;
    default: break;
    }
}

// Open window W modally on the context's state; it returns when the window closes.
template <class W>
void install(FilterId id)
{
    registerFilterWindow(static_cast<int>(id), [id](const FilterWindowContext& c) {
        rewindCursor(c.state, id);
        W window(c.state, c.ui, c.parent);
        window.exec();
        // The row shows the new count of defined entries, in the state the window left it.
        rebuildFilterRow(c.state, static_cast<int>(id));
        refreshEliminatedColumn(c.state);
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
    install<frmFiltroDECENAS>(FilterId::DECENAS);
    install<frmFiltroDISTANCIAS>(FilterId::DISTANCIAS);
    install<frmFiltroGRUPOS>(FilterId::GRUPOS);
    install<frmFiltroGRURELACIONADOS>(FilterId::GRUPOSRELACIONADOS);
    install<frmFiltroHOMOLOGOS>(FilterId::HOMOLOGOS);
    install<frmFiltroPARESIMPARES>(FilterId::PARESIMPARES);
    install<frmFiltroSEGUIDOS>(FilterId::SEGUIDOS);
    install<frmFiltroSUMAS>(FilterId::SUMAS);
    install<frmFiltroTERMINACIONES>(FilterId::TERMINACIONES);
    install<frmFiltroPOSICIONES>(FilterId::POSICIONES);
    install<frmFiltroEXTERIORES>(FilterId::EXTERIORESINTERIORES);
    install<frmFiltroSUPERIORES>(FilterId::SUPERIORESINFERIORES);
    install<frmFiltroCOLINDANTES>(FilterId::COLINDANTES);
    install<frmFiltroSORTEOSANTERIORES>(FilterId::SORTEOSANTERIORES);
    install<frmFiltroSUMASPORTRIOS>(FilterId::SUMASPORTRIOS);
    install<frmFiltroVALORACIONES>(FilterId::VALORACIONES);
    install<frmFiltroCR>(FilterId::COEFICIENTERENTABILIDAD);
    install<frmFiltroGRUPOSENTRELIMITES>(FilterId::GRUPOSENTRELIMITES);
}

} // namespace kombitron::ui
