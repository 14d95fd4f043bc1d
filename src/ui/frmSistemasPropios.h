#pragma once

#include <array>
#include <string>
#include <vector>

#include "flows/tool_flow.h"
#include "tools/own_system.h"
#include "ui/tool_window.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kombitron::ui {

class ImageButton;
class TicketGrid;
class WaitingPanel;

// "SISTEMAS PROPIOS": the bets of a saved system (the origin) translated onto the destination
// numbers marked on the window's own grid, number by number, and saved as a new KMB file. The
// origin's reading and the save run off the UI thread behind the waiting panel. It works on its
// own grids and lists and never touches the main window's state. Its frame's close box does
// nothing.
class frmSistemasPropios : public ToolWindow {
    Q_OBJECT
public:
    // `baseFileName`: the main window's base file, which the save dialog proposes as ".KMB".
    frmSistemasPropios(Interaction& ui, const std::string& baseFileName, QWidget* parent = nullptr);

    // Origin system.
    QGroupBox* fraOrigen;
    QPushButton* cmdDesdeFichero;           // "Abrir una combinación"
    QLineEdit* txtFicheroASCII;             // file name, full path as tooltip
    QLabel* lblApuCargadas;                 // after "Apuestas cargadas :"
    TicketGrid* gridOrigen;                 // lblNumero_0..48, read only, shares as tooltips
    QLabel* lblTitNumerosORIGEN;            // k + " Números"
    QPlainTextEdit* txtPorcentajesNumeros;  // "07-12.50%" lines
    // Destination system.
    QGroupBox* fraDestino;
    TicketGrid* gridDestino;                // lblNumeroFINAL_0..48
    QLabel* lblTitNumerosDESTINO;
    QFrame* picAlAzar;
    QComboBox* cboNumeros;
    QPushButton* cmdAzar;                   // "Azar"
    QCheckBox* chkElegirOrden;              // "Elegir orden :"
    // One selector per destination number (number n at n-1), shown for the marked ones.
    std::array<QComboBox*, 49> cboOrden{};
    ImageButton* imgCalculoDefinitivo;      // "Cálculo con grabación de apuestas"
    WaitingPanel* picVentanaEspera;

    // "Abrir una combinación": the open dialog, then loadOrigin on a choice.
    void abrir();
    // Read the origin system from `path` off the UI thread and show it.
    void loadOrigin(const std::string& path);
    void toggleDestination(int number);
    // "Azar": the destination grid cleared and the chosen count of random numbers marked.
    void alAzar();
    // The selector of destination number `number` set to its item `index` (0 for "---"), as a
    // choice in the list would; refused with its error when another selector shows that number.
    void chooseOrder(int number, int index);
    // "Cálculo con grabación de apuestas": the checks, the warning, the mapping, the save dialog
    // and the file, as one job.
    void guardar();

    const OwnSystemOrigin& origin() const { return origin_; }
    const OwnSystemDestination& destination() const { return destination_; }
    const ToolSaveOutcome& lastOutcome() const { return lastOutcome_; }

signals:
    void loaded();
    void saved();

protected:
    void discard() override;

private:
    QGroupBox* buildOrigin();
    QGroupBox* buildDestination();
    void showOrigin();
    void showDestination();
    void fillSelectors();
    void onChooseOrderToggled(bool on);

    std::string baseFileName_;
    OwnSystemOrigin origin_;
    OwnSystemDestination destination_;
    std::vector<uint8_t> originNumbers_;
    std::array<QWidget*, 49> orderPairs_{};
    QWidget* picOrden = nullptr;
    QGridLayout* orderGrid_ = nullptr;
    ToolSaveOutcome lastOutcome_;
};

} // namespace kombitron::ui
