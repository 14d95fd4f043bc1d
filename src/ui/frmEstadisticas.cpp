#include "ui/frmEstadisticas.h"

#include <QBuffer>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include <string>

#include "core/format.h"
#include "core/interaction.h"
#include "core/job.h"
#include "core/paths.h"
#include "ui/job_runner.h"
#include "ui/widgets/waiting_panel.h"
#include "ui/qt_interaction.h"
#include "ui/statistics_chart.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/mark_cell.h"
#include "ui/widgets/numeric_line_edit.h"

namespace kombitron::ui {

namespace {

const char* const kUpdating = "Actualizando por favor espere ...";
const QString kBlack = QStringLiteral("color: black;");
const QString kGrey = QStringLiteral("color: #8a8f98;");

QString qs(const std::string& s) { return QString::fromStdString(s); }

// What a load or an update hands back to the window: how it went and the history it left.
struct HistoryJobResult : JobOutcome {
    HistoryLoadResult load;
    HistoryUpdateResult update;
};

QLabel* caption(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setStyleSheet(QStringLiteral("color: #333;"));
    return l;
}

QLabel* value(const QString& name, const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setMinimumWidth(48);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setStyleSheet(QStringLiteral("QLabel { background: white; border: 1px solid #c4c9d1; border-radius: 3px; padding: 1px 6px; font-weight: bold; }"));
    return l;
}

// The picture's file name proposed by "Guardar imagen": the chart's subject, without characters
// that file systems refuse.
std::string proposedImageName(const QString& subject)
{
    QString name = subject;
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    return "KOMBITRON_" + name.toStdString() + ".png";
}

} // namespace

frmEstadisticas::frmEstadisticas(const std::string& gameName, Interaction& ui, QWidget* parent)
    : QWidget(parent, Qt::Window), ui_(&ui)
{
    // With the program's own dialogs, this window's messages belong to it rather than to the main window.
    if (dynamic_cast<QtInteraction*>(&ui)) {
        ownInteraction_ = std::make_unique<QtInteraction>(this);
        ui_ = ownInteraction_.get();
    }
    runner_ = new JobRunner(*ui_, this);

    setObjectName(QStringLiteral("frmEstadisticas"));
    setWindowTitle(QString::fromLatin1(kTitle));
    setStyleSheet(QStringLiteral("QWidget#frmEstadisticas { background: #f4f5f7; }"));

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(10, 8, 10, 8);
    outer->setSpacing(6);
    outer->addWidget(buildFileArea());

    auto* middle = new QHBoxLayout;
    middle->setSpacing(8);
    auto* left = new QVBoxLayout;
    left->setSpacing(6);
    left->addWidget(buildQuery());
    left->addWidget(buildStatistics(), 1);
    middle->addLayout(left, 0);
    middle->addWidget(buildResult(), 1);
    outer->addLayout(middle, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    imgVolver = makeVolverButton(this, QStringLiteral("Cerrar"));
    bottom->addWidget(imgVolver);
    outer->addLayout(bottom);
    connect(imgVolver, &QToolButton::clicked, this, &frmEstadisticas::cerrar);

    buildWaitingPanel();

    cboTipoJuego->setCurrentIndex(gameName == "BONOLOTO" ? 1 : 0);
    const StatisticsQuery initial = defaultStatisticsQuery(QDate::currentDate().year());
    txtTemporadaDESDE->setText(qs(initial.seasonFrom));
    txtTemporadaHASTA->setText(qs(initial.seasonTo));
    txtSorteoDESDE->setText(qs(initial.drawFrom));
    txtSorteoHASTA->setText(qs(initial.drawTo));
    showHistory();

    connect(runner_, &JobRunner::progressed, this, [this](qint64 done, qint64) {
        lblSorteosCargados->setText(qs(formatCount(done)));
    });
    resize(1300, 700);
}

frmEstadisticas::~frmEstadisticas()
{
    // The runner goes with the children, after the interaction it speaks through: stop it first.
    runner_->stopAndWait();
}

// ---- building -----------------------------------------------------------------------------------

QGroupBox* frmEstadisticas::buildFileArea()
{
    fraFichero = new QGroupBox(QStringLiteral("Fichero de sorteos"), this);
    fraFichero->setObjectName(QStringLiteral("fraFichero"));
    auto* grid = new QGridLayout(fraFichero);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);

    cmdAbrirEstadisticas = new QPushButton(fraFichero);
    cmdAbrirEstadisticas->setObjectName(QStringLiteral("cmdAbrirEstadisticas"));
    cmdAbrirEstadisticas->setIcon(appIcon(AppIcon::OpenFile));
    cmdAbrirEstadisticas->setIconSize(QSize(24, 24));
    const QString openTip = QStringLiteral("Abrir fichero de estadísticas (Formato: 01,02,03,04,05,06,CC,RR 2010 1 J)");
    cmdAbrirEstadisticas->setToolTip(openTip);
    cmdAbrirEstadisticas->setAccessibleName(openTip);
    txtFicheroASCII = new QLineEdit(fraFichero);
    txtFicheroASCII->setObjectName(QStringLiteral("txtFicheroASCII"));
    txtFicheroASCII->setReadOnly(true);
    imgINIFichero = new ImageButton(QStringLiteral("imgINIFichero"), AppIcon::ClearAll,
                                    QStringLiteral("Inicializar los datos cargados"), fraFichero, 24);

    cboTipoJuego = new QComboBox(fraFichero);
    cboTipoJuego->setObjectName(QStringLiteral("cboTipoJuego"));
    cboTipoJuego->addItems({QStringLiteral("PRIMITIVA"), QStringLiteral("BONOLOTO")});
    cmdActualizar = new QPushButton(QStringLiteral("Actualizar fichero desde Internet"), fraFichero);
    cmdActualizar->setObjectName(QStringLiteral("cmdActualizar"));
    cmdActualizar->setIcon(appIcon(AppIcon::Switch));
    cmdActualizar->setToolTip(QStringLiteral("Actualizar el fichero de estadísticas abierto con los datos del fichero nuevo de actualización"));

    auto* row1 = new QHBoxLayout;
    row1->addWidget(cmdAbrirEstadisticas);
    row1->addWidget(caption(QStringLiteral("Fichero estadísticas :"), fraFichero));
    row1->addWidget(txtFicheroASCII, 1);
    row1->addWidget(imgINIFichero);
    row1->addSpacing(16);
    row1->addWidget(caption(QStringLiteral("Juego :"), fraFichero));
    row1->addWidget(cboTipoJuego);
    row1->addWidget(cmdActualizar);
    grid->addLayout(row1, 0, 0);

    lblSorteosCargados = value(QStringLiteral("lblSorteosCargados"), QStringLiteral("0"), fraFichero);
    lblSorteosCargados->setMinimumWidth(80);
    lblSorteoDESDE = value(QStringLiteral("lblSorteoDESDE"), QStringLiteral("-"), fraFichero);
    lblTemporadaDESDE = value(QStringLiteral("lblTemporadaDESDE"), QStringLiteral("-"), fraFichero);
    lblSorteoHASTA = value(QStringLiteral("lblSorteoHASTA"), QStringLiteral("-"), fraFichero);
    lblTemporadaHASTA = value(QStringLiteral("lblTemporadaHASTA"), QStringLiteral("-"), fraFichero);
    auto* row2 = new QHBoxLayout;
    row2->addWidget(caption(QStringLiteral("Sorteos cargados :"), fraFichero));
    row2->addWidget(lblSorteosCargados);
    row2->addSpacing(24);
    row2->addWidget(caption(QStringLiteral("Desde sorteo :"), fraFichero));
    row2->addWidget(lblSorteoDESDE);
    row2->addWidget(caption(QStringLiteral("temporada :"), fraFichero));
    row2->addWidget(lblTemporadaDESDE);
    row2->addSpacing(24);
    row2->addWidget(caption(QStringLiteral("Hasta sorteo :"), fraFichero));
    row2->addWidget(lblSorteoHASTA);
    row2->addWidget(caption(QStringLiteral("temporada :"), fraFichero));
    row2->addWidget(lblTemporadaHASTA);
    row2->addStretch();
    grid->addLayout(row2, 1, 0);

    connect(cmdAbrirEstadisticas, &QPushButton::clicked, this, &frmEstadisticas::abrir);
    connect(cmdActualizar, &QPushButton::clicked, this, &frmEstadisticas::actualizar);
    connect(imgINIFichero, &QToolButton::clicked, this, &frmEstadisticas::inicializar);
    return fraFichero;
}

QGroupBox* frmEstadisticas::buildQuery()
{
    fraConsultas = new QGroupBox(QStringLiteral("Consultas"), this);
    fraConsultas->setObjectName(QStringLiteral("fraConsultas"));
    auto* grid = new QGridLayout(fraConsultas);
    grid->setHorizontalSpacing(6);
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

    grid->addWidget(caption(QStringLiteral("Temporada desde :"), fraConsultas), 0, 0);
    grid->addWidget(txtTemporadaDESDE, 0, 1);
    grid->addWidget(caption(QStringLiteral("hasta :"), fraConsultas), 0, 2);
    grid->addWidget(txtTemporadaHASTA, 0, 3);
    grid->addWidget(caption(QStringLiteral("Sorteo desde :"), fraConsultas), 1, 0);
    grid->addWidget(txtSorteoDESDE, 1, 1);
    grid->addWidget(caption(QStringLiteral("hasta :"), fraConsultas), 1, 2);
    grid->addWidget(txtSorteoHASTA, 1, 3);
    grid->addWidget(caption(QStringLiteral("Día :"), fraConsultas), 2, 0);
    grid->addWidget(cboDia, 2, 1, 1, 3);
    return fraConsultas;
}

QGroupBox* frmEstadisticas::buildStatistics()
{
    fraFiltros = new QGroupBox(QStringLiteral("Estadística"), this);
    fraFiltros->setObjectName(QStringLiteral("fraFiltros"));
    auto* grid = new QGridLayout(fraFiltros);
    grid->setVerticalSpacing(4);
    options_ = new QButtonGroup(this);
    for (int i = 0; i < kStatisticCount; ++i) {
        optFiltro[i] = new QRadioButton(fraFiltros);
        optFiltro[i]->setObjectName(QStringLiteral("optFiltro_%1").arg(i));
        lblFiltro[i] = new QLabel(QString::fromUtf8(statisticLabel(i)), fraFiltros);
        lblFiltro[i]->setObjectName(QStringLiteral("lblFiltro_%1").arg(i));
        lblFiltro[i]->setStyleSheet(kBlack);
        lblFiltro[i]->setCursor(Qt::PointingHandCursor);
        lblFiltro[i]->installEventFilter(this);
        optFiltro[i]->setAccessibleName(lblFiltro[i]->text());
        options_->addButton(optFiltro[i], i);
        grid->addWidget(optFiltro[i], i, 0);
        grid->addWidget(lblFiltro[i], i, 1);
    }
    grid->setColumnStretch(1, 1);
    cmdConsultar = new QPushButton(QStringLiteral("Consultar"), fraFiltros);
    cmdConsultar->setObjectName(QStringLiteral("cmdConsultar"));
    cmdConsultar->setDefault(true);
    grid->setRowStretch(kStatisticCount, 1);
    grid->addWidget(cmdConsultar, kStatisticCount + 1, 0, 1, 2);

    // A click chooses, even on the option already chosen: the query runs again with the new boxes.
    connect(options_, &QButtonGroup::idClicked, this, &frmEstadisticas::chooseStatistic);
    connect(cmdConsultar, &QPushButton::clicked, this, &frmEstadisticas::consultar);
    return fraFiltros;
}

QGroupBox* frmEstadisticas::buildResult()
{
    fraDatos = new QGroupBox(QStringLiteral("Resultado"), this);
    fraDatos->setObjectName(QStringLiteral("fraDatos"));
    auto* h = new QHBoxLayout(fraDatos);
    h->setSpacing(10);
    const QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);

