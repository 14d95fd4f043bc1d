#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/terminal.h"
#include "core/state.h"
#include "engine/generation.h"

namespace kombitron::cli {

namespace {

bool parseGame(const Args& args, GameType& game)
{
    std::string text;
    if (!args.value("--game", text)) return true;
    if (text == "primitiva") game = GameType::Primitiva;
    else if (text == "bonoloto") game = GameType::Bonoloto;
    else return false;
    return true;
}

bool parseMode(const Args& args, ReintegroMode& mode)
{
    std::string text;
    if (!args.value("--mode", text)) return true;
    if (text == "directo") mode = ReintegroMode::Direct;
    else if (text == "secuenciales") mode = ReintegroMode::Sequential;
    else if (text == "aleatorios") mode = ReintegroMode::Random;
    else return false;
    return true;
}

void printBets(const BetList& bets, int64_t count)
{
    // One buffered block per chunk: printing 14 million lines one printf at a time is slow.
    std::string chunk;
    chunk.reserve(1 << 20);
    for (int64_t i = 1; i <= count; ++i) {
        chunk += betRecordText(bets.bet(i));
        chunk += '\n';
        if (chunk.size() > (1u << 20) - 32) {
            std::fwrite(chunk.data(), 1, chunk.size(), stdout);
            chunk.clear();
        }
    }
    std::fwrite(chunk.data(), 1, chunk.size(), stdout);
}

} // namespace

// Optional hook for "--out": the definitive save, supplied by the formats commands.
int saveGeneratedBets(AppState& state, const std::string& out, TerminalInteraction& ui);

int cmdGenerate(int argc, char** argv)
{
    Args args(argc, argv, 0);
    std::string numbersText, reintegrosText;
    std::vector<int> numbers, reintegros;
    AppState state;
    ResetStateDefaults(state);
    GameType game = GameType::Primitiva;
    ReintegroMode mode = ReintegroMode::Direct;
    if (!args.value("--numbers", numbersText) || !parseNumberList(numbersText, 1, 49, numbers) ||
        (args.value("--reintegros", reintegrosText) && !parseNumberList(reintegrosText, 0, 9, reintegros)) ||
        !parseGame(args, game) || !parseMode(args, mode)) {
        std::fprintf(stderr, "usage: kombitron-cli generate --numbers LIST [--game primitiva|bonoloto] "
                             "[--reintegros LIST] [--mode directo|secuenciales|aleatorios] [--count] [--out FILE]\n");
        return kExitUsage;
    }

    // As a player would: choose the game and mode, then mark on the grid.
    selectGame(state, game);
    state.base.reintegroMode = mode;
    for (int v : numbers) setNumberMarked(state, v, true);
    for (int d : reintegros) setReintegroMarked(state, d, true);

    TerminalInteraction ui;
    if (markedNumberCount(state) < kMinMarkedNumbers) {
        ui.warning("AVISO: DEBE SELECCIONAR MINIMO 6 NUMEROS");
        return kExitRefused;
    }
    if (game == GameType::Primitiva && !checkReintegros(state, ui)) return kExitRefused;

    BuildBaseNumbers(state);
    const int64_t total = EnumerateSubsets(state, 6);
    // Nothing conditions the system here: it is the final system as it stands.
    state.conditionedSystem = std::move(state.totalSystem);
    state.conditionedCount = total;
    MapToFinal(state);
    state.reducedCount = total;
    if (game == GameType::Primitiva) AssignReintegros(state);

    std::string out;
    if (args.value("--out", out)) return saveGeneratedBets(state, out, ui);
    if (args.has("--count")) std::printf("%lld\n", static_cast<long long>(total));
    else printBets(state.finalSystem, total);
    return 0;
}

} // namespace kombitron::cli
