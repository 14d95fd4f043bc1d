#include "scrutiny/multi_file.h"

#include <algorithm>
#include <cstdio>

#include "core/format.h"
#include "core/paths.h"
#include "formats/bet_files.h"

namespace kombitron {

namespace {

// Bet-to-combination comparisons between two progress reports when the bets are counted one by one.
constexpr int64_t kComparisonsPerReport = 50000000;

// The first `width` characters of a UTF-8 text.
std::string firstCharacters(const std::string& text, size_t width)
{
    size_t chars = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (chars == width) return text.substr(0, i);
            ++chars;
        }
    }
    return text;
}

// A count left-aligned in a field of `width` followed by `gap` spaces; a wider count widens it.
std::string field(int64_t value, size_t width, size_t gap)
{
    return padRight(std::to_string(value), width) + std::string(gap, ' ');
}

} // namespace

bool addSelectedFiles(std::vector<std::string>& list, const std::vector<std::string>& selection)
{
    if (selection.size() > static_cast<size_t>(kMaxFilesPerSelection)) return false;
    list.insert(list.end(), selection.begin(), selection.end());
    return true;
}

std::string detailReportFileName(int file) { return "KOMBITRON_DETALLEPREMIOS_FICHERO" + std::to_string(file) + ".txt"; }

std::string readingStatus(int file) { return "Ventana de estado : Importando fichero " + std::to_string(file); }

std::string scrutinisingStatus(int file) { return "Ventana de estado : Escrutando fichero " + std::to_string(file); }

std::string scrutinisingPanelTitle(int file, int64_t bets)
{
    return "Escrutando Fichero " + std::to_string(file) + " (" + formatCount(bets) + " Apu.)";
}

std::string multiFileRefusal(int64_t winningCount, size_t fileCount, bool& isError)
{
    isError = true;
    if (winningCount < 1) return kNoWinningFileError;
    if (winningCount > kMaxWinningCombinations) return kTooManyWinningError;
    isError = false;
    if (fileCount == 0) return kNoBetFilesWarning;
    return {};
}

std::string detailLine(int64_t index, const uint8_t* combination, const std::array<int64_t, 7>& hits)
{
    char number[32];
    std::snprintf(number, sizeof number, "%06lld. ", static_cast<long long>(index));
    std::string line = number;
    for (int j = 0; j < 6; ++j) {
        if (j) line += ',';
        line += formatTwoDigits(combination[j]);
    }
    line += " = ";
    for (int h = 6; h >= 0; --h) line += field(hits[static_cast<size_t>(h)], 7, 3);
    line += "\r\n";
    return line;
}

