#pragma once

#include <QDialog>

#include <memory>
#include <string>

#include "flows/statistical_flows.h"
#include "scrutiny/statistical.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kombitron {
class Interaction;
}

namespace kombitron::ui {

class ImageButton;
class JobRunner;
class NumericLineEdit;
class WaitingPanel;

// "MultiEscrutinio Estadístico": what one bet file would have won in the past draws of a game
// that match a query, valued with each draw's official prizes, draw by draw and in total. The
// draws and prizes come from the results service; loading, reading the bet file and the runs go
// off the UI thread, the runs behind a waiting panel with a stop button.
class frmMultiEscrutinioEstadistico : public QDialog {
    Q_OBJECT
public:
    // `gameName` selects the window's own game selector ("PRIMITIVA" or "BONOLOTO").
    frmMultiEscrutinioEstadistico(const std::string& gameName, Interaction& ui, QWidget* parent = nullptr);
    ~frmMultiEscrutinioEstadistico() override;

    // The draws.
    QGroupBox* fraDatosFichero;
    QComboBox* cboTipoJuego;
    QPushButton* cmdCargar;
    QLabel* lblSorteosCargados;
    QLabel* lblSorteoDESDE;
    QLabel* lblTemporadaDESDE;
    QLabel* lblSorteoHASTA;
    QLabel* lblTemporadaHASTA;
    // The bets.
    QPushButton* cmdDesdeFichero;
    QLineEdit* txtFicheroASCII;
    QLabel* lblApuCargadas;
    // The query.
    QGroupBox* fraConsultas;
    NumericLineEdit* txtTemporadaDESDE;
    NumericLineEdit* txtTemporadaHASTA;
    NumericLineEdit* txtSorteoDESDE;
    NumericLineEdit* txtSorteoHASTA;
    QComboBox* cboDia;
    QPushButton* cmdEscrutar;
    // The report.
    QGroupBox* fraEscrutinio;
    QLabel* lblDatos;
    QLabel* lblAvisoImportes;          // the service gave no prize amounts for the draws scrutinised
    QPlainTextEdit* txtDatos;
    ImageButton* imgVerInforme;
    ImageButton* imgVolver;
    WaitingPanel* picVentanaEspera;
    QPushButton* cmdStop;              // on the waiting panel

    // cmdCargar: the draws and prizes of the chosen game, off the UI thread.
    void cargar();
    // cmdDesdeFichero: the dialog, then loadFile.
    void abrirFichero();
    void loadFile(const std::string& path);
    // cmdEscrutar: the checks, then the run; the report box shows its result.
    void escrutar();
    // imgVerInforme: the checks, a new run and the whole report opened in the text editor.
    void verInforme();
    // cmdStop: end the run at its next check.
    void detener();
    void cerrar();

    bool isBusy() const;
    int64_t drawCount() const { return draws_ ? draws_->count() : 0; }
    int64_t betCount() const { return bets_ ? bets_->size() : 0; }
    // Where "Cargar desde Internet" gets its answer; the results service unless a test says otherwise.
    void setDrawsSource(StatisticalDrawsSource source) { source_ = std::move(source); }

signals:
    // A load, a read or a run ended and its outcome is on screen.
    void finished();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    QGroupBox* buildDraws();
    QGroupBox* buildQuery();
    QGroupBox* buildReport();
    void setWorking(bool working);
    void showDraws(const StatisticalDrawsLoad& load);
    bool prepareRun(StatisticalRunRequest& request);
    void startRun(const StatisticalRunRequest& request, bool toEditor);

    Interaction& ui_;
    JobRunner* runner_;
    StatisticalDrawsSource source_;
    std::shared_ptr<const StatisticalDraws> draws_;
    GameType drawsGame_ = GameType::Primitiva;
    SharedBets bets_;
    bool closing_ = false;
};

} // namespace kombitron::ui
