#pragma once

#include <QMainWindow>

namespace kombitron {
struct AppState;
class Interaction;
} // namespace kombitron

namespace kombitron::ui {

// The main window.
class frmPrincipal : public QMainWindow {
    Q_OBJECT
public:
    frmPrincipal(AppState& state, Interaction& ui, QWidget* parent = nullptr);

private:
    AppState& state_;
    Interaction& ui_;
};

} // namespace kombitron::ui
