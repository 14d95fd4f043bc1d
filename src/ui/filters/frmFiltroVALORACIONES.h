#pragma once

#include <array>

#include "ui/filters/filter_window.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace kombitron::ui {

class GroupPager;
class ImageButton;
class NumericLineEdit;

// "VALORACIONES": ten conditions, one shown at a time; in each the numbers of the base get a
// valuation 1..100 and up to four intervals bound the score of a bet. A condition is validated
// and stored when the window leaves it ("-", "+", closing). The frame's close box does nothing.
class frmFiltroVALORACIONES : public FilterWindow {
    Q_OBJECT
public:
    frmFiltroVALORACIONES(AppState& state, Interaction& ui, QWidget* parent = nullptr);

    QLabel* lblNumeroGrupo = nullptr;
    std::array<QComboBox*, 49> cboPorcentaje{};          // number n at index n-1
    std::array<NumericLineEdit*, 4> txtValoracionMinima{};
    std::array<NumericLineEdit*, 4> txtValoracionMaxima{};
    QLabel* lblTitNumeros = nullptr;
    QLabel* lblSumaPorcentajes = nullptr;
    GroupPager* pager = nullptr;                         // cmdMENOSBloque, cmdMASBloque
    ImageButton* imgININumeros = nullptr;
    QPushButton* cmdAbrirPorcentajes = nullptr;
    QPushButton* cmdGuardarPorcentajes = nullptr;

    // The valuation each list shows: 0 for "------".
    std::array<int, 49> shownValuations() const;

protected:
    bool closing() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int condition() const;
    bool validateAndStore();
    void showCondition();
    void showValuations(const std::array<int, 49>& valuations);
    void refreshCount();
    void refreshSum();
    void savePercentages();
    void loadPercentages();
};

} // namespace kombitron::ui
