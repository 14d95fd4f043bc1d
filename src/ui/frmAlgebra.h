#pragma once

#include <array>
#include <string>

#include "flows/tool_flow.h"
#include "tools/algebra.h"
#include "ui/tool_window.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace kombitron::ui {

class ImageButton;
class TicketGrid;
class WaitingPanel;

// "ALGEBRA DE COMBINACIONES": two bet files loaded as "Sistema 1" and "Sistema 2" and a new
// system built from them (system 1 sorted, the direct sum, the sum without repeated bets, the
// intersection, the difference), which can be saved as a KMB file. Reading, the operations and
// the save run off the UI thread behind waiting panels; two full systems of 13,983,816 bets stay
// responsive. The systems and the result live while the window is open. Its frame's close box
// does nothing.
class frmAlgebra : public ToolWindow {
    Q_OBJECT
public:
    explicit frmAlgebra(Interaction& ui, QWidget* parent = nullptr);

    std::array<QGroupBox*, 2> fraFicheros{};       // "Fichero 1", "Fichero 2"
    std::array<QPushButton*, 2> cmdDesdeFichero{}; // "Abrir una combinación"
    std::array<ImageButton*, 2> imgINICombinacion{};
    std::array<QLineEdit*, 2> txtFicheroASCII{};   // "Nombre:"
    std::array<QLineEdit*, 2> txtApuCargadas{};    // "Apuestas:"
    std::array<QGroupBox*, 2> fraNumerosORIGEN{};  // "Sistema 1", "Sistema 2"
    std::array<TicketGrid*, 2> gridSistema{};      // lblNumero_i and lblNumeroS2_i, read only
    std::array<QLabel*, 2> lblTitNumeros{};        // lblTitNumerosS1, lblTitNumerosS2
    std::array<QRadioButton*, 5> optTipo{};
    std::array<QLabel*, 5> lblUtilidad{};
    QComboBox* cboTipoOrdenacion;                  // "Ascendente", "Descendente"
    ImageButton* imgCalcular;                      // "Calcular"
    ImageButton* imgGuardar;                       // "Guardar apuestas"
    QPlainTextEdit* txtVentanaResultados;
    WaitingPanel* picCalculando;                   // lblCalculando, "Calculando ..."
    WaitingPanel* picVentanaEspera;                // "Guardando por favor espere ..."

    // "Abrir una combinación" of system i (0 or 1): the open dialog, then loadSystem on a choice.
    void abrir(int system);
    // Read system i from `path` off the UI thread and show it; the results are cleared.
    void loadSystem(int system, const std::string& path);
    // imgINICombinacion: empty system i.
    void inicializar(int system);
    // Choose an operation as its option button does: the results are cleared.
    void chooseOperation(AlgebraOperation operation);
    AlgebraOperation operation() const { return operation_; }
    // "Calcular": the checks, then the operation off the UI thread.
    void calcular();
    // "Guardar apuestas": the checks, the save dialog and the file, as one job.
    void guardar();

    const AlgebraSystem& system(int i) const { return systems_[static_cast<size_t>(i)]; }
    const SharedBets& result() const { return result_; }
    const ToolSaveOutcome& lastSave() const { return lastSave_; }

signals:
    void loaded(int system);
    void calculated();
    void saved();

protected:
    void discard() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* buildSystem(int i);
    QGroupBox* buildOperations();
    void showSystem(int i);
    void clearResults();

    std::array<AlgebraSystem, 2> systems_{};
    AlgebraOperation operation_ = AlgebraOperation::Sort;
    SharedBets result_;
    std::string resultsText_;
    ToolSaveOutcome lastSave_;
};

} // namespace kombitron::ui
