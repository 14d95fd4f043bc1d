#include "ui/filters/frmFiltroSORTEOSANTERIORES.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "core/format.h"
#include "core/state.h"
#include "filters/previous_draws.h"
#include "flows/previous_draws_loader.h"
#include "ui/job_runner.h"
#include "ui/widgets/group_pager.h"
#include "ui/widgets/hit_set_field.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/numeric_line_edit.h"

namespace kombitron::ui {

namespace {

constexpr int kFirstSeason = 1985;
constexpr int kLastDrawNumber = 2000;

frmFiltroSORTEOSANTERIORES::DrawsFetcher& fetcher()
{
    static frmFiltroSORTEOSANTERIORES::DrawsFetcher f; // empty: the results service
    return f;
}

// Select the item showing `value`, adding it when the list does not offer it (a season of a base
// file written in a later year, say), so the group keeps what it holds.
void selectValue(QComboBox* box, int value)
{
    const QString text = QString::number(value);
    int index = box->findText(text);
    if (index < 0) {
        int at = 0;
        while (at < box->count() && box->itemText(at).toInt() < value) ++at;
        box->insertItem(at, text);
        index = at;
    }
    box->setCurrentIndex(index);
}

int valueOf(const QComboBox* box) { return box->currentText().toInt(); }

// The service's answer as a job's result.
struct FetchedDraws : JobOutcome {
    ServiceDrawsResult draws;
};

QLabel* valueLabel(const QString& name, QWidget* parent)
{
    auto* l = new QLabel(QStringLiteral("-"), parent);
    l->setObjectName(name);
    l->setMinimumWidth(44);
    l->setStyleSheet(QStringLiteral("font-weight:bold;"));
    return l;
}

} // namespace

void frmFiltroSORTEOSANTERIORES::setDrawsFetcher(DrawsFetcher f)
{
    fetcher() = std::move(f);
}

frmFiltroSORTEOSANTERIORES::frmFiltroSORTEOSANTERIORES(AppState& state, Interaction& ui, QWidget* parent)
    : FilterWindow(state, ui, FilterId::SORTEOSANTERIORES,
                   QStringLiteral("SORTEOS ANTERIORES (Máx. %1)").arg(kPreviousDrawsGroups), parent),
      runner_(new JobRunner(ui, this))
{
    setCloseBoxIgnored(true);
    if (state_.cursors.sorteosAnteriores < 1 || state_.cursors.sorteosAnteriores > kPreviousDrawsGroups)
        state_.cursors.sorteosAnteriores = 1;

    // The draws block, common to every group.
    fraDatosSorteos = new QGroupBox(QStringLiteral("Datos de sorteos (común a todos los grupos) : %1")
                                        .arg(QString::fromStdString(state_.base.gameName)),
                                    this);
    fraDatosSorteos->setObjectName(QStringLiteral("fraDatosSorteos"));
    auto* drawsRow = new QHBoxLayout(fraDatosSorteos);
    cmdCargar = new QPushButton(QStringLiteral("Cargar"), fraDatosSorteos);
    cmdCargar->setObjectName(QStringLiteral("cmdCargar"));
    lblSorteosCargados = valueLabel(QStringLiteral("lblSorteosCargados"), fraDatosSorteos);
    lblSorteoDESDE = valueLabel(QStringLiteral("lblSorteoDESDE"), fraDatosSorteos);
    lblTemporadaDESDE = valueLabel(QStringLiteral("lblTemporadaDESDE"), fraDatosSorteos);
    lblSorteoHASTA = valueLabel(QStringLiteral("lblSorteoHASTA"), fraDatosSorteos);
    lblTemporadaHASTA = valueLabel(QStringLiteral("lblTemporadaHASTA"), fraDatosSorteos);
    drawsRow->addWidget(cmdCargar);
    drawsRow->addSpacing(10);
    drawsRow->addWidget(new QLabel(QStringLiteral("Sorteos cargados :"), fraDatosSorteos));
    drawsRow->addWidget(lblSorteosCargados);
    drawsRow->addSpacing(10);
    drawsRow->addWidget(new QLabel(QStringLiteral("Desde :"), fraDatosSorteos));
    drawsRow->addWidget(lblSorteoDESDE);
    drawsRow->addWidget(lblTemporadaDESDE);
    drawsRow->addSpacing(10);
    drawsRow->addWidget(new QLabel(QStringLiteral("Hasta :"), fraDatosSorteos));
    drawsRow->addWidget(lblSorteoHASTA);
    drawsRow->addWidget(lblTemporadaHASTA);
    drawsRow->addStretch();
    body()->addWidget(fraDatosSorteos);

    // The group's conditions.
    fraCondiciones = new QGroupBox(this);
    fraCondiciones->setObjectName(QStringLiteral("fraCondiciones"));
    fraCondiciones->installEventFilter(this);
    auto* conditions = new QVBoxLayout(fraCondiciones);

    auto* head = new QHBoxLayout;
    lblNumeroGrupo = new QLabel(fraCondiciones);
    lblNumeroGrupo->setObjectName(QStringLiteral("lblNumeroGrupo"));
    lblNumeroGrupo->setStyleSheet(QStringLiteral("font-weight:bold; font-size:14pt;"));
    pager = new GroupPager(kPreviousDrawsGroups, 1, false, fraCondiciones);
    pager->setPage(state_.cursors.sorteosAnteriores);
    pager->setLeaveCheck([this] { return leaveGroup(); });
    imgINIGrupo = new ImageButton(QStringLiteral("imgINIGrupo"), AppIcon::ClearAll, QStringLiteral("Inicializa este grupo"),
                                  fraCondiciones, 24);
    imgInformacion = new ImageButton(QStringLiteral("imgInformacion"), AppIcon::Information,
                                     QStringLiteral("Tiempos aproximados de cálculo"), fraCondiciones, 24);
    head->addWidget(lblNumeroGrupo);
    head->addSpacing(16);
    head->addWidget(pager);
    head->addStretch();
    head->addWidget(imgINIGrupo);
    head->addWidget(imgInformacion);
    conditions->addLayout(head);

    auto* range = new QHBoxLayout;
    cboSorteoINI = new QComboBox(fraCondiciones);
    cboSorteoINI->setObjectName(QStringLiteral("cboSorteoINI"));
    cboAnioINI = new QComboBox(fraCondiciones);
    cboAnioINI->setObjectName(QStringLiteral("cboAnioINI"));
    cboSorteoFIN = new QComboBox(fraCondiciones);
    cboSorteoFIN->setObjectName(QStringLiteral("cboSorteoFIN"));
    cboAnioFIN = new QComboBox(fraCondiciones);
    cboAnioFIN->setObjectName(QStringLiteral("cboAnioFIN"));
    for (auto* box : {cboSorteoINI, cboSorteoFIN})
        for (int d = 1; d <= kLastDrawNumber; ++d) box->addItem(QString::number(d));
    for (auto* box : {cboAnioINI, cboAnioFIN})
        for (int y = kFirstSeason; y <= std::max(kFirstSeason, currentYear()); ++y) box->addItem(QString::number(y));
    for (auto* box : {cboSorteoINI, cboAnioINI, cboSorteoFIN, cboAnioFIN}) box->setMaxVisibleItems(15);
    range->addWidget(new QLabel(QStringLiteral("Desde el sorteo"), fraCondiciones));
    range->addWidget(cboSorteoINI);
    range->addWidget(new QLabel(QStringLiteral("de"), fraCondiciones));
    range->addWidget(cboAnioINI);
    range->addWidget(new QLabel(QStringLiteral("hasta el sorteo"), fraCondiciones));
    range->addWidget(cboSorteoFIN);
    range->addWidget(new QLabel(QStringLiteral("de"), fraCondiciones));
    range->addWidget(cboAnioFIN);
    range->addStretch();
    conditions->addLayout(range);

    auto* day = new QHBoxLayout;
    cboDia = new QComboBox(fraCondiciones);
    cboDia->setObjectName(QStringLiteral("cboDia"));
    for (int code = 0; code <= 7; ++code) cboDia->addItem(QString::fromUtf8(weekdayName(code)));
    day->addWidget(new QLabel(QStringLiteral("Día :"), fraCondiciones));
    day->addWidget(cboDia);
    day->addStretch();
    conditions->addLayout(day);

    auto* hitsRow = new QHBoxLayout;
    aciertos = new HitSetField(QStringLiteral("txtAciertos"), QStringLiteral("cmdModificar"), QStringLiteral("M"), fraCondiciones);
    hitsRow->addWidget(new QLabel(QStringLiteral("Se han de acertar"), fraCondiciones));
    hitsRow->addWidget(aciertos);
    hitsRow->addStretch();
    conditions->addLayout(hitsRow);

    auto* limits = new QHBoxLayout;
    txtSorteoMINIMO = new NumericLineEdit(6, NumericLineEdit::Mode::Digits, fraCondiciones);
    txtSorteoMINIMO->setObjectName(QStringLiteral("txtSorteoMINIMO"));
    txtSorteoMAXIMO = new NumericLineEdit(6, NumericLineEdit::Mode::Digits, fraCondiciones);
    txtSorteoMAXIMO->setObjectName(QStringLiteral("txtSorteoMAXIMO"));
    for (auto* f : {txtSorteoMINIMO, txtSorteoMAXIMO}) {
        f->setFixedWidth(64);
        f->setAlignment(Qt::AlignRight);
        activateOnKeys(f);
    }
    limits->addWidget(new QLabel(QStringLiteral("En mínimo"), fraCondiciones));
    limits->addWidget(txtSorteoMINIMO);
    limits->addWidget(new QLabel(QStringLiteral("y máximo"), fraCondiciones));
    limits->addWidget(txtSorteoMAXIMO);
    limits->addWidget(new QLabel(QStringLiteral("sorteos"), fraCondiciones));
    limits->addStretch();
    conditions->addLayout(limits);

    auto* consultation = new QHBoxLayout;
    lblSorteosConsultados = valueLabel(QStringLiteral("lblSorteosConsultados"), fraCondiciones);
    consultation->addWidget(new QLabel(QStringLiteral("Número de sorteos de la consulta :"), fraCondiciones));
    consultation->addWidget(lblSorteosConsultados);
    consultation->addStretch();
    conditions->addLayout(consultation);
    body()->addWidget(fraCondiciones);

    // The table of times, laid over the conditions while shown.
    picInformacion = new QFrame(this);
    picInformacion->setObjectName(QStringLiteral("picInformacion"));
    picInformacion->setFrameShape(QFrame::Box);
    picInformacion->setAutoFillBackground(true);
    picInformacion->setStyleSheet(QStringLiteral("QFrame#picInformacion { background:#fffff0; border:2px solid #2b5797; }"));
    auto* infoLayout = new QVBoxLayout(picInformacion);
    auto* infoText = new QLabel(previousDrawsTimesTable(), picInformacion);
    infoText->setTextFormat(Qt::RichText);
    infoLayout->addWidget(infoText);
    picInformacion->installEventFilter(this);
    picInformacion->hide();

    connect(cmdCargar, &QPushButton::clicked, this, &frmFiltroSORTEOSANTERIORES::load);
    connect(aciertos, &HitSetField::edited, this, [this](const HitSet& set) {
        state_.filters.sorteosAnteriores.groups[static_cast<size_t>(group() - 1)].acertarEN = set;
        activate();
    });
    connect(imgINIGrupo, &QToolButton::clicked, this, [this] {
        PreviousDrawsGroup fresh;
        fresh.sorteoDESDE = {1, static_cast<int16_t>(currentYear())};
        fresh.sorteoHASTA = fresh.sorteoDESDE;
        state_.filters.sorteosAnteriores.groups[static_cast<size_t>(group() - 1)] = fresh;
        showGroup();
    });
    connect(imgInformacion, &QToolButton::clicked, this, [this] {
        picInformacion->adjustSize();
        picInformacion->move((width() - picInformacion->width()) / 2, fraCondiciones->y() + 8);
        picInformacion->show();
        picInformacion->raise();
    });
    for (auto* box : {cboSorteoINI, cboAnioINI, cboSorteoFIN, cboAnioFIN, cboDia})
        connect(box, &QComboBox::currentIndexChanged, this, [this] {
            if (!filling_) refreshConsultation();
        });
    connect(pager, &GroupPager::pageChanged, this, [this](int page) {
        state_.cursors.sorteosAnteriores = page;
        showGroup();
    });

    showLoadedDraws();
    showGroup();
}

int frmFiltroSORTEOSANTERIORES::group() const { return pager->page(); }

void frmFiltroSORTEOSANTERIORES::showLoadedDraws()
{
    const DrawList& draws = state_.filters.sorteosAnteriores.draws;
    lblSorteosCargados->setText(QString::fromStdString(formatCount(static_cast<int64_t>(draws.size()))));
    if (draws.empty()) {
        for (auto* l : {lblSorteoDESDE, lblTemporadaDESDE, lblSorteoHASTA, lblTemporadaHASTA}) l->setText(QStringLiteral("-"));
        return;
    }
    lblSorteoDESDE->setText(QString::number(draws.front().drawNumber));
    lblTemporadaDESDE->setText(QString::number(draws.front().season));
    lblSorteoHASTA->setText(QString::number(draws.back().drawNumber));
    lblTemporadaHASTA->setText(QString::number(draws.back().season));
}

void frmFiltroSORTEOSANTERIORES::showGroup()
{
    const PreviousDrawsGroup& g = state_.filters.sorteosAnteriores.groups[static_cast<size_t>(group() - 1)];
    filling_ = true;
    lblNumeroGrupo->setText(QStringLiteral("GRUPO %1").arg(group()));
    selectValue(cboSorteoINI, g.sorteoDESDE.draw);
    selectValue(cboAnioINI, g.sorteoDESDE.season);
    selectValue(cboSorteoFIN, g.sorteoHASTA.draw);
    selectValue(cboAnioFIN, g.sorteoHASTA.season);
    cboDia->setCurrentIndex(g.sorteoDIAS >= 0 && g.sorteoDIAS <= 7 ? g.sorteoDIAS : 0);
    aciertos->setHitSet(g.acertarEN);
    txtSorteoMINIMO->setText(QString::number(g.aciertosMinimoSORTEOS));
    txtSorteoMAXIMO->setText(QString::number(g.aciertosMaximoSORTEOS));
    filling_ = false;
    // The count follows the group now shown.
    refreshConsultation();
}

void frmFiltroSORTEOSANTERIORES::refreshConsultation()
{
    const DrawRef from{static_cast<uint16_t>(valueOf(cboSorteoINI)), static_cast<int16_t>(valueOf(cboAnioINI))};
    const DrawRef to{static_cast<uint16_t>(valueOf(cboSorteoFIN)), static_cast<int16_t>(valueOf(cboAnioFIN))};
    const int day = cboDia->currentIndex();
    int64_t count = 0;
    for (const DrawRecord& d : state_.filters.sorteosAnteriores.draws) count += drawSelected(d, from, to, day) ? 1 : 0;
    lblSorteosConsultados->setText(QString::fromStdString(formatCount(count)));
}

bool frmFiltroSORTEOSANTERIORES::leaveGroup()
{
    PreviousDrawsFields fields;
    fields.drawFrom = valueOf(cboSorteoINI);
    fields.seasonFrom = valueOf(cboAnioINI);
    fields.drawTo = valueOf(cboSorteoFIN);
    fields.seasonTo = valueOf(cboAnioFIN);
    fields.weekday = cboDia->currentIndex();
    fields.minimum = txtSorteoMINIMO->text().toStdString();
    fields.maximum = txtSorteoMAXIMO->text().toStdString();
    const std::string failure = validateAndStorePreviousDrawsGroup(state_.filters.sorteosAnteriores, group(), fields);
    // Blank limits read as "0" from now on.
    txtSorteoMINIMO->setText(QString::fromStdString(fields.minimum));
    txtSorteoMAXIMO->setText(QString::fromStdString(fields.maximum));
    return acceptCheck(failure);
}

bool frmFiltroSORTEOSANTERIORES::closing() { return leaveGroup(); }

void frmFiltroSORTEOSANTERIORES::setBusy(bool busy)
{
    for (QWidget* w : std::initializer_list<QWidget*>{fraCondiciones, cmdCargar, imgActivar, imgVolver})
        w->setEnabled(!busy);
    setCursor(busy ? Qt::BusyCursor : Qt::ArrowCursor);
}

frmFiltroSORTEOSANTERIORES::~frmFiltroSORTEOSANTERIORES() { delete runner_; }

bool frmFiltroSORTEOSANTERIORES::isLoading() const { return runner_->busy(); }

void frmFiltroSORTEOSANTERIORES::load()
{
    picInformacion->hide();
    setBusy(true);
    // The request runs as a job on its own inputs; the draws reach AppState back on the UI thread.
    runner_->start<FetchedDraws>(
        [game = state_.base.gameName, fetch = fetcher()](Progress&, const StopToken& stop, Interaction&) {
            return guardJob<FetchedDraws>([&](FetchedDraws& result) {
                if (fetch) {
                    result.draws = fetch(game);
                } else {
                    // Closing the window stops the request instead of waiting for the service.
                    ServiceOptions options = defaultServiceOptions();
                    options.stop = stop;
                    result.draws = FetchServiceDraws(game, options);
                }
            });
        },
        [this](FetchedDraws result) {
            ServiceDrawsResult fetched = std::move(result.draws);
            if (result.failed()) {
                fetched = {};
                fetched.status = ServiceStatus::Transport;
                fetched.description = result.failure;
            }
            const PreviousDrawsLoadResult loaded = applyPreviousDraws(state_, std::move(fetched), ui_);
            showLoadedDraws();
            if (loaded.loaded && txtSorteoMAXIMO->value(0) == 0) txtSorteoMAXIMO->setText(QString::number(loaded.count));
            refreshConsultation();
            setBusy(false);
        });
}

bool frmFiltroSORTEOSANTERIORES::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && (watched == fraCondiciones || watched == picInformacion))
        picInformacion->hide();
    return FilterWindow::eventFilter(watched, event);
}

