#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/terminal.h"
#include "flows/viewer_flow.h"

namespace kombitron::cli {

namespace {

struct TicketsOptions {
    std::string file;
    bool reintegros = false;
    std::string ticket;
};

int runTickets(const TicketsOptions& o)
{
    TerminalInteraction ui;
    const ViewerLoad load = loadViewerFile(o.file, o.reintegros, ui);
    if (!load.done()) return kExitRefused;
    TicketViewer viewer;
    viewer.open(GameType::Primitiva);
    // Ticked before the bets arrive, so the first ticket shown already has its reintegros.
    viewer.setReintegrosTicked(o.reintegros);
    viewer.setBets(load.bets);
    if (!o.ticket.empty() && !jumpToTicket(viewer, o.ticket, ui)) return kExitRefused;
    writeOut(viewer.ticketText(o.reintegros));
    return kExitDone;
}

} // namespace

void addTicketsCommand(CommandLine& cli)
{
    auto o = std::make_shared<TicketsOptions>();
    CLI::App& command = cli.add("tickets",
                                "\"VISUALIZAR ARCHIVO DE APUESTAS\": un boleto de ocho apuestas de FILE como lo muestra "
                                "la ventana",
                                [o] { return runTickets(*o); });
    command.add_option("FILE", o->file, "Fichero de apuestas (KMB, o de texto)")->required();
    command.add_flag("--reintegros", o->reintegros, "\"Cargar Reintegros\": lee y muestra también los reintegros");
    command.add_option("--ticket", o->ticket, "Boleto a mostrar, de 1 al número de boletos (por defecto 1)")->type_name("T");
}

} // namespace kombitron::cli
