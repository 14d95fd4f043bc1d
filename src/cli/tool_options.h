#pragma once

#include <cstdint>
#include <string>

#include "cli/command_line.h"
#include "flows/tool_flow.h"

namespace kombitron::cli {

// The seed of a random tool: the clock unless --seed gives one, so that a run can be repeated.
struct SeedOption {
    uint64_t seed = 0;
    bool given = false;
    uint64_t value() const;
};
void addSeedOption(CLI::App& command, SeedOption& seed);

// What both random generators take besides their numbers: --count N, --out FILE and --seed.
void addGeneratorOptions(CLI::App& command, std::string& count, std::string& out, SeedOption& seed);

// What the saving tools print once their file is written: the bets and the path. kExitDone when
// the save was done, else kExitRefused (its message was shown).
int printToolSave(const ToolSaveOutcome& outcome);

} // namespace kombitron::cli
