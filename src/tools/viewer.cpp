#include "tools/viewer.h"

#include <memory>
#include <utility>

#include "core/format.h"
#include "formats/bet_files.h"

namespace kombitron {

void TicketViewer::open(GameType game)
{
    clear();
    reintegroRowVisible_ = game == GameType::Primitiva;
    if (!reintegroRowVisible_) setReintegrosTicked(false);
}

void TicketViewer::setBets(SharedBets bets)
{
    bets_ = bets && !bets->empty() ? std::move(bets) : nullptr;
    ticket_ = 0;
    reintegroRowFilled_ = false;
    showTicket(1);
}

std::string TicketViewer::statusText() const
{
    return "Boleto actual : " + std::to_string(ticket_) + "/" + std::to_string(ticketCount());
}

bool TicketViewer::showTicket(int64_t ticket)
{
    if (ticket < 1 || ticket > ticketCount()) return false;
    ticket_ = ticket;
    reintegroRowFilled_ = reintegrosTicked_;
    return true;
}

void TicketViewer::next()
{
    if (canAdvance()) showTicket(ticket_ + 1);
}

std::optional<ToolNotice> TicketViewer::jump(const std::string& text)
{
    int64_t ticket = text.empty() ? 0 : parseBetCount(text);
    if (!showTicket(ticket))
        return ToolNotice{MessageKind::Error,
                          "ERROR: EL NUMERO DE BOLETO DEBE ESTAR ENTRE 1 y " + std::to_string(ticketCount())};
    return std::nullopt;
}

void TicketViewer::setReintegrosTicked(bool ticked)
{
    reintegrosTicked_ = ticked;
    if (!ticked) reintegroRowFilled_ = false;
}

const uint8_t* TicketViewer::betInColumn(int column) const
{
    if (ticket_ < 1 || column < 0 || column >= kTicketBets) return nullptr;
    const int64_t index = (ticket_ - 1) * kTicketBets + column + 1;
    return index <= betCount() ? bets_->bet(index) : nullptr;
}

std::string TicketViewer::numberCell(int column, int position) const
{
    const uint8_t* bet = betInColumn(column);
    return bet && position >= 0 && position < 6 ? formatTwoDigits(bet[position]) : std::string();
}

std::string TicketViewer::reintegroCell(int column) const
{
    const uint8_t* bet = betInColumn(column);
    return bet && reintegroRowFilled_ ? formatTwoDigits(bet[6]) : std::string();
}

std::string TicketViewer::ticketText(bool withReintegros) const
{
    auto row = [](auto cell) {
        std::string line;
        for (int column = 0; column < kTicketBets; ++column) {
            if (column > 0) line += ' ';
            const std::string text = cell(column);
            line += text.empty() ? "  " : text;
        }
        return line + "\n";
    };
    std::string out = statusText() + "\n";
    for (int position = 0; position < 6; ++position)
        out += row([&](int column) { return numberCell(column, position); });
    if (withReintegros) out += row([&](int column) { return reintegroCell(column); });
    return out;
}

ViewerLoad runLoadViewerFile(const ViewerLoadInputs& inputs, Progress& progress, const StopToken& stop)
{
    BetFileLoad read = runLoadBetFile({inputs.path, isKmbPath(inputs.path), inputs.withReintegros}, progress, stop);
    return guardJob<ViewerLoad>([&](ViewerLoad& result) {
        result.path = inputs.path;
        result.warnings = std::move(read.warnings);
        if (!read.done()) {
            result.status = read.status;
            result.failure = std::move(read.failure);
            return;
        }
        result.bets = std::make_shared<const BetList>(std::move(read.bets));
    });
}

} // namespace kombitron
