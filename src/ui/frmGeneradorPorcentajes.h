#pragma once

#include <array>
#include <cstdint>

#include "flows/tool_flow.h"
#include "tools/random_by_percentages.h"
#include "ui/tool_window.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace kombitron::ui {

class ImageButton;
class NumericLineEdit;
class WaitingPanel;

// "GENERAR APUESTAS ALEATORIAS POR PORCENTAJES": a KMB file of N bets in which each number given
// a percentage occurs in that share of the bets. Generation and save run off the UI thread behind
// the waiting panel. Its frame's close box does nothing.
class frmGeneradorPorcentajes : public ToolWindow {
    Q_OBJECT
public:
    explicit frmGeneradorPorcentajes(Interaction& ui, QWidget* parent = nullptr);

    std::array<QComboBox*, 49> cboPorcentaje{}; // number n at n-1: "------", "1" to "100"
    QLabel* lblTitNumeros;                      // a + " Porcentajes de Números Seleccionados"
    QLabel* lblSumaPorcentajes;                 // after "Suma de % Seleccionados :"
    ImageButton* imgINIPorcentajes;             // "Inicializa todos los porcentajes"
    NumericLineEdit* txtApuestas;               // "1" at opening
    QLabel* lblNota;                            // "NOTA : Pueden generarse apuestas repetidas."
    QPushButton* cmdGenerar;                    // "&Generar"
    WaitingPanel* picVentanaEspera;

    // The percentage of each number as the selectors show it (index = number, 0 for "------").
    PercentageShares percentages() const;
    // Selector of `number` set to `percentage` (0 for "------"), as a choice in the list would.
    void setPercentage(int number, int percentage);
    // "Inicializa todos los porcentajes".
    void inicializar();
    // "&Generar": the checks, the save dialog, the bets and the file, as one job.
    void generar();

    const ToolSaveOutcome& lastOutcome() const { return lastOutcome_; }

signals:
    void generated();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refreshTotals();
    void paintSelector(QComboBox* box);

    ToolSaveOutcome lastOutcome_;
};

} // namespace kombitron::ui
