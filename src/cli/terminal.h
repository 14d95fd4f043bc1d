#pragma once

#include <string>
#include <vector>

#include "core/interaction.h"

namespace kombitron::cli {

// The command line's Interaction: messages on stderr, questions answered by a fixed policy,
// no dialogs, progress on stderr when asked for.
class TerminalInteraction : public Interaction {
public:
    explicit TerminalInteraction(bool answerYes = true) : answerYes_(answerYes) {}

    void message(MessageKind kind, const std::string& text) override;
    bool question(const std::string& text) override;
    std::string openFileDialog(const FileDialogRequest&) override { return {}; }
    std::string saveFileDialog(const FileDialogRequest&) override { return savePath; }
    bool openInEditor(const std::string&, std::string&) override { return true; }
    bool openWebPage(const std::string&, std::string&) override { return true; }
    Progress& progress() override { return progress_; }
    StopFlag& stopFlag() override { return stop_; }

    std::string savePath;           // what a save dialog answers
    bool refused = false;           // an error or warning was shown

private:
    bool answerYes_;
    Progress progress_;
    StopFlag stop_;
};

// Parse "1-10,15,20" into values within [low, high]; false on malformed text.
bool parseNumberList(const std::string& text, int low, int high, std::vector<int>& values);

// Simple argument access: flags "--name value" and "--flag" after the command word.
class Args {
public:
    Args(int argc, char** argv, int first);
    bool has(const std::string& flag) const;
    // Value after the flag; false when missing.
    bool value(const std::string& flag, std::string& out) const;
    // Words that are not flags nor flag values, in order; `valued` lists the flags that take a value.
    std::vector<std::string> positional(const std::vector<std::string>& valued) const;
    const std::vector<std::string>& all() const { return args_; }

private:
    std::vector<std::string> args_;
};

inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;

} // namespace kombitron::cli
