#include "ui/frmVentanaProceso.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <atomic>
#include <mutex>
#include <string>

#include "core/bet.h"
#include "core/format.h"
#include "core/state.h"
#include "engine/reduction.h"
#include "flows/process_optimisation.h"
#include "flows/process_run.h"
#include "flows/reports.h"
#include "ui/frmGarantiasTOTAL.h"
#include "ui/job_runner.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/mark_cell.h"

namespace kombitron::ui {

// Written by the running job, shown by the UI thread: the figures are kept here and one update
// at a time is posted, however fast the cycles go.
struct frmVentanaProceso::LiveRun {
    std::atomic<int> percent{0};
    std::atomic<double> cycles{0};
    std::atomic<int64_t> reduced{-1};
    std::atomic<bool> posted{false};
    std::mutex captionMutex;
    std::string caption;
    bool captionChanged = false;
};

// Where a running optimisation stands, kept by its job and shown by the UI thread.
struct frmVentanaProceso::LiveOptimisation {
    std::atomic<int64_t> bets{0};
    std::atomic<int64_t> covered{0};
    std::atomic<int64_t> conditioned{0};
    std::atomic<double> seconds{0};
    std::atomic<bool> seen{false};
    std::atomic<bool> posted{false};
};

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// The optimiser's figures for the window; its report() (time spent of the budget) goes on to the
// runner's progress, which moves the bar.
class WindowOptimiserProgress : public OptimiserProgress {
public:
    WindowOptimiserProgress(std::shared_ptr<frmVentanaProceso::LiveOptimisation> live, Progress& bar, std::function<void()> post)
        : live_(std::move(live)), bar_(bar), post_(std::move(post))
    {
    }
    void report(int64_t done, int64_t total) override { bar_.report(done, total); }
    void improved(const OptimiserStatus& s) override { keep(s); }
    void status(const OptimiserStatus& s) override { keep(s); }

private:
    void keep(const OptimiserStatus& s)
    {
        live_->bets = s.bets;
        live_->covered = s.covered;
        live_->conditioned = s.conditioned;
        live_->seconds = s.seconds;
        live_->seen = true;
        if (!live_->posted.exchange(true)) post_();
    }

    std::shared_ptr<frmVentanaProceso::LiveOptimisation> live_;
    Progress& bar_;
    std::function<void()> post_;
};

QString coveredShare(int64_t covered, int64_t conditioned)
{
    const double share = conditioned > 0 ? static_cast<double>(covered) * 100.0 / static_cast<double>(conditioned) : 0;
    return qs(formatFixed2(share));
}

// The reduction's progress as the window shows it.
class WindowReductionProgress : public ReductionProgress {
public:
    WindowReductionProgress(std::shared_ptr<frmVentanaProceso::LiveRun> live, std::function<void()> post)
        : live_(std::move(live)), post_(std::move(post))
    {
    }
    void report(int64_t done, int64_t) override
    {
        if (live_->percent.exchange(static_cast<int>(done)) != done) update();
    }
    void caption(std::string_view text) override
    {
        {
            std::lock_guard<std::mutex> lock(live_->captionMutex);
            live_->caption.assign(text);
            live_->captionChanged = true;
        }
        update();
    }
    void cycleDone(double cycles) override
    {
        live_->cycles = cycles;
        update();
    }
    void improved(int64_t size) override
    {
        live_->reduced = size;
        update();
    }

private:
    void update()
    {
        if (!live_->posted.exchange(true)) post_();
    }

