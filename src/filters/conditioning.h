#pragma once

#include "filters/filter_common.h"

namespace kombitron {

// The FilterPass of the filter at registry position 0..18 (the order of the conditioning pass);
// nullptr for any other position.
FilterPassFunction filterPassAt(int position);

} // namespace kombitron
