// The text bet-file reader on arbitrary bytes; the first byte chooses whether reintegros are loaded.
#include <cstdint>
#include <string_view>

#include "formats/bet_files.h"

using namespace kombitron;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    const bool withReintegros = data[0] & 1;
    Progress progress;
    StopFlag stop;
    const BetFileRead read =
        readBetFileTextBytes(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1), withReintegros,
                             progress, stop);
    if (!read.ok()) {
        if (read.failure.empty() || !read.bets.empty()) __builtin_trap();
        return 0;
    }
    // Whatever the reader accepts is a valid bet.
    for (int64_t i = 1; i <= read.bets.size(); ++i) {
        const uint8_t* b = read.bets.bet(i);
        for (int j = 0; j < 6; ++j)
            if (b[j] < 1 || b[j] > 49 || (j > 0 && b[j] <= b[j - 1])) __builtin_trap();
        if (b[6] > (withReintegros ? 9 : 0)) __builtin_trap();
    }
    return 0;
}
