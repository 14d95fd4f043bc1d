#pragma once

#include "ui/filters/filter_window.h"

namespace kombitron::ui {

class IntervalColumns;

// "SUMAS POR TRIOS": up to five accepted ranges of the sum of the three lowest numbers and five
// of the three highest, stored on closing after the checks.
class frmFiltroSUMASPORTRIOS : public FilterWindow {
    Q_OBJECT
public:
    frmFiltroSUMASPORTRIOS(AppState& state, Interaction& ui, QWidget* parent = nullptr);

    IntervalColumns* primeros = nullptr; // txtSumaMinimaT1_i / txtSumaMaximaT1_i
    IntervalColumns* ultimos = nullptr;  // txtSumaMinimaT2_i / txtSumaMaximaT2_i

protected:
    bool closing() override;
};

} // namespace kombitron::ui
