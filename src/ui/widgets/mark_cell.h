#pragma once

// A clickable square cell of a number grid (`lblNumero`, `lblReintegro`, `lblAciertos`...).
// Ticket style: marked = red background with white text, unmarked = transparent with red text.
// Hit style (frmAciertos, positions): selected = green with white text, unselected = white with
// black text. Disabled cells are drawn greyed and ignore clicks.
//
//   auto* cell = new MarkCell("07", MarkCell::Style::Ticket, parent);
//   cell->setObjectName("lblNumero_6");
//   connect(cell, &MarkCell::clicked, ...);   // the owner decides what a click means
//   cell->setMarked(true);
//   cell->setTone(MarkCell::Tone::Green);     // a marked ticket cell on green instead of red

#include <QLabel>

namespace kombitron::ui {

class MarkCell : public QLabel {
    Q_OBJECT
public:
    enum class Style { Ticket, Hit };
    // Background of a marked Ticket cell.
    enum class Tone { Red, Green };

    explicit MarkCell(const QString& text, Style style = Style::Ticket, QWidget* parent = nullptr);

    void setMarked(bool marked);
    bool isMarked() const { return marked_; }
    void setTone(Tone tone);
    Tone tone() const { return tone_; }
    // Side of the square cell in device-independent pixels.
    void setCellSize(int side);
    // A cell that only shows (the numbers a loaded system uses): no hand cursor, no clicks.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return readOnly_; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void restyle();

    Style style_;
    Tone tone_ = Tone::Red;
    bool marked_ = false;
    bool pressed_ = false;
    bool readOnly_ = false;
};

// Colours of the program, in one place.
namespace colors {
inline constexpr const char* kMarkRed = "#d21f26";
inline constexpr const char* kHitGreen = "#1e8c3a";
inline constexpr const char* kLightYellow = "#ffffc0"; // RGB 255, 255, 192: value cells
inline constexpr const char* kAccent = "#2b5797";
} // namespace colors

} // namespace kombitron::ui
