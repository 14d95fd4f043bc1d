#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/format.h"
#include "core/interaction.h"
#include "support/recording_interaction.h"
#include "support/test_paths.h"
#include "tools/tools_support.h"
#include "ui/tool_window.h"
#include "../ui_test_support.h"

namespace kombitron::test {

// The recording fake with hooks run (on the UI thread) when a message or a dialog comes, so a
// test can look at the window at that moment.
class ToolPerson : public RecordingInteraction {
public:
    void message(MessageKind kind, const std::string& text) override
    {
        if (onMessage) onMessage(text);
        RecordingInteraction::message(kind, text);
    }
    std::string saveFileDialog(const FileDialogRequest& request) override
    {
        if (onSave) onSave();
        return RecordingInteraction::saveFileDialog(request);
    }
    std::function<void(const std::string&)> onMessage;
    std::function<void()> onSave;
};

// A tool window's test: a temporary folder, the person, the program's number format.
struct ToolWindowTest : ::testing::Test {
    void SetUp() override { setNumberFormat({".", ","}); }

    // Turn the event loop until the window's work has ended.
    static void waitIdle(ui::ToolWindow& window)
    {
        ASSERT_TRUE(waitUntil([&] { return !window.isBusy(); }, 60000)) << "the window's work never ended";
    }

    std::string kmb(const std::string& name, const std::vector<std::vector<int>>& rows, const std::string& header = "0")
    {
        return writeKmb(dir.file(name), rows, header);
    }
    std::string text(const std::string& name, const std::string& contents)
    {
        writeFile(dir.file(name), contents);
        return dir.file(name);
    }

    TempDir dir;
    ToolPerson person;
};

} // namespace kombitron::test
