#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/bet.h"
#include "core/interaction.h"

namespace kombitron::cli {

// The command line's Interaction: messages on stderr, questions answered by a fixed policy and
// shown with the answer, no open dialog, the save dialog answered with `savePath`, the editor
// and the browser taken as opened. Progress goes where `useProgress` points (nowhere by default).
class TerminalInteraction : public Interaction {
public:
    explicit TerminalInteraction(bool answerYes = true) : answerYes_(answerYes) {}

    void message(MessageKind kind, const std::string& text) override;
    bool question(const std::string& text) override;
    std::string openFileDialog(const FileDialogRequest&) override { return {}; }
    std::string saveFileDialog(const FileDialogRequest&) override { return savePath; }
    bool openInEditor(const std::string&, std::string&) override { return true; }
    bool openWebPage(const std::string&, std::string&) override { return true; }
    Progress& progress() override { return *progress_; }
    StopToken stopToken() const override { return stop; }

    // Report the progress of the flows to `progress` from now on (it must outlive their runs).
    void useProgress(Progress& progress) { progress_ = &progress; }

    std::string savePath;           // what a save dialog answers
    StopFlag stop;                  // the stop request of the running flow
    bool errorShown = false;        // an error message was shown

private:
    bool answerYes_;
    Progress quiet_;
    Progress* progress_ = &quiet_;
};

// Captions and every tenth of the way on stderr, as "40%" lines.
class StderrProgress : public Progress {
public:
    void report(int64_t done, int64_t total) override;
    void caption(std::string_view text) override;

private:
    int64_t last_ = -1;
};

// Write text to stdout as it is (CR LF line ends kept).
void writeOut(std::string_view text);

// Bets 1..count of a list on stdout, one "01,02,03,04,05,06+07" line each.
void printBets(const BetList& bets, int64_t count);
inline void printBets(const BetList& bets) { printBets(bets, bets.size()); }

} // namespace kombitron::cli
