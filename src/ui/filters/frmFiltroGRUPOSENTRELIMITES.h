#pragma once

#include "ui/filters/group_pages_window.h"

class QComboBox;

namespace kombitron::ui {

// "GRUPOS ENTRE LIMITES": how many of the groups with numbers a bet satisfies must lie between
// the two limits, which are stored on closing after the checks.
class frmFiltroGRUPOSENTRELIMITES : public GroupPagesWindow {
    Q_OBJECT
public:
    frmFiltroGRUPOSENTRELIMITES(AppState& state, Interaction& ui, QWidget* parent = nullptr);

    QComboBox* cboIntervalo1 = nullptr; // minimum
    QComboBox* cboIntervalo2 = nullptr; // maximum

protected:
    NumberFlags& members(int group) override;
    HitSet& hits(int group) override;
    bool closing() override;
};

} // namespace kombitron::ui
