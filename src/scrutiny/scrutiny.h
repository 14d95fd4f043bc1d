#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/bet.h"
#include "core/job.h"
#include "core/state.h"
#include "scrutiny/hit_count.h"

namespace kombitron {

inline constexpr const char* kComplementaryRepeatedWarning =
    "El número complementario ha de ser distinto de los números elegidos";
inline constexpr const char* kPrizedTicketsFileName = "KOMBITRON_PREMIOS.txt";
inline constexpr int kBetsPerTicket = 8;
// Bets between two progress reports (and stop checks) of a scrutiny.
inline constexpr int64_t kScrutinyReportInterval = 1 << 20;

// Tickets ("boletos") a list of `bets` fills, eight bets each: bets / 8 rounded up.
constexpr int64_t ticketCount(int64_t bets) { return bets <= 0 ? 0 : (bets + kBetsPerTicket - 1) / kBetsPerTicket; }

// True when the complementary (not 0) is one of the winning numbers: the scrutiny refuses it.
bool complementaryIsRepeated(const WinningCombination& winning);


struct ScrutinyInputs {
    SharedBets bets;                 // the bets to scrutinise (none: an empty list)
    int64_t count = 0;               // ApuestasATRATAR: bets 1..count are scrutinised (clamped to the list)
    WinningCombination winning;      // marked numbers ascending (0 beyond those marked), complementary
                                     // (0 for "--") and the drawn reintegro
};

struct ScrutinyResult : JobOutcome {
    bool refused = false;            // the complementary repeats a winning number: nothing scrutinised
    int64_t bets = 0;                // bets scrutinised
    int64_t tickets = 0;
    HitTally tally;                  // c[0..6] and c5C
    int64_t reintegros = 0;          // cR: bets whose reintegro is the drawn one, whatever their hits
    std::vector<uint8_t> hitsPerBet; // hits of bet i at index i-1
};

// RunScrutiny: refuse a repeated complementary, else count, for bets 1..count, the hits on the
// winning numbers (64-bit masks, on all cores), the 5-hit bets holding the complementary and
// the bets with the drawn reintegro. Reports every kScrutinyReportInterval bets and stops there
// when asked (the result is then incomplete and stopped).
ScrutinyResult RunScrutiny(const ScrutinyInputs& inputs, Progress& progress, const StopToken& stop);

// The lines of `lstPremios`: "6", "5+C", "5", "4", "3", "2", "1", "0", and for PRIMITIVA
// "--------" and "Reinteg.", each category followed by a TAB and its count ("#,#,0").
std::vector<std::string> prizeListLines(const ScrutinyResult& result, GameType game);

// The five counts the prize calculator receives: 6, 5+C, 5 (without the complementary), 4, 3.
std::array<int64_t, 5> calculatorCounts(const HitTally& tally);

// KOMBITRON_PREMIOS.txt: the header, then one row per ticket of eight bets that holds a bet of
// three or more hits: the ticket number right-aligned in six, a space and a four-character cell
// per bet. `hitsPerBet` from RunScrutiny over the same bets; `complementary` 0 for none.
std::string prizedTicketsReport(const BetList& bets, const std::vector<uint8_t>& hitsPerBet, unsigned complementary);

// Bets 1..reducedCount of the final system, to scrutinise in mode "Combinación actual".
SharedBets reducedSystemBets(const AppState& state);

// The winning combination of the grid: the marked numbers ascending (at most six), the rest 0.
WinningCombination winningFromMarks(const std::array<uint8_t, 50>& marked, uint8_t complementary, uint8_t reintegro);

} // namespace kombitron
