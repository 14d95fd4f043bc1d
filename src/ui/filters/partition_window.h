#pragma once

// The window shared by PARES E IMPARES, EXTERIORES/INTERIORES and SUPERIORES/INFERIORES: two
// column headings and seven rows; row k holds a check box (`<name>_k`) with k under the first
// heading and 6 - k under the second. Ticking or clearing row k stores flag k of the filter's
// HitSet at once and activates the filter. Optional explanatory lines (`lblEjemplos_i`) follow.

#include <QStringList>

#include <array>

#include "ui/filters/filter_window.h"

class QCheckBox;

namespace kombitron {
struct HitSet;
}

namespace kombitron::ui {

class PartitionWindow : public FilterWindow {
    Q_OBJECT
public:
    struct Layout {
        FilterId id;
        QString caption;
        QString firstHeading;
        QString secondHeading;
        QString checkName;          // chkParesImpares ...
        int rowSpacing;             // blanks between the two numbers of a row's text
        QStringList explanations;
    };

    PartitionWindow(AppState& state, Interaction& ui, const Layout& layout, HitSet& set, QWidget* parent);

    std::array<QCheckBox*, 7> checks{};

private:
    HitSet& set_;
};

} // namespace kombitron::ui
