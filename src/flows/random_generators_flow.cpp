#include "flows/random_generators_flow.h"

#include <algorithm>

#include "tools/random_by_numbers.h"

namespace kombitron {

namespace {
ToolSaveOutcome refused(const ToolNotice& notice, Interaction& ui)
{
    showToolNotice(notice, ui);
    ToolSaveOutcome outcome;
    outcome.markFailed(notice.text);
    return outcome;
}

ToolSaveOutcome ended(const JobOutcome& job, Interaction& ui)
{
    ToolSaveOutcome outcome;
    outcome.status = job.status;
    outcome.failure = job.failure;
    if (job.failed()) ui.error("ERROR: " + job.failure);
    return outcome;
}
} // namespace

ToolSaveOutcome generateRandomBetsByNumbers(const std::vector<uint8_t>& marked, const std::string& countText,
                                            uint64_t seed, Interaction& ui)
{
    // The numbers as a grid holds them: each once, ascending, within 1..49.
    std::vector<uint8_t> numbers;
    for (int v = kMinNumber; v <= kMaxNumber; ++v)
        if (std::find(marked.begin(), marked.end(), v) != marked.end()) numbers.push_back(static_cast<uint8_t>(v));
    int64_t count = 0;
    // The total system's size is known before the shuffle, so a count above it is refused first
    // rather than after shuffling up to 13,983,816 entries for nothing.
    if (auto notice = checkRandomBetsByNumbers(static_cast<int>(numbers.size()), countText, count))
        return refused(*notice, ui);

    const StopToken stop(ui.stopToken());
    const SubsetShuffle shuffled = runShuffleSubsets({static_cast<int>(numbers.size()), seed}, ui.progress(), stop);
    if (!shuffled.done()) return ended(shuffled, ui);

    const std::string path = askToolSavePath(randomBetsProposedName(count), ui);
    if (path.empty()) return ToolSaveOutcome{};
    ui.progress().caption(kWaitingSaveCaption);
    return finishToolSave(runWriteRandomBetsByNumbers({numbers, shuffled.order, count, path}, ui.progress(), stop), ui);
}

ToolSaveOutcome generateRandomBetsByPercentages(const PercentageShares& percentages, const std::string& countText,
                                                uint64_t seed, Interaction& ui)
{
    int64_t count = 0;
    if (auto notice = checkRandomBetsByPercentages(percentages, countText, count)) return refused(*notice, ui);
    const std::string path = askToolSavePath(randomBetsProposedName(count), ui);
    if (path.empty()) return ToolSaveOutcome{};
    ui.progress().caption(kWaitingSaveCaption);
    return finishToolSave(
        runRandomBetsByPercentages({percentages, count, seed, path}, ui.progress(), ui.stopToken()), ui);
}

} // namespace kombitron