    auto* table = new QVBoxLayout;
    table->setSpacing(4);
    lblDatos = new QLabel(fraDatos);
    lblDatos->setObjectName(QStringLiteral("lblDatos"));
    lblDatos->setFont(mono);
    lblDatos->setStyleSheet(QStringLiteral("background: #2b5797; color: white; padding: 3px 4px; font-weight: bold;"));
    txtDatos = new QPlainTextEdit(fraDatos);
    txtDatos->setObjectName(QStringLiteral("txtDatos"));
    txtDatos->setFont(mono);
    txtDatos->setReadOnly(true);
    txtDatos->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtDatos->setStyleSheet(QStringLiteral("QPlainTextEdit { background: white; }"));
    // Wide enough for the widest table line and its header.
    const int columns = 38;
    const int width = QFontMetrics(mono).horizontalAdvance(QString(columns, QLatin1Char('0'))) + 36;
    txtDatos->setFixedWidth(width);
    lblDatos->setFixedWidth(width);
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(caption(QStringLiteral("Número de sorteos de la última consulta :"), fraDatos));
    lblSorteosConsultados = value(QStringLiteral("lblSorteosConsultados"), QString(), fraDatos);
    countRow->addWidget(lblSorteosConsultados);
    countRow->addStretch();
    table->addWidget(lblDatos);
    table->addWidget(txtDatos, 1);
    table->addLayout(countRow);
    h->addLayout(table, 0);

