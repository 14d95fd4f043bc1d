#pragma once

// The program's look, set once on the application so that every window shows it however it is
// created (with or without a parent window): the calm grey window background, the framed group
// boxes with their accent captions, and disabled commands drawn in grey whatever colour they
// have when enabled. Windows add only what is theirs on top of it.

#include <QString>

class QApplication;

namespace kombitron::ui {

// Text colour of a disabled command.
inline constexpr const char* kDisabledText = "#9aa1ad";

// The application-wide style sheet.
QString applicationStyleSheet();

// Install the style sheet, the program's window icon and its desktop entry name.
void applyApplicationStyle(QApplication& app);

} // namespace kombitron::ui
