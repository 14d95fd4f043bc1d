#pragma once

#include "ui/filters/filter_window.h"

namespace kombitron::ui {

class HitSetField;

// "HOMOLOGOS": the allowed counts 1..6 of a bet's numbers in one class of numbers equal modulo 9.
class frmFiltroHOMOLOGOS : public FilterWindow {
    Q_OBJECT
public:
    frmFiltroHOMOLOGOS(AppState& state, Interaction& ui, QWidget* parent = nullptr);

    HitSetField* numero = nullptr; // txtNumero / cmdModificar
};

// The explanatory line of homologous class 1..9: "\"Del uno\"    : 1,10,19,28,37 y 46".
QString homologousClassLine(int cls);

} // namespace kombitron::ui
