#pragma once

#include <array>

#include "ui/filters/filter_window.h"

namespace kombitron::ui {

class IntervalRow;

// "DISTANCIAS": bounds of the five gaps between neighbouring numbers of a bet and of the spread
// from its lowest to its highest number, stored on closing after the checks.
class frmFiltroDISTANCIAS : public FilterWindow {
    Q_OBJECT
public:
    frmFiltroDISTANCIAS(AppState& state, Interaction& ui, QWidget* parent = nullptr);

    // Rows 1-2, 2-3, 3-4, 4-5, 5-6 and 1-6: txtDistancia12Min / txtDistancia12Max ...
    std::array<IntervalRow*, 6> distancias{};

protected:
    bool closing() override;
};

} // namespace kombitron::ui
