#pragma once

#include <array>
#include <string>

#include "filters/filter_common.h"

namespace kombitron {

// DISTANCIAS: eliminates a bet when a gap a2-a1 .. a6-a5 or the spread a6-a1 whose pair is in
// force (a bound non-zero) lies outside its bounds.
int64_t distanciasPass(AppState& state, Progress& progress, const StopToken& stop);
// SUMAS: keeps a bet whose sum lies in some interval in force.
int64_t sumasPass(AppState& state, Progress& progress, const StopToken& stop);
// SUMASPORTRIOS: the sum of the three lowest numbers against the first intervals (when any is in
// force), then the sum of the three highest against the last intervals.
int64_t sumasPorTriosPass(AppState& state, Progress& progress, const StopToken& stop);

// Fields of the DISTANCIAS window, rows 1-2, 2-3, 3-4, 4-5, 5-6 and 1-6.
struct DistanciasFields {
    std::array<std::string, 6> minimum;
    std::array<std::string, 6> maximum;
};
// Closing checks of the DISTANCIAS window; on success stores every field and returns "",
// otherwise returns the first failing check's message and stores nothing.
std::string validateAndStoreDistancias(DistanciasParams& params, const DistanciasFields& fields);

// Fields of the SUMAS window, intervals 1..10.
struct SumasFields {
    std::array<std::string, 10> minimum;
    std::array<std::string, 10> maximum;
};
// Closing checks of the SUMAS window, interval by interval; stores everything on success.
std::string validateAndStoreSumas(SumasParams& params, const SumasFields& fields);

// Fields of the SUMAS POR TRIOS window, intervals 1..5 of each trio.
struct SumasPorTriosFields {
    std::array<std::string, 5> firstMinimum, firstMaximum;
    std::array<std::string, 5> lastMinimum, lastMaximum;
};
// Closing checks of the SUMAS POR TRIOS window, interval by interval; stores everything on success.
std::string validateAndStoreSumasPorTrios(SumasPorTriosParams& params, const SumasPorTriosFields& fields);

} // namespace kombitron
