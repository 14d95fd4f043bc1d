#include "ui/frmMultiEscrutinioEstadistico.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/draw.h"
#include "core/format.h"
#include "core/interaction.h"
#include "core/job.h"
#include "core/paths.h"
#include "formats/bet_files.h"
#include "ui/job_runner.h"
#include "ui/widgets/icons.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/mark_cell.h"
#include "ui/widgets/numeric_line_edit.h"
#include "ui/widgets/waiting_panel.h"

namespace kombitron::ui {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

struct DrawsJobResult : JobOutcome {
    StatisticalDrawsLoad load;
};

struct BetsJobResult : JobOutcome {
    ScrutinyFileLoad load;
};

QLabel* caption(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setStyleSheet(QStringLiteral("color: #333;"));
    return l;
}

QLabel* value(const QString& name, const QString& text, QWidget* parent, int width = 52)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setMinimumWidth(width);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setStyleSheet(QStringLiteral("QLabel { background: white; border: 1px solid #c4c9d1; border-radius: 3px; padding: 1px 6px; font-weight: bold; }"
                                    "QLabel:disabled { color: #8a8f98; }"));
    return l;
}

} // namespace

frmMultiEscrutinioEstadistico::frmMultiEscrutinioEstadistico(const std::string& gameName, Interaction& ui, QWidget* parent)
    : QDialog(parent), ui_(ui)
{
    runner_ = new JobRunner(ui_, this);
    setObjectName(QStringLiteral("frmMultiEscrutinioEstadistico"));
    setWindowTitle(QStringLiteral("MultiEscrutinio Estadístico"));
    setModal(true);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(10, 8, 10, 8);
    outer->setSpacing(8);
    auto* top = new QHBoxLayout;
    top->setSpacing(10);
    top->addWidget(buildDraws(), 1);
    top->addWidget(buildQuery(), 0);
    outer->addLayout(top);
    outer->addWidget(buildReport(), 1);
    auto* bottom = new QHBoxLayout;
    imgVerInforme = new ImageButton(QStringLiteral("imgVerInforme"), AppIcon::Report,
                                    QStringLiteral("Muestra en el Bloc de Notas el informe completo"), this);
    imgVolver = makeVolverButton(this, QStringLiteral("Cerrar"));
    bottom->addWidget(imgVerInforme);
    bottom->addStretch();
    bottom->addWidget(imgVolver);
    outer->addLayout(bottom);

    picVentanaEspera = new WaitingPanel(this, true);
    picVentanaEspera->setTitle(QStringLiteral("Escrutando ..."));
    cmdStop = picVentanaEspera->stopButton();

    cboTipoJuego->setCurrentIndex(gameName == "BONOLOTO" ? 1 : 0);
    const StatisticsQuery initial = defaultStatisticsQuery(QDate::currentDate().year());
    txtTemporadaDESDE->setText(qs(initial.seasonFrom));
    txtTemporadaHASTA->setText(qs(initial.seasonTo));
    txtSorteoDESDE->setText(qs(initial.drawFrom));
    txtSorteoHASTA->setText(qs(initial.drawTo));
    cboDia->setCurrentIndex(0);

    connect(cmdCargar, &QPushButton::clicked, this, &frmMultiEscrutinioEstadistico::cargar);
    connect(cmdDesdeFichero, &QPushButton::clicked, this, &frmMultiEscrutinioEstadistico::abrirFichero);
    connect(cmdEscrutar, &QPushButton::clicked, this, &frmMultiEscrutinioEstadistico::escrutar);
    connect(imgVerInforme, &QToolButton::clicked, this, &frmMultiEscrutinioEstadistico::verInforme);
    connect(cmdStop, &QPushButton::clicked, this, &frmMultiEscrutinioEstadistico::detener);
    connect(imgVolver, &QToolButton::clicked, this, &frmMultiEscrutinioEstadistico::cerrar);
    connect(runner_, &JobRunner::progressed, picVentanaEspera, &WaitingPanel::setProgress);
    resize(1060, 680);
}

frmMultiEscrutinioEstadistico::~frmMultiEscrutinioEstadistico() { runner_->stopAndWait(); }

// ---- building -----------------------------------------------------------------------------------

