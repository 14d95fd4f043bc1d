#pragma once

#include "ui/filters/partition_window.h"

namespace kombitron::ui {

// "EXTERIORES/INTERIORES": the allowed counts of numbers on the border of the ticket.
class frmFiltroEXTERIORES : public PartitionWindow {
    Q_OBJECT
public:
    frmFiltroEXTERIORES(AppState& state, Interaction& ui, QWidget* parent = nullptr);
};

} // namespace kombitron::ui