void frmFiltroSORTEOSANTERIORES::mousePressEvent(QMouseEvent* event)
{
    picInformacion->hide();
    FilterWindow::mousePressEvent(event);
}

} // namespace kombitron::ui

namespace kombitron::ui {

namespace {

// Wall-clock seconds of one calculation with this filter alone and one active group (hits {3},
// limits 0..all draws, so no bet stops its scan early), measured with bench/previous_draws_bench
// on a 2-core machine with little other work.
struct MeasuredTime {
    int64_t bets;
    double seconds[3];
};
constexpr int kMeasuredDraws[3] = {1000, 4000, 8000};
constexpr MeasuredTime kMeasured[] = {
    {593775, {0.03, 0.04, 0.04}},
    {3838380, {0.15, 0.19, 0.18}},
    {13983816, {0.45, 0.46, 0.52}},
};

} // namespace

QString previousDrawsTimesTable()
{
    QString html = QStringLiteral(
        "<p><b>Tiempos aproximados de cálculo</b> (segundos, un grupo activo)</p>"
        "<table border='1' cellspacing='0' cellpadding='4'><tr><th>Apuestas \\ Sorteos</th>");
    for (int draws : kMeasuredDraws) html += QStringLiteral("<th>%1</th>").arg(QString::fromStdString(formatCount(draws)));
    html += QStringLiteral("</tr>");
    for (const MeasuredTime& row : kMeasured) {
        html += QStringLiteral("<tr><td align='right'>%1</td>").arg(QString::fromStdString(formatCount(row.bets)));
        for (double s : row.seconds)
            html += QStringLiteral("<td align='right'>%1</td>").arg(QString::number(s, 'f', 2).replace(
                QLatin1Char('.'), QString::fromStdString(numberFormat().decimal)));
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral(
        "</table><p>Medidos con este programa en un ordenador de 2 núcleos sin otra carga;<br>"
        "con el ordenador ocupado en otras tareas pueden ser muchas veces mayores.<br>"
        "Con varios grupos activos, el tiempo se multiplica por el número de grupos.</p>");
    return html;
}

} // namespace kombitron::ui
