#pragma once

// The 49-number ticket: number n sits in column n div 10 and row n mod 10 of a 5 x 10 grid whose
// top-left cell (the number 0) is empty, so the top row reads 10, 20, 30, 40 and column 0 reads 1..9.
// Cells are MarkCells named `<prefix>_<n-1>` ("lblNumero_0" is number 1).
// With `withToggles` the grid also has the row toggles `imgINIFila_0..9` on its left (index i is the
// units digit i+1, index 9 the digit 0), the column toggles `imgINIColumna_0..4` on top and the
// all-toggle `lblMarcarDesmarcarTODOS` in the corner; they only emit signals.
//
//   auto* grid = new TicketGrid(this);                       // plain grid, "lblNumero_i"
//   auto* g2 = new TicketGrid(this, "lblNumero_G2");         // another prefix
//   connect(grid, &TicketGrid::numberClicked, this, [&](int n) { ...; grid->setMarked(n, ...); });

#include <QWidget>

#include <array>
#include <cstdint>

class QToolButton;

namespace kombitron::ui {

class MarkCell;

class TicketGrid : public QWidget {
    Q_OBJECT
public:
    explicit TicketGrid(QWidget* parent = nullptr, const QString& cellPrefix = QStringLiteral("lblNumero"),
                        bool withToggles = false, int cellSize = 26);

    MarkCell* cell(int number) const;               // 1..49
    void setMarked(int number, bool marked);
    bool isMarked(int number) const;
    // Mark exactly the numbers whose flag is set (index = number, index 0 unused).
    void setMarkedNumbers(const std::array<uint8_t, 50>& flags);
    void setNumberEnabled(int number, bool enabled);
    // Every cell only shows its mark (MarkCell::setReadOnly): the grid of a loaded system.
    void setReadOnly(bool readOnly);

    // Grid position of a number: {row, column}.
    static int rowOf(int number) { return number % 10; }
    static int columnOf(int number) { return number / 10; }

signals:
    void numberClicked(int number);
    void rowToggleClicked(int unitsDigit);  // 0..9
    void columnToggleClicked(int column);   // 0..4
    void allToggleClicked();

private:
    std::array<MarkCell*, 50> cells_{};
};

} // namespace kombitron::ui