    auto* pictures = new QVBoxLayout;
    pictures->setSpacing(4);
    tabGrafico = new QTabBar(fraDatos);
    tabGrafico->setObjectName(QStringLiteral("tabGrafico"));
    tabGrafico->addTab(QStringLiteral("Consulta"));
    tabGrafico->addTab(QStringLiteral("Retrasos"));
    tabGrafico->setTabToolTip(0, QStringLiteral("Gráfico de la estadística consultada"));
    tabGrafico->setTabToolTip(1, QStringLiteral("Sorteos que lleva cada número sin salir en los sorteos consultados"));
    tabGrafico->setExpanding(false);
    charts_ = new QStackedWidget(fraDatos);
    picGrafico = new StatisticsChart(QStringLiteral("picGrafico"), charts_);
    picRetrasos = new StatisticsChart(QStringLiteral("picRetrasos"), charts_);
    charts_->addWidget(picGrafico);
    charts_->addWidget(picRetrasos);
    cmdGuardarImagen = new QPushButton(QStringLiteral("Guardar imagen"), fraDatos);
    cmdGuardarImagen->setObjectName(QStringLiteral("cmdGuardarImagen"));
    cmdGuardarImagen->setIcon(appIcon(AppIcon::SaveFile));
    cmdGuardarImagen->setToolTip(QStringLiteral("Guardar el gráfico como imagen PNG"));
    cmdGuardarImagen->setEnabled(false);
    auto* saveRow = new QHBoxLayout;
    saveRow->addStretch();
    saveRow->addWidget(cmdGuardarImagen);
    pictures->addWidget(tabGrafico);
    pictures->addWidget(charts_, 1);
    pictures->addLayout(saveRow);
    h->addLayout(pictures, 1);

