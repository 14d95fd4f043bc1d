// The base-file reader on arbitrary bytes. What it reads, written and read again, must write the
// same text: the file's own form is a fixed point of reading.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/filter_rows.h"
#include "formats/base_file.h"

using namespace kombitron;

namespace {
std::string normalised(std::string_view bytes)
{
    AppState state;
    ResetStateDefaults(state, 2024);
    resetFilterRows(state);
    SilentInteraction ui;
    ReadBaseFileBytes(state, "fuzz.xml", bytes, true, ui);
    return BuildBaseFileText(state, "d", "t");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string once = normalised(std::string_view(reinterpret_cast<const char*>(data), size));
    if (normalised(once) != once) __builtin_trap();
    return 0;
}
