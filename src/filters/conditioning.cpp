#include "filters/conditioning.h"

#include "filters/coefficient.h"
#include "filters/distances_sums.h"
#include "filters/figures.h"
#include "filters/groups.h"
#include "filters/homologous_adjacent.h"
#include "filters/partition.h"
#include "filters/positions.h"
#include "filters/previous_draws.h"
#include "filters/related_groups.h"
#include "filters/valuations.h"

namespace kombitron {

FilterPassFunction filterPassAt(int position)
{
    static constexpr FilterPassFunction kPasses[kFilterCount] = {
        AltosBajosPass,           // ALTOSBAJOS
        DecenasPass,              // DECENAS
        DistanciasPass,           // DISTANCIAS
        GruposPass,               // GRUPOS
        GruposRelacionadosPass,   // GRUPOSRELACIONADOS
        HomologosPass,            // HOMOLOGOS
        ParesImparesPass,         // PARESIMPARES
        SeguidosPass,             // SEGUIDOS
        SumasPass,                // SUMAS
        TerminacionesPass,        // TERMINACIONES
        PosicionesPass,           // POSICIONES
        ExterioresInterioresPass, // EXTERIORESINTERIORES
        SuperioresInferioresPass, // SUPERIORESINFERIORES
        ColindantesPass,          // COLINDANTES
        SorteosAnterioresPass,    // SORTEOSANTERIORES
        SumasPorTriosPass,        // SUMASPORTRIOS
        ValoracionesPass,         // VALORACIONES
        CoeficienteRentabilidadPass, // COEFICIENTERENTABILIDAD
        GruposEntreLimitesPass,   // GRUPOSENTRELIMITES
    };
    return position >= 0 && position < kFilterCount ? kPasses[position] : nullptr;
}

} // namespace kombitron
