#pragma once

#include "ui/tool_window.h"

class QComboBox;
class QPushButton;

namespace kombitron {
struct AppState;
}

namespace kombitron::ui {

// The random forecast: marks a chosen count of random numbers on the main window's grid, which
// the main window redraws at once (marked()), and stays open for another draw until closed.
// Opened when the combination kind becomes "Pronóstico Aleatorio". Its frame's close box works.
class frmPronosticoAleatorio : public ToolWindow {
    Q_OBJECT
public:
    frmPronosticoAleatorio(AppState& state, Interaction& ui, QWidget* parent = nullptr);

    QComboBox* cboNumeros;   // "1" to "49", "6" at opening
    QPushButton* cmdAlazar;  // "Generar combinación aleatoria"

    // The button: the chosen count of random numbers on the main grid, seeded from the clock.
    void alAzar();

signals:
    // The main grid and its counters changed.
    void marked();

private:
    AppState& state_;
};

} // namespace kombitron::ui
