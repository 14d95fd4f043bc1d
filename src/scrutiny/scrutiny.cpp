#include "scrutiny/scrutiny.h"

#include <algorithm>

#include "core/format.h"

namespace kombitron {

namespace {

// Below this many bets one core does the whole scrutiny.
constexpr int64_t kParallelScrutiny = 1 << 16;

} // namespace

bool complementaryIsRepeated(const WinningCombination& winning)
{
    if (winning.complementary == 0) return false;
    return std::find(winning.numbers.begin(), winning.numbers.end(), winning.complementary) != winning.numbers.end();
}

ScrutinyResult RunScrutiny(const ScrutinyInputs& inputs, Progress& progress, const StopToken& stop)
{
    return guardJob<ScrutinyResult>([&](ScrutinyResult& result) {
        if (complementaryIsRepeated(inputs.winning)) {
            result.refused = true;
            return;
        }
        const int64_t available = inputs.bets ? inputs.bets->size() : 0;
        const int64_t count = std::clamp<int64_t>(inputs.count, 0, available);
        result.bets = count;
        result.tickets = ticketCount(count);
        result.hitsPerBet.assign(static_cast<size_t>(count), 0);
        if (count == 0) return;

        const BetList& bets = *inputs.bets;
        const uint64_t winningMask = numberMask(inputs.winning.numbers.data());
        const uint64_t complementaryBit = numberBit(inputs.winning.complementary);
        const uint8_t drawnReintegro = inputs.winning.reintegro;
        uint8_t* hitsOut = result.hitsPerBet.data();
        for (int64_t first = 1; first <= count; first += kScrutinyReportInterval) {
            if (stop.stopRequested()) {
                result.markStopped();
                return;
            }
            const int64_t last = std::min(count, first + kScrutinyReportInterval - 1);
            int64_t hits[7] = {};
            int64_t fiveC = 0, reintegros = 0;
#pragma omp parallel for schedule(static) reduction(+ : hits[:7], fiveC, reintegros) \
    if (last - first >= kParallelScrutiny)
            for (int64_t i = first; i <= last; ++i) {
                const uint8_t* bet = bets.bet(i);
                const uint64_t mask = numberMask(bet);
                const int h = hitsOf(mask, winningMask);
                hitsOut[i - 1] = static_cast<uint8_t>(h);
                ++hits[h];
                fiveC += (h == 5) & ((mask & complementaryBit) != 0);
                reintegros += bet[6] == drawnReintegro;
            }
            for (int h = 0; h <= 6; ++h) result.tally.hits[static_cast<size_t>(h)] += hits[h];
            result.tally.fiveWithComplementary += fiveC;
            result.reintegros += reintegros;
            progress.report(last, count);
        }
    });
}

std::vector<std::string> prizeListLines(const ScrutinyResult& result, GameType game)
{
    const HitTally& t = result.tally;
    const auto line = [](const char* category, int64_t count) { return std::string(category) + "\t" + formatCount(count); };
    std::vector<std::string> lines = {
        line("6", t.hits[6]), line("5+C", t.fiveWithComplementary), line("5", t.fiveWithoutComplementary()),
        line("4", t.hits[4]), line("3", t.hits[3]), line("2", t.hits[2]), line("1", t.hits[1]), line("0", t.hits[0]),
    };
    if (game == GameType::Primitiva) {
        lines.push_back("--------");
        lines.push_back(line("Reinteg.", result.reintegros));
    }
    return lines;
}

std::array<int64_t, 5> calculatorCounts(const HitTally& tally)
{
    return {tally.hits[6], tally.fiveWithComplementary, tally.fiveWithoutComplementary(), tally.hits[4], tally.hits[3]};
}

std::string prizedTicketsReport(const BetList& bets, const std::vector<uint8_t>& hitsPerBet, unsigned complementary)
{
    const int64_t count = std::min<int64_t>(bets.size(), static_cast<int64_t>(hitsPerBet.size()));
    const uint64_t complementaryBit = numberBit(complementary);
    std::string out = "BOLETO 01  02  03  04  05  06  07  08\r\n";
    for (int64_t first = 1; first <= count; first += kBetsPerTicket) {
        const int64_t last = std::min(count, first + kBetsPerTicket - 1);
        bool prized = false;
        for (int64_t i = first; i <= last; ++i) prized = prized || hitsPerBet[static_cast<size_t>(i - 1)] >= 3;
        if (!prized) continue;
        out += padLeft(std::to_string(ticketCount(first)), 6);
        out += ' ';
        for (int64_t i = first; i <= last; ++i) {
            switch (hitsPerBet[static_cast<size_t>(i - 1)]) {
            case 3: out += " 3  "; break;
            case 4: out += " 4  "; break;
            case 5: out += (numberMask(bets.bet(i)) & complementaryBit) ? "5+C " : " 5  "; break;
            case 6: out += " 6  "; break;
            default: out += "--  "; break;
            }
        }
        out += "\r\n";
    }
    return out;
}

SharedBets reducedSystemBets(const AppState& state)
{
    const int64_t count = std::clamp<int64_t>(state.reducedCount, 0, state.finalSystem.size());
    auto bets = std::make_shared<BetList>(count);
    if (count > 0) std::copy_n(state.finalSystem.data(), count * kBetBytes, bets->data());
    return bets;
}

WinningCombination winningFromMarks(const std::array<uint8_t, 50>& marked, uint8_t complementary, uint8_t reintegro)
{
    WinningCombination winning;
    size_t k = 0;
    for (int n = kMinNumber; n <= kMaxNumber && k < winning.numbers.size(); ++n)
        if (marked[static_cast<size_t>(n)]) winning.numbers[k++] = static_cast<uint8_t>(n);
    winning.complementary = complementary;
    winning.reintegro = reintegro;
    return winning;
}

} // namespace kombitron
