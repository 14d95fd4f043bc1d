#include "cli/scrutiny_options.h"

#include <array>
#include <vector>

namespace kombitron::cli {

namespace {

// At most six numbers can be marked on the scrutiny grid.
CLI::Validator WinningList()
{
    return CLI::Validator(
        [](std::string& text) {
            std::vector<int> values;
            if (!parseNumberList(text, kMinNumber, kMaxNumber, values))
                return "«" + text + "» no es una lista de números y rangos entre 1 y 49 (por ejemplo 3,12,20-23)";
            std::array<bool, 50> seen{};
            int marked = 0;
            for (int v : values) {
                if (!seen[static_cast<size_t>(v)]) ++marked;
                seen[static_cast<size_t>(v)] = true;
            }
            if (marked > 6) return "«" + text + "» marca más de 6 números";
            return std::string();
        },
        "", "lista");
}

} // namespace

void addScrutinyOptions(CLI::App& command, ScrutinyOptions& o)
{
    command.add_option("BETS", o.bets, "Fichero de apuestas (KMB, o de texto)")->required();
    command.add_option("--winning", o.winning, "Números ganadores, como mucho 6: lista de números y rangos")
        ->required()
        ->check(WinningList())
        ->type_name("LISTA");
    command.add_option("--complementary", o.complementary, "Número complementario (por defecto \"--\", ninguno)")
        ->check(WholeIn(1, 49))
        ->type_name("N");
    command.add_option("--reintegro", o.reintegro, "Reintegro del sorteo (por defecto 0)")->check(WholeIn(0, 9))->type_name("D");
    command.add_option("--game", o.game, "Juego (por defecto primitiva)")
        ->check(OneOf({"primitiva", "bonoloto"}))
        ->type_name("primitiva|bonoloto");
    command.add_flag("--reintegros", o.reintegros, "\"Cargar Reintegros\": lee también el reintegro de cada apuesta");
}

int RunScrutinyFromOptions(const ScrutinyOptions& o, TerminalInteraction& ui, ScrutinyFileLoad& load,
                           ScrutinyInputs& inputs, ScrutinyResult& result)
{
    load = loadScrutinyFile(o.bets, o.reintegros, ui);
    if (ui.errorShown) return kExitRefused;

    std::vector<int> values;
    parseNumberList(o.winning, kMinNumber, kMaxNumber, values);
    std::array<uint8_t, 50> marked{};
    for (int v : values) marked[static_cast<size_t>(v)] = 1;
    inputs.bets = load.bets;
    inputs.count = load.count();
    inputs.winning = winningFromMarks(marked, static_cast<uint8_t>(o.complementary), static_cast<uint8_t>(o.reintegro));

    result = runScrutinyFlow(inputs, ui);
    return result.done() && !result.refused ? kExitDone : kExitRefused;
}

std::string ReportFileText(const std::string& text)
{
    const bool endsWithLine = text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0;
    return endsWithLine ? text : text + "\r\n";
}

} // namespace kombitron::cli
