#pragma once

#include <QDialog>

#include <array>
#include <cstdint>
#include <string>

#include "core/bet.h"
#include "scrutiny/prize_calculator.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace kombitron {
class Interaction;
}

namespace kombitron::ui {

class ImageButton;
class JobRunner;
class NumericLineEdit;

// What the scrutiny window hands to the calculator when it opens it.
struct PrizeCalculatorInputs {
    GameType game = GameType::Primitiva;
    std::array<int64_t, kCalculatorRows> counts{};   // prizes of 6, 5+C, 5, 4, 3
    int64_t bets = 0;                                // ApuestasATRATAR
    std::array<uint8_t, 6> winningNumbers{};         // ascending, 0 beyond those marked
    std::string complementaryText = "--";            // the scrutiny's complementary list
    std::string combinationName;                     // line 5 of the summary report
};

// "Calculadora de Premios : " + game, modal over the scrutiny window: the prizes of the last
// scrutiny times the amount of one prize, typed or taken from the draw of a date through the
// results service, against the money the bets cost; and the summary report. The consultation
// runs off the UI thread with its controls disabled. Closes only through "Cerrar".
class frmCalculadoraPremios : public QDialog {
    Q_OBJECT
public:
    frmCalculadoraPremios(const PrizeCalculatorInputs& inputs, Interaction& ui, QWidget* parent = nullptr);
    ~frmCalculadoraPremios() override;

    // The draw.
    NumericLineEdit* txtDia;
    NumericLineEdit* txtMes;
    NumericLineEdit* txtAnio;
    QPushButton* cmdConsultarSorteo;
    NumericLineEdit* txtNumeroSorteo;
    QComboBox* cboDia;
    QLineEdit* txtRecaudacion;
    QLineEdit* txtBote;
    QGroupBox* frmPremiosSorteo;
    QLineEdit* txtSorteoAciertos[kCalculatorRows];
    QLineEdit* txtSorteoPremios[kCalculatorRows];
    // The calculator.
    QGroupBox* fraCalculadora;
    NumericLineEdit* txtCalculadoraPremios[kCalculatorRows];
    NumericLineEdit* txtCalculadoraEuros[kCalculatorRows];
    QLineEdit* txtPremiosTOTAL;
    QLineEdit* txtPorcentajeTOTAL;
    QPushButton* cmdIniCalculadoraPremios;
    QPushButton* cmdVerInformePremios;
    ImageButton* imgVolver;

    // Total and percentage from the ten boxes.
    void recompute();
    // "Consultar por Fecha de Sorteo", off the UI thread.
    void consultar();
    // Every calculator box "0", then recompute.
    void inicializar();
    // KOMBITRON_TEMP.txt written and opened.
    void verInforme();
    void cerrar();

    bool isBusy() const;
    CalculatorBoxes boxes() const;
    // True when the percentage shows green (100 % or more).
    bool percentageGreen() const { return green_; }
    void setPrizesFetch(PrizesFetch fetch) { fetch_ = std::move(fetch); }

signals:
    // A consultation ended (found or not) and the boxes show its outcome.
    void consulted();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildDraw();
    QGroupBox* buildDrawPrizes();
    QGroupBox* buildCalculator();
    void setConsulting(bool consulting);
    void showConsultation(const PrizeConsultation& consultation);

    PrizeCalculatorInputs inputs_;
    Interaction& ui_;
    JobRunner* runner_;
    PrizesFetch fetch_;
    bool green_ = false;
    bool closing_ = false;
};

} // namespace kombitron::ui
