// The draws-history loader on arbitrary bytes, through a file as the statistics window reads it.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "core/interaction.h"
#include "history/draw_history.h"

using namespace kombitron;

namespace {

// Answers nothing and shows nothing: the loader's messages are checked through its result.
class SilentInteraction : public Interaction {
public:
    void message(MessageKind, const std::string& text) override
    {
        // A message quotes at most a short part of what the file holds.
        if (text.size() > 300) __builtin_trap();
    }
    bool question(const std::string&) override { return false; }
    std::string openFileDialog(const FileDialogRequest&) override { return {}; }
    std::string saveFileDialog(const FileDialogRequest&) override { return {}; }
    bool openInEditor(const std::string&, std::string&) override { return false; }
    bool openWebPage(const std::string&, std::string&) override { return false; }
    Progress& progress() override { return progress_; }
    StopFlag& stopFlag() override { return stop_; }

private:
    Progress progress_;
    StopFlag stop_;
};

std::string scratchFile()
{
    return "/tmp/kombitron-fuzz-history-" + std::to_string(getpid()) + ".txt";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = scratchFile();
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    SilentInteraction ui;
    DrawHistory history;
    const HistoryLoadResult result = LoadDrawHistory(history, path, ui, 5000);
    if (result.count != history.count()) __builtin_trap();
    if (result.status == HistoryLoadStatus::Failed || result.status == HistoryLoadStatus::NothingImported) {
        if (history.count() != 0) __builtin_trap();
        return 0;
    }
    // Every draw loaded has its six numbers in 1..49.
    for (const DrawRecord& d : history.draws)
        for (uint8_t n : d.numbers)
            if (n < 1 || n > 49) __builtin_trap();
    return 0;
}
