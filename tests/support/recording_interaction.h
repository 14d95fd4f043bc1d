#pragma once

#include <deque>
#include <string>
#include <vector>

#include "core/interaction.h"

namespace kombitron::test {

// An Interaction that records what the flow said and answers as the test told it.
class RecordingInteraction : public Interaction {
public:
    struct Message {
        MessageKind kind;
        std::string text;
    };

    void message(MessageKind kind, const std::string& text) override { messages.push_back({kind, text}); }
    bool question(const std::string& text) override;
    std::string openFileDialog(const FileDialogRequest& request) override;
    std::string saveFileDialog(const FileDialogRequest& request) override;
    // The next of `openSelections` (recorded in openRequests); when none is left, the one-file
    // dialog's answer.
    std::vector<std::string> openFilesDialog(const FileDialogRequest& request) override;
    bool openInEditor(const std::string& path, std::string& failure) override;
    bool openWebPage(const std::string& url, std::string& failure) override;
    Progress& progress() override { return progress_; }
    StopToken stopToken() const override { return stop; }

    // Answers given in order; when they run out, `defaultAnswer`.
    std::deque<bool> answers;
    bool defaultAnswer = false;
    std::deque<std::string> openPaths;
    std::deque<std::string> savePaths;
    std::deque<std::vector<std::string>> openSelections;
    bool editorFails = false;
    // The stop request the flow sees; a test sets it to stop the flow.
    StopFlag stop;

    std::vector<Message> messages;
    std::vector<std::string> questions;
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    std::vector<std::string> editorPaths;
    std::vector<std::string> webPages;

    // Texts of every message, in order.
    std::vector<std::string> texts() const;
    const std::string& lastText() const;

private:
    Progress progress_;
};

} // namespace kombitron::test
