#pragma once

#include "ui/filters/partition_window.h"

namespace kombitron::ui {

// "PARES E IMPARES": the allowed counts of even numbers, one check box per count 0..6.
class frmFiltroPARESIMPARES : public PartitionWindow {
    Q_OBJECT
public:
    frmFiltroPARESIMPARES(AppState& state, Interaction& ui, QWidget* parent = nullptr);
};

} // namespace kombitron::ui