    connect(tabGrafico, &QTabBar::currentChanged, this, [this](int index) {
        charts_->setCurrentIndex(index);
        showChart();
    });
    connect(cmdGuardarImagen, &QPushButton::clicked, this, &frmEstadisticas::guardarImagen);
    return fraDatos;
}

void frmEstadisticas::buildWaitingPanel()
{
    picVentanaEspera = new WaitingPanel(this, QStringLiteral("picVentanaEspera"), QStringLiteral("lblEspera"),
                                        QString::fromUtf8(kUpdating));
    lblProgressBar = picVentanaEspera->bar();
    picVentanaEspera->setProgress(0, 0); // the service says nothing of its progress: a busy bar
}

// ---- state on screen ----------------------------------------------------------------------------

bool frmEstadisticas::isBusy() const { return runner_->busy(); }

StatisticsQuery frmEstadisticas::currentQuery() const
{
    StatisticsQuery q;
    q.seasonFrom = txtTemporadaDESDE->text().toStdString();
    q.seasonTo = txtTemporadaHASTA->text().toStdString();
    q.drawFrom = txtSorteoDESDE->text().toStdString();
    q.drawTo = txtSorteoHASTA->text().toStdString();
    q.weekday = cboDia->currentIndex() < 0 ? 0 : cboDia->currentIndex();
    q.statistic = chosen_ < 0 ? 0 : chosen_;
    return q;
}

void frmEstadisticas::showHistory()
{
    const QString path = qs(history_.fileName);
    txtFicheroASCII->setText(path);
    txtFicheroASCII->setToolTip(path);
    txtFicheroASCII->setCursorPosition(0);
    lblSorteosCargados->setText(qs(formatCount(history_.count())));
    lblSorteoDESDE->setText(qs(history_.firstDraw));
    lblTemporadaDESDE->setText(qs(history_.firstSeason));
    lblSorteoHASTA->setText(qs(history_.lastDraw));
    lblTemporadaHASTA->setText(qs(history_.lastSeason));
}

