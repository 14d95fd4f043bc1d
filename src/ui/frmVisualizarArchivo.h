#pragma once

#include <array>
#include <string>

#include "tools/viewer.h"
#include "ui/tool_window.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kombitron::ui {

class ImageButton;
class MarkCell;
class NumericLineEdit;
class WaitingPanel;

// "VISUALIZAR ARCHIVO DE APUESTAS": the bets of a file as paper tickets of eight bets, one ticket
// at a time, with navigation and a jump. The file is read off the UI thread behind the waiting
// panel into a list of the window's own; nothing else changes. Its frame's close box does nothing.
class frmVisualizarArchivo : public ToolWindow {
    Q_OBJECT
public:
    // `game`: for BONOLOTO the reintegro row, its label and "Cargar Reintegros" are hidden.
    frmVisualizarArchivo(GameType game, Interaction& ui, QWidget* parent = nullptr);

    QPushButton* cmdDesdeFichero;           // "Abrir una combinación"
    QLineEdit* txtFicheroASCII;
    QCheckBox* chkReintegros;               // "Cargar Reintegros"
    QLabel* lblApuCargadas;                 // after "Apuestas :"
    QLabel* lblNumeroBoleto;                // "Boleto actual : t/T"
    std::array<QLabel*, 8> lblApuesta{};    // the bet number over each column
    std::array<MarkCell*, 48> lblColumna{}; // column c, position p at 6c + p
    QLabel* lblEtqReintegro;
    std::array<MarkCell*, 8> lblReintegro{};
    ImageButton* imgPrimero;                // "Boleto primero"
    ImageButton* imgRetroceder;             // "Retroceder boleto"
    ImageButton* imgAvanzar;                // "Avanzar boleto"
    ImageButton* imgUltimo;                 // "Boleto último"
    NumericLineEdit* txtIrboleto;           // "Ir al Boleto :", digits and Enter
    WaitingPanel* picVentanaEspera;

    // "Abrir una combinación": the open dialog, then loadFile on a choice.
    void abrir();
    // Read `path` off the UI thread and show its first ticket.
    void loadFile(const std::string& path);
    void primero();
    void retroceder();
    void avanzar();
    void ultimo();
    // Enter in "Ir al Boleto :".
    void irBoleto();

    const TicketViewer& viewer() const { return viewer_; }

signals:
    void loaded();

protected:
    void discard() override;

private:
    void showTicket();

    TicketViewer viewer_;
};

} // namespace kombitron::ui
