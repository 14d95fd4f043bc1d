#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "cli/terminal.h"
#include "core/paths.h"
#include "core/state.h"
#include "formats/base_file.h"
#include "formats/bet_files.h"
#include "formats/definitive_save.h"
#include "formats/import_base.h"

namespace kombitron::cli {

namespace {

void printBets(const BetList& bets)
{
    // One buffered block per chunk: 14 million lines one printf at a time are slow.
    std::string chunk;
    chunk.reserve(1 << 20);
    for (int64_t i = 1; i <= bets.size(); ++i) {
        chunk += betRecordText(bets.bet(i));
        chunk += '\n';
        if (chunk.size() > (1u << 20) - 32) {
            std::fwrite(chunk.data(), 1, chunk.size(), stdout);
            chunk.clear();
        }
    }
    std::fwrite(chunk.data(), 1, chunk.size(), stdout);
}

int usage(const char* text)
{
    std::fprintf(stderr, "usage: kombitron-cli %s\n", text);
    return kExitUsage;
}

} // namespace

int cmdView(int argc, char** argv)
{
    Args args(argc, argv, 0);
    const auto words = args.positional({});
    if (words.size() != 1) return usage("view FILE [--reintegros]");
    TerminalInteraction ui;
    const BetFileRead read = ReadBetFile(words[0], args.has("--reintegros"), ui);
    if (!read.ok()) return kExitRefused;
    printBets(read.bets);
    return 0;
}

int cmdImport(int argc, char** argv)
{
    Args args(argc, argv, 0);
    const auto words = args.positional({"--game"});
    std::string game = "primitiva";
    args.value("--game", game);
    if (words.size() != 1 || (game != "primitiva" && game != "bonoloto"))
        return usage("import FILE [--reintegros] [--game primitiva|bonoloto]");
    AppState state;
    ResetStateDefaults(state);
    selectGame(state, game == "bonoloto" ? GameType::Bonoloto : GameType::Primitiva);
    state.base.loadReintegros = args.has("--reintegros");
    TerminalInteraction ui;
    if (!ImportAsBase(state, words[0], ui)) return kExitRefused;
    printBets(state.base.importedBets);
    return 0;
}

int cmdConvert(int argc, char** argv)
{
    Args args(argc, argv, 0);
    const auto words = args.positional({});
    if (words.size() != 2) return usage("convert IN OUT [--reintegros]");
    TerminalInteraction ui;
    const BetFileRead read = ReadBetFile(words[0], args.has("--reintegros"), ui);
    if (!read.ok()) return kExitRefused;
    const BetFileWrite written = WriteBetFile(words[1], "0", read.bets, read.bets.size(), ui.progress(), ui.stopFlag());
    if (!written.ok()) {
        ui.error(written.failure);
        return kExitRefused;
    }
    return 0;
}

int cmdBase(int argc, char** argv)
{
    Args args(argc, argv, 0);
    const auto words = args.positional({"--save"});
    std::string out;
    if (words.size() != 1 || !args.value("--save", out)) return usage("base IN.xml --save OUT.xml");
    AppState state;
    ResetStateDefaults(state);
    TerminalInteraction ui;
    ReadBaseFile(state, words[0], ui);
    std::string failure;
    if (!WriteBaseFile(state, applySaveExtension(out, ".xml"), failure)) {
        ui.error("ERROR AL GUARDAR EL FICHERO EN XML (" + failure + ")");
        return kExitRefused;
    }
    return 0;
}

int saveGeneratedBets(AppState& state, const std::string& out, TerminalInteraction& ui)
{
    // The save dialog of the terminal answers with the path given on the command line.
    ui.savePath = out;
    return RunDefinitiveSave(state, ui) ? 0 : kExitRefused;
}

} // namespace kombitron::cli
