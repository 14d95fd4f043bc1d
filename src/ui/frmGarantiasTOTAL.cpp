#include "ui/frmGarantiasTOTAL.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/bet.h"
#include "core/format.h"
#include "core/state.h"
#include "engine/holes.h"
#include "engine/reduction_options.h"
#include "flows/system_summary.h"
#include "flows/guarantees.h"
#include "ui/job_runner.h"
#include "ui/widgets/image_button.h"

namespace kombitron::ui {

namespace {

const char* const kTitles[3] = {"Garantías sobre el SISTEMA TOTAL", "Garantías sobre el SISTEMA IMPORTADO",
                                "Garantías sobre el SISTEMA CONDICIONADO"};

QString qs(const std::string& s) { return QString::fromStdString(s); }

// The lists a pass reads, in the state lent to its job.
GuaranteeInput inputOf(const AppState& work)
{
    return GuaranteeInput{work.base.baseNumbers, work.conditionedSystem, work.finalSystem};
}

} // namespace

frmGarantiasTOTAL::frmGarantiasTOTAL(AppState& state, Interaction& ui, QWidget* parent)
    : QDialog(parent), state_(state), ui_(ui), runner_(new JobRunner(ui, this))
{
    setObjectName(QStringLiteral("frmGarantiasTOTAL"));
    setWindowTitle(QStringLiteral("Cálculo de Garantías y de Porcentajes"));
    setModal(true);
    auto* v = new QVBoxLayout(this);

    // Scopes and level.
    auto* scopes = new QGridLayout;
    auto* group = new QButtonGroup(this);
    const int n = static_cast<int>(state_.base.baseNumbers.size());
    for (int i = 0; i < 3; ++i) {
        optTipoGarantias[i] = new QRadioButton(this);
        optTipoGarantias[i]->setObjectName(QStringLiteral("optTipoGarantias_%1").arg(i));
        group->addButton(optTipoGarantias[i], i);
        lblTitulo[i] = new QLabel(this);
        lblTitulo[i]->setObjectName(QStringLiteral("lblTitulo_%1").arg(i));
        lblTitulo[i]->setBuddy(optTipoGarantias[i]);
        scopes->addWidget(optTipoGarantias[i], i, 0);
        scopes->addWidget(lblTitulo[i], i, 1);
    }
    lblTitulo[0]->setText(QString::fromUtf8(kTitles[0]) + QStringLiteral(" (") + qs(formatCount(combinationCount(n, 6))) +
                          QStringLiteral(" Apuestas)"));
    const QString shownConditioned = qs(formatCount(state_.conditionedCount));
    for (int i = 1; i <= 2; ++i)
        lblTitulo[i]->setText(QString::fromUtf8(kTitles[i]) + QStringLiteral(" (") + shownConditioned + QStringLiteral(" Apuestas)"));
    const bool imported = state_.base.kind == CombinationKind::FromFile;
    optTipoGarantias[1]->setEnabled(imported);
    optTipoGarantias[2]->setEnabled(!imported);

    cboTipoGarantias = new QComboBox(this);
    cboTipoGarantias->setObjectName(QStringLiteral("cboTipoGarantias"));
    cboTipoGarantias->addItem(QStringLiteral("Todas"));
    for (int q = 1; q <= 6; ++q) cboTipoGarantias->addItem(QStringLiteral("si %1 Aciertos").arg(q));
    scopes->addWidget(cboTipoGarantias, 0, 2);
    scopes->setColumnStretch(1, 1);
    v->addLayout(scopes);

    lblTituloApuestas = new QLabel(QStringLiteral("Apuestas actuales : ") + qs(formatCount(state_.reducedCount)), this);
    lblTituloApuestas->setObjectName(QStringLiteral("lblTituloApuestas"));
    lblTituloApuestas->setStyleSheet(QStringLiteral("font-weight: bold; color: #b3151b;"));
    v->addWidget(lblTituloApuestas);

    // The table: one row per class h = 6..0.
    auto* tableBox = new QGroupBox(this);
    tableBox->setObjectName(QStringLiteral("fraTabla"));
    auto* t = new QGridLayout(tableBox);
    t->setHorizontalSpacing(4);
    t->setVerticalSpacing(3);
    auto heading = [&](const QString& text, int column, const QString& name) {
        auto* l = new QLabel(text, tableBox);
        l->setObjectName(name);
        l->setAlignment(Qt::AlignCenter);
        l->setStyleSheet(QStringLiteral("font-weight: bold; color: #2b5797;"));
        t->addWidget(l, 0, column);
    };
    heading(QStringLiteral("Apuestas"), 0, QStringLiteral("lblTituloApu"));
    heading(QStringLiteral("Porcentajes"), 1, QStringLiteral("lblTituloPor"));
    for (int j = 6; j >= 0; --j)
        heading(j == 1 ? QStringLiteral("1 Acierto") : QStringLiteral("%1 Aciertos").arg(j), 2 + (6 - j),
                QStringLiteral("lblTituloAciertos%1").arg(j));
    // A range cell holds up to two seven-digit counts ("1234567-1234567") with its padding.
    const int rangeWidth = fontMetrics().horizontalAdvance(QStringLiteral("8888888-8888888")) + 12;
    for (int h = 0; h <= 6; ++h) for (int j = 0; j <= 6; ++j) lblde[h][j] = nullptr;
    for (int h = 6; h >= 0; --h) {
        const int row = 1 + (6 - h);
        lblApu[h] = new QLabel(tableBox);
        lblApu[h]->setObjectName(QStringLiteral("lblApu%1").arg(h));
        lblPor[h] = new QLabel(tableBox);
        lblPor[h]->setObjectName(QStringLiteral("lblPor%1").arg(h));
        lblApu[h]->setMinimumWidth(80);
        lblPor[h]->setMinimumWidth(130);
        for (auto* l : {lblApu[h], lblPor[h]}) {
            l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            l->setStyleSheet(QStringLiteral("background: white; border: 1px solid #d0d0d0; padding: 1px 4px;"));
        }
        t->addWidget(lblApu[h], row, 0);
        t->addWidget(lblPor[h], row, 1);
        for (int j = h; j >= 0; --j) {
            auto* c = new QLabel(tableBox);
            c->setObjectName(QStringLiteral("lblde%1_%2").arg(h).arg(j));
            c->setAlignment(Qt::AlignCenter);
            c->setMinimumWidth(rangeWidth);
            c->setStyleSheet(QStringLiteral("background: white; border: 1px solid #d0d0d0;"));
            lblde[h][j] = c;
            t->addWidget(c, row, 2 + (6 - j));
        }
    }
    v->addWidget(tableBox);

    txtResumen = new QPlainTextEdit(this);
    txtResumen->setObjectName(QStringLiteral("txtResumen"));
    txtResumen->setReadOnly(true);
    txtResumen->setToolTip(QStringLiteral("Información para copiar y pegar en otro lugar"));
    txtResumen->setMaximumHeight(130);
    v->addWidget(txtResumen);

    auto* buttons = new QHBoxLayout;
    imgCalcularGarantias = new ImageButton(QStringLiteral("imgCalcularGarantias"), AppIcon::Calculate, QStringLiteral("Calcular Garantías"), this);
    imgVerInformeTabulado = new ImageButton(QStringLiteral("imgVerInformeTabulado"), AppIcon::Report,
                                            QStringLiteral("Ver informe de garantías en el Bloc de Notas"), this);
    imgGarantiasExtendidas = new ImageButton(QStringLiteral("imgGarantiasExtendidas"), AppIcon::Search,
                                             QStringLiteral("Calcular Garantías extendidas"), this);
    imgVerHuecos = new ImageButton(QStringLiteral("imgVerHuecos"), AppIcon::Report,
                                   QStringLiteral("Ver huecos: los casos con menos aciertos de los indicados"), this);
    // Its picture is the report's: the caption tells the two apart.
    imgVerHuecos->setText(QStringLiteral("Ver huecos"));
    imgVerHuecos->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    txtAciertosHuecos = new QSpinBox(this);
    txtAciertosHuecos->setObjectName(QStringLiteral("txtAciertosHuecos"));
    txtAciertosHuecos->setRange(1, 6);
    txtAciertosHuecos->setToolTip(QStringLiteral("Huecos: casos cuya mejor apuesta tiene menos aciertos que este número"));
    {
        // The reduction's own guarantee by default: a hole is where it is not met.
        ReductionOptions options = state_.reduction;
        clampReductionOptions(options);
        txtAciertosHuecos->setValue(reductionType(options.type).minimumHits);
    }
    imgVolver = makeVolverButton(this, QStringLiteral("Cerrar"));
    buttons->addWidget(imgCalcularGarantias);
    buttons->addWidget(imgVerInformeTabulado);
    buttons->addWidget(imgGarantiasExtendidas);
    buttons->addSpacing(12);
    buttons->addWidget(imgVerHuecos);
    buttons->addWidget(new QLabel(QStringLiteral("con menos de"), this));
    buttons->addWidget(txtAciertosHuecos);
    buttons->addWidget(new QLabel(QStringLiteral("aciertos"), this));
    buttons->addStretch();
    buttons->addWidget(imgVolver);
    v->addLayout(buttons);

    // Progress panel over the window.
    picProgreso = new QFrame(this);
    picProgreso->setObjectName(QStringLiteral("picProgreso"));
    picProgreso->setStyleSheet(QStringLiteral("QFrame#picProgreso { background: white; border: 2px solid #2b5797; border-radius: 8px; }"));
    auto* pv = new QVBoxLayout(picProgreso);
    lblProgreso = new QLabel(picProgreso);
    lblProgreso->setObjectName(QStringLiteral("lblProgreso"));
    lblProgreso->setStyleSheet(QStringLiteral("font-weight: bold;"));
    barProgreso = new QProgressBar(picProgreso);
    barProgreso->setObjectName(QStringLiteral("barProgreso"));
    barProgreso->setRange(0, 100);
    barProgreso->setMinimumWidth(360);
    cmdStop = new QPushButton(QStringLiteral("Detener"), picProgreso);
    cmdStop->setObjectName(QStringLiteral("cmdStop"));
    cmdStop->setToolTip(QStringLiteral("Detener el proceso"));
    cmdStop->setIcon(appIcon(AppIcon::Stop));
    pv->addWidget(lblProgreso, 0, Qt::AlignCenter);
    pv->addWidget(barProgreso);
    pv->addWidget(cmdStop, 0, Qt::AlignCenter);
    picProgreso->hide();

    // Extended guarantees viewer.
    picVisorMiniGarantias = new QFrame(this);
    picVisorMiniGarantias->setObjectName(QStringLiteral("picVisorMiniGarantias"));
    picVisorMiniGarantias->setStyleSheet(QStringLiteral("QFrame#picVisorMiniGarantias { background: #fbfbfc; border: 2px solid #2b5797; border-radius: 8px; }"));
    auto* mv = new QVBoxLayout(picVisorMiniGarantias);
    txtMiniGarantias = new QPlainTextEdit(picVisorMiniGarantias);
    txtMiniGarantias->setObjectName(QStringLiteral("txtMiniGarantias"));
    txtMiniGarantias->setReadOnly(true);
    txtMiniGarantias->setToolTip(QStringLiteral("Información para copiar y pegar en otro lugar"));
    cmdCerrarpicMiniGarantias = new QPushButton(QStringLiteral("Cerrar cuadro"), picVisorMiniGarantias);
    cmdCerrarpicMiniGarantias->setObjectName(QStringLiteral("cmdCerrarpicMiniGarantias"));
    mv->addWidget(txtMiniGarantias);
    mv->addWidget(cmdCerrarpicMiniGarantias, 0, Qt::AlignRight);
    picVisorMiniGarantias->hide();

    connect(group, &QButtonGroup::idClicked, this, &frmGarantiasTOTAL::selectScope);
    connect(cboTipoGarantias, &QComboBox::currentIndexChanged, this, [this](int q) { showRows(q); });
    connect(imgCalcularGarantias, &QToolButton::clicked, this, &frmGarantiasTOTAL::calculate);
    connect(imgVerInformeTabulado, &QToolButton::clicked, this, &frmGarantiasTOTAL::showTabulatedReport);
    connect(imgGarantiasExtendidas, &QToolButton::clicked, this, &frmGarantiasTOTAL::calculateExtended);
    connect(imgVerHuecos, &QToolButton::clicked, this, &frmGarantiasTOTAL::showHoles);
    connect(cmdStop, &QPushButton::clicked, this, &frmGarantiasTOTAL::stop);
    connect(imgVolver, &QToolButton::clicked, this, [this] {
        if (computing_) return;
        closing_ = true;
        accept();
    });
    connect(cmdCerrarpicMiniGarantias, &QPushButton::clicked, this, [this] {
        picVisorMiniGarantias->hide();
        setControlsEnabled(true);
    });
    connect(runner_, &JobRunner::progressed, this, [this](qint64 done, qint64 total) {
        barProgreso->setValue(total > 0 ? int(done * 100 / total) : 0);
    });
    connect(runner_, &JobRunner::captioned, this, [this](const QString& text) { lblProgreso->setText(text); });

    optTipoGarantias[0]->setChecked(true);
    selectScope(0);
    cboTipoGarantias->setCurrentIndex(6);
    showRows(6);
}

// The runner goes first: a pass still going is stopped and waited for, and the state comes back.
frmGarantiasTOTAL::~frmGarantiasTOTAL() { delete runner_; }

GuaranteeScope frmGarantiasTOTAL::scope() const
{
    if (optTipoGarantias[1]->isChecked()) return GuaranteeScope::Imported;
    if (optTipoGarantias[2]->isChecked()) return GuaranteeScope::Conditioned;
    return GuaranteeScope::Total;
}

int frmGarantiasTOTAL::level() const { return cboTipoGarantias->currentIndex(); }

void frmGarantiasTOTAL::selectScope(int index)
{
    if (index < 0 || index > 2 || !optTipoGarantias[index]->isEnabled()) return;
    optTipoGarantias[index]->setChecked(true);
    for (int i = 0; i < 3; ++i)
        lblTitulo[i]->setStyleSheet(i == index ? QStringLiteral("color: black; font-weight: bold;") : QStringLiteral("color: #909090;"));
    cboTipoGarantias->setVisible(index == 0);
    if (index != 0) selectLevel(6);
    stats_.reset();
    clearTable();
    txtResumen->clear();
}

void frmGarantiasTOTAL::selectLevel(int q)
{
    cboTipoGarantias->setCurrentIndex(q);
    showRows(q);
}

void frmGarantiasTOTAL::showRows(int q)
{
    for (int h = 0; h <= 6; ++h) {
        const bool shown = q == 0 || h <= q || h <= 1;
        lblApu[h]->setVisible(shown);
        lblPor[h]->setVisible(shown);
        for (int j = 0; j <= h; ++j) lblde[h][j]->setVisible(shown);
    }
}

void frmGarantiasTOTAL::clearTable()
{
    table_ = emptyGuaranteeTable(level() == 0 ? 6 : level());
    for (int h = 0; h <= 6; ++h) {
        lblApu[h]->clear();
        lblPor[h]->clear();
        for (int j = 0; j <= h; ++j) {
            lblde[h][j]->clear();
            lblde[h][j]->setToolTip(QString());
            lblde[h][j]->setStyleSheet(QStringLiteral("background: white; border: 1px solid #d0d0d0;"));
        }
    }
}

void frmGarantiasTOTAL::setControlsEnabled(bool enabled)
{
    for (QWidget* w : std::initializer_list<QWidget*>{imgCalcularGarantias, imgVerInformeTabulado, imgGarantiasExtendidas, imgVerHuecos,
                                                     txtAciertosHuecos, imgVolver, cboTipoGarantias})
        w->setEnabled(enabled);
    const bool imported = state_.base.kind == CombinationKind::FromFile;
    optTipoGarantias[0]->setEnabled(enabled);
    optTipoGarantias[1]->setEnabled(enabled && imported);
    optTipoGarantias[2]->setEnabled(enabled && !imported);
}

void frmGarantiasTOTAL::beginWork(const QString& caption)
{
    computing_ = true;
    setControlsEnabled(false);
    lblProgreso->setText(caption);
    barProgreso->setValue(0);
    picProgreso->adjustSize();
    picProgreso->move(rect().center() - picProgreso->rect().center());
    picProgreso->raise();
    picProgreso->show();
}

void frmGarantiasTOTAL::endWork()
{
    picProgreso->hide();
    computing_ = false;
}

void frmGarantiasTOTAL::hideEvent(QHideEvent* event)
{
    const std::string headline = guaranteeHeadline(table_);
    if (!headline.empty()) emit guaranteeProved(qs(headline));
    QDialog::hideEvent(event);
}

void frmGarantiasTOTAL::showTable(const GuaranteeTable& table)
{
    table_ = table;
    for (int h = 0; h <= 6; ++h) {
        lblApu[h]->setText(qs(table.countText[h]));
        lblPor[h]->setText(qs(table.percentText[h]));
        for (int j = 0; j <= h; ++j) {
            const QString text = qs(table.rangeText[h][j]);
            lblde[h][j]->setText(text);
            lblde[h][j]->setToolTip(text);
            lblde[h][j]->setStyleSheet(text.isEmpty() ? QStringLiteral("background: white; border: 1px solid #d0d0d0;")
                                                      : QStringLiteral("background: #ffffc0; border: 1px solid #d0d0d0;"));
        }
    }
    txtResumen->setPlainText(qs(guaranteeSummaryText(table)));
}

void frmGarantiasTOTAL::runPass(int q)
{
    clearTable();
    txtResumen->clear();
    const GuaranteeScope s = scope();
    runner_->startOnState<GuaranteePassResult>(
        state_,
        [s, q](AppState& work, Progress& progress, const StopToken& stop, Interaction&) {
            return runGuaranteePass(inputOf(work), s, q, progress, stop);
        },
        [this](GuaranteePassResult result) {
            if (result.failed()) ui_.error("ERROR: " + result.failure);
            else if (result.done()) {
                stats_ = result.stats;
                showTable(publishGuarantees(result));
            } else if (txtResumen->toPlainText().isEmpty()) {
                txtResumen->setPlainText(QString::fromUtf8(kGuaranteesStoppedText));
            }
            endWork();
            setControlsEnabled(true);
        });
}

void frmGarantiasTOTAL::calculate()
{
    if (computing_) return;
    beginWork(QString::fromUtf8(kGuaranteeCaption));
    if (scope() != GuaranteeScope::Total || level() != 0) {
        runPass(scope() == GuaranteeScope::Total ? level() : 6);
        return;
    }
    clearTable();
    txtResumen->clear();
    runner_->startOnState<AllLevelsResult>(
        state_,
        [](AppState& work, Progress&, const StopToken&, Interaction& ui) { return runAllGuaranteeLevels(inputOf(work), ui); },
        [this](AllLevelsResult result) {
            if (result.failed()) {
                ui_.error("ERROR: " + result.failure);
            } else if (result.stopped()) {
                if (txtResumen->toPlainText().isEmpty()) txtResumen->setPlainText(QString::fromUtf8(kGuaranteesStoppedText));
            } else {
                stats_ = result.stats;
                showTable(result.table);
            }
            selectLevel(0);
            endWork();
            setControlsEnabled(true);
        });
}

void frmGarantiasTOTAL::showTabulatedReport()
{
    if (computing_) return;
    if (scope() == GuaranteeScope::Total && level() == 0) {
        // The six files written by the last "Todas" run.
        openAllGuaranteeReports(ui_);
        return;
    }
    showGuaranteeReport(table_, ui_);
}

void frmGarantiasTOTAL::calculateExtended()
{
    if (computing_) return;
    beginWork(QString());
    runner_->startOnState<ExtendedGuaranteesResult>(
        state_,
        [](AppState& work, Progress& progress, const StopToken& stop, Interaction&) {
            return extendedGuarantees(inputOf(work), progress, stop);
        },
        [this](ExtendedGuaranteesResult result) {
            endWork();
            if (result.failed()) {
                setControlsEnabled(true);
                ui_.error("ERROR: " + result.failure);
                return;
            }
            txtMiniGarantias->setPlainText(qs(result.text));
            picVisorMiniGarantias->setGeometry(rect().adjusted(30, 30, -30, -30));
            picVisorMiniGarantias->raise();
            picVisorMiniGarantias->show();
        });
}

void frmGarantiasTOTAL::showHoles()
{
    if (computing_) return;
    beginWork(QString::fromUtf8(kHolesCaption));
    const GuaranteeScope s = scope();
    // "Todas" has no one level: the holes are those of six hits, as the table it leaves.
    const int q = s == GuaranteeScope::Total && level() != 0 ? level() : 6;
    const int fewerThan = txtAciertosHuecos->value();
    runner_->startOnState<HolesReportResult>(
        state_,
        [s, q, fewerThan](AppState& work, Progress&, const StopToken&, Interaction& ui) {
            const HolesInputs inputs{work.base.baseNumbers, work.conditionedSystem, work.finalSystem, s, q, fewerThan};
            return showHolesReport(inputs, ui);
        },
        [this](HolesReportResult) {
            // The flow has shown whatever went wrong.
            endWork();
            setControlsEnabled(true);
        });
}

void frmGarantiasTOTAL::stop()
{
    runner_->requestStop();
    if (txtResumen->toPlainText().isEmpty()) txtResumen->setPlainText(QString::fromUtf8(kGuaranteesStoppedText));
}

void frmGarantiasTOTAL::reject()
{
    if (closing_) QDialog::reject();
}

void frmGarantiasTOTAL::closeEvent(QCloseEvent* event)
{
    if (!closing_) event->ignore();
    else QDialog::closeEvent(event);
}

} // namespace kombitron::ui
