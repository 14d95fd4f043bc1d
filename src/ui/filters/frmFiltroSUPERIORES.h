#pragma once

#include "ui/filters/partition_window.h"

namespace kombitron::ui {

// "SUPERIORES/INFERIORES": the allowed counts of numbers in the upper half of the ticket.
class frmFiltroSUPERIORES : public PartitionWindow {
    Q_OBJECT
public:
    frmFiltroSUPERIORES(AppState& state, Interaction& ui, QWidget* parent = nullptr);
};

} // namespace kombitron::ui
