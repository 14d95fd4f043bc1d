#pragma once

#include <array>

#include "core/state.h"
#include "ui/filters/filter_window.h"

class QLabel;

namespace kombitron::ui {

class GroupPager;
class HitSetField;
class NumberPanel;

// "GRUPOS RELACIONADOS": one group of six sub-groups and six conditions at a time (60 groups).
// Every edit is stored at once; closing runs the checks and compacts the sub-groups. The frame's
// close box does nothing.
class frmFiltroGRURELACIONADOS : public FilterWindow {
    Q_OBJECT
public:
    frmFiltroGRURELACIONADOS(AppState& state, Interaction& ui, QWidget* parent = nullptr);

    QLabel* lblNumeroGrupo = nullptr;
    GroupPager* pager = nullptr;                   // cmdMENOSBloque, cmdMASBloque, txtNumeroGrupo
    std::array<NumberPanel*, 6> subgrupos{};       // lblTitGrupo_k, lblNumero / _G2 .. _G6, imgININumeros_k
    std::array<HitSetField*, 6> condiciones{};     // txtAciertos_k / cmdModificar_k

    int group() const;

protected:
    bool closing() override;

private:
    void showGroup();
    NumberFlags& subgroup(int slot);
    HitSet& condition(int slot);
};

} // namespace kombitron::ui
