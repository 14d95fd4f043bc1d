#pragma once

// The "FIGURAS" panel of DECENAS, SEGUIDOS and TERMINACIONES: rows "1." .. "n.", each with a
// figure text and a check box `chkFigura_i` (i = 1..n, standing for flag i - 1). A click emits
// clicked() (the window activates); the states reach AppState only when the window stores them.

#include <QGroupBox>

#include <cstdint>
#include <vector>

class QCheckBox;

namespace kombitron::ui {

class FigurePanel : public QGroupBox {
    Q_OBJECT
public:
    // `texts[i]` is the text of flag i.
    FigurePanel(const std::vector<const char*>& texts, QWidget* parent = nullptr);

    // Tick the boxes whose flag is set (flags[0..n-1]).
    void setFlags(const uint8_t* flags);
    // The ticked state of flag i (0-based).
    bool isTicked(int flag) const;
    int count() const { return static_cast<int>(checks_.size()); }
    QCheckBox* check(int flag) const { return checks_[static_cast<size_t>(flag)]; }

signals:
    void clicked();

private:
    std::vector<QCheckBox*> checks_;
};

} // namespace kombitron::ui
