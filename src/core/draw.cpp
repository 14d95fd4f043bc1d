#include "core/draw.h"

namespace kombitron {

namespace {
constexpr char kLetters[] = "LMXJVSD";
constexpr const char* kNames[] = {"Todos", "Lunes", "Martes", "Miércoles", "Jueves", "Viernes", "Sábado", "Domingo"};
}

int weekdayCode(char letter)
{
    if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
    for (int i = 0; i < 7; ++i)
        if (kLetters[i] == letter) return i + 1;
    return 0;
}

char weekdayLetter(int code) { return code >= 1 && code <= 7 ? kLetters[code - 1] : '?'; }

const char* weekdayName(int code) { return code >= 0 && code <= 7 ? kNames[code] : ""; }

} // namespace kombitron
