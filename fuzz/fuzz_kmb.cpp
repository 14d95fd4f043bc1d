// The KMB reader on arbitrary bytes; what it accepts then goes through the import's checks.
#include <cstdint>
#include <string_view>

#include "formats/bet_files.h"
#include "formats/repeated_bets.h"

using namespace kombitron;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Progress progress;
    StopFlag stop;
    BetFileRead read = readBetFileKmbBytes(std::string_view(reinterpret_cast<const char*>(data), size), progress, stop);
    if (!read.ok()) {
        if (read.failure.empty() || !read.bets.empty()) __builtin_trap();
        return 0;
    }
    // The reader refuses values outside the game; order is not its business, so only bets that
    // are combinations may be ranked.
    bool combinations = true;
    for (int64_t i = 1; i <= read.bets.size(); ++i) {
        const uint8_t* b = read.bets.bet(i);
        for (int j = 0; j < 6; ++j) {
            if (b[j] < 1 || b[j] > 49) __builtin_trap();
            if (j > 0 && b[j] <= b[j - 1]) combinations = false;
        }
        if (b[6] > 9) __builtin_trap();
    }
    if (!combinations) return 0;
    if (!read.bets.empty()) removeRepeatedBets(read.bets, progress, stop);
    return 0;
}
