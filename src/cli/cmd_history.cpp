#include <cstdio>

#include "cli/commands.h"
#include "cli/terminal.h"

namespace kombitron::cli {

namespace {
int notYet(const char* name)
{
    std::fprintf(stderr, "kombitron-cli: '%s' is not available in this build\n", name);
    return kExitUsage;
}
} // namespace

int cmdHistory(int, char**) { return notYet("history"); }
int cmdStats(int, char**) { return notYet("stats"); }

} // namespace kombitron::cli
