#pragma once

#include "ui/filters/filter_window.h"

namespace kombitron::ui {

class IntervalColumns;

// "SUMAS": up to ten accepted ranges of the sum of a bet's six numbers, stored on closing after
// the checks.
class frmFiltroSUMAS : public FilterWindow {
    Q_OBJECT
public:
    frmFiltroSUMAS(AppState& state, Interaction& ui, QWidget* parent = nullptr);

    IntervalColumns* intervalos = nullptr; // txtSumaMinima_i / txtSumaMaxima_i

protected:
    bool closing() override;
};

} // namespace kombitron::ui