QGroupBox* frmMultiEscrutinioEstadistico::buildDraws()
{
    fraDatosFichero = new QGroupBox(QStringLiteral("Datos Fichero Estadísticas"), this);
    fraDatosFichero->setObjectName(QStringLiteral("fraDatosFichero"));
    auto* v = new QVBoxLayout(fraDatosFichero);
    v->setSpacing(8);

    auto* game = new QHBoxLayout;
    cboTipoJuego = new QComboBox(fraDatosFichero);
    cboTipoJuego->setObjectName(QStringLiteral("cboTipoJuego"));
    cboTipoJuego->addItems({QStringLiteral("PRIMITIVA"), QStringLiteral("BONOLOTO")});
    cmdCargar = new QPushButton(QStringLiteral("Cargar desde Internet"), fraDatosFichero);
    cmdCargar->setObjectName(QStringLiteral("cmdCargar"));
    cmdCargar->setIcon(appIcon(AppIcon::Switch));
    game->addWidget(caption(QStringLiteral("Tipo de Juego :"), fraDatosFichero));
    game->addWidget(cboTipoJuego);
    game->addWidget(cmdCargar);
    game->addStretch();
    v->addLayout(game);

    auto* span = new QHBoxLayout;
    lblSorteosCargados = value(QStringLiteral("lblSorteosCargados"), QStringLiteral("0"), fraDatosFichero, 70);
    lblSorteoDESDE = value(QStringLiteral("lblSorteoDESDE"), QStringLiteral("-"), fraDatosFichero);
    lblTemporadaDESDE = value(QStringLiteral("lblTemporadaDESDE"), QStringLiteral("-"), fraDatosFichero);
    lblSorteoHASTA = value(QStringLiteral("lblSorteoHASTA"), QStringLiteral("-"), fraDatosFichero);
    lblTemporadaHASTA = value(QStringLiteral("lblTemporadaHASTA"), QStringLiteral("-"), fraDatosFichero);
    span->addWidget(caption(QStringLiteral("Sorteos cargados :"), fraDatosFichero));
    span->addWidget(lblSorteosCargados);
    span->addSpacing(14);
    span->addWidget(caption(QStringLiteral("Desde sorteo :"), fraDatosFichero));
    span->addWidget(lblSorteoDESDE);
    span->addWidget(caption(QStringLiteral("temporada :"), fraDatosFichero));
    span->addWidget(lblTemporadaDESDE);
    span->addSpacing(14);
    span->addWidget(caption(QStringLiteral("Hasta sorteo :"), fraDatosFichero));
    span->addWidget(lblSorteoHASTA);
    span->addWidget(caption(QStringLiteral("temporada :"), fraDatosFichero));
    span->addWidget(lblTemporadaHASTA);
    span->addStretch();
    v->addLayout(span);

    auto* bets = new QHBoxLayout;
    cmdDesdeFichero = new QPushButton(fraDatosFichero);
    cmdDesdeFichero->setObjectName(QStringLiteral("cmdDesdeFichero"));
    cmdDesdeFichero->setIcon(appIcon(AppIcon::OpenFile));
    cmdDesdeFichero->setIconSize(QSize(22, 22));
    cmdDesdeFichero->setToolTip(QStringLiteral("Abrir Fichero"));
    cmdDesdeFichero->setAccessibleName(QStringLiteral("Abrir Fichero"));
    txtFicheroASCII = new QLineEdit(fraDatosFichero);
    txtFicheroASCII->setObjectName(QStringLiteral("txtFicheroASCII"));
    txtFicheroASCII->setReadOnly(true);
    lblApuCargadas = value(QStringLiteral("lblApuCargadas"), QStringLiteral("0"), fraDatosFichero, 90);
    bets->addWidget(caption(QStringLiteral("Apuestas :"), fraDatosFichero));
    bets->addWidget(cmdDesdeFichero);
    bets->addWidget(txtFicheroASCII, 1);
    bets->addWidget(lblApuCargadas);
    v->addLayout(bets);
    return fraDatosFichero;
}

QGroupBox* frmMultiEscrutinioEstadistico::buildQuery()
{
    fraConsultas = new QGroupBox(QStringLiteral("Consultas"), this);
    fraConsultas->setObjectName(QStringLiteral("fraConsultas"));
    auto* g = new QGridLayout(fraConsultas);
    g->setHorizontalSpacing(6);
    auto box = [this](const QString& name, int length) {
        auto* t = new NumericLineEdit(length, NumericLineEdit::Mode::Digits, fraConsultas);
        t->setObjectName(name);
        t->setAlignment(Qt::AlignRight);
        t->setFixedWidth(58);
        return t;
    };
    txtTemporadaDESDE = box(QStringLiteral("txtTemporadaDESDE"), 4);
    txtTemporadaHASTA = box(QStringLiteral("txtTemporadaHASTA"), 4);
    txtSorteoDESDE = box(QStringLiteral("txtSorteoDESDE"), 3);
    txtSorteoHASTA = box(QStringLiteral("txtSorteoHASTA"), 3);
    cboDia = new QComboBox(fraConsultas);
    cboDia->setObjectName(QStringLiteral("cboDia"));
    for (int code = 0; code <= 7; ++code) cboDia->addItem(QString::fromUtf8(weekdayName(code)));
    cmdEscrutar = new QPushButton(QStringLiteral("Escrutar"), fraConsultas);
    cmdEscrutar->setObjectName(QStringLiteral("cmdEscrutar"));
    cmdEscrutar->setIcon(appIcon(AppIcon::Calculate));
    cmdEscrutar->setDefault(true);

    g->addWidget(caption(QStringLiteral("Temporada desde :"), fraConsultas), 0, 0);
    g->addWidget(txtTemporadaDESDE, 0, 1);
    g->addWidget(caption(QStringLiteral("hasta :"), fraConsultas), 0, 2);
    g->addWidget(txtTemporadaHASTA, 0, 3);
    g->addWidget(caption(QStringLiteral("Sorteo desde :"), fraConsultas), 1, 0);
    g->addWidget(txtSorteoDESDE, 1, 1);
    g->addWidget(caption(QStringLiteral("hasta :"), fraConsultas), 1, 2);
    g->addWidget(txtSorteoHASTA, 1, 3);
    g->addWidget(caption(QStringLiteral("Día :"), fraConsultas), 2, 0);
    g->addWidget(cboDia, 2, 1, 1, 3);
    g->addWidget(cmdEscrutar, 3, 0, 1, 4);
    return fraConsultas;
}

