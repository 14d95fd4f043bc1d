#pragma once

#include "ui/filters/filter_window.h"

namespace kombitron::ui {

class HitSetField;
class TicketGrid;

// "COLINDANTES": the allowed counts 0..6 of a bet's numbers that touch another of its numbers on
// the ticket.
class frmFiltroCOLINDANTES : public FilterWindow {
    Q_OBJECT
public:
    frmFiltroCOLINDANTES(AppState& state, Interaction& ui, QWidget* parent = nullptr);

    HitSetField* numero = nullptr;   // txtNumero / cmdModificar
    TicketGrid* ejemplo = nullptr;   // the ticket showing the neighbours of 24
};

} // namespace kombitron::ui
