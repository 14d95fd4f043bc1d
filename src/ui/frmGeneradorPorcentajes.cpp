#include "ui/frmGeneradorPorcentajes.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/format.h"
#include "flows/random_generators_flow.h"
#include "core/random.h"
#include "tools/random_by_percentages.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/mark_cell.h"
#include "ui/widgets/numeric_line_edit.h"
#include "ui/widgets/ticket_grid.h"
#include "ui/widgets/waiting_panel.h"

namespace kombitron::ui {

namespace {
const char* const kGenerating = "Generando apuestas por favor espere ...";
const QString kNoPercentage = QStringLiteral("------");
} // namespace

frmGeneradorPorcentajes::frmGeneradorPorcentajes(Interaction& ui, QWidget* parent)
    : ToolWindow(ui, QStringLiteral("frmGeneradorPorcentajes"),
                 QStringLiteral("GENERAR APUESTAS ALEATORIAS POR PORCENTAJES"), true, parent)
{
    // The 49 selectors in the ticket layout: number n in column n div 10, row n mod 10.
    auto* numbers = new QGroupBox(QStringLiteral("Porcentajes"), content());
    numbers->setObjectName(QStringLiteral("fraPorcentajes"));
    auto* grid = new QGridLayout(numbers);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(3);
    for (int n = 1; n <= 49; ++n) {
        auto* cell = new QWidget(numbers);
        auto* cellLayout = new QHBoxLayout(cell);
        cellLayout->setContentsMargins(0, 0, 0, 0);
        cellLayout->setSpacing(3);
        auto* label = new QLabel(QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')), cell);
        label->setObjectName(QStringLiteral("lblNumero_%1").arg(n - 1));
        label->setStyleSheet(QStringLiteral("QLabel { font-weight:bold; color:%1; } QLabel:disabled { color:#e0a0a3; }")
                                 .arg(QLatin1String(colors::kMarkRed)));
        auto* box = new QComboBox(cell);
        box->setObjectName(QStringLiteral("cboPorcentaje_%1").arg(n - 1));
        box->addItem(kNoPercentage);
        for (int p = 1; p <= 100; ++p) box->addItem(QString::number(p));
        box->setMaxVisibleItems(12);
        box->setMinimumContentsLength(6);
        box->installEventFilter(this);
        label->setBuddy(box);
        cellLayout->addWidget(label);
        cellLayout->addWidget(box);
        grid->addWidget(cell, TicketGrid::rowOf(n), TicketGrid::columnOf(n));
        cboPorcentaje[static_cast<size_t>(n - 1)] = box;
        paintSelector(box);
        connect(box, &QComboBox::currentIndexChanged, this, [this, box] {
            paintSelector(box);
            refreshTotals();
        });
    }
    body()->addWidget(numbers);

    auto* totals = new QHBoxLayout;
    lblTitNumeros = new QLabel(content());
    lblTitNumeros->setObjectName(QStringLiteral("lblTitNumeros"));
    auto* sumCaption = new QLabel(QStringLiteral("Suma de % Seleccionados :"), content());
    sumCaption->setObjectName(QStringLiteral("lblEtqSuma"));
    lblSumaPorcentajes = new QLabel(content());
    lblSumaPorcentajes->setObjectName(QStringLiteral("lblSumaPorcentajes"));
    lblSumaPorcentajes->setStyleSheet(QStringLiteral("font-weight:bold;"));
    lblSumaPorcentajes->setMinimumWidth(36);
    imgINIPorcentajes = new ImageButton(QStringLiteral("imgINIPorcentajes"), AppIcon::ClearAll,
                                        QStringLiteral("Inicializa todos los porcentajes"), content(), 24);
    totals->addWidget(lblTitNumeros);
    totals->addStretch();
    totals->addWidget(sumCaption);
    totals->addWidget(lblSumaPorcentajes);
    totals->addSpacing(12);
    totals->addWidget(imgINIPorcentajes);
    body()->addLayout(totals);

    auto* request = new QHBoxLayout;
    auto* caption = new QLabel(QStringLiteral("Nº Apuestas a Generar :"), content());
    caption->setObjectName(QStringLiteral("lblEtqApuestas"));
    txtApuestas = new NumericLineEdit(8, NumericLineEdit::Mode::Digits, content());
    txtApuestas->setObjectName(QStringLiteral("txtApuestas"));
    txtApuestas->setText(QStringLiteral("1"));
    txtApuestas->setAlignment(Qt::AlignRight);
    txtApuestas->setFixedWidth(110);
    caption->setBuddy(txtApuestas);
    lblNota = new QLabel(QStringLiteral("NOTA : Pueden generarse apuestas repetidas."), content());
    lblNota->setObjectName(QStringLiteral("lblNota"));
    lblNota->setStyleSheet(QStringLiteral("color:#555555; font-style:italic;"));
    cmdGenerar = new QPushButton(QStringLiteral("&Generar"), content());
    cmdGenerar->setObjectName(QStringLiteral("cmdGenerar"));
    request->addWidget(caption);
    request->addWidget(txtApuestas);
    request->addSpacing(16);
    request->addWidget(lblNota);
    request->addStretch();
    request->addWidget(cmdGenerar);
    body()->addLayout(request);

    picVentanaEspera = addWaitingPanel(QStringLiteral("picVentanaEspera"), QStringLiteral("lblEspera"),
                                       QString::fromUtf8(kGenerating));

    connect(imgINIPorcentajes, &QToolButton::clicked, this, &frmGeneradorPorcentajes::inicializar);
    connect(cmdGenerar, &QPushButton::clicked, this, &frmGeneradorPorcentajes::generar);
    refreshTotals();
}

PercentageShares frmGeneradorPorcentajes::percentages() const
{
    PercentageShares p{};
    for (int n = 1; n <= 49; ++n) p[static_cast<size_t>(n)] = static_cast<uint8_t>(cboPorcentaje[static_cast<size_t>(n - 1)]->currentIndex());
    return p;
}

void frmGeneradorPorcentajes::setPercentage(int number, int percentage)
{
    if (number < 1 || number > 49 || percentage < 0 || percentage > 100) return;
    cboPorcentaje[static_cast<size_t>(number - 1)]->setCurrentIndex(percentage);
}

void frmGeneradorPorcentajes::paintSelector(QComboBox* box)
{
    box->setStyleSheet(box->currentIndex() > 0 ? QStringLiteral("QComboBox { background-color: rgb(255,128,128); }")
                                               : QStringLiteral("QComboBox { background-color: white; }"));
}

void frmGeneradorPorcentajes::refreshTotals()
{
    const PercentageShares p = percentages();
    lblTitNumeros->setText(QString::fromStdString(percentagesCountCaption(chosenPercentagesCount(p))));
    lblSumaPorcentajes->setText(QString::fromStdString(formatCount(percentagesSum(p))));
}

bool frmGeneradorPorcentajes::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) refreshTotals();
    return ToolWindow::eventFilter(watched, event);
}

void frmGeneradorPorcentajes::inicializar()
{
    if (isBusy()) return;
    for (QComboBox* box : cboPorcentaje) {
        const QSignalBlocker block(box);
        box->setCurrentIndex(0);
        paintSelector(box);
    }
    refreshTotals();
}

void frmGeneradorPorcentajes::generar()
{
    refreshTotals();
    const PercentageShares p = percentages();
    const std::string count = txtApuestas->text().toStdString();
    const uint64_t seed = clockSeed();
    runJob<ToolSaveOutcome>(
        picVentanaEspera, QString::fromUtf8(kGenerating),
        [p, count, seed](Progress&, const StopToken&, Interaction& ui) {
            return guardFlow<ToolSaveOutcome>(ui, [&] { return generateRandomBetsByPercentages(p, count, seed, ui); });
        },
        [this](ToolSaveOutcome outcome) {
            lastOutcome_ = std::move(outcome);
            emit generated();
        });
}

} // namespace kombitron::ui
