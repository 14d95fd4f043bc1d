#pragma once

#include <array>

#include "ui/filters/filter_window.h"

class QGroupBox;
class QLineEdit;
class QListWidget;

namespace kombitron::ui {

class ImageButton;

// "COEFICIENTE RENTABILIDAD": the allowed coefficient steps 0,0 .. 9,9 and the two percentage
// tables (played and real), a working copy stored all at once when the window closes. Each table
// can be saved to and loaded from a percentages file. The frame's close box does nothing.
class frmFiltroCR : public FilterWindow {
    Q_OBJECT
public:
    frmFiltroCR(AppState& state, Interaction& ui, QWidget* parent = nullptr);

    QListWidget* lstCR = nullptr;
    QGroupBox* fraPorcentajesApostados = nullptr;
    QGroupBox* fraPorcentajesReales = nullptr;
    std::array<QLineEdit*, 49> txtPorcentajesApostados{};  // number n at index n-1
    std::array<QLineEdit*, 49> txtPorcentajesReales{};
    ImageButton* imgCalcular = nullptr;

    // The text of a coefficient step: "0,0" .. "9,9" with the user's decimal separator.
    static QString stepText(int step);

protected:
    bool closing() override;

private:
    QGroupBox* panel(const QString& title, const QString& name, std::array<QLineEdit*, 49>& fields, bool played,
                     const QString& suffix);
    static std::array<std::string, 49> texts(const std::array<QLineEdit*, 49>& fields);
    void save(const std::array<QLineEdit*, 49>& fields);
    void load(std::array<QLineEdit*, 49>& fields);
};

} // namespace kombitron::ui
