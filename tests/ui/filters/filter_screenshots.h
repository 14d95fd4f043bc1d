#pragma once

#include <QString>

namespace kombitron::test {

// Render every filter window, filled with a plausible configuration, into `folder`/NAME.png
// (NAME = the window's class name). Returns how many pictures were written.
int renderFilterWindows(const QString& folder);

} // namespace kombitron::test
