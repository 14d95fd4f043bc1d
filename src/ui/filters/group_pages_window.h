#pragma once

// The paging of GRUPOS and GRUPOS ENTRE LIMITES: 210 groups shown three at a time (page p holds
// groups 3p-2 .. 3p, page 1 first), each as a NumberPanel titled "GRUPO n" with its HitSet under
// a "Modificar" button; "-", "+" and "Ir Grupo :" change the page. Every click on a cell, the
// clearing image and the HitSet button store at once and activate the filter; whenever a page is
// shown its groups lose the numbers outside the base combination. The windows add their own
// controls and give the table through members() and hits(); their constructors end with showPage().

#include <array>

#include "core/state.h"
#include "ui/filters/filter_window.h"

namespace kombitron::ui {

class GroupPager;
class HitSetField;
class NumberPanel;

class GroupPagesWindow : public FilterWindow {
    Q_OBJECT
public:
    GroupPagesWindow(AppState& state, Interaction& ui, FilterId id, const QString& caption, QWidget* parent);

    GroupPager* pager = nullptr;
    std::array<NumberPanel*, 3> grupos{};      // lblTitGrupo_k, lblNumero / _G2 / _G3, imgININumeros_k
    std::array<HitSetField*, 3> aciertos{};    // txtAciertos_k / cmdModificar_k

    // Group shown in slot k (0..2) of the current page.
    int groupAt(int slot) const;

protected:
    virtual NumberFlags& members(int group) = 0;
    virtual HitSet& hits(int group) = 0;
    // Show the current page; windows extend it with their own controls.
    virtual void showPage();
};

} // namespace kombitron::ui
