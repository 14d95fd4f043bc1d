#include "ui/filters/frmFiltroVALORACIONES.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/interaction.h"
#include "core/state.h"
#include "filters/percentages_file.h"
#include "filters/valuations.h"
#include "ui/widgets/group_pager.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/numeric_line_edit.h"
#include "ui/widgets/ticket_grid.h"

namespace kombitron::ui {

namespace {
const QString kNoValuation = QStringLiteral("------");
constexpr const char* kPercentagesFilters = "Ficheros de porcentajes (*.TXT)|*.TXT|Todos los archivos (*.*)|*.*|";
} // namespace

frmFiltroVALORACIONES::frmFiltroVALORACIONES(AppState& state, Interaction& ui, QWidget* parent)
    : FilterWindow(state, ui, FilterId::VALORACIONES, QStringLiteral("VALORACIONES (Máx. %1)").arg(kValuationConditions), parent)
{
    setCloseBoxIgnored(true);
    if (state_.cursors.valoraciones < 1 || state_.cursors.valoraciones > kValuationConditions) state_.cursors.valoraciones = 1;

    auto* head = new QHBoxLayout;
    lblNumeroGrupo = new QLabel(this);
    lblNumeroGrupo->setObjectName(QStringLiteral("lblNumeroGrupo"));
    lblNumeroGrupo->setStyleSheet(QStringLiteral("font-weight:bold; font-size:14pt;"));
    pager = new GroupPager(kValuationConditions, 1, false, this);
    pager->setPage(state_.cursors.valoraciones);
    pager->setLeaveCheck([this] { return validateAndStore(); });
    head->addWidget(lblNumeroGrupo);
    head->addSpacing(20);
    head->addWidget(pager, 1);
    body()->addLayout(head);

    // The 49 lists in the ticket layout: number n in column n div 10, row n mod 10.
    std::array<bool, 50> inBase{};
    for (uint8_t n : baseNumbers())
        if (n >= 1 && n <= 49) inBase[n] = true;
    auto* numbers = new QGroupBox(this);
    auto* grid = new QGridLayout(numbers);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(3);
    for (int n = 1; n <= 49; ++n) {
        auto* cell = new QWidget(numbers);
        auto* cellLayout = new QHBoxLayout(cell);
        cellLayout->setContentsMargins(0, 0, 0, 0);
        cellLayout->setSpacing(3);
        auto* label = new QLabel(QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')), cell);
        label->setObjectName(QStringLiteral("lblNumeroFINAL_%1").arg(n - 1));
        label->setStyleSheet(QStringLiteral("font-weight:bold; color:#d21f26;"));
        auto* box = new QComboBox(cell);
        box->setObjectName(QStringLiteral("cboPorcentaje_%1").arg(n - 1));
        box->addItem(kNoValuation);
        if (inBase[static_cast<size_t>(n)]) {
            for (int v = 1; v <= 100; ++v) box->addItem(QString::number(v));
            box->setStyleSheet(QStringLiteral("QComboBox { background-color: rgb(255,128,128); }"));
        } else {
            box->setEnabled(false);
            box->setStyleSheet(QStringLiteral("QComboBox { background-color: white; }"));
        }
        box->setMaxVisibleItems(12);
        box->setMinimumContentsLength(6);
        box->installEventFilter(this);
        label->setBuddy(box);
        cellLayout->addWidget(label);
        cellLayout->addWidget(box);
        grid->addWidget(cell, TicketGrid::rowOf(n), TicketGrid::columnOf(n));
        cboPorcentaje[static_cast<size_t>(n - 1)] = box;
        connect(box, &QComboBox::activated, this, [this] {
            refreshCount();
            refreshSum();
        });
    }
    body()->addWidget(numbers);

    auto* totals = new QHBoxLayout;
    lblTitNumeros = new QLabel(this);
    lblTitNumeros->setObjectName(QStringLiteral("lblTitNumeros"));
    auto* label2 = new QLabel(QStringLiteral("Suma de Valoraciones :"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    lblSumaPorcentajes = new QLabel(this);
    lblSumaPorcentajes->setObjectName(QStringLiteral("lblSumaPorcentajes"));
    lblSumaPorcentajes->setStyleSheet(QStringLiteral("font-weight:bold;"));
    imgININumeros = new ImageButton(QStringLiteral("imgININumeros"), AppIcon::ClearAll,
                                    QStringLiteral("Inicializa todas las valoraciones"), this, 24);
    totals->addWidget(lblTitNumeros);
    totals->addStretch();
    totals->addWidget(label2);
    totals->addWidget(lblSumaPorcentajes);
    totals->addSpacing(12);
    totals->addWidget(imgININumeros);
    body()->addLayout(totals);

    auto* intervals = new QGroupBox(this);
    auto* intervalGrid = new QGridLayout(intervals);
    // The headings sit over their own fields, in the window's font, instead of one padded line
    // that lines up only in a fixed-width font.
    intervalGrid->setHorizontalSpacing(6);
    for (int k = 0; k < 4; ++k) {
        auto* heading = new QLabel(QStringLiteral("Intervalo %1").arg(k + 1), intervals);
        heading->setObjectName(QStringLiteral("lblIntervalo_%1").arg(k));
        heading->setAlignment(Qt::AlignCenter);
        intervalGrid->addWidget(heading, 0, 2 * k, 1, 2);
        auto* minimum = new QLabel(QStringLiteral("Min. -"), intervals);
        auto* maximum = new QLabel(QStringLiteral("Max."), intervals);
        for (auto* l : {minimum, maximum}) l->setAlignment(Qt::AlignCenter);
        intervalGrid->addWidget(minimum, 1, 2 * k);
        intervalGrid->addWidget(maximum, 1, 2 * k + 1);
    }
    for (int k = 0; k < 4; ++k) {
        auto* lo = new NumericLineEdit(4, NumericLineEdit::Mode::Digits, intervals);
        lo->setObjectName(QStringLiteral("txtValoracionMinima_%1").arg(k));
        auto* hi = new NumericLineEdit(4, NumericLineEdit::Mode::Digits, intervals);
        hi->setObjectName(QStringLiteral("txtValoracionMaxima_%1").arg(k));
        for (auto* f : {lo, hi}) {
            f->setFixedWidth(52);
            f->setAlignment(Qt::AlignRight);
            activateOnKeys(f);
        }
        intervalGrid->addWidget(lo, 2, 2 * k);
        intervalGrid->addWidget(hi, 2, 2 * k + 1);
        txtValoracionMinima[static_cast<size_t>(k)] = lo;
        txtValoracionMaxima[static_cast<size_t>(k)] = hi;
    }
    body()->addWidget(intervals);

    auto* files = new QHBoxLayout;
    cmdAbrirPorcentajes = new QPushButton(QStringLiteral("Abrir Fichero de Porcentajes"), this);
    cmdAbrirPorcentajes->setObjectName(QStringLiteral("cmdAbrirPorcentajes"));
    cmdGuardarPorcentajes = new QPushButton(QStringLiteral("Guardar Fichero de Porcentajes"), this);
    cmdGuardarPorcentajes->setObjectName(QStringLiteral("cmdGuardarPorcentajes"));
    files->addWidget(cmdAbrirPorcentajes);
    files->addWidget(cmdGuardarPorcentajes);
    files->addStretch();
    body()->addLayout(files);

    connect(imgININumeros, &QToolButton::clicked, this, [this] {
        for (auto* box : cboPorcentaje) box->setCurrentIndex(0);
        refreshCount();
        refreshSum();
    });
    connect(cmdGuardarPorcentajes, &QPushButton::clicked, this, &frmFiltroVALORACIONES::savePercentages);
    connect(cmdAbrirPorcentajes, &QPushButton::clicked, this, &frmFiltroVALORACIONES::loadPercentages);
    connect(pager, &GroupPager::pageChanged, this, [this](int page) {
        state_.cursors.valoraciones = page;
        showCondition();
    });
    showCondition();
}

int frmFiltroVALORACIONES::condition() const { return pager->page(); }

std::array<int, 49> frmFiltroVALORACIONES::shownValuations() const
{
    std::array<int, 49> values{};
    for (size_t i = 0; i < 49; ++i) values[i] = cboPorcentaje[i]->currentIndex() > 0 ? cboPorcentaje[i]->currentIndex() : 0;
    return values;
}

void frmFiltroVALORACIONES::showValuations(const std::array<int, 49>& valuations)
{
    for (size_t i = 0; i < 49; ++i) {
        auto* box = cboPorcentaje[i];
        // A list holds "1".."100" at the index of its value; lists outside the base hold "------" only.
        const int v = valuations[i];
        box->setCurrentIndex(v >= 1 && v < box->count() ? v : 0);
    }
}

void frmFiltroVALORACIONES::showCondition()
{
    const int c = condition();
    const auto& params = state_.filters.valoraciones;
    lblNumeroGrupo->setText(QStringLiteral("GRUPO %1").arg(c));
    std::array<int, 49> values{};
    for (size_t i = 0; i < 49; ++i) values[i] = params.valuations[i][static_cast<size_t>(c - 1)];
    showValuations(values);
    for (size_t k = 0; k < 4; ++k) {
        txtValoracionMinima[k]->setText(QString::number(params.valuationMin[static_cast<size_t>(c - 1)][k]));
        txtValoracionMaxima[k]->setText(QString::number(params.valuationMax[static_cast<size_t>(c - 1)][k]));
    }
    refreshCount();
    refreshSum();
}

void frmFiltroVALORACIONES::refreshCount()
{
    int count = 0;
    for (int v : shownValuations()) count += v > 0 ? 1 : 0;
    lblTitNumeros->setText(QStringLiteral("%1 Valoraciones Seleccionadas").arg(count));
}

void frmFiltroVALORACIONES::refreshSum()
{
    int sum = 0;
    for (int v : shownValuations()) sum += v;
    lblSumaPorcentajes->setText(QString::number(sum));
}

bool frmFiltroVALORACIONES::validateAndStore()
{
    ValuationFields fields;
    for (size_t k = 0; k < 4; ++k) {
        fields.minimum[k] = txtValoracionMinima[k]->text().toStdString();
        fields.maximum[k] = txtValoracionMaxima[k]->text().toStdString();
    }
    fields.valuations = shownValuations();
    return acceptCheck(validateAndStoreValuation(state_.filters.valoraciones, condition(), fields));
}

bool frmFiltroVALORACIONES::closing() { return validateAndStore(); }

bool frmFiltroVALORACIONES::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && qobject_cast<QComboBox*>(watched)) {
        activate();
        refreshSum();
    }
    return FilterWindow::eventFilter(watched, event);
}

void frmFiltroVALORACIONES::savePercentages()
{
    FileDialogRequest request;
    request.title = "Guardar Porcentajes";
    request.filters = parseFileFilters(kPercentagesFilters);
    const std::string chosen = ui_.saveFileDialog(request);
    if (chosen.empty()) return;
    acceptCheck(saveValuationsFile(chosen, shownValuations()));
}

void frmFiltroVALORACIONES::loadPercentages()
{
    FileDialogRequest request;
    request.title = "Cargar Porcentajes";
    request.filters = parseFileFilters(kPercentagesFilters);
    const std::string path = ui_.openFileDialog(request);
    if (path.empty()) return;
    std::array<int, 49> values = shownValuations();
    const std::string failure = loadValuationsFile(path, baseNumbers(), values);
    // Values read before a failure stay chosen.
    showValuations(values);
    refreshCount();
    refreshSum();
    acceptCheck(failure);
}

} // namespace kombitron::ui
