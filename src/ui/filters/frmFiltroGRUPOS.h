#pragma once

#include <array>

#include "ui/filters/group_pages_window.h"

namespace kombitron::ui {

class MarkCell;

// "GRUPOS DE NUMEROS": every group with numbers must hold an allowed count of the bet's numbers
// at its chosen ball positions. The position cells store at once without activating the filter.
class frmFiltroGRUPOS : public GroupPagesWindow {
    Q_OBJECT
public:
    frmFiltroGRUPOS(AppState& state, Interaction& ui, QWidget* parent = nullptr);

    // lblAciertosG1_i, lblAciertosG2_i, lblAciertosG3_i: ball position i+1 of the group in slot k.
    std::array<std::array<MarkCell*, 6>, 3> posiciones{};

protected:
    NumberFlags& members(int group) override;
    HitSet& hits(int group) override;
    void showPage() override;
    bool closing() override;
};

} // namespace kombitron::ui