QGroupBox* frmMultiEscrutinioEstadistico::buildReport()
{
    fraEscrutinio = new QGroupBox(QStringLiteral("Escrutinio"), this);
    fraEscrutinio->setObjectName(QStringLiteral("fraEscrutinio"));
    auto* v = new QVBoxLayout(fraEscrutinio);
    v->setSpacing(4);
    const QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    lblDatos = new QLabel(QString::fromUtf8(kStatisticalReportHeader), fraEscrutinio);
    lblDatos->setObjectName(QStringLiteral("lblDatos"));
    lblDatos->setStyleSheet(QStringLiteral("background: %1; color: white; padding: 3px 4px; font-weight: bold;")
                                .arg(QLatin1String(colors::kAccent)));
    lblAvisoImportes = new QLabel(QString::fromUtf8(kNoPrizeAmountsNotice), fraEscrutinio);
    lblAvisoImportes->setObjectName(QStringLiteral("lblAvisoImportes"));
    lblAvisoImportes->setWordWrap(true);
    lblAvisoImportes->setStyleSheet(QStringLiteral("QLabel { background: #fff4d6; color: #7a4b00; border: 1px solid #e8c36a; "
                                                   "border-radius: 3px; padding: 3px 6px; font-weight: bold; }"));
    lblAvisoImportes->hide();
    txtDatos = new QPlainTextEdit(fraEscrutinio);
    txtDatos->setObjectName(QStringLiteral("txtDatos"));
    txtDatos->setReadOnly(true);
    txtDatos->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtDatos->setFont(mono);
    txtDatos->setStyleSheet(QStringLiteral("QPlainTextEdit { background: white; }"));
    v->addWidget(lblDatos);
    v->addWidget(lblAvisoImportes);
    v->addWidget(txtDatos, 1);
    return fraEscrutinio;
}

// ---- state on screen ----------------------------------------------------------------------------

bool frmMultiEscrutinioEstadistico::isBusy() const { return runner_->busy(); }

void frmMultiEscrutinioEstadistico::setWorking(bool working)
{
    for (QWidget* w : std::initializer_list<QWidget*>{fraDatosFichero, fraConsultas, imgVerInforme, imgVolver})
        w->setEnabled(!working);
    if (working) setCursor(Qt::BusyCursor);
    else unsetCursor();
}

void frmMultiEscrutinioEstadistico::showDraws(const StatisticalDrawsLoad& load)
{
    lblSorteosCargados->setText(qs(formatCount(load.loaded() ? load.data->count() : 0)));
    lblSorteoDESDE->setText(qs(load.firstDraw));
    lblTemporadaDESDE->setText(qs(load.firstSeason));
    lblSorteoHASTA->setText(qs(load.lastDraw));
    lblTemporadaHASTA->setText(qs(load.lastSeason));
}

// ---- loading ------------------------------------------------------------------------------------

void frmMultiEscrutinioEstadistico::cargar()
{
    if (isBusy()) return;
    const std::string game = cboTipoJuego->currentText().toStdString();
    const GameType type = cboTipoJuego->currentIndex() == 1 ? GameType::Bonoloto : GameType::Primitiva;
    const StatisticalDrawsSource source = source_;
    setWorking(true);
    runner_->start<DrawsJobResult>(
        [game, source](Progress&, const StopToken& stop, Interaction& ui) {
            return guardJob<DrawsJobResult>([&](DrawsJobResult& r) {
                if (source) {
                    r.load = loadStatisticalDrawsFlow(game, source, ui);
                } else {
                    // Closing the window stops the requests instead of waiting for the service.
                    ServiceOptions options = defaultServiceOptions();
                    options.stop = stop;
                    r.load = loadStatisticalDrawsFlow(game, options, ui);
                }
            });
        },
        [this, type](DrawsJobResult result) {
            setWorking(false);
            if (result.failed()) {
                ui_.error(std::string(kDrawsLoadError) + " (" + result.failure + ")");
                result.load = StatisticalDrawsLoad{};
            }
            // A failed load leaves no draws: the window never scrutinises a list it does not show.
            draws_ = result.load.loaded() ? result.load.data : nullptr;
            drawsGame_ = type;
            showDraws(result.load);
            emit finished();
        });
}

