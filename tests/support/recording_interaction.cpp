#include "support/recording_interaction.h"

namespace kombitron::test {

bool RecordingInteraction::question(const std::string& text)
{
    questions.push_back(text);
    if (answers.empty()) return defaultAnswer;
    bool a = answers.front();
    answers.pop_front();
    return a;
}

std::string RecordingInteraction::openFileDialog(const FileDialogRequest& request)
{
    openRequests.push_back(request);
    if (openPaths.empty()) return {};
    std::string p = openPaths.front();
    openPaths.pop_front();
    return p;
}

std::string RecordingInteraction::saveFileDialog(const FileDialogRequest& request)
{
    saveRequests.push_back(request);
    if (savePaths.empty()) return {};
    std::string p = savePaths.front();
    savePaths.pop_front();
    return p;
}

std::vector<std::string> RecordingInteraction::openFilesDialog(const FileDialogRequest& request)
{
    if (openSelections.empty()) return Interaction::openFilesDialog(request);
    openRequests.push_back(request);
    std::vector<std::string> paths = std::move(openSelections.front());
    openSelections.pop_front();
    return paths;
}

bool RecordingInteraction::openInEditor(const std::string& path, std::string& failure)
{
    editorPaths.push_back(path);
    if (editorFails) failure = "no hay editor";
    return !editorFails;
}

bool RecordingInteraction::openWebPage(const std::string& url, std::string&)
{
    webPages.push_back(url);
    return true;
}

std::vector<std::string> RecordingInteraction::texts() const
{
    std::vector<std::string> t;
    for (const auto& m : messages) t.push_back(m.text);
    return t;
}

const std::string& RecordingInteraction::lastText() const
{
    static const std::string none;
    return messages.empty() ? none : messages.back().text;
}

} // namespace kombitron::test
