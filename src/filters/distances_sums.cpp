#include "filters/distances_sums.h"

#include <limits>
#include <vector>

namespace kombitron {

namespace {

struct Bounds {
    int minimum;
    int maximum;
};

std::vector<Bounds> inForce(const SumInterval* intervals, int count)
{
    std::vector<Bounds> list;
    for (int i = 0; i < count; ++i)
        if (intervals[i].inForce()) list.push_back({intervals[i].minimum, intervals[i].maximum});
    return list;
}

bool inAny(const std::vector<Bounds>& list, int value)
{
    for (const Bounds& b : list)
        if (value >= b.minimum && value <= b.maximum) return true;
    return false;
}

int16_t toInt16(int64_t value) { return static_cast<int16_t>(std::min<int64_t>(value, std::numeric_limits<int16_t>::max())); }

} // namespace

int64_t distanciasPass(AppState& state, Progress& progress, const StopToken& stop)
{
    const DistanciasParams& p = state.filters.distancias;
    struct Pair {
        int from, to; // indices into the ascending numbers
        int minimum, maximum;
    };
    static constexpr int kFrom[6] = {0, 1, 2, 3, 4, 0};
    static constexpr int kTo[6] = {1, 2, 3, 4, 5, 5};
    std::vector<Pair> pairs;
    for (int r = 0; r < 6; ++r)
        if (p.minimum[r] != 0 || p.maximum[r] != 0) pairs.push_back({kFrom[r], kTo[r], p.minimum[r], p.maximum[r]});
    if (pairs.empty()) return 0;
    return runPass(state, progress, stop, [&](const uint8_t* n) {
        for (const Pair& pair : pairs) {
            const int d = n[pair.to] - n[pair.from];
            if (d < pair.minimum || d > pair.maximum) return true;
        }
        return false;
    });
}

int64_t sumasPass(AppState& state, Progress& progress, const StopToken& stop)
{
    const std::vector<Bounds> intervals = inForce(state.filters.sumas.intervals.data(), 10);
    if (intervals.empty()) return 0;
    return runPass(state, progress, stop, [&](const uint8_t* n) {
        return !inAny(intervals, n[0] + n[1] + n[2] + n[3] + n[4] + n[5]);
    });
}

int64_t sumasPorTriosPass(AppState& state, Progress& progress, const StopToken& stop)
{
    const std::vector<Bounds> first = inForce(state.filters.sumasPorTrios.first.data(), 5);
    const std::vector<Bounds> last = inForce(state.filters.sumasPorTrios.last.data(), 5);
    if (first.empty() && last.empty()) return 0;
    return runPass(state, progress, stop, [&](const uint8_t* n) {
        if (!first.empty() && !inAny(first, n[0] + n[1] + n[2])) return true;
        return !last.empty() && !inAny(last, n[3] + n[4] + n[5]);
    });
}

std::string validateAndStoreDistancias(DistanciasParams& params, const DistanciasFields& fields)
{
    static const char* const kRows[6] = {"números 1 y 2", "números 2 y 3", "números 3 y 4",
                                         "números 4 y 5", "números 5 y 6", "números del 1 al 6"};
    std::array<int64_t, 6> minimum{}, maximum{};
    for (int r = 0; r < 6; ++r)
        if (!parseNumericField(fields.minimum[r], minimum[r])) return "ERROR: algún valor de distancia mínima esta en blanco";
    for (int r = 0; r < 6; ++r)
        if (!parseNumericField(fields.maximum[r], maximum[r])) return "ERROR: algún valor de distancia máxima esta en blanco";
    for (int r = 0; r < 6; ++r)
        if (maximum[r] < minimum[r])
            return std::string("ERROR: La distancia máxima debe ser mayor que la mínima(") + kRows[r] + ")";
    for (int r = 0; r < 6; ++r) {
        params.minimum[r] = toInt16(minimum[r]);
        params.maximum[r] = toInt16(maximum[r]);
    }
    return {};
}

std::string validateAndStoreSumas(SumasParams& params, const SumasFields& fields)
{
    std::array<SumInterval, 10> parsed{};
    for (int i = 0; i < 10; ++i) {
        int64_t minimum = 0, maximum = 0;
        if (!parseNumericField(fields.minimum[i], minimum) || !parseNumericField(fields.maximum[i], maximum))
            return "ERROR: No se permiten valores nulos en los intervalos";
        if (minimum != 0 || maximum != 0) {
            if (minimum < 21) return "ERROR: La suma mínima de los intervalos activados(<>0) debe ser mayor que 21";
            if (maximum > 279) return "ERROR: La suma máxima de los intervalos activados(<>0) debe ser menor que 279";
            if (maximum < minimum) return "ERROR: La suma mínima de un intervalo no puede ser mayor que la suma máxima";
        }
        parsed[i] = {toInt16(minimum), toInt16(maximum)};
    }
    params.intervals = parsed;
    return {};
}

std::string validateAndStoreSumasPorTrios(SumasPorTriosParams& params, const SumasPorTriosFields& fields)
{
    std::array<SumInterval, 5> first{}, last{};
    for (int i = 0; i < 5; ++i) {
        int64_t fMin = 0, fMax = 0, lMin = 0, lMax = 0;
        if (!parseNumericField(fields.firstMinimum[i], fMin) || !parseNumericField(fields.firstMaximum[i], fMax))
            return "ERROR: No se permiten valores nulos en los intervalos (Tres primeros números)";
        if (!parseNumericField(fields.lastMinimum[i], lMin) || !parseNumericField(fields.lastMaximum[i], lMax))
            return "ERROR: No se permiten valores nulos en los intervalos (Tres últimos números)";
        if ((fMin != 0 || fMax != 0) && fMax < fMin)
            return "ERROR: La suma mínima de un intervalo no puede ser mayor que la suma máxima (Tres primeros números)";
        if ((lMin != 0 || lMax != 0) && lMax < lMin)
            return "ERROR: La suma mínima de un intervalo no puede ser mayor que la suma máxima (Tres últimos números)";
        first[i] = {toInt16(fMin), toInt16(fMax)};
        last[i] = {toInt16(lMin), toInt16(lMax)};
    }
    params.first = first;
    params.last = last;
    return {};
}

} // namespace kombitron
