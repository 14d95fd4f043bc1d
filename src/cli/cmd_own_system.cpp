#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cli/commands.h"
#include "cli/terminal.h"
#include "cli/tool_options.h"
#include "core/paths.h"
#include "flows/own_system_flow.h"

namespace kombitron::cli {

namespace {

struct OwnSystemOptions {
    std::string origin;
    std::string to;
    std::string order;
    std::string out;
};

// "12:3,20:5": destination number, ":", origin number.
bool parseOrder(const std::string& text, std::vector<std::pair<int, int>>& pairs)
{
    pairs.clear();
    size_t start = 0;
    while (true) {
        size_t comma = text.find(',', start);
        if (comma == std::string::npos) comma = text.size();
        const std::string item = text.substr(start, comma - start);
        const size_t colon = item.find(':');
        std::vector<int> destination, origin;
        if (colon == std::string::npos || !parseNumberList(item.substr(0, colon), kMinNumber, kMaxNumber, destination) ||
            !parseNumberList(item.substr(colon + 1), kMinNumber, kMaxNumber, origin) || destination.size() != 1 ||
            origin.size() != 1)
            return false;
        pairs.emplace_back(destination.front(), origin.front());
        if (comma == text.size()) return true;
        start = comma + 1;
    }
}

CLI::Validator OrderList()
{
    return CLI::Validator(
        [](std::string& text) {
            std::vector<std::pair<int, int>> pairs;
            if (parseOrder(text, pairs)) return std::string();
            return "«" + text + "» no es una lista DESTINO:ORIGEN de números de 1 a 49 (por ejemplo 12:3,20:5)";
        },
        "", "orden");
}

int runOwnSystem(const OwnSystemOptions& o)
{
    std::vector<int> numbers;
    parseNumberList(o.to, kMinNumber, kMaxNumber, numbers);
    OwnSystemDestination destination;
    for (int number : numbers) setDestinationMarked(destination, number, true);
    std::vector<std::pair<int, int>> order;
    if (!o.order.empty()) {
        parseOrder(o.order, order);
        for (const auto& [to, from] : order) {
            if (!destination.marked[static_cast<size_t>(to)]) {
                std::fprintf(stderr, "kombitron-cli: --order: el %d no es un número de --to\n", to);
                return kExitUsage;
            }
        }
    }

    TerminalInteraction ui;
    const OwnSystemOriginLoad load = loadOwnSystemOrigin(o.origin, ui);
    if (!load.done()) return kExitRefused;
    if (!o.order.empty()) {
        setChooseOrder(destination, true);
        for (const auto& [to, from] : order)
            if (!chooseOwnSystemOrigin(destination, to, from, ui)) return kExitRefused;
    }
    ui.savePath = o.out;
    return printToolSave(saveOwnSystem(load.origin, destination, fileNameOf(o.origin), ui));
}

} // namespace

void addOwnSystemCommand(CommandLine& cli)
{
    auto o = std::make_shared<OwnSystemOptions>();
    CLI::App& command = cli.add("own-system",
                                "\"SISTEMAS PROPIOS\": las apuestas de ORIGIN pasadas a los números de --to, número a "
                                "número, guardadas en FILE (.KMB)",
                                [o] { return runOwnSystem(*o); });
    command.add_option("ORIGIN", o->origin, "Sistema origen (KMB, o de texto)")->required();
    command.add_option("--to", o->to, "Números del sistema destino: tantos como números usa el origen")
        ->required()
        ->check(NumberListIn(kMinNumber, kMaxNumber))
        ->type_name("LISTA");
    command.add_option("--order", o->order,
                       "\"Elegir orden\": qué número del origen sustituye cada número del destino; sin ella, el "
                       "i-ésimo número del destino sustituye al i-ésimo del origen")
        ->check(OrderList())
        ->type_name("DESTINO:ORIGEN,...");
    command.add_option("--out", o->out, "Fichero a guardar; sin extensión, o con otra, termina en .KMB")
        ->required()
        ->type_name("FILE");
}

} // namespace kombitron::cli
