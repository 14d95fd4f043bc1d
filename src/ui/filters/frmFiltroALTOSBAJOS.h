#pragma once

#include "ui/filters/filter_window.h"

namespace kombitron::ui {

class HitSetField;

// "BAJOS Y ALTOS": the allowed counts of low (1..24) and high (25..49) numbers, each edited with
// its "M" button and stored at once.
class frmFiltroALTOSBAJOS : public FilterWindow {
    Q_OBJECT
public:
    frmFiltroALTOSBAJOS(AppState& state, Interaction& ui, QWidget* parent = nullptr);

    HitSetField* bajos = nullptr;  // txtAciertos0124 / cmdModificar0124
    HitSetField* altos = nullptr;  // txtAciertos2549 / cmdModificar2549
};

} // namespace kombitron::ui
