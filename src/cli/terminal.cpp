#include "cli/terminal.h"

#include <algorithm>
#include <cstdio>

namespace kombitron::cli {

void TerminalInteraction::message(MessageKind kind, const std::string& text)
{
    if (kind == MessageKind::Error) errorShown = true;
    std::fprintf(stderr, "%s\n", text.c_str());
}

bool TerminalInteraction::question(const std::string& text)
{
    std::fprintf(stderr, "%s [%s]\n", text.c_str(), answerYes_ ? "Sí" : "No");
    return answerYes_;
}

void StderrProgress::report(int64_t done, int64_t total)
{
    const int64_t tenth = total > 0 ? done * 10 / total : 0;
    if (tenth == last_) return;
    last_ = tenth;
    std::fprintf(stderr, "%lld%%\n", static_cast<long long>(tenth * 10));
}

void StderrProgress::caption(std::string_view text)
{
    last_ = -1;
    if (!text.empty()) std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
}

void writeOut(std::string_view text) { std::fwrite(text.data(), 1, text.size(), stdout); }

void printBets(const BetList& bets, int64_t count)
{
    // One buffered block per chunk: 14 million lines one printf at a time are slow.
    std::string chunk;
    chunk.reserve(1 << 20);
    const int64_t last = std::min(count, bets.size());
    for (int64_t i = 1; i <= last; ++i) {
        chunk += betRecordText(bets.bet(i));
        chunk += '\n';
        if (chunk.size() > (1u << 20) - 32) {
            writeOut(chunk);
            chunk.clear();
        }
    }
    writeOut(chunk);
}

} // namespace kombitron::cli
