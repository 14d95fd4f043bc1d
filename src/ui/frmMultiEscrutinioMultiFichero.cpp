#include "ui/frmMultiEscrutinioMultiFichero.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDateTime>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <chrono>

#include "core/format.h"
#include "core/interaction.h"
#include "core/job.h"
#include "core/paths.h"
#include "flows/multi_scrutiny_flows.h"
#include "formats/bet_files.h"
#include "ui/job_runner.h"
#include "ui/widgets/icons.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/waiting_panel.h"

namespace kombitron::ui {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

struct WinningLoadResult : JobOutcome {
    ScrutinyFileLoad load;
};

QPushButton* listButton(const QString& name, AppIcon icon, const QString& tip, QWidget* parent)
{
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    b->setIcon(appIcon(icon));
    b->setIconSize(QSize(22, 22));
    b->setToolTip(tip);
    b->setAccessibleName(tip);
    return b;
}

// What the run tells the window, carried to the UI thread. The bar moves at most every 20 ms,
// and always for the last combination of a file.
class WindowProgress : public MultiFileProgress {
public:
    WindowProgress(JobRunner& runner, QPointer<frmMultiEscrutinioMultiFichero> window) : runner_(runner), window_(window) {}

    void fileReading(int file) override
    {
        post([file](frmMultiEscrutinioMultiFichero& w) {
            w.lblEstado->setText(qs(readingStatus(file)));
            w.lblImportando->setText(QStringLiteral("0"));
        });
    }
    void fileScrutinising(int file, int64_t bets) override
    {
        lastReport_ = -1;
        post([file, bets](frmMultiEscrutinioMultiFichero& w) {
            w.lblImportando->setText(qs(formatCount(bets)));
            w.lblEstado->setText(qs(scrutinisingStatus(file)));
            w.picVentanaEspera->setTitle(qs(scrutinisingPanelTitle(file, bets)));
            w.picVentanaEspera->setProgress(0, 1);
            w.picVentanaEspera->showCentred();
            emit w.fileStarted(file);
        });
    }
    void report(int64_t done, int64_t total) override
    {
        const int64_t now = nowMs();
        if (done < total && lastReport_ >= 0 && now - lastReport_ < 20) return;
        lastReport_ = now;
        post([done, total](frmMultiEscrutinioMultiFichero& w) { w.picVentanaEspera->setProgress(done, total); });
    }
    void fileFinished(int) override
    {
        post([](frmMultiEscrutinioMultiFichero& w) {
            w.picVentanaEspera->hide();
            w.lblEstado->setText(QString::fromLatin1(kIdleStatus));
            w.lblImportando->setText(QStringLiteral("0"));
            emit w.fileStarted(0);
        });
    }

private:
    static int64_t nowMs()
    {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
    template <class F>
    void post(F f)
    {
        QPointer<frmMultiEscrutinioMultiFichero> window = window_;
        runner_.post([window, f] {
            if (window) f(*window);
        });
    }

    JobRunner& runner_;
    QPointer<frmMultiEscrutinioMultiFichero> window_;
    int64_t lastReport_ = -1;
};

} // namespace

frmMultiEscrutinioMultiFichero::frmMultiEscrutinioMultiFichero(Interaction& ui, QWidget* parent) : QDialog(parent), ui_(ui)
{
    runner_ = new JobRunner(ui_, this);
    setObjectName(QStringLiteral("frmMultiEscrutinioMultiFichero"));
    setWindowTitle(QStringLiteral("MultiEscrutinio MultiFichero"));
    setModal(true);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(10, 8, 10, 8);
    outer->setSpacing(8);

    // The bet files.
    auto* filesBox = new QGroupBox(QStringLiteral("Ficheros de Apuestas"), this);
    filesBox->setObjectName(QStringLiteral("fraFicheros"));
    auto* filesLayout = new QHBoxLayout(filesBox);
    lstFicheros = new QListWidget(filesBox);
    lstFicheros->setObjectName(QStringLiteral("lstFicheros"));
    lstFicheros->setSelectionMode(QAbstractItemView::SingleSelection);
    lstFicheros->setMinimumHeight(120);
    lstFicheros->setTextElideMode(Qt::ElideMiddle);
    cmdADD = listButton(QStringLiteral("cmdADD"), AppIcon::AddFile, QStringLiteral("Añade un Fichero"), filesBox);
    cmdDEL = listButton(QStringLiteral("cmdDEL"), AppIcon::RemoveFile, QStringLiteral("Elimina el Fichero seleccionado"), filesBox);
    cmdDELALL = listButton(QStringLiteral("cmdDELALL"), AppIcon::EmptyList, QStringLiteral("Elimina todos los ficheros de la lista"), filesBox);
    auto* listButtons = new QVBoxLayout;
    listButtons->addWidget(cmdADD);
    listButtons->addWidget(cmdDEL);
    listButtons->addWidget(cmdDELALL);
    listButtons->addStretch();
    filesLayout->addWidget(lstFicheros, 1);
    filesLayout->addLayout(listButtons);
    outer->addWidget(filesBox, 1);

    // The winning combinations and the run.
    auto* winning = new QHBoxLayout;
    winning->setSpacing(6);
    cmdDesdeFicheroSORTEOS = listButton(QStringLiteral("cmdDesdeFicheroSORTEOS"), AppIcon::OpenFile,
                                        QStringLiteral("Abrir un fichero de Sorteos"), this);
    txtFicheroASCIISORTEOS = new QLineEdit(this);
    txtFicheroASCIISORTEOS->setObjectName(QStringLiteral("txtFicheroASCIISORTEOS"));
    txtFicheroASCIISORTEOS->setReadOnly(true);
    imgINICombinacionSORTEOS = new ImageButton(QStringLiteral("imgINICombinacionSORTEOS"), AppIcon::ClearAll,
                                               QStringLiteral("Inicializa el fichero de Sorteos"), this, 24);
    lblApuCargadas = new QLabel(QStringLiteral("0"), this);
    lblApuCargadas->setObjectName(QStringLiteral("lblApuCargadas"));
    lblApuCargadas->setMinimumWidth(90);
    lblApuCargadas->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblApuCargadas->setStyleSheet(QStringLiteral("QLabel { background: white; border: 1px solid #c4c9d1; border-radius: 3px; padding: 1px 6px; font-weight: bold; }"));
    winning->addWidget(new QLabel(QStringLiteral("Fichero de Sorteos :"), this));
    winning->addWidget(cmdDesdeFicheroSORTEOS);
    winning->addWidget(txtFicheroASCIISORTEOS, 1);
    winning->addWidget(imgINICombinacionSORTEOS);
    winning->addSpacing(12);
    winning->addWidget(new QLabel(QStringLiteral("Sorteos Cargados :"), this));
    winning->addWidget(lblApuCargadas);
    outer->addLayout(winning);

    auto* run = new QHBoxLayout;
    chkTipoListadoPremios = new QCheckBox(
        QStringLiteral("Activar generación de informe detallado (se generará en un fichero de texto)"), this);
    chkTipoListadoPremios->setObjectName(QStringLiteral("chkTipoListadoPremios"));
    imgEscrutar = new ImageButton(QStringLiteral("imgEscrutar"), AppIcon::Calculate, QStringLiteral("Escruta las combinaciones cargadas"), this);
    lblEstado = new QLabel(QString::fromLatin1(kIdleStatus), this);
    lblEstado->setObjectName(QStringLiteral("lblEstado"));
    lblImportando = new QLabel(QStringLiteral("0"), this);
    lblImportando->setObjectName(QStringLiteral("lblImportando"));
    lblImportando->setMinimumWidth(90);
    lblImportando->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    run->addWidget(imgEscrutar);
    run->addWidget(chkTipoListadoPremios);
    run->addStretch();
    run->addWidget(lblEstado);
    run->addWidget(lblImportando);
    outer->addLayout(run);

    // The summary.
    fraInforme = new QGroupBox(QStringLiteral("Resumen de Premios"), this);
    fraInforme->setObjectName(QStringLiteral("fraInforme"));
    auto* report = new QVBoxLayout(fraInforme);
    txtInforme = new QPlainTextEdit(fraInforme);
    txtInforme->setObjectName(QStringLiteral("txtInforme"));
    txtInforme->setReadOnly(true);
    txtInforme->setLineWrapMode(QPlainTextEdit::NoWrap);
    const QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    txtInforme->setFont(mono);
    txtInforme->setStyleSheet(QStringLiteral("QPlainTextEdit { background: white; }"));
    // Room for a whole summary line: name, bets and the seven totals.
    txtInforme->setMinimumWidth(QFontMetrics(mono).horizontalAdvance(QString(110, QLatin1Char('0'))) + 30);
    report->addWidget(txtInforme);
    outer->addWidget(fraInforme, 2);

    auto* bottom = new QHBoxLayout;
    imgVerInformeResumenPremios = new ImageButton(QStringLiteral("imgVerInformeResumenPremios"), AppIcon::Report,
                                                  QStringLiteral("Muestra en el Bloc de Notas el informe resumen de premios"), this);
    imgVolver = makeVolverButton(this, QStringLiteral("Cerrar"));
    bottom->addWidget(imgVerInformeResumenPremios);
    bottom->addStretch();
    bottom->addWidget(imgVolver);
    outer->addLayout(bottom);

    picVentanaEspera = new WaitingPanel(this, true);
    cmdStop = picVentanaEspera->stopButton();

    connect(cmdADD, &QPushButton::clicked, this, &frmMultiEscrutinioMultiFichero::anadirFicheros);
    connect(cmdDEL, &QPushButton::clicked, this, &frmMultiEscrutinioMultiFichero::eliminarFichero);
    connect(cmdDELALL, &QPushButton::clicked, this, &frmMultiEscrutinioMultiFichero::vaciarLista);
    connect(cmdDesdeFicheroSORTEOS, &QPushButton::clicked, this, &frmMultiEscrutinioMultiFichero::abrirSorteos);
    connect(imgINICombinacionSORTEOS, &QToolButton::clicked, this, &frmMultiEscrutinioMultiFichero::inicializarSorteos);
    connect(imgEscrutar, &QToolButton::clicked, this, &frmMultiEscrutinioMultiFichero::escrutar);
    connect(cmdStop, &QPushButton::clicked, this, &frmMultiEscrutinioMultiFichero::detener);
    connect(imgVerInformeResumenPremios, &QToolButton::clicked, this, &frmMultiEscrutinioMultiFichero::verInforme);
    connect(imgVolver, &QToolButton::clicked, this, &frmMultiEscrutinioMultiFichero::cerrar);
    resize(940, 640);
}

frmMultiEscrutinioMultiFichero::~frmMultiEscrutinioMultiFichero() { runner_->stopAndWait(); }

bool frmMultiEscrutinioMultiFichero::isBusy() const { return runner_->busy(); }

void frmMultiEscrutinioMultiFichero::refreshList()
{
    lstFicheros->clear();
    for (const std::string& path : files_) {
        auto* item = new QListWidgetItem(qs(path), lstFicheros);
        item->setToolTip(qs(path));
    }
}

void frmMultiEscrutinioMultiFichero::showSummary()
{
    QString text = qs(summary_);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    txtInforme->setPlainText(text);
}

void frmMultiEscrutinioMultiFichero::setWorking(bool working)
{
    for (QWidget* w : std::initializer_list<QWidget*>{lstFicheros, cmdADD, cmdDEL, cmdDELALL, cmdDesdeFicheroSORTEOS,
                                                     imgINICombinacionSORTEOS, chkTipoListadoPremios, imgEscrutar,
                                                     imgVerInformeResumenPremios, imgVolver})
        w->setEnabled(!working);
    if (working) setCursor(Qt::BusyCursor);
    else unsetCursor();
}

// ---- the file list ------------------------------------------------------------------------------

void frmMultiEscrutinioMultiFichero::anadirFicheros()
{
    if (isBusy()) return;
    try {
        const std::vector<std::string> selection = ui_.openFilesDialog(multiFileAddDialog());
        if (selection.empty()) return;
        if (addBetFilesFlow(files_, selection, ui_)) refreshList();
    } catch (const std::exception& e) {
        ui_.error(std::string("ERROR AL CARGAR EL FICHERO/FICHEROS (") + e.what() + ")");
    }
}

void frmMultiEscrutinioMultiFichero::eliminarFichero()
{
    if (isBusy()) return;
    const int selected = lstFicheros->selectedItems().isEmpty() ? -1 : lstFicheros->currentRow();
    if (removeBetFileFlow(files_, selected, ui_)) refreshList();
}

void frmMultiEscrutinioMultiFichero::vaciarLista()
{
    if (isBusy() || !emptyBetFileListFlow(files_, ui_)) return;
    refreshList();
    lblEstado->setText(QString::fromLatin1(kIdleStatus));
    lblImportando->setText(QStringLiteral("0"));
    summary_.clear();
    txtInforme->clear();
}

// ---- the winning combinations -------------------------------------------------------------------

void frmMultiEscrutinioMultiFichero::abrirSorteos()
{
    if (isBusy()) return;
    const std::string path = ui_.openFileDialog(winningFileDialog());
    if (path.find_first_not_of(" \t") == std::string::npos) return;
    loadWinning(path);
}

void frmMultiEscrutinioMultiFichero::loadWinning(const std::string& path)
{
    if (isBusy()) return;
    txtFicheroASCIISORTEOS->setText(qs(fileNameOf(path)));
    txtFicheroASCIISORTEOS->setToolTip(qs(path));
    txtFicheroASCIISORTEOS->setCursorPosition(0);
    lblApuCargadas->setText(QStringLiteral("0"));
    setWorking(true);
    runner_->start<WinningLoadResult>(
        [path](Progress&, const StopToken&, Interaction& ui) {
            return guardJob<WinningLoadResult>([&](WinningLoadResult& r) { r.load = loadWinningCombinations(path, ui); });
        },
        [this](WinningLoadResult result) {
            setWorking(false);
            if (result.failed()) {
                ui_.error(importErrorMessage(result.failure));
                result.load = ScrutinyFileLoad{};
            }
            winning_ = result.load.bets;
            lblApuCargadas->setText(qs(formatCount(winningCount())));
        });
}

void frmMultiEscrutinioMultiFichero::inicializarSorteos()
{
    if (isBusy()) return;
    winning_.reset();
    txtFicheroASCIISORTEOS->clear();
    txtFicheroASCIISORTEOS->setToolTip(QString());
    lblApuCargadas->setText(QStringLiteral("0"));
}

// ---- the run ------------------------------------------------------------------------------------

void frmMultiEscrutinioMultiFichero::escrutar()
{
    if (isBusy()) return;
    bool isError = false;
    const std::string refusal = multiFileRefusal(winningCount(), files_.size(), isError);
    if (!refusal.empty()) {
        ui_.message(isError ? MessageKind::Error : MessageKind::Warning, refusal);
        return;
    }
    setWorking(true);
    lblEstado->setText(QString::fromLatin1(kIdleStatus));
    lblImportando->setText(QStringLiteral("0"));
    summary_.clear();
    txtInforme->clear();

    fileStop_ = std::make_shared<FileStopButton>();
    MultiFileInputs in;
    in.files = files_;
    in.winning = winning_;
    in.detailed = chkTipoListadoPremios->isChecked();
    in.fileStop = fileStop_.get();
    QPointer<frmMultiEscrutinioMultiFichero> self(this);
    JobRunner* runner = runner_;
    runner_->start<MultiFileResult>(
        [in, stop = fileStop_, runner, self](Progress&, const StopToken&, Interaction& ui) {
            WindowProgress progress(*runner, self);
            return runMultiFileFlow(in, progress, ui);
        },
        [this](MultiFileResult result) {
            picVentanaEspera->hide();
            setWorking(false);
            lblEstado->setText(QString::fromLatin1(kIdleStatus));
            lblImportando->setText(QStringLiteral("0"));
            if (!result.failed()) {
                summary_ = std::move(result.summary);
                showSummary();
            }
            emit scrutinised();
        });
}

void frmMultiEscrutinioMultiFichero::detener()
{
    if (fileStop_) fileStop_->press();
}

void frmMultiEscrutinioMultiFichero::verInforme()
{
    if (!isBusy()) saveMultiFileSummary(summary_, ui_);
}

// ---- closing ------------------------------------------------------------------------------------

void frmMultiEscrutinioMultiFichero::cerrar()
{
    if (isBusy() || !confirmMultiFileClose(ui_)) return;
    closing_ = true;
    files_.clear();
    winning_.reset();
    summary_.clear();
    accept();
}

void frmMultiEscrutinioMultiFichero::reject()
{
    if (closing_) QDialog::reject();
    else cerrar();
}

void frmMultiEscrutinioMultiFichero::closeEvent(QCloseEvent* event)
{
    // The frame's close box asks as "Cerrar" does, and does nothing while a run goes on.
    if (!closing_) {
        event->ignore();
        cerrar();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace kombitron::ui
