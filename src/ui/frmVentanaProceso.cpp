#include "ui/frmVentanaProceso.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

#include <atomic>
#include <mutex>
#include <string>

#include "core/bet.h"
#include "core/format.h"
#include "core/state.h"
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

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

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
    counts->setColumnStretch(3, 1);
    v->addLayout(counts);

    picProgreso = new QProgressBar(this);
    picProgreso->setObjectName(QStringLiteral("picProgreso"));
    picProgreso->setRange(0, 100);
    picProgreso->setValue(0);
    v->addWidget(picProgreso);

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

void frmVentanaProceso::showButtons(bool running)
{
    for (auto* b : {imgCalcular, imgCalculoDefinitivo, imgGarantias, imgVerPorcentajes, imgVolver}) b->setVisible(!running);
    imgDetener->setVisible(running);
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
    showButtons(true);
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
    if (!result.needsExactCount || result.failed()) {
        showRun(result);
        return;
    }
    // The adjustment follows with a stop request of its own; it is not the player's to stop.
    imgDetener->hide();
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
    }
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
    imgDetener->hide();
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