void frmEstadisticas::clearResult()
{
    txtDatos->clear();
    lblSorteosConsultados->clear();
    haveResult_ = false;
    result_ = {};
    chartsCurrent_[0] = chartsCurrent_[1] = false;
    showChart();
}

void frmEstadisticas::showChart()
{
    const int view = tabGrafico->currentIndex() == 1 ? 1 : 0;
    // Only the chart on view is drawn; the other one waits until its tab is chosen.
    if (!chartsCurrent_[view]) {
        StatisticsChart* chart = view == 0 ? picGrafico : picRetrasos;
        if (!haveResult_) chart->clear();
        else if (view == 0) chart->showStatistic(resultStatistic_, result_.lines, result_.matchingDraws);
        else chart->showSkips(skips_);
        chartsCurrent_[view] = true;
    }
    cmdGuardarImagen->setEnabled(!isBusy() && (view == 0 ? picGrafico : picRetrasos)->hasData());
}

void frmEstadisticas::setWorking(bool working, bool withPanel)
{
    for (QWidget* w : {static_cast<QWidget*>(fraFichero), static_cast<QWidget*>(fraConsultas),
                       static_cast<QWidget*>(fraFiltros), static_cast<QWidget*>(fraDatos), static_cast<QWidget*>(imgVolver)})
        w->setEnabled(!working);
    if (working && withPanel) {
        picVentanaEspera->showCentred();
    } else {
        picVentanaEspera->hide();
    }
    if (!working) showChart();
}


// ---- commands -----------------------------------------------------------------------------------

void frmEstadisticas::abrir()
{
    if (isBusy()) return;
    FileDialogRequest request;
    request.title = "Abrir Fichero";
    request.filters = {{"Ficheros de Estadísticas (*.TXT)", "*.TXT"}, {"todos los archivos (*.*)", "*.*"}};
    const std::string path = ui_->openFileDialog(request);
    if (path.find_first_not_of(" \t") == std::string::npos) return;
    loadFile(path);
}

void frmEstadisticas::loadFile(const std::string& path)
{
    if (isBusy()) return;
    // What the load shows at once: the path, and nothing else of the previous history.
    history_ = DrawHistory{};
    history_.fileName = path;
    showHistory();
    clearResult();
    setWorking(true, false);
    auto loaded = std::make_shared<DrawHistory>();
    runner_->start<HistoryJobResult>(
        [loaded, path](Progress&, const StopToken&, Interaction& ui) {
            return guardJob<HistoryJobResult>([&](HistoryJobResult& r) { r.load = LoadDrawHistory(*loaded, path, ui); });
        },
        [this, loaded, path](HistoryJobResult result) {
            history_ = std::move(*loaded);
            if (result.failed()) {
                // Only memory can give out here; what was read is dropped as after any failed load.
                history_ = DrawHistory{};
                history_.fileName = path;
                ui_->error("ERROR AL IMPORTAR EL FICHERO, FICHERO NO IMPORTADO (" + result.failure + ")");
            }
            showHistory();
            setWorking(false, false);
        });
}

void frmEstadisticas::actualizar()
{
    if (isBusy()) return;
    const std::string game = cboTipoJuego->currentText().toStdString();
    // The history goes to the job while the window waits with its controls disabled, and comes
    // back, changed or not, when the job ends.
    auto held = std::make_shared<DrawHistory>(std::move(history_));
    history_ = DrawHistory{};
    history_.fileName = held->fileName;
    setWorking(true, true);
    const HistoryUpdateOptions options = updateOptions_;
    const DrawsFetcher fetch = fetcher_;
    runner_->start<HistoryJobResult>(
        [held, game, options, fetch](Progress& progress, const StopToken& stop, Interaction& ui) {
            return guardJob<HistoryJobResult>([&](HistoryJobResult& r) {
                progress.caption(kUpdating);
                // A fetch that gives out is a failed request: the history has not been touched yet.
                // Closing the window stops the request instead of waiting for the service.
                ServiceDrawsResult fetched;
                try {
                    if (fetch) {
                        fetched = fetch(game);
                    } else {
                        ServiceOptions service = options.service;
                        service.stop = stop;
                        fetched = FetchServiceDraws(game, service);
                    }
                } catch (...) {
                    fetched = ServiceDrawsResult{};
                    fetched.status = ServiceStatus::Transport;
                    fetched.description = describeJobException(std::current_exception());
                }
                r.update = applyDrawHistoryUpdate(*held, game, fetched, ui, options);
            });
        },
        [this, held](HistoryJobResult result) {
            history_ = std::move(*held);
            if (result.failed()) {
                // Only the reload can give out here. The file on disk is complete (it is replaced
                // only once written), but the history in memory may be half read: show it empty,
                // the file can be opened again.
                const std::string path = history_.fileName;
                history_ = DrawHistory{};
                history_.fileName = path;
                ui_->error("ERROR AL ABRIR EL FICHERO DE ACTUALIZACION (" + result.failure + ")");
            }
            showHistory();
            clearResult();
            setWorking(false, true);
        });
}

