#include "engine/reduction_options.h"

#include "core/filter_rows.h"

namespace kombitron {

bool shouldReduce(const AppState& state)
{
    if (!isRowActive(state.filterRows[kReductionRow])) return false;
    const ReductionOptions& r = state.reduction;
    return !(r.type == 0 && r.byBetCount != 1 && r.percentage == 100);
}

void clampReductionOptions(ReductionOptions& options)
{
    if (options.percentage <= 0 || options.percentage > 100) options.percentage = 100;
    if (options.betCount < 1) options.betCount = 1;
}

bool exactCountExceedsConditioned(const ReductionOptions& options, int64_t conditionedCount)
{
    return options.exactCount == 1 && conditionedCount < options.betCount;
}

} // namespace kombitron
