#pragma once

#include <array>

#include "ui/filters/filter_window.h"

namespace kombitron::ui {

class NumberPanel;

// "POSICIONES": for each ball 1..6 of the ascending bet, the numbers of the base combination
// allowed there; every click is stored at once.
class frmFiltroPOSICIONES : public FilterWindow {
    Q_OBJECT
public:
    frmFiltroPOSICIONES(AppState& state, Interaction& ui, QWidget* parent = nullptr);

    // Ball k+1: lblTitBola_k, cells lblNumero / lblNumero_G2 .. lblNumero_G6, imgININumeros_k.
    std::array<NumberPanel*, 6> bolas{};
};

} // namespace kombitron::ui
