#pragma once

#include <QString>

namespace kombitron::test {

// Render every window of the system tools with a player's content into `folder`/NAME.png (NAME =
// the window's class name, plus "_espera" for a waiting panel caught during a long run). Returns
// how many pictures were written.
int renderToolWindows(const QString& folder);

} // namespace kombitron::test
