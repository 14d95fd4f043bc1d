#pragma once

#include <array>

#include "ui/filters/filter_window.h"

namespace kombitron::ui {

class FigurePanel;
class HitSetField;
class NumericLineEdit;

// "TERMINACIONES": the allowed counts per last digit (stored at once), the range of the sum of
// last digits and the allowed figures (both stored on closing, after the checks).
class frmFiltroTERMINACIONES : public FilterWindow {
    Q_OBJECT
public:
    frmFiltroTERMINACIONES(AppState& state, Interaction& ui, QWidget* parent = nullptr);

    std::array<HitSetField*, 10> terminados{};            // txtAciertos_d / cmdModificar_d
    NumericLineEdit* txtSumaTerminacionesMinimo = nullptr;
    NumericLineEdit* txtSumaTerminacionesMaximo = nullptr;
    FigurePanel* figuras = nullptr;                        // chkFigura_1 .. chkFigura_10

protected:
    bool closing() override;
};

} // namespace kombitron::ui
