// The results-service response parsers on arbitrary bytes; the first byte chooses the game.
#include <cstdint>
#include <string>
#include <string_view>

#include "history/draw_history.h"
#include "history/service_client.h"

using namespace kombitron;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    const std::string game = data[0] & 1 ? "BONOLOTO" : "PRIMITIVA";
    const std::string_view xml(reinterpret_cast<const char*>(data) + 1, size - 1);

    const ServiceDrawsResult draws = parseServiceDraws(xml, game);
    if (!draws.ok() && (draws.description.empty() || !draws.draws.empty())) __builtin_trap();
    if (draws.description.size() > 300) __builtin_trap();
    std::string line, failure;
    for (const DrawRecord& d : draws.draws) {
        // Whatever the update would accept it can write, and the line is one the loader takes.
        if (checkDrawRecord(d, failure) && (!formatHistoryLine(d, line, failure) || line.size() < kShortestHistoryLine))
            __builtin_trap();
    }

    const ServicePrizesResult prizes = parseServicePrizes(xml, game);
    if (!prizes.ok() && (prizes.description.empty() || !prizes.draws.empty())) __builtin_trap();
    if (prizes.description.size() > 300) __builtin_trap();
    return 0;
}
