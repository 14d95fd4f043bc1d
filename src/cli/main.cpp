#include <cstdio>
#include <cstring>
#include <string>

#include "cli/commands.h"
#include "cli/terminal.h"
#include "core/format.h"

using namespace kombitron::cli;

namespace {

struct Command {
    const char* name;
    int (*run)(int, char**);
    const char* usage;
};

const Command kCommands[] = {
    {"generate", cmdGenerate,
     "generate --numbers LIST [--game primitiva|bonoloto] [--reintegros LIST] [--mode directo|secuenciales|aleatorios] [--count] [--out FILE]"},
    {"view", cmdView, "view FILE [--reintegros]"},
    {"import", cmdImport, "import FILE [--reintegros] [--game primitiva|bonoloto]"},
    {"convert", cmdConvert, "convert IN OUT [--reintegros]"},
    {"base", cmdBase, "base IN.xml --save OUT.xml"},
    {"calc", cmdCalc, "calc BASE.xml [--import FILE [--reintegros]] [--draws HISTORY.txt] [--draws-from-service] [--out FILE] [--print-bets] [--max-cycles N] [--seconds S]"},
    {"summary", cmdSummary, "summary BASE.xml [--import FILE [--reintegros]]"},
    {"guarantees", cmdGuarantees,
     "guarantees BASE.xml BETS [--import FILE [--reintegros]] [--scope total|condicionado] [--level 1..6|todas] [--extended]"},
    {"history", cmdHistory, "history load FILE | history update FILE --game primitiva|bonoloto"},
    {"stats", cmdStats, "stats FILE --query 0..9 [--temporada-desde Y] [--temporada-hasta Y] [--sorteo-desde N] [--sorteo-hasta N] [--dia 0..7]"},
};

void printUsage(FILE* out)
{
    std::fprintf(out, "usage: kombitron-cli --version\n");
    for (const auto& c : kCommands) std::fprintf(out, "       kombitron-cli %s\n", c.usage);
}

} // namespace

int main(int argc, char** argv)
{
    // Numbers in listings follow the Spanish format the program uses by default.
    kombitron::setNumberFormat({".", ","});
    if (argc < 2) {
        printUsage(stderr);
        return kExitUsage;
    }
    const std::string word = argv[1];
    if (word == "--version") {
        std::printf("KOMBITRON %s\n", KOMBITRON_VERSION);
        return 0;
    }
    if (word == "--help" || word == "-h") {
        printUsage(stdout);
        return 0;
    }
    for (const auto& c : kCommands)
        if (word == c.name) return c.run(argc - 2, argv + 2);
    std::fprintf(stderr, "kombitron-cli: unknown command '%s'\n", word.c_str());
    printUsage(stderr);
    return kExitUsage;
}
