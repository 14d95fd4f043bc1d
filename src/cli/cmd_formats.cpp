#include <cstdio>

#include "cli/commands.h"
#include "cli/terminal.h"
#include "core/state.h"

namespace kombitron::cli {

namespace {
[[maybe_unused]] int notYet(const char* name)
{
    std::fprintf(stderr, "kombitron-cli: '%s' is not available in this build\n", name);
    return kExitUsage;
}
} // namespace

int cmdView(int, char**) { return notYet("view"); }
int cmdImport(int, char**) { return notYet("import"); }
int cmdConvert(int, char**) { return notYet("convert"); }
int cmdBase(int, char**) { return notYet("base"); }

int saveGeneratedBets(AppState&, const std::string&, TerminalInteraction&) { return notYet("generate --out"); }

} // namespace kombitron::cli
