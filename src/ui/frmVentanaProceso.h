#pragma once

#include <QDialog>

#include <cstdint>
#include <memory>

#include "core/interaction.h"
#include "engine/process_percentages.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace kombitron {
struct AppState;
struct ProcessRunResult;
struct ProcessOptimisationResult;
struct ProcessOptimisationRequest;
}

namespace kombitron::ui {

class ImageButton;
class JobRunner;

// "Cálculo del sistema": runs the reduction of the conditioned system when it opens, shows the
// counts, the cycle counter and the progress while the run goes on (only the stop button is
// live), and between runs lets the player run again, accept with saving, open the guarantees and
// write the percentages report, and "Optimizar" looks for a smaller system with the same guarantee
// within a time box, replacing the result only when it finds a better one. A run is a job of its JobRunner on the lent state, followed,
// for an exact count, by the adjustment as a second job. Its own close box does nothing: it
// closes through imgVolver or the definitive request.
class frmVentanaProceso : public QDialog {
    Q_OBJECT
public:
    frmVentanaProceso(AppState& state, Interaction& ui, QWidget* parent = nullptr);
    ~frmVentanaProceso() override;

    QLabel* lblDirecto;
    QLabel* lblApuestasTotales;
    QLabel* lblApuestasCondicionadas;
    QLabel* lblApuestasReducidas;
    QLabel* lblCiclo;
    QProgressBar* picProgreso;
    QGroupBox* fraPorcentajes;
    QLabel* lblN[49];
    ImageButton* imgCalcular;
    ImageButton* imgCalculoDefinitivo;
    ImageButton* imgGarantias;
    ImageButton* imgVerPorcentajes;
    ImageButton* imgDetener;
    ImageButton* imgVolver;
    QLabel* lblAvisoCiclos;
    QPushButton* cmdOptimizar;
    QLineEdit* txtSegundosOptimizar;
    QLabel* lblOptimizando;

    bool isRunning() const { return running_; }
    // Runs started since the window opened.
    int runCount() const { return runs_; }
    // Counts as shown (the window compares these).
    int64_t shownConditioned() const { return shownConditioned_; }
    int64_t shownReduced() const { return shownReduced_; }


    // Trial calculation ("Calcular"): run the reduction again.
    void calculate();
    void requestDefinitive();
    void openGuarantees();
    void writePercentagesReport();
    void stop();
    // "Optimizar": the optimiser on the run's result for the seconds of txtSegundosOptimizar.
    void optimise();
    bool isOptimising() const { return optimising_; }
    // Seed and search count of the optimiser runs (tests fix them to repeat a run).
    void setOptimiserSearch(uint64_t seed, int threads, int64_t stepLimit);

    void reject() override;

signals:
    void reducedCountChanged(qint64 count);
    // Forwarded from the guarantees window it opens.
    void guaranteeProved(const QString& headline);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

public:
    // What a running reduction has shown so far, shared with its job.
    struct LiveRun;
    struct LiveOptimisation;

private:
    void run();
    void afterReduction(ProcessRunResult run);
    void showRun(const ProcessRunResult& run);
    void afterOptimisation(const ProcessOptimisationResult& result);
    void showButtons(bool running);
    void showPanel(const NumberPercentages& panel);
    void setReduced(int64_t count);
    void applyUpdate();

    AppState& state_;
    Interaction& ui_;
    JobRunner* runner_;
    std::shared_ptr<LiveRun> live_;
    std::shared_ptr<LiveOptimisation> liveOptimisation_;
    bool running_ = false;
    bool optimising_ = false;
    bool hasResult_ = false;
    uint64_t optimiserSeed_ = 1;
    int optimiserThreads_ = 0;
    int64_t optimiserStepLimit_ = 0;
    int runs_ = 0;
    bool started_ = false;
    bool skipActivation_ = false;
    bool closing_ = false;
    bool closeAfterRun_ = false;
    int64_t shownConditioned_ = 0;
    int64_t shownReduced_ = 0;
    NumberPercentages panel_;
};

} // namespace kombitron::ui