MultiFileResult runMultiFileScrutiny(const MultiFileInputs& inputs, MultiFileProgress& progress, const StopToken& stop)
{
    return guardJob<MultiFileResult>([&](MultiFileResult& result) {
        const int64_t combinations = inputs.winning ? inputs.winning->size() : 0;
        bool isError = false;
        const std::string refusal = multiFileRefusal(combinations, inputs.files.size(), isError);
        if (!refusal.empty()) {
            result.markFailed(refusal);
            return;
        }
        const BetList& winning = *inputs.winning;
        std::vector<uint64_t> winningMasks(static_cast<size_t>(combinations));
        for (int64_t k = 1; k <= combinations; ++k) winningMasks[static_cast<size_t>(k - 1)] = numberMask(winning.bet(k));
        std::string folder = inputs.reportFolder.empty() ? applicationFolder() : inputs.reportFolder;
        if (!folder.empty() && folder.back() != '/') folder += '/';

        result.files.resize(inputs.files.size());
        for (size_t i = 0; i < inputs.files.size(); ++i) result.files[i].path = inputs.files[i];

        std::string& summary = result.summary;
        BetFileCounter counter;
        std::vector<HitTally> tallies;
        for (size_t index = 0; index < inputs.files.size() && !result.stopped(); ++index) {
            if (stop.stopRequested()) {
                result.markStopped();
                break;
            }
            const int file = static_cast<int>(index) + 1;
            MultiFileEntry& entry = result.files[index];
            progress.fileReading(file);
            // The reader's own progress would move the panel's bar; the run's stop is looked at
            // once the file is read.
            Progress quiet;
            StopFlag never;
            BetFileRead read = readBetFile(entry.path, false, quiet, never);
            entry.readWarnings = read.warnings;
            if (read.status == BetFileStatus::Failed) entry.readFailure = read.failure;
            const BetList bets = read.ok() ? std::move(read.bets) : BetList();
            const int64_t m = bets.size();
            entry.bets = m;

            const std::string name = fileNameOf(entry.path);
            if (inputs.detailed)
                summary += "Fichero " + std::to_string(file) + ": " + name + "\r\nApuestas Fichero " +
                           std::to_string(file) + ": " + formatCount(m) + "\r\n";
            else
                summary += padRight(firstCharacters(name, 26), 26) + " " + padRight(formatCount(m), 10) + " ";
            if (m == 0) {
                summary += "(error al leer el fichero)\r\n";
                entry.outcome = FileOutcome::Unreadable;
                progress.fileFinished(file);
                continue;
            }

            // A press answering the "Escrutando" status already counts for this file.
            const uint64_t pressesAtStart = inputs.fileStop ? inputs.fileStop->presses() : 0;
            progress.fileScrutinising(file, m);
            const auto fileStopped = [&] { return inputs.fileStop && inputs.fileStop->presses() != pressesAtStart; };
            bool stopped = inputs.method ? !counter.prepare(bets, m, *inputs.method, stop)
                                         : !counter.prepare(bets, m, combinations, stop);
            // About a hundred reports per file, fewer when each combination costs a long count.
            int64_t perReport = std::clamp<int64_t>(combinations / 100, 1, 4096);
            if (counter.method() == BetFileCounter::Method::BetByBet)
                perReport = std::clamp<int64_t>(kComparisonsPerReport / m, 1, perReport);
            std::string detail;
            std::array<int64_t, 7> totals{};
            tallies.resize(static_cast<size_t>(perReport));
            for (int64_t first = 1; first <= combinations && !stopped; first += perReport) {
                if (fileStopped() || stop.stopRequested()) {
                    stopped = true;
                    break;
                }
                const int64_t n = std::min(perReport, combinations - first + 1);
                counter.tallyMany(winningMasks.data() + (first - 1), nullptr, n, tallies.data());
                for (int64_t j = 0; j < n; ++j) {
                    const HitTally& t = tallies[static_cast<size_t>(j)];
                    for (int h = 0; h <= 6; ++h) totals[static_cast<size_t>(h)] += t.hits[static_cast<size_t>(h)];
                    if (inputs.detailed) detail += detailLine(first + j, winning.bet(first + j), t.hits);
                }
                progress.report(first + n - 1, combinations);
            }
            if (stop.stopRequested()) result.markStopped();
            if (stopped) {
                summary += "(proceso detenido, fichero no escrutado)\r\n";
                entry.outcome = FileOutcome::Stopped;
                progress.fileFinished(file);
                continue;
            }
            entry.outcome = FileOutcome::Scrutinised;
            entry.totals = totals;
            if (inputs.detailed) {
                const std::string path = folder + detailReportFileName(file);
                std::string failure;
                if (writeFileAtomically(path, detail, failure))
                    entry.detailPath = path;
                else
                    entry.detailFailure = failure;
                if (inputs.keepDetailTexts) entry.detailText = std::move(detail);
            } else {
                for (int h = 6; h >= 0; --h) summary += field(totals[static_cast<size_t>(h)], 9, 1);
                summary += "\r\n";
            }
            progress.fileFinished(file);
        }
        if (!inputs.detailed) summary = kMultiFileSummaryHeader + summary;
    });
}

} // namespace kombitron
