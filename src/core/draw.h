#pragma once

#include <cstdint>
#include <vector>

namespace kombitron {

// One historical draw. The draw number is 16 bits: BONOLOTO draws more than 255 times a year.
struct DrawRecord {
    uint8_t numbers[6] = {};   // in the order the source lists them
    uint8_t complementary = 0; // 0 when not given
    uint8_t reintegro = 0;     // 0 when not given
    int16_t season = 0;        // year
    uint16_t drawNumber = 0;   // draw within its season
    uint8_t weekday = 0;       // 1 L .. 7 D, 0 unknown
};

using DrawList = std::vector<DrawRecord>;

// Weekday code of a letter (L M X J V S D, any case), 0 for anything else.
int weekdayCode(char letter);
// Letter of a weekday code 1..7, '?' otherwise.
char weekdayLetter(int code);
// Day names of the selectors, index = code: "Todos", "Lunes", ... "Domingo".
const char* weekdayName(int code);

} // namespace kombitron
