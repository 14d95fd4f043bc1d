#pragma once

#include <array>

#include "ui/filters/filter_window.h"

namespace kombitron::ui {

class FigurePanel;
class HitSetField;

// "DECENAS": the allowed counts in each decade, stored at once with their "M" buttons, and the
// allowed decade figures, stored when the window closes.
class frmFiltroDECENAS : public FilterWindow {
    Q_OBJECT
public:
    frmFiltroDECENAS(AppState& state, Interaction& ui, QWidget* parent = nullptr);

    std::array<HitSetField*, 5> decenas{}; // txtAciertos0109 .. txtAciertos4049
    FigurePanel* figuras = nullptr;        // chkFigura_1 .. chkFigura_10

protected:
    bool closing() override;
};

} // namespace kombitron::ui
