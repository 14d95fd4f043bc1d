#pragma once

#include <string>
#include <string_view>

namespace kombitron {

// Bet-file records are enciphered byte by byte, so their texts need a single-byte form. The
// program uses Windows-1252, the code page existing files were written with; its five unassigned
// bytes map to the C1 controls U+0081, U+008D, U+008F, U+0090 and U+009D, which makes the mapping
// a bijection between the 256 bytes and 256 code points.

// UTF-8 text to Windows-1252 bytes; a character outside the code page, or an invalid UTF-8
// sequence, becomes "?".
std::string utf8ToCp1252(std::string_view text);

// Windows-1252 bytes to UTF-8 text; never fails.
std::string cp1252ToUtf8(std::string_view bytes);

// True when the bytes are well-formed UTF-8.
bool isValidUtf8(std::string_view bytes);

} // namespace kombitron
