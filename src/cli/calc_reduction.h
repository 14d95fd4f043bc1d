#pragma once

#include <functional>

#include "cli/terminal.h"
#include "core/state.h"

namespace kombitron::cli {

// When the command line stops a reduction run as the stop button does: after `maxCycles`
// counted cycles and/or `seconds` of reduction time (0: no limit).
struct ReductionLimits {
    double maxCycles = 0;
    double seconds = 0;
};

// Read --max-cycles N and --seconds S; false after a message on stderr when one is malformed.
bool parseReductionLimits(const Args& args, ReductionLimits& limits);

// The calculation's reduce step as the process window runs it when it opens: one reduction run
// (progress, captions, cycle numbers and improvements on stderr), then the exact-count
// adjustment when exactCount is 1 and a cycle was counted. An unexpected failure of the run is
// shown as "ERROR: " + its description and the result kept so far stays.
std::function<bool(AppState&, Interaction&)> processWindowReduction(const ReductionLimits& limits);

} // namespace kombitron::cli
