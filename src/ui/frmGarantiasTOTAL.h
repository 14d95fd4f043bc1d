#pragma once

#include <QDialog>

#include <string>

#include "core/state.h"
#include "engine/guarantees.h"

class QButtonGroup;
class QComboBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace kombitron::ui {

class ImageButton;
class JobRunner;

// "Cálculo de Garantías y de Porcentajes": what the reduced system guarantees over the whole base
// (q of the player's numbers drawn) or over the conditioned system, as a table of classes by best
// hit count, a summary text, the tabulated report files, the extended guarantees and the holes. The passes
// run as jobs of its JobRunner, on the lent state, behind a progress panel with a stop button.
// Its own close box does nothing: it closes through imgVolver.
class frmGarantiasTOTAL : public QDialog {
    Q_OBJECT
public:
    frmGarantiasTOTAL(AppState& state, Interaction& ui, QWidget* parent = nullptr);
    ~frmGarantiasTOTAL() override;

    QRadioButton* optTipoGarantias[3];
    QLabel* lblTitulo[3];
    QComboBox* cboTipoGarantias;
    QLabel* lblTituloApuestas;
    QLabel* lblApu[7];            // index = class h
    QLabel* lblPor[7];
    QLabel* lblde[7][7];          // [h][j], j <= h
    QPlainTextEdit* txtResumen;
    ImageButton* imgCalcularGarantias;
    ImageButton* imgVerInformeTabulado;
    ImageButton* imgGarantiasExtendidas;
    ImageButton* imgVerHuecos;
    QSpinBox* txtAciertosHuecos;  // a hole's best bet has fewer hits than this
    QPushButton* cmdStop;
    ImageButton* imgVolver;
    QFrame* picProgreso;
    QLabel* lblProgreso;
    QProgressBar* barProgreso;
    QFrame* picVisorMiniGarantias;
    QPlainTextEdit* txtMiniGarantias;
    QPushButton* cmdCerrarpicMiniGarantias;

    GuaranteeScope scope() const;
    // Level q of the list: 0 "Todas", 1..6.
    int level() const;
    void selectScope(int index);
    void selectLevel(int q);

    void calculate();
    void showTabulatedReport();
    void calculateExtended();
    // "Ver huecos": the outcomes of the scope and level with fewer hits than txtAciertosHuecos,
    // written to KOMBITRON_HUECOS.txt and opened in the editor.
    void showHoles();
    void stop();

    // The texts the table shows now.
    const GuaranteeTable& table() const { return table_; }
    bool isComputing() const { return computing_; }

    void reject() override;

signals:
    // On leaving, the guarantee the table shown proves in full, as "100,000% 4 si 6" (nothing
    // when it proves none).
    void guaranteeProved(const QString& headline);

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void runPass(int q);
    void showTable(const GuaranteeTable& table);
    void clearTable();
    void showRows(int q);
    void beginWork(const QString& caption);
    void endWork();
    void setControlsEnabled(bool enabled);

    AppState& state_;
    Interaction& ui_;
    JobRunner* runner_;
    GuaranteeStats stats_;
    GuaranteeTable table_;
    bool computing_ = false;
    bool closing_ = false;
};

} // namespace kombitron::ui