    std::shared_ptr<frmVentanaProceso::LiveRun> live_;
    std::function<void()> post_;
};

QLabel* countLabel(const QString& name, QWidget* parent)
{
    auto* l = new QLabel(QStringLiteral("0"), parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(130);
    QFont f = l->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    l->setFont(f);
    l->setStyleSheet(QStringLiteral("background: white; border: 1px solid #c4c9d1; border-radius: 3px; padding: 1px 6px;"));
    return l;
}

} // namespace

frmVentanaProceso::frmVentanaProceso(AppState& state, Interaction& ui, QWidget* parent)
    : QDialog(parent), state_(state), ui_(ui), runner_(new JobRunner(ui, this)), live_(std::make_shared<LiveRun>())
{
    setObjectName(QStringLiteral("frmVentanaProceso"));
    setWindowTitle(QStringLiteral("Cálculo del sistema"));
    setModal(true);
    auto* v = new QVBoxLayout(this);

    auto* counts = new QGridLayout;
    lblDirecto = new QLabel(this);
    lblDirecto->setObjectName(QStringLiteral("lblDirecto"));
    auto* cond = new QLabel(QStringLiteral("Condicionado"), this);
    auto* red = new QLabel(QStringLiteral("En reducción"), this);
    for (auto* l : {lblDirecto, cond, red}) l->setStyleSheet(QStringLiteral("font-weight: bold; color: #2b5797;"));
    lblApuestasTotales = countLabel(QStringLiteral("lblApuestasTotales"), this);
    lblApuestasCondicionadas = countLabel(QStringLiteral("lblApuestasCondicionadas"), this);
    lblApuestasReducidas = countLabel(QStringLiteral("lblApuestasReducidas"), this);
    lblApuestasReducidas->setStyleSheet(lblApuestasReducidas->styleSheet() + QStringLiteral("color: #b3151b;"));
    int r = 0;
    for (auto [caption, value] : {std::pair{lblDirecto, lblApuestasTotales}, std::pair{cond, lblApuestasCondicionadas},
                                  std::pair{red, lblApuestasReducidas}}) {
        counts->addWidget(caption, r, 0);
        counts->addWidget(new QLabel(QStringLiteral("Apuestas :"), this), r, 1);
        counts->addWidget(value, r, 2);
        ++r;
    }
    counts->addWidget(new QLabel(QStringLiteral("Ciclo Actual :"), this), r, 1);
    lblCiclo = new QLabel(QStringLiteral("0"), this);
    lblCiclo->setObjectName(QStringLiteral("lblCiclo"));
    lblCiclo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    counts->addWidget(lblCiclo, r, 2);
    // A trial with cycles never ends by itself: say so while it runs, without moving anything.
    lblAvisoCiclos = new QLabel(QStringLiteral("El cálculo sigue buscando hasta que pulse Detener"), this);
    lblAvisoCiclos->setObjectName(QStringLiteral("lblAvisoCiclos"));
    lblAvisoCiclos->setStyleSheet(QStringLiteral("color: #2b5797; font-style: italic;"));
    QSizePolicy keepPlace = lblAvisoCiclos->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    lblAvisoCiclos->setSizePolicy(keepPlace);
    lblAvisoCiclos->hide();
    counts->addWidget(lblAvisoCiclos, r, 3);
    counts->setColumnStretch(3, 1);
    v->addLayout(counts);

    picProgreso = new QProgressBar(this);
    picProgreso->setObjectName(QStringLiteral("picProgreso"));
    picProgreso->setRange(0, 100);
    picProgreso->setValue(0);
    v->addWidget(picProgreso);

    auto* optimiseRow = new QHBoxLayout;
    cmdOptimizar = new QPushButton(QStringLiteral("Optimizar"), this);
    cmdOptimizar->setObjectName(QStringLiteral("cmdOptimizar"));
    cmdOptimizar->setToolTip(QStringLiteral("Busca un sistema con menos apuestas y la misma garantía"));
    cmdOptimizar->setIcon(appIcon(AppIcon::Search));
    txtSegundosOptimizar = new QLineEdit(QString::number(kDefaultOptimiserSeconds, 'f', 0), this);
    txtSegundosOptimizar->setObjectName(QStringLiteral("txtSegundosOptimizar"));
    txtSegundosOptimizar->setToolTip(QStringLiteral("Segundos que dura la búsqueda"));
    txtSegundosOptimizar->setValidator(new QIntValidator(1, 99999, txtSegundosOptimizar));
    txtSegundosOptimizar->setMaxLength(5);
    txtSegundosOptimizar->setAlignment(Qt::AlignRight);
    txtSegundosOptimizar->setFixedWidth(60);
    lblOptimizando = new QLabel(this);
    lblOptimizando->setObjectName(QStringLiteral("lblOptimizando"));
    lblOptimizando->setStyleSheet(QStringLiteral("font-weight: bold; color: #2b5797;"));
    optimiseRow->addWidget(cmdOptimizar);
    optimiseRow->addWidget(txtSegundosOptimizar);
    optimiseRow->addWidget(new QLabel(QStringLiteral("segundos"), this));
    optimiseRow->addSpacing(8);
    optimiseRow->addWidget(lblOptimizando, 1);
    v->addLayout(optimiseRow);

    fraPorcentajes = new QGroupBox(QString::fromUtf8(kPercentagesBeforeCaption), this);
    fraPorcentajes->setObjectName(QStringLiteral("fraPorcentajes"));
    auto* grid = new QGridLayout(fraPorcentajes);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(2);
    for (int n = 1; n <= 49; ++n) {
        auto* number = new QLabel(QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')), fraPorcentajes);
        number->setObjectName(QStringLiteral("lblNumero_%1").arg(n - 1));
        number->setFixedSize(24, 20);
        number->setAlignment(Qt::AlignCenter);
        number->setStyleSheet(QStringLiteral("color: %1; font-weight: bold;").arg(QLatin1String(colors::kMarkRed)));
        auto* value = new QLabel(fraPorcentajes);
        value->setObjectName(QStringLiteral("lblN_%1").arg(n - 1));
        value->setFixedSize(48, 20);
        value->setAlignment(Qt::AlignCenter);
        lblN[n - 1] = value;
        grid->addWidget(number, n % 10, (n / 10) * 2);
        grid->addWidget(value, n % 10, (n / 10) * 2 + 1);
    }
    v->addWidget(fraPorcentajes);

    auto* buttons = new QHBoxLayout;
    imgCalcular = new ImageButton(QStringLiteral("imgCalcular"), AppIcon::Calculate, QStringLiteral("Calcular"), this);
    imgCalculoDefinitivo = new ImageButton(QStringLiteral("imgCalculoDefinitivo"), AppIcon::SaveBets,
                                           QStringLiteral("Cálculo con grabación de apuestas"), this);
    imgGarantias = new ImageButton(QStringLiteral("imgGarantias"), AppIcon::Guarantees, QStringLiteral("Garantías"), this);
    imgVerPorcentajes = new ImageButton(QStringLiteral("imgVerPorcentajes"), AppIcon::Report,
                                        QStringLiteral("Muestra en el Bloc de Notas los porcentajes"), this);
    imgDetener = new ImageButton(QStringLiteral("imgDetener"), AppIcon::Stop, QStringLiteral("Detener el proceso"), this);
    imgVolver = makeVolverButton(this, QStringLiteral("Cerrar"));
    for (auto* b : {imgCalcular, imgCalculoDefinitivo, imgGarantias, imgVerPorcentajes, imgDetener}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(imgVolver);
    v->addLayout(buttons);

    // The reduction shows its figures through LiveRun; the exact-count adjustment through the runner.
    connect(runner_, &JobRunner::progressed, this,
            [this](qint64 done, qint64 total) { picProgreso->setValue(total > 0 ? int(done * 100 / total) : 0); });
    connect(imgCalcular, &QToolButton::clicked, this, &frmVentanaProceso::calculate);
    connect(imgCalculoDefinitivo, &QToolButton::clicked, this, &frmVentanaProceso::requestDefinitive);
    connect(imgGarantias, &QToolButton::clicked, this, &frmVentanaProceso::openGuarantees);
    connect(imgVerPorcentajes, &QToolButton::clicked, this, &frmVentanaProceso::writePercentagesReport);
    connect(imgDetener, &QToolButton::clicked, this, &frmVentanaProceso::stop);
    connect(cmdOptimizar, &QPushButton::clicked, this, &frmVentanaProceso::optimise);
    connect(imgVolver, &QToolButton::clicked, this, [this] {
        if (running_) return;
        closing_ = true;
        accept();
    });

    lblDirecto->setText(state_.base.kind == CombinationKind::FromFile ? QStringLiteral("Importado") : QStringLiteral("En directo"));
    lblApuestasTotales->setText(qs(formatCount(state_.initialCount)));
    shownConditioned_ = state_.conditionedCount;
    lblApuestasCondicionadas->setText(qs(formatCount(shownConditioned_)));
    setReduced(state_.conditionedCount);
    showButtons(false);
}

// The runner goes first: a run still going is stopped and waited for, and the state comes back,
// while the widgets its updates reach still exist.
frmVentanaProceso::~frmVentanaProceso() { delete runner_; }

void frmVentanaProceso::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The run starts when the window first becomes active; coming back from the guarantees
    // window (or any other child) never starts another one.
    if (started_) return;
    started_ = true;
    QTimer::singleShot(0, this, [this] {
        if (skipActivation_) {
            skipActivation_ = false;
            return;
        }
        // Opened for the definitive calculation: the window closes once its run is over.
        closeAfterRun_ = state_.saveWhenDone;
        run();
    });
}

// Every button keeps its place: those that cannot be used now are disabled, never hidden, so the
// window does not re-lay out between the steps of a run.
void frmVentanaProceso::showButtons(bool running)
{
    for (auto* b : {imgCalcular, imgCalculoDefinitivo, imgGarantias, imgVerPorcentajes, imgVolver}) b->setEnabled(!running);
    imgDetener->setEnabled(running);
    cmdOptimizar->setEnabled(!running && hasResult_);
    txtSegundosOptimizar->setEnabled(!running);
}

void frmVentanaProceso::setReduced(int64_t count)
{
    shownReduced_ = count;
    lblApuestasReducidas->setText(qs(formatCount(count)));
}

void frmVentanaProceso::applyUpdate()
{
    LiveRun& live = *live_;
    live.posted.store(false);
    picProgreso->setValue(live.percent.load());
    std::string caption;
    bool captionChanged = false;
    {
        std::lock_guard<std::mutex> lock(live.captionMutex);
        captionChanged = live.captionChanged;
        live.captionChanged = false;
        caption = live.caption;
    }
    if (captionChanged) lblCiclo->setText(qs(caption));
    const double cycles = live.cycles.load();
    if (cycles > 0) lblCiclo->setText(QString::number(cycles, 'f', 0));
    const int64_t reduced = live.reduced.exchange(-1);
    if (reduced >= 0) {
        setReduced(reduced);
        emit reducedCountChanged(reduced);
    }
}

void frmVentanaProceso::run()
{
    running_ = true;
    ++runs_;
    picProgreso->setValue(0);
    lblCiclo->setText(QStringLiteral("0"));
    // A run that ends without a result leaves nothing to optimise, whatever an earlier one left.
    hasResult_ = false;
    showButtons(true);
    lblOptimizando->clear();
    lblAvisoCiclos->setVisible(runsUntilStopped(state_.reduction, markedNumberCount(state_)));
    showPanel(percentagesBefore(state_));
    live_ = std::make_shared<LiveRun>();

    auto live = live_;
    JobRunner* runner = runner_;
    runner_->startOnState<ProcessRunResult>(
        state_,
        [live, runner, this](AppState& work, Progress&, const StopToken& stop, Interaction&) {
            WindowReductionProgress progress(live, [runner, this] { runner->post([this] { applyUpdate(); }); });
            return runProcessReduction(work, progress, stop);
        },
        [this](ProcessRunResult result) { afterReduction(std::move(result)); });
}

void frmVentanaProceso::afterReduction(ProcessRunResult result)
{
    applyUpdate();
    lblAvisoCiclos->hide();
    if (!result.needsExactCount || result.failed()) {
        showRun(result);
        return;
    }
    // The adjustment follows with a stop request of its own; it is not the player's to stop.
    imgDetener->setEnabled(false);
    setReduced(result.shownReduced);
    picProgreso->setValue(0);
    runner_->startOnState<ProcessRunResult>(
        state_,
        [run = std::move(result)](AppState& work, Progress& progress, const StopToken& stop, Interaction&) mutable {
            return runProcessExactCount(work, std::move(run), progress, stop);
        },
        [this](ProcessRunResult adjusted) { showRun(adjusted); });
}

void frmVentanaProceso::showRun(const ProcessRunResult& result)
{
    if (!result.failed()) {
        if (result.reduction.found) emit reducedCountChanged(state_.reducedCount);
        setReduced(result.shownReduced);
        showPanel(result.panel);
        if (result.reduction.cyclesDone > 0) lblCiclo->setText(QString::number(result.reduction.cyclesDone, 'f', 0));
        if (result.reduction.found) hasResult_ = true;
    }
    lblAvisoCiclos->hide();
    picProgreso->setValue(0);
    running_ = false;
    showButtons(false);
    if (result.failed()) ui_.error("ERROR: " + result.failure);
    else if (result.reduction.failed()) ui_.error("ERROR: " + result.reduction.failure);
    if (closeAfterRun_) {
        closeAfterRun_ = false;
        closing_ = true;
        accept();
    }
}

void frmVentanaProceso::showPanel(const NumberPercentages& panel)
{
    panel_ = panel;
    fraPorcentajes->setTitle(qs(panel_.caption));
    for (int v = 1; v <= 49; ++v) {
        lblN[v - 1]->setText(qs(panel_.text[v - 1]));
        lblN[v - 1]->setStyleSheet(panel_.none(v) ? QStringLiteral("background: white; border: 1px solid #d8d8d8;")
                                                  : QStringLiteral("background: %1; border: 1px solid #d8d8d8;").arg(QLatin1String(colors::kLightYellow)));
    }
}

void frmVentanaProceso::calculate()
{
    if (!running_) run();
}

void frmVentanaProceso::requestDefinitive()
{
    if (running_) return;
    state_.saveWhenDone = true;
    closing_ = true;
    accept();
}

void frmVentanaProceso::openGuarantees()
{
    if (running_) return;
    if (shownConditioned_ == shownReduced_) {
        ui_.warning("AVISO: No se pueden calcular las garantías, el sistema reducido es igual al sistema condicionado");
        return;
    }
    skipActivation_ = true;
    frmGarantiasTOTAL window(state_, ui_, this);
    connect(&window, &frmGarantiasTOTAL::guaranteeProved, this, &frmVentanaProceso::guaranteeProved);
    window.exec();
    skipActivation_ = false;
}

void frmVentanaProceso::writePercentagesReport()
{
    if (running_) return;
    showPercentagesReport(panel_, ui_);
}

void frmVentanaProceso::stop()
{
    runner_->requestStop();
    imgDetener->setEnabled(false);
}

void frmVentanaProceso::setOptimiserSearch(uint64_t seed, int threads, int64_t stepLimit)
{
    optimiserSeed_ = seed;
    optimiserThreads_ = threads;
    optimiserStepLimit_ = stepLimit;
}

void frmVentanaProceso::optimise()
{
    if (running_ || !hasResult_) return;
    bool ok = false;
    const int seconds = txtSegundosOptimizar->text().toInt(&ok);
    if (!ok || seconds < 1) {
        ui_.error("ERROR: Indique los segundos de la optimización (un número entero desde 1)");
        return;
    }
    ProcessOptimisationRequest request;
    request.seconds = seconds;
    request.seed = optimiserSeed_;
    request.threads = optimiserThreads_;
    request.stepLimit = optimiserStepLimit_;

    running_ = true;
    optimising_ = true;
    showButtons(true);
    picProgreso->setValue(0);
    lblOptimizando->setText(QStringLiteral("Optimizando ..."));
    liveOptimisation_ = std::make_shared<LiveOptimisation>();
    auto live = liveOptimisation_;
    JobRunner* runner = runner_;
    runner_->startOnState<ProcessOptimisationResult>(
        state_,
        [request, live, runner, this](AppState& work, Progress& bar, const StopToken& stop, Interaction&) {
            WindowOptimiserProgress progress(live, bar, [runner, this] {
                runner->post([this] {
                    LiveOptimisation& l = *liveOptimisation_;
                    l.posted = false;
                    if (!l.seen) return;
                    lblOptimizando->setText(QStringLiteral("Optimizando: %1 apuestas, %2 % cubierto, %3 s")
                                                .arg(qs(formatCount(l.bets)), coveredShare(l.covered, l.conditioned))
                                                .arg(l.seconds.load(), 0, 'f', 0));
                });
            });
            return runProcessOptimisation(work, request, progress, stop);
        },
        [this](ProcessOptimisationResult result) { afterOptimisation(result); });
}

void frmVentanaProceso::afterOptimisation(const ProcessOptimisationResult& result)
{
    optimising_ = false;
    running_ = false;
    picProgreso->setValue(0);
    if (result.failed()) {
        lblOptimizando->clear();
        showButtons(false);
        ui_.error("ERROR: " + result.failure);
        return;
    }
    setReduced(result.shownReduced);
    showPanel(result.panel);
    // A stop before the start was measured leaves its coverage unknown (-1).
    const QString share = result.optimiser.covered < 0 ? QStringLiteral("?")
                                                       : coveredShare(result.optimiser.covered, result.optimiser.conditioned);
    if (result.replaced) {
        emit reducedCountChanged(state_.reducedCount);
        lblOptimizando->setText(QStringLiteral("Optimizado: %1 apuestas (antes %2), %3 % cubierto")
                                    .arg(qs(formatCount(result.shownReduced)), qs(formatCount(result.optimiser.startBets)), share));
    } else {
        lblOptimizando->setText(QStringLiteral("Sin mejora: se mantienen las %1 apuestas").arg(qs(formatCount(result.shownReduced))));
    }
    showButtons(false);
}

void frmVentanaProceso::reject()
{
    // Escape and the close box do nothing: the window closes through its own buttons.
    if (closing_) QDialog::reject();
}

void frmVentanaProceso::closeEvent(QCloseEvent* event)
{
    if (!closing_) event->ignore();
    else QDialog::closeEvent(event);
}

} // namespace kombitron::ui
