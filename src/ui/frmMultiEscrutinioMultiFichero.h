#pragma once

#include <QDialog>

#include <memory>
#include <string>
#include <vector>

#include "scrutiny/multi_file.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace kombitron {
class Interaction;
}

namespace kombitron::ui {

class ImageButton;
class JobRunner;
class WaitingPanel;

// "MultiEscrutinio MultiFichero": up to 1000 bet files at a time against a file of winning
// combinations (the "Fichero de Sorteos"), tabulating for each file how many of its bets reached
// 6..0 hits over all of them, with an optional detailed report per file. Reading and the run go
// off the UI thread; the waiting panel shows the file being scrutinised and its stop button ends
// that file only. Closing always asks first.
class frmMultiEscrutinioMultiFichero : public QDialog {
    Q_OBJECT
public:
    explicit frmMultiEscrutinioMultiFichero(Interaction& ui, QWidget* parent = nullptr);
    ~frmMultiEscrutinioMultiFichero() override;

    QListWidget* lstFicheros;
    QPushButton* cmdADD;
    QPushButton* cmdDEL;
    QPushButton* cmdDELALL;
    QPushButton* cmdDesdeFicheroSORTEOS;
    QLineEdit* txtFicheroASCIISORTEOS;
    ImageButton* imgINICombinacionSORTEOS;
    QLabel* lblApuCargadas;
    QCheckBox* chkTipoListadoPremios;
    ImageButton* imgEscrutar;
    QLabel* lblEstado;
    QLabel* lblImportando;
    QGroupBox* fraInforme;
    QPlainTextEdit* txtInforme;
    ImageButton* imgVerInformeResumenPremios;
    ImageButton* imgVolver;
    WaitingPanel* picVentanaEspera;
    QPushButton* cmdStop;              // on the waiting panel

    // cmdADD: the multiple-selection dialog, then the files added in the order chosen.
    void anadirFicheros();
    // cmdDEL: the selected file leaves the list.
    void eliminarFichero();
    // cmdDELALL: after the question, an empty list, status, count and summary.
    void vaciarLista();
    // cmdDesdeFicheroSORTEOS: the dialog, then loadWinning.
    void abrirSorteos();
    // Read the winning combinations from `path`, off the UI thread.
    void loadWinning(const std::string& path);
    // imgINICombinacionSORTEOS: forget the winning combinations.
    void inicializarSorteos();
    // imgEscrutar: the checks, then the run off the UI thread.
    void escrutar();
    // cmdStop: end the file being scrutinised; the run goes on with the next.
    void detener();
    // imgVerInformeResumenPremios: KOMBITRON_RESUMENPREMIOS.txt written and opened.
    void verInforme();
    // imgVolver: close after the question.
    void cerrar();

    bool isBusy() const;
    const std::vector<std::string>& files() const { return files_; }
    int64_t winningCount() const { return winning_ ? winning_->size() : 0; }
    // The summary as the program keeps it (lines ended by CR LF).
    const std::string& summary() const { return summary_; }

signals:
    // A run ended and its summary is on screen.
    void scrutinised();
    // The file being scrutinised changed (0 when none): for the stop button's users.
    void fileStarted(int file);

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void refreshList();
    void setWorking(bool working);
    void showSummary();

    Interaction& ui_;
    JobRunner* runner_;
    std::vector<std::string> files_;
    SharedBets winning_;
    std::string summary_;
    std::shared_ptr<FileStopButton> fileStop_;
    bool closing_ = false;
};

} // namespace kombitron::ui
