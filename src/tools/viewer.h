#pragma once

// The bet-file viewer: the bets of a file as paper tickets of eight bets, one ticket at a time.

#include <cstdint>
#include <optional>
#include <string>

#include "core/bet.h"
#include "core/job.h"
#include "tools/tool_common.h"

namespace kombitron {

inline constexpr int kTicketBets = 8;

// What the viewer window and the command line show: the loaded bets, the ticket on show and the
// state of the reintegro row. A window draws its cells from it; the command line prints ticketText().
class TicketViewer {
public:
    // Opening the window: nothing loaded ("Boleto actual : 0/0"); for BONOLOTO the reintegro row,
    // its label and "Cargar Reintegros" are hidden and the box is cleared, for PRIMITIVA shown.
    void open(GameType game);
    bool reintegroRowVisible() const { return reintegroRowVisible_; }

    // Replace the bets and show ticket 1; with no bets, back to "Boleto actual : 0/0".
    void setBets(SharedBets bets);
    void clear() { setBets(nullptr); }

    int64_t betCount() const { return bets_ ? bets_->size() : 0; }
    // T = ceil(N / 8).
    int64_t ticketCount() const { return (betCount() + kTicketBets - 1) / kTicketBets; }
    // The ticket on show, 1..T; 0 before a file with bets is loaded.
    int64_t currentTicket() const { return ticket_; }
    // "Boleto actual : " + t + "/" + T.
    std::string statusText() const;

    // Show ticket t when 1 <= t <= T; false, and nothing changes, otherwise.
    bool showTicket(int64_t ticket);
    void first() { showTicket(1); }
    void last() { showTicket(ticketCount()); }
    void previous() { showTicket(ticket_ - 1); }
    void next();

    // "Avanzar boleto" is enabled while 8t < N; "Retroceder boleto" is shown after ticket 1.
    bool canAdvance() const { return ticket_ > 0 && kTicketBets * ticket_ < betCount(); }
    bool previousVisible() const { return ticket_ > 1; }

    // The jump of "Ir al Boleto :": the ticket typed (digits), or the error with T when it is not
    // within 1..T.
    std::optional<ToolNotice> jump(const std::string& text);

    // "Cargar Reintegros": unticking empties the reintegro row at once; ticking shows reintegros
    // from the next ticket shown.
    void setReintegrosTicked(bool ticked);
    bool reintegrosTicked() const { return reintegrosTicked_; }

    // The two digits of number `position` (0..5) of the bet in `column` (0..7), empty for a
    // column past the last bet.
    std::string numberCell(int column, int position) const;
    // The reintegro of the bet in `column` as two digits while the row shows reintegros, else empty.
    std::string reintegroCell(int column) const;

    // The ticket as text: the status line, then six lines, one per number position, each with the
    // eight columns' cells separated by one space (an empty column as two spaces); with
    // `withReintegros`, a seventh line of the eight reintegro cells. Lines end with "\n".
    std::string ticketText(bool withReintegros) const;

private:
    // The bet in a column of the ticket on show, or nullptr.
    const uint8_t* betInColumn(int column) const;

    SharedBets bets_;
    int64_t ticket_ = 0;
    bool reintegrosTicked_ = false;
    bool reintegroRowFilled_ = false;
    bool reintegroRowVisible_ = true;
};

inline constexpr const char* kViewerNoTicketStatus = "Boleto actual : 0/0";

struct ViewerLoadInputs {
    std::string path;            // the KMB reader when its extension is "KMB" (any case), else the text reader
    bool withReintegros = false; // the text reader reads reintegros ("Cargar Reintegros" ticked)
};

struct ViewerLoad : JobOutcome {
    std::string path;
    SharedBets bets;                    // Done: possibly with no bets
    std::vector<std::string> warnings;  // limit notices of the reader, shown first
};

// Read a file for the viewer. Failed: `failure` is the whole import error.
ViewerLoad runLoadViewerFile(const ViewerLoadInputs& inputs, Progress& progress, const StopToken& stop);

} // namespace kombitron
