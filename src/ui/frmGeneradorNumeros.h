#pragma once

#include <cstdint>
#include <vector>

#include "core/state.h"
#include "flows/tool_flow.h"
#include "ui/tool_window.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace kombitron::ui {

class ImageButton;
class NumericLineEdit;
class TicketGrid;
class WaitingPanel;

// "GENERAR APUESTAS ALEATORIAS POR NUMEROS": a KMB file with N different random bets among the
// 6-subsets of the numbers marked on the window's own grid. The whole total system is shuffled
// (13,983,816 entries for 49 numbers) off the UI thread behind the waiting panel. It works on
// its own grid, never on the main window's. Its frame's close box does nothing.
class frmGeneradorNumeros : public ToolWindow {
    Q_OBJECT
public:
    explicit frmGeneradorNumeros(Interaction& ui, QWidget* parent = nullptr);

    TicketGrid* gridNumeros;      // lblNumero_0..48
    ImageButton* imgININumeros;   // "Inicializa todos los números"
    QGroupBox* picAlAzar;
    QComboBox* cboNumeros;        // "1" to "49", "6" at opening
    QPushButton* cmdAzar;         // "Azar"
    QLabel* lblTipoCombinacion;   // n + " Números"
    QLabel* lblApuestasIniciales; // C(n,6) + " Apuestas"
    NumericLineEdit* txtApuestas; // "Nº Apuestas a Generar :", "1" at opening
    QPushButton* cmdGenerar;      // "&Generar"
    WaitingPanel* picVentanaEspera;

    void toggleNumber(int number);
    // imgININumeros: every number unmarked.
    void inicializar();
    // "Azar": the grid cleared and the chosen count of random numbers marked.
    void alAzar();
    // "&Generar": the checks, the shuffle, the save dialog and the file, as one job.
    void generar();

    std::vector<uint8_t> markedNumbers() const;
    // How the last "&Generar" ended.
    const ToolSaveOutcome& lastOutcome() const { return lastOutcome_; }

signals:
    void generated();

private:
    void showMarks();

    NumberFlags marked_{};
    ToolSaveOutcome lastOutcome_;
};

} // namespace kombitron::ui
