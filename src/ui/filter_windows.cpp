#include "ui/filter_windows.h"

#include <array>

#include "core/filter_registry.h"

namespace kombitron::ui {

namespace {
std::array<FilterWindowOpener, kFilterCount>& openers()
{
    static std::array<FilterWindowOpener, kFilterCount> table;
    return table;
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
    // The nineteen filter windows register themselves here.
}

} // namespace kombitron::ui