void frmMultiEscrutinioEstadistico::abrirFichero()
{
    if (isBusy()) return;
    const std::string path = ui_.openFileDialog(betFileDialog());
    if (path.find_first_not_of(" \t") == std::string::npos) return;
    loadFile(path);
}

void frmMultiEscrutinioEstadistico::loadFile(const std::string& path)
{
    if (isBusy()) return;
    txtFicheroASCII->setText(qs(fileNameOf(path)));
    txtFicheroASCII->setToolTip(qs(path));
    txtFicheroASCII->setCursorPosition(0);
    lblApuCargadas->setText(QStringLiteral("0"));
    setWorking(true);
    runner_->start<BetsJobResult>(
        [path](Progress&, const StopToken&, Interaction& ui) {
            return guardJob<BetsJobResult>([&](BetsJobResult& r) { r.load = loadStatisticalBets(path, ui); });
        },
        [this](BetsJobResult result) {
            setWorking(false);
            if (result.failed()) {
                ui_.error(importErrorMessage(result.failure));
                result.load = ScrutinyFileLoad{};
            }
            bets_ = result.load.count() > 0 ? result.load.bets : nullptr;
            lblApuCargadas->setText(qs(formatCount(betCount())));
            emit finished();
        });
}

// ---- runs ---------------------------------------------------------------------------------------

bool frmMultiEscrutinioEstadistico::prepareRun(StatisticalRunRequest& request)
{
    request.bets = bets_;
    request.draws = draws_;
    request.boxes.seasonFrom = txtTemporadaDESDE->text().toStdString();
    request.boxes.seasonTo = txtTemporadaHASTA->text().toStdString();
    request.boxes.drawFrom = txtSorteoDESDE->text().toStdString();
    request.boxes.drawTo = txtSorteoHASTA->text().toStdString();
    request.boxes.weekday = std::max(0, cboDia->currentIndex());
    // The reintegro estimate prices the bets of the game whose draws are loaded.
    request.game = drawsGame_;
    DrawQuery query;
    const std::string refusal = validateStatisticalRun(betCount(), drawCount(), request.boxes, query);
    if (refusal.empty()) return true;
    ui_.error(refusal);
    return false;
}

void frmMultiEscrutinioEstadistico::escrutar()
{
    if (isBusy()) return;
    StatisticalRunRequest request;
    if (!prepareRun(request)) return;
    txtDatos->clear();
    lblAvisoImportes->hide();
    startRun(request, false);
}

void frmMultiEscrutinioEstadistico::verInforme()
{
    if (isBusy()) return;
    StatisticalRunRequest request;
    if (prepareRun(request)) startRun(request, true);
}

void frmMultiEscrutinioEstadistico::startRun(const StatisticalRunRequest& request, bool toEditor)
{
    setWorking(true);
    picVentanaEspera->setProgress(0, 1);
    picVentanaEspera->showCentred();
    runner_->start<StatisticalResult>(
        [request, toEditor](Progress&, const StopToken&, Interaction& ui) {
            return toEditor ? showStatisticalReport(request, ui) : runStatisticalFlow(request, ui);
        },
        [this, toEditor](StatisticalResult result) {
            picVentanaEspera->hide();
            setWorking(false);
            if (!toEditor && !result.failed()) {
                QString text = qs(statisticalWindowText(result.report));
                text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
                txtDatos->setPlainText(text);
                lblAvisoImportes->setVisible(result.noPrizeAmounts);
            }
            emit finished();
        });
}

void frmMultiEscrutinioEstadistico::detener() { runner_->requestStop(); }

// ---- closing ------------------------------------------------------------------------------------

void frmMultiEscrutinioEstadistico::cerrar()
{
    if (isBusy()) return;
    closing_ = true;
    draws_.reset();
    bets_.reset();
    accept();
}

void frmMultiEscrutinioEstadistico::reject()
{
    if (closing_) QDialog::reject();
    else cerrar();
}

void frmMultiEscrutinioEstadistico::closeEvent(QCloseEvent* event)
{
    // Nothing is lost by closing, but a run or a load must end first.
    if (!closing_) {
        event->ignore();
        cerrar();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace kombitron::ui