void frmEstadisticas::inicializar()
{
    if (isBusy()) return;
    ClearDrawHistory(history_);
    showHistory();
    clearResult();
}

void frmEstadisticas::chooseStatistic(int index)
{
    if (isBusy() || index < 0 || index >= kStatisticCount) return;
    chosen_ = index;
    {
        const QSignalBlocker block(options_);
        optFiltro[index]->setChecked(true);
    }
    for (int i = 0; i < kStatisticCount; ++i) lblFiltro[i]->setStyleSheet(i == index ? kBlack : kGrey);
    clearResult();
    lblDatos->setText(QString::fromUtf8(statisticHeader(index)));
    consultar();
}

void frmEstadisticas::consultar()
{
    if (isBusy()) return;
    const StatisticsQuery query = currentQuery();
    StatisticsResult result = runStatisticsQuery(history_, query, *ui_);
    // A refused query leaves the previous result on screen.
    if (result.status != StatisticsStatus::Done) return;
    lblDatos->setText(qs(result.header));
    QString text = qs(result.text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    txtDatos->setPlainText(text);
    lblSorteosConsultados->setText(qs(formatCount(result.matchingDraws)));
    // The boxes passed the query's checks, so they hold numbers that fit.
    skips_ = computeSkips(history_.draws, std::stoi(query.seasonFrom), std::stoi(query.seasonTo),
                          std::stoi(query.drawFrom), std::stoi(query.drawTo), query.weekday);
    resultStatistic_ = query.statistic;
    result_ = std::move(result);
    haveResult_ = true;
    chartsCurrent_[0] = chartsCurrent_[1] = false;
    showChart();
}

void frmEstadisticas::guardarImagen()
{
    const bool skips = tabGrafico->currentIndex() == 1;
    StatisticsChart* chart = skips ? picRetrasos : picGrafico;
    if (isBusy() || !chart->hasData()) return;
    FileDialogRequest request;
    request.title = "Guardar imagen";
    request.filters = {{"Imagen PNG (*.PNG)", "*.PNG"}};
    request.initialName =
        proposedImageName(skips ? QStringLiteral("Retrasos") : QString::fromUtf8(statisticLabel(resultStatistic_)));
    const std::string chosen = ui_->saveFileDialog(request);
    if (chosen.empty()) return;
    const std::string path = applySaveExtension(chosen, ".png");

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    std::string failure;
    if (!chart->grab().save(&buffer, "PNG")) failure = "no se pudo componer la imagen";
    else writeFileAtomically(path, bytes.toStdString(), failure);
    if (!failure.empty()) ui_->error("ERROR AL GUARDAR EL FICHERO (" + failure + ")");
}

void frmEstadisticas::cerrar()
{
    if (isBusy()) return;
    closing_ = true;
    ClearDrawHistory(history_);
    close();
}

void frmEstadisticas::closeForExit()
{
    runner_->stopAndWait();
    setWorking(false, true);
    closing_ = true;
    ClearDrawHistory(history_);
    close();
}

void frmEstadisticas::closeEvent(QCloseEvent* event)
{
    // The frame's close box does nothing: the window closes through "Cerrar" or with the program.
    if (!closing_) {
        event->ignore();
        return;
    }
    closing_ = false;
    event->accept();
}

bool frmEstadisticas::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (int i = 0; i < kStatisticCount; ++i)
            if (watched == lblFiltro[i] && lblFiltro[i]->isEnabled()) {
                optFiltro[i]->click();
                return true;
            }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kombitron::ui
