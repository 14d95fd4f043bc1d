#pragma once

#include <QDialog>

#include <array>
#include <cstdint>
#include <string>

#include "core/random.h"
#include "scrutiny/prize_calculator.h"
#include "scrutiny/scrutiny.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTimer;

namespace kombitron {
struct AppState;
class Interaction;
} // namespace kombitron

namespace kombitron::ui {

class ImageButton;
class JobRunner;
class TicketGrid;

// "ESCRUTAR - " + game: the bets of the reduced system (mode 0, "Combinación actual") or of a bet
// file (mode 1, "Combinación nueva") against one winning combination marked on the grid, with
// the count of every prize category, the tickets they fill, the report of the prized tickets and
// the prize calculator. The winning combination lives in AppState and outlives the window; the
// bet lists are the window's own. Reading a file and scrutinising run off the UI thread with the
// controls disabled and "Escrutando ..." blinking. The frame's close box does nothing.
class frmEscrutar : public QDialog {
    Q_OBJECT
public:
    frmEscrutar(AppState& state, Interaction& ui, QWidget* parent = nullptr);
    ~frmEscrutar() override;

    // Bets to scrutinise; the main window sets it to the reduced system's size before showing.
    int64_t ApuestasATRATAR = 0;

    // The winning combination.
    TicketGrid* gridNumeros;          // lblNumero_0..48
    QLabel* lblTipoCombinacion;
    ImageButton* imgININumeros;
    QLabel* lblComplementario;
    QComboBox* cboComplementario;
    QLabel* lblReintegro;
    QComboBox* cboReintegro;
    // The bets.
    QRadioButton* optModo[2];
    QLabel* lblApuCombinacionActual;
    QLabel* lblApuCombinacionNueva;
    QPushButton* cmdDesdeFichero;
    QLineEdit* txtFicheroASCII;
    QCheckBox* chkReintegros;
    QLabel* lblEtqCargarReintegros;
    // The result.
    QLabel* lblApuestas;
    QLabel* lblBoletos;
    QListWidget* lstPremios;
    ImageButton* imgEscrutar;
    ImageButton* imgVerBoletosPremiados;
    ImageButton* imgCalculadoraPremios;
    QLabel* lblEscrutando;
    ImageButton* imgVolver;

    // A click on number n of the grid (marks it only while fewer than six are marked).
    void clickNumber(int number);
    // imgININumeros: unmark every number, complementary "--", scrutinise again.
    void inicializarNumeros();
    // Mode 0 or 1 as its option does.
    void selectMode(int mode);
    // cmdDesdeFichero: the open dialog, then loadFile on a chosen path.
    void abrirFichero();
    // Read a bet file for mode 1, off the UI thread; the window scrutinises it once read.
    void loadFile(const std::string& path);
    // RunScrutiny off the UI thread; false when another run is under way.
    bool escrutar();
    // WritePrizedTicketsReport: the scrutiny, then KOMBITRON_PREMIOS.txt opened in the editor.
    void verBoletosPremiados();
    // The prize calculator, modal, with the counts of the last scrutiny.
    void calculadoraPremios();
    // imgVolver: drop the bet lists and close.
    void cerrar();

    int mode() const;
    bool isBusy() const;
    const ScrutinyResult& lastResult() const { return result_; }
    // How the calculator asks for a draw's prizes (the results service unless a test says otherwise).
    void setPrizesFetch(PrizesFetch fetch) { fetch_ = std::move(fetch); }

signals:
    // A scrutiny ended and its result is on screen.
    void scrutinised();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildWinning();
    QWidget* buildBets();
    QWidget* buildResult();

    void onShown();
    void storeWinning();
    void refreshMarks();
    void colourComplementary();
    void clearFile();
    void takeReducedSystem();
    void setWorking(bool working, bool scrutinising);
    ScrutinyInputs inputs() const;
    void startScrutiny(bool withReport);
    void showResult(ScrutinyResult result);

    AppState& state_;
    Interaction& ui_;
    JobRunner* runner_;
    QButtonGroup* modes_;
    QTimer* blink_;
    Rng blinkRng_{0x35c7};
    std::array<uint8_t, 50> marked_{};
    SharedBets bets_;                 // the bets to scrutinise
    ScrutinyResult result_;           // the last scrutiny, without its hits per bet
    PrizesFetch fetch_;
    bool modeZeroAllowed_ = true;
    bool shown_ = false;
    bool closing_ = false;
};

} // namespace kombitron::ui
