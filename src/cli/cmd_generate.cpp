#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/terminal.h"
#include "core/state.h"
#include "engine/generation.h"
#include "flows/definitive_save.h"

namespace kombitron::cli {

namespace {

struct GenerateOptions {
    std::string numbers;
    std::string reintegros;
    std::string game = "primitiva";
    std::string mode = "directo";
    bool count = false;
    std::string out;
};

int runGenerate(const GenerateOptions& o)
{
    std::vector<int> numbers, reintegros;
    parseNumberList(o.numbers, 1, 49, numbers);
    if (!o.reintegros.empty()) parseNumberList(o.reintegros, 0, 9, reintegros);
    const GameType game = o.game == "bonoloto" ? GameType::Bonoloto : GameType::Primitiva;
    const ReintegroMode mode = o.mode == "secuenciales" ? ReintegroMode::Sequential
                               : o.mode == "aleatorios" ? ReintegroMode::Random
                                                        : ReintegroMode::Direct;

    // As a player would: choose the game and mode, then mark on the grid.
    AppState state;
    ResetStateDefaults(state);
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

    if (!o.out.empty()) {
        // The save dialog of the terminal answers with the path given on the command line.
        ui.savePath = o.out;
        return runDefinitiveSave(state, ui) ? kExitDone : kExitRefused;
    }
    if (o.count) std::printf("%lld\n", static_cast<long long>(total));
    else printBets(state.finalSystem, total);
    return kExitDone;
}

} // namespace

void addGenerateCommand(CommandLine& cli)
{
    auto o = std::make_shared<GenerateOptions>();
    CLI::App& command = cli.add("generate",
                                "Marca los números y reintegros como en la cuadrícula y lista todas las apuestas del "
                                "sistema total, como 01,02,03,04,05,06+07",
                                [o] { return runGenerate(*o); });
    command.add_option("--numbers", o->numbers, "Números marcados: lista de números y rangos, 1-10,15,20")
        ->required()
        ->check(NumberListIn(1, 49))->type_name("LISTA");
    command.add_option("--game", o->game, "Juego")->check(OneOf({"primitiva", "bonoloto"}))->type_name("primitiva|bonoloto");
    command.add_option("--reintegros", o->reintegros, "Reintegros marcados: lista de 0 a 9")->check(NumberListIn(0, 9))->type_name("LISTA");
    command.add_option("--mode", o->mode, "Tipo de reintegro")->check(OneOf({"directo", "secuenciales", "aleatorios"}))->type_name("directo|secuenciales|aleatorios");
    command.add_flag("--count", o->count, "Solo el número de apuestas");
    command.add_option("--out", o->out, "Guarda como \"Cálculo Definitivo\": el fichero KMB y el XML a su lado")
        ->type_name("FILE");
}

} // namespace kombitron::cli
