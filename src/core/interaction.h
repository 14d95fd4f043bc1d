#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/job.h"

namespace kombitron {

// Icon of a message box. Every box is titled "KOMBITRON".
enum class MessageKind { Error, Warning, Information };

inline constexpr const char* kMessageTitle = "KOMBITRON";

// One entry of a file dialog's filter list: "Fichero BASE de KOMBITRON (*.XML)" / "*.XML".
struct FileFilter {
    std::string description;
    std::string pattern;
};

struct FileDialogRequest {
    std::string title;
    std::vector<FileFilter> filters;
    int filterIndex = 1;          // preselected filter, 1-based
    std::string initialName;      // proposed file name
    std::string initialFolder;    // empty: the last folder used
};

// Parse the program's "desc|pattern|desc|pattern|" filter notation.
std::vector<FileFilter> parseFileFilters(std::string_view list);

// How flows talk to the person: the windows implement it with Qt, the command line with
// the terminal, the tests with a recording fake.
class Interaction {
public:
    virtual ~Interaction() = default;

    // A modal message box with the given icon.
    virtual void message(MessageKind kind, const std::string& text) = 0;
    // A Yes/No question with No as the default; true for Yes.
    virtual bool question(const std::string& text) = 0;
    // Open and save dialogs; the chosen path, or empty when cancelled.
    // The save dialog asks before overwriting an existing file.
    virtual std::string openFileDialog(const FileDialogRequest& request) = 0;
    virtual std::string saveFileDialog(const FileDialogRequest& request) = 0;
    // An open dialog that lets the person choose several files at once: the chosen paths in the
    // dialog's order, none when cancelled. Where no such dialog exists, the single-file dialog.
    virtual std::vector<std::string> openFilesDialog(const FileDialogRequest& request)
    {
        std::string path = openFileDialog(request);
        if (path.empty()) return {};
        return {std::move(path)};
    }
    // Open a file in the desktop's text editor; false with a description when it cannot.
    virtual bool openInEditor(const std::string& path, std::string& failure) = 0;
    // Open a web address in the browser; false with a description when it cannot.
    virtual bool openWebPage(const std::string& url, std::string& failure) = 0;
    // Progress of the running flow, and its stop request: a flow reads it, whoever runs the
    // flow owns the flag behind it (a stop button, Ctrl-C, a closing window).
    virtual Progress& progress() = 0;
    virtual StopToken stopToken() const = 0;

    void error(const std::string& text) { message(MessageKind::Error, text); }
    void warning(const std::string& text) { message(MessageKind::Warning, text); }
};

// An Interaction that says nothing, answers No, cancels dialogs; for flows run without a person.
class SilentInteraction : public Interaction {
public:
    void message(MessageKind, const std::string&) override {}
    bool question(const std::string&) override { return false; }
    std::string openFileDialog(const FileDialogRequest&) override { return {}; }
    std::string saveFileDialog(const FileDialogRequest&) override { return {}; }
    bool openInEditor(const std::string&, std::string&) override { return true; }
    bool openWebPage(const std::string&, std::string&) override { return true; }
    Progress& progress() override { return progress_; }
    StopToken stopToken() const override { return {}; }

private:
    Progress progress_;
};

} // namespace kombitron
