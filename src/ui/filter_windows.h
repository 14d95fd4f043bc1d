#pragma once

// How the main window opens the window of filter row p (0..18) without knowing the windows:
// each filter window registers an opener; a double click on its row calls it with the context.
// The opener shows the window modally and returns when it closes; the window edits its group of
// `state` and flips the row text `state.filterRows[p]` through imgActivar. Afterwards the main
// window rebuilds the counted rows and refreshes the list.
//
// The filter windows are installed in installFilterWindows() (filter_windows.cpp), which the
// program and the window tests call once at start:
//   registerFilterWindow(8, [](const FilterWindowContext& c) { frmFiltroSUMAS w(c.state, c.ui, c.parent); w.exec(); });

#include <functional>

class QWidget;

namespace kombitron {
struct AppState;
class Interaction;
} // namespace kombitron

namespace kombitron::ui {

struct FilterWindowContext {
    int row;
    AppState& state;
    Interaction& ui;
    QWidget* parent;
};

using FilterWindowOpener = std::function<void(const FilterWindowContext&)>;

void registerFilterWindow(int row, FilterWindowOpener opener);
bool hasFilterWindow(int row);
// Open the window of row `context.row`; false when none is registered.
bool openFilterWindow(const FilterWindowContext& context);

// Register every filter window of the program.
void installFilterWindows();

} // namespace kombitron::ui
