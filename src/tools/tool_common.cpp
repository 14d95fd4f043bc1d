#include "tools/tool_common.h"

#include <algorithm>
#include <exception>

#include "core/format.h"
#include "formats/bet_files.h"

namespace kombitron {

namespace {

// The readers and the writer poll a StopFlag right after each progress report, while a job
// holds a StopToken. The relay raises a flag of its own when the token asks for a stop, so the
// job stops them without touching its caller's request.
class StopRelay : public Progress {
public:
    StopRelay(Progress& inner, const StopToken& token) : inner_(inner), token_(token)
    {
        if (token_.stopRequested()) flag_.request();
    }
    void report(int64_t done, int64_t total) override
    {
        inner_.report(done, total);
        if (token_.stopRequested()) flag_.request();
    }
    void caption(std::string_view text) override { inner_.caption(text); }
    const StopFlag& flag() const { return flag_; }

private:
    Progress& inner_;
    const StopToken& token_;
    StopFlag flag_;
};

// Six ascending numbers after a sort: out of range first, then a repeated number, which the
// sort leaves beside its twin.
enum class BetDefect : uint8_t { None, OutOfRange, Repeated };

BetDefect sortAndInspect(uint8_t* b)
{
    // Files the program wrote hold sorted bets: only the others pay for the sort.
    if (b[0] >= kMinNumber && b[0] < b[1] && b[1] < b[2] && b[2] < b[3] && b[3] < b[4] && b[4] < b[5] &&
        b[5] <= kMaxNumber)
        return BetDefect::None;
    std::sort(b, b + 6);
    if (b[0] < kMinNumber || b[5] > kMaxNumber) return BetDefect::OutOfRange;
    for (int j = 1; j < 6; ++j)
        if (b[j] == b[j - 1]) return BetDefect::Repeated;
    return BetDefect::None;
}

} // namespace

std::string numbersCaption(int n) { return std::to_string(n) + " Números"; }

std::string twoDigitHeader(const std::vector<uint8_t>& numbers)
{
    std::string header;
    for (uint8_t v : numbers) header += formatTwoDigits(v);
    return header;
}

int64_t parseBetCount(const std::string& text)
{
    if (text.empty()) return 0;
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return 0;
        value = std::min(value * 10 + (c - '0'), kMaxRequestedBets);
    }
    return value;
}

std::string sortAndCheckBets(BetList& bets)
{
    const int64_t count = bets.size();
    uint8_t* data = bets.data();
    int64_t firstBad = count + 1;
#pragma omp parallel for schedule(static) reduction(min : firstBad) if (count > 100000)
    for (int64_t i = 0; i < count; ++i)
        if (sortAndInspect(data + i * kBetBytes) != BetDefect::None) firstBad = std::min(firstBad, i + 1);
    if (firstBad > count) return {};
    const BetDefect defect = sortAndInspect(bets.bet(firstBad));
    const std::string what = defect == BetDefect::OutOfRange ? "Apuestas con números fuera del intervalo 1-49 (Apuesta "
                                                             : "Apuestas con números no en orden ascendente (Apuesta ";
    return importValidationMessage(what + std::to_string(firstBad) + ")");
}

std::string prepareToolSystem(BetList& bets, NumberCounts& counts)
{
    const int64_t count = bets.size();
    uint8_t* data = bets.data();
    int64_t firstBad = count + 1;
    int64_t tally[kMaxNumber + 1] = {};
#pragma omp parallel for schedule(static) reduction(min : firstBad) reduction(+ : tally[:kMaxNumber + 1]) if (count > 100000)
    for (int64_t i = 0; i < count; ++i) {
        uint8_t* b = data + i * kBetBytes;
        if (sortAndInspect(b) != BetDefect::None) {
            firstBad = std::min(firstBad, i + 1);
            continue;
        }
        for (int j = 0; j < 6; ++j) ++tally[b[j]];
        b[6] = 0;
    }
    if (firstBad <= count) return sortAndCheckBets(bets);
    std::copy(tally, tally + kMaxNumber + 1, counts.begin());
    return {};
}

BetFileLoad runLoadBetFile(const BetFileLoadInputs& inputs, Progress& progress, const StopToken& stop)
{
    return guardJob<BetFileLoad>([&](BetFileLoad& result) {
        try {
            StopRelay relay(progress, stop);
            BetFileRead read = inputs.kmb ? ReadBetFileKmb(inputs.path, relay, relay.flag())
                                          : ReadBetFileText(inputs.path, inputs.withReintegros, relay, relay.flag());
            result.warnings = std::move(read.warnings);
            if (read.status == BetFileStatus::Stopped) result.markStopped();
            else if (!read.ok()) result.markFailed(read.failure);
            else result.bets = std::move(read.bets);
        } catch (...) {
            result.bets.clear();
            result.markFailed(importErrorMessage(describeJobException(std::current_exception())));
        }
    });
}

std::string saveErrorMessage(const std::string& description) { return "ERROR AL GUARDAR EL FICHERO (" + description + ")"; }

BetFileSave runSaveBetFile(const BetFileSaveInputs& inputs, Progress& progress, const StopToken& stop)
{
    return guardJob<BetFileSave>([&](BetFileSave& result) {
        try {
            static const BetList kNoBets;
            const BetList& bets = inputs.bets ? *inputs.bets : kNoBets;
            StopRelay relay(progress, stop);
            const BetFileWrite written = WriteBetFile(inputs.path, inputs.header, bets, bets.size(), relay, relay.flag());
            if (written.status == BetFileStatus::Stopped) {
                result.markStopped();
            } else if (!written.ok()) {
                result.markFailed(written.failure);
            } else {
                result.path = inputs.path;
                result.count = bets.size();
            }
        } catch (...) {
            result.markFailed(saveErrorMessage(describeJobException(std::current_exception())));
        }
    });
}

} // namespace kombitron
