#pragma once

#include "ui/filters/filter_window.h"

namespace kombitron::ui {

class FigurePanel;
class HitSetField;

// "SEGUIDOS": the allowed length 1..6 of a bet's longest run of consecutive numbers, stored at
// once, and the allowed run figures, stored when the window closes.
class frmFiltroSEGUIDOS : public FilterWindow {
    Q_OBJECT
public:
    frmFiltroSEGUIDOS(AppState& state, Interaction& ui, QWidget* parent = nullptr);

    HitSetField* numero = nullptr;   // txtNumero / cmdModificar
    FigurePanel* figuras = nullptr;  // chkFigura_1 .. chkFigura_11

protected:
    bool closing() override;
};

} // namespace kombitron::ui
