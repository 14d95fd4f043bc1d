#pragma once

// Intervals laid out as columns "Int.1" .. "Int.n" with "OR" between neighbours, a row of minimum
// fields ("Suma Mínima :") and a row of maximum fields ("Suma Máxima :"): SUMAS and SUMAS POR
// TRIOS. The fields are numeric (digits only) named `<minName>_i` and `<maxName>_i`.

#include <QWidget>

#include <string>
#include <vector>

#include "core/state.h"

namespace kombitron::ui {

class NumericLineEdit;

class IntervalColumns : public QWidget {
    Q_OBJECT
public:
    IntervalColumns(int count, const QString& minName, const QString& maxName, int maxLength, QWidget* parent = nullptr);

    // Show interval i's bounds in column i.
    void setIntervals(const SumInterval* intervals);
    // The texts of the fields, as typed.
    std::string minimumText(int column) const;
    std::string maximumText(int column) const;

    std::vector<NumericLineEdit*> minimum;
    std::vector<NumericLineEdit*> maximum;
};

} // namespace kombitron::ui
