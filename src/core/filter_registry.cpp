#include "core/filter_registry.h"

#include <cstring>

namespace kombitron {

namespace {
const FilterInfo kRegistry[kFilterCount] = {
    {FilterId::ALTOSBAJOS, "ALTOSBAJOS", "Bajos y Altos         ", "Fil. Bajos y Altos", "BAJOS Y ALTOS: ", "frmFiltroALTOSBAJOS", "BAJOS Y ALTOS", "BAJOS Y ALTOS"},
    {FilterId::DECENAS, "DECENAS", "Decenas               ", "Fil. Decenas", "DECENAS: ", "frmFiltroDECENAS", "DECENAS", "DECENAS"},
    {FilterId::DISTANCIAS, "DISTANCIAS", "Distancias            ", "Fil. Distancias", "DISTANCIAS: ", "frmFiltroDISTANCIAS", "DISTANCIAS", "DISTANCIAS"},
    {FilterId::GRUPOS, "GRUPOS", "Grupos de Números     ", "Fil. Gru. de números", "GRUPOS DE NUMEROS: ", "frmFiltroGRUPOS", "GRUPOS DE NUMEROS", "GRUPOS DE NUMEROS"},
    {FilterId::GRUPOSRELACIONADOS, "GRUPOSRELACIONADOS", "Grupos Relacionados   ", "Fil. Gru. Relacionados", "GRUPOS RELACIONADOS: ", "frmFiltroGRURELACIONADOS", "GRUPOS RELACIONADOS", "GRUPOSRELACIONADOS"},
    {FilterId::HOMOLOGOS, "HOMOLOGOS", "Homólogos             ", "Fil. Homólogos", "HOMOLOGOS: ", "frmFiltroHOMOLOGOS", "HOMOLOGOS", "HOMOLOGOS"},
    {FilterId::PARESIMPARES, "PARESIMPARES", "Pares e Impares       ", "Fil. Pares e Impares", "PARES E IMPARES: ", "frmFiltroPARESIMPARES", "PARES E IMPARES", "PARES E IMPARES"},
    {FilterId::SEGUIDOS, "SEGUIDOS", "Seguidos              ", "Fil. Seguidos", "SEGUIDOS: ", "frmFiltroSEGUIDOS", "SEGUIDOS", "SEGUIDOS"},
    {FilterId::SUMAS, "SUMAS", "Sumas                 ", "Fil. Sumas", "SUMAS: ", "frmFiltroSUMAS", "SUMAS", "SUMAS"},
    {FilterId::TERMINACIONES, "TERMINACIONES", "Terminaciones         ", "Fil. Terminaciones", "TERMINACIONES: ", "frmFiltroTERMINACIONES", "TERMINACIONES", "TERMINACIONES"},
    {FilterId::POSICIONES, "POSICIONES", "Posiciones            ", "Fil. Posiciones", "POSICIONES: ", "frmFiltroPOSICIONES", "POSICIONES", "POSICIONES"},
    {FilterId::EXTERIORESINTERIORES, "EXTERIORESINTERIORES", "Exteriores/Interiores ", "Fil. Ext./Int.", "EXTERIORES/INTERIORES: ", "frmFiltroEXTERIORES", "EXTERIORES/INTERIORES", "EXTERIORES INTERIORES"},
    {FilterId::SUPERIORESINFERIORES, "SUPERIORESINFERIORES", "Superiores/Inferiores ", "Fil. Sup./Inf.", "SUPERIORES/INFERIORES: ", "frmFiltroSUPERIORES", "SUPERIORES/INFERIORES", "SUPERIORES INFERIORES"},
    {FilterId::COLINDANTES, "COLINDANTES", "Colindantes           ", "Fil. Colindantes", "COLINDANTES: ", "frmFiltroCOLINDANTES", "COLINDANTES", "COLINDANTES"},
    {FilterId::SORTEOSANTERIORES, "SORTEOSANTERIORES", "Sorteos Anteriores    ", "Fil. Sorteos Anteriores", "SORTEOS ANTERIORES: ", "frmFiltroSORTEOSANTERIORES", "SORTEOS ANTERIORES", "SORTEOS ANTERIORES"},
    {FilterId::SUMASPORTRIOS, "SUMASPORTRIOS", "Sumas por Trios       ", "Fil. Sumas por Trios", "SUMAS POR TRIOS: ", "frmFiltroSUMASPORTRIOS", "SUMAS POR TRIOS", "SUMASPORTRIOS"},
    {FilterId::VALORACIONES, "VALORACIONES", "Valoraciones          ", "Fil. Valoraciones", "VALORACIONES: ", "frmFiltroVALORACIONES", "VALORACIONES", "VALORACIONES"},
    {FilterId::COEFICIENTERENTABILIDAD, "COEFICIENTERENTABILIDAD", "Coefici. Rentabilidad ", "Fil. Coefi.Rentabilidad", "COEFICIENTE RENTABILIDAD: ", "frmFiltroCR", "COEFICIENTE RENTABILIDAD", "COEFICIENTERENTABILIDAD"},
    {FilterId::GRUPOSENTRELIMITES, "GRUPOSENTRELIMITES", "Grupos entre Límites  ", "Grupos entre Límites", "GRUPOS ENTRE LIMITES: ", "frmFiltroGRUPOSENTRELIMITES", "GRUPOS ENTRE LIMITES", "GRUPOS ENTRE LIMITES"},
};
} // namespace

const FilterInfo& filterInfo(int position) { return kRegistry[position]; }

int filterPositionByName(const char* name)
{
    for (int p = 0; p < kFilterCount; ++p)
        if (std::strcmp(kRegistry[p].name, name) == 0) return p;
    return -1;
}

} // namespace kombitron
