// The draws-history loader on arbitrary bytes, through a file as the statistics window reads it.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "core/interaction.h"
#include "history/draw_history.h"

using namespace kombitron;

namespace {

// Shows nothing, but checks that a message quotes at most a short part of what the file holds.
class CheckingInteraction : public SilentInteraction {
public:
    void message(MessageKind, const std::string& text) override
    {
        if (text.size() > 300) __builtin_trap();
    }
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

    CheckingInteraction ui;
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
