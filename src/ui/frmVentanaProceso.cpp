#include "ui/frmVentanaProceso.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

#include "core/bet.h"
#include "core/format.h"
#include "core/state.h"
#include "engine/process_run.h"
#include "ui/frmGarantiasTOTAL.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/mark_cell.h"
#include "ui/worker.h"

namespace kombitron::ui {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

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
    : QDialog(parent), state_(state), ui_(ui)
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

frmVentanaProceso::~frmVentanaProceso() = default;

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
        run();
        if (state_.saveWhenDone) {
            closing_ = true;
            accept();
        }
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

void frmVentanaProceso::postUpdate()
{
    if (updatePosted_.exchange(true)) return;
    QMetaObject::invokeMethod(this, [this] { applyUpdate(); }, Qt::QueuedConnection);
}

void frmVentanaProceso::applyUpdate()
{
    updatePosted_.store(false);
    picProgreso->setValue(livePercent_.load());
    std::string caption;
    bool captionChanged = false;
    {
        std::lock_guard<std::mutex> lock(captionMutex_);
        captionChanged = captionChanged_;
        captionChanged_ = false;
        caption = liveCaption_;
    }
    if (captionChanged) lblCiclo->setText(qs(caption));
    const double cycles = liveCycles_.load();
    if (cycles > 0) lblCiclo->setText(QString::number(cycles, 'f', 0));
    const int64_t reduced = liveReduced_.exchange(-1);
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
    showPanel(PercentagesBefore(state_));
    livePercent_ = 0;
    liveCycles_ = 0;
    liveReduced_ = -1;

    stopWanted_ = false;
    ReductionCallbacks callbacks;
    // The engine clears the stop flag when it starts: a stop pressed before that is applied again
    // at the first point where the engine gives way.
    callbacks.yield = [this] {
        if (stopWanted_) stop_.request();
    };
    callbacks.progress = [this](int percent) {
        if (stopWanted_) stop_.request();
        if (livePercent_.exchange(percent) != percent) postUpdate();
    };
    callbacks.caption = [this](const std::string& text) {
        {
            std::lock_guard<std::mutex> lock(captionMutex_);
            liveCaption_ = text;
            captionChanged_ = true;
        }
        postUpdate();
    };
    callbacks.cycleDone = [this](double cycles) {
        liveCycles_ = cycles;
        postUpdate();
    };
    callbacks.improved = [this](int64_t size, const BetList&) {
        liveReduced_ = size;
        postUpdate();
    };

    ProcessRunResult result;
    const std::string failure = runOffUiThread([&] { result = RunProcessCalculation(state_, callbacks, stop_); });
    applyUpdate();
    if (failure.empty()) {
        if (result.reduction.found) emit reducedCountChanged(state_.reducedCount);
        setReduced(result.shownReduced);
        showPanel(result.panel);
        if (result.reduction.cyclesDone > 0) lblCiclo->setText(QString::number(result.reduction.cyclesDone, 'f', 0));
    }
    picProgreso->setValue(0);
    stop_.request();
    running_ = false;
    showButtons(false);
    if (!failure.empty()) ui_.error("ERROR: " + failure);
    else if (result.reduction.failed) ui_.error("ERROR: " + result.reduction.failure);
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
    std::string path, failure;
    if (!WritePercentagesReport(panel_, path, failure) || !ui_.openInEditor(path, failure))
        ui_.error("ERROR AL GENERAR EL FICHERO EN EL BLOC DE NOTAS (" + failure + ")");
}

void frmVentanaProceso::stop()
{
    stopWanted_ = true;
    stop_.request();
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
