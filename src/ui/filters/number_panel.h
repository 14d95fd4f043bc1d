#pragma once

// One set of numbers on the ticket as the group windows show it (GRUPOS, GRUPOS ENTRE LIMITES,
// GRUPOS RELACIONADOS, POSICIONES): a title (`lblTitGrupo_k`, `lblTitBola_k`), 49 cells captioned
// "1" to "49" in the ticket layout, and the image that empties the set (`imgININumeros_k`). Cells
// of numbers outside the base combination are disabled. The panel only shows and signals: the
// window stores the set and activates the filter. Room below the grid (extras()) holds a
// window's own controls for the set.

#include <QFrame>

#include <vector>

#include "core/state.h"

class QLabel;
class QVBoxLayout;

namespace kombitron::ui {

class ImageButton;
class TicketGrid;

class NumberPanel : public QFrame {
    Q_OBJECT
public:
    NumberPanel(const QString& titleName, const QString& cellPrefix, const QString& clearName,
                const QString& clearTooltip, QWidget* parent = nullptr, int cellSize = 22);

    void setTitle(const QString& title);
    // Enable exactly the cells of the base combination.
    void setBase(const std::vector<uint8_t>& baseNumbers);
    // Mark the numbers of a set.
    void showSet(const NumberFlags& members);

    QVBoxLayout* extras() const { return extras_; }

    QLabel* title = nullptr;
    TicketGrid* grid = nullptr;
    ImageButton* clear = nullptr;

signals:
    void numberClicked(int number);
    void cleared();

private:
    QVBoxLayout* extras_;
};

} // namespace kombitron::ui
