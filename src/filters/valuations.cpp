#include "filters/valuations.h"

#include <limits>

namespace kombitron {

bool valuationInForce(const ValoracionesParams& params, int condition)
{
    if (condition < 1 || condition > kValuationConditions) return false;
    for (int k = 0; k < 4; ++k)
        if (params.valuationMin[condition - 1][k] != 0 || params.valuationMax[condition - 1][k] != 0) return true;
    return false;
}

int64_t valoracionesPass(AppState& state, Progress& progress, const StopToken& stop)
{
    const ValoracionesParams& p = state.filters.valoraciones;
    struct Condition {
        std::array<int32_t, 50> value{}; // index = number
        std::vector<std::pair<int32_t, int32_t>> intervals;
    };
    std::vector<Condition> conditions;
    for (int c = 1; c <= kValuationConditions; ++c) {
        if (!valuationInForce(p, c)) continue;
        Condition condition;
        for (int n = 1; n <= 49; ++n) condition.value[n] = p.valuations[n - 1][c - 1];
        for (int k = 0; k < 4; ++k) {
            const int32_t lo = p.valuationMin[c - 1][k], hi = p.valuationMax[c - 1][k];
            if (lo != 0 || hi != 0) condition.intervals.emplace_back(lo, hi);
        }
        conditions.push_back(std::move(condition));
    }
    if (conditions.empty()) return 0;
    return runPass(state, progress, stop, [&](const uint8_t* n) {
        for (const Condition& c : conditions) {
            const int32_t score = c.value[n[0]] + c.value[n[1]] + c.value[n[2]] + c.value[n[3]] + c.value[n[4]] +
                                  c.value[n[5]];
            bool inside = false;
            for (const auto& [lo, hi] : c.intervals)
                if (score >= lo && score <= hi) {
                    inside = true;
                    break;
                }
            if (!inside) return true;
        }
        return false;
    });
}

std::string validateAndStoreValuation(ValoracionesParams& params, int condition, const ValuationFields& fields)
{
    if (condition < 1 || condition > kValuationConditions) return {};
    const std::string head = "ERROR GRUPO " + std::to_string(condition) + ": ";
    std::array<int64_t, 4> minimum{}, maximum{};
    bool intervalInUse = false;
    for (int k = 0; k < 4; ++k) {
        if (!parseNumericField(fields.minimum[k], minimum[k]) || !parseNumericField(fields.maximum[k], maximum[k]))
            return head + "No se permiten valores nulos en los intervalos";
        if (minimum[k] == 0 && maximum[k] == 0) continue;
        if (maximum[k] < minimum[k]) return head + "El valor mínimo de un intervalo no puede ser mayor que el valor máximo";
        intervalInUse = true;
    }
    bool anyValuation = false;
    for (int n = 0; n < 49; ++n) {
        const int v = fields.valuations[n] >= 1 && fields.valuations[n] <= 100 ? fields.valuations[n] : 0;
        params.valuations[n][condition - 1] = static_cast<int16_t>(v);
        anyValuation = anyValuation || v != 0;
    }
    if (intervalInUse && !anyValuation)
        return head + "Hay intervalos activos y no ha seleccionado ninguna valoración en los números";
    if (anyValuation && !intervalInUse)
        return head + "Hay seleccionadas valoraciones de números y no ha activado ningún intervalo";
    const int64_t limit = std::numeric_limits<int16_t>::max();
    for (int k = 0; k < 4; ++k) {
        params.valuationMin[condition - 1][k] = static_cast<int16_t>(std::min(minimum[k], limit));
        params.valuationMax[condition - 1][k] = static_cast<int16_t>(std::min(maximum[k], limit));
    }
    return {};
}

} // namespace kombitron
