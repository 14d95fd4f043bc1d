#include "ui/frmGeneradorNumeros.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/random.h"
#include "flows/random_generators_flow.h"
#include "tools/random_by_numbers.h"
#include "tools/random_marking.h"
#include "tools/tool_common.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/mark_cell.h"
#include "ui/widgets/numeric_line_edit.h"
#include "ui/widgets/ticket_grid.h"
#include "ui/widgets/waiting_panel.h"

namespace kombitron::ui {

namespace {
const char* const kGenerating = "Generando apuestas por favor espere ...";

QString qs(const std::string& s) { return QString::fromStdString(s); }

QLabel* countLabel(const QString& name, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    QFont f = l->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.25);
    l->setFont(f);
    return l;
}
} // namespace

frmGeneradorNumeros::frmGeneradorNumeros(Interaction& ui, QWidget* parent)
    : ToolWindow(ui, QStringLiteral("frmGeneradorNumeros"), QStringLiteral("GENERAR APUESTAS ALEATORIAS POR NUMEROS"), true,
                 parent)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(10);

    auto* numbers = new QGroupBox(QStringLiteral("Números"), content());
    numbers->setObjectName(QStringLiteral("fraNumeros"));
    auto* nv = new QVBoxLayout(numbers);
    gridNumeros = new TicketGrid(numbers, QStringLiteral("lblNumero"), false, 28);
    nv->addWidget(gridNumeros, 0, Qt::AlignHCenter);
    auto* clearRow = new QHBoxLayout;
    imgININumeros = new ImageButton(QStringLiteral("imgININumeros"), AppIcon::ClearAll,
                                    QStringLiteral("Inicializa todos los números"), numbers, 24);
    clearRow->addWidget(imgININumeros);
    clearRow->addStretch();
    nv->addLayout(clearRow);
    row->addWidget(numbers);

    auto* side = new QVBoxLayout;
    side->setSpacing(10);
    picAlAzar = new QGroupBox(QStringLiteral("Al azar"), content());
    picAlAzar->setObjectName(QStringLiteral("picAlAzar"));
    addRandomPick(picAlAzar, cboNumeros, cmdAzar);
    side->addWidget(picAlAzar);

    auto* system = new QGroupBox(QStringLiteral("Sistema total"), content());
    system->setObjectName(QStringLiteral("fraSistema"));
    auto* sv = new QVBoxLayout(system);
    lblTipoCombinacion = countLabel(QStringLiteral("lblTipoCombinacion"), system);
    lblApuestasIniciales = countLabel(QStringLiteral("lblApuestasIniciales"), system);
    lblApuestasIniciales->setStyleSheet(
        QStringLiteral("QLabel { color: %1; } QLabel:disabled { color: #e0a0a3; }").arg(QLatin1String(colors::kMarkRed)));
    sv->addWidget(lblTipoCombinacion);
    sv->addWidget(lblApuestasIniciales);
    side->addWidget(system);

    auto* request = new QGroupBox(QStringLiteral("Apuestas"), content());
    request->setObjectName(QStringLiteral("fraApuestas"));
    auto* rg = new QGridLayout(request);
    auto* caption = new QLabel(QStringLiteral("Nº Apuestas a Generar :"), request);
    caption->setObjectName(QStringLiteral("lblEtqApuestas"));
    txtApuestas = new NumericLineEdit(8, NumericLineEdit::Mode::Digits, request);
    txtApuestas->setObjectName(QStringLiteral("txtApuestas"));
    txtApuestas->setText(QStringLiteral("1"));
    txtApuestas->setAlignment(Qt::AlignRight);
    txtApuestas->setFixedWidth(110);
    caption->setBuddy(txtApuestas);
    cmdGenerar = new QPushButton(QStringLiteral("&Generar"), request);
    cmdGenerar->setObjectName(QStringLiteral("cmdGenerar"));
    rg->addWidget(caption, 0, 0);
    rg->addWidget(txtApuestas, 0, 1);
    rg->addWidget(cmdGenerar, 1, 0, 1, 2, Qt::AlignRight);
    side->addWidget(request);
    side->addStretch();
    row->addLayout(side);
    body()->addLayout(row);

    picVentanaEspera = addWaitingPanel(QStringLiteral("picVentanaEspera"), QStringLiteral("lblEspera"),
                                       QString::fromUtf8(kGenerating));

    connect(gridNumeros, &TicketGrid::numberClicked, this, &frmGeneradorNumeros::toggleNumber);
    connect(imgININumeros, &QToolButton::clicked, this, &frmGeneradorNumeros::inicializar);
    connect(cmdAzar, &QPushButton::clicked, this, &frmGeneradorNumeros::alAzar);
    connect(cmdGenerar, &QPushButton::clicked, this, &frmGeneradorNumeros::generar);
    showMarks();
}

std::vector<uint8_t> frmGeneradorNumeros::markedNumbers() const
{
    std::vector<uint8_t> numbers;
    for (int v = kMinNumber; v <= kMaxNumber; ++v)
        if (marked_[v]) numbers.push_back(static_cast<uint8_t>(v));
    return numbers;
}

void frmGeneradorNumeros::showMarks()
{
    gridNumeros->setMarkedNumbers(marked_);
    const int n = static_cast<int>(markedNumbers().size());
    lblTipoCombinacion->setText(qs(numbersCaption(n)));
    lblApuestasIniciales->setText(qs(totalBetsCaption(n)));
}

void frmGeneradorNumeros::toggleNumber(int number)
{
    if (isBusy() || number < kMinNumber || number > kMaxNumber) return;
    marked_[number] = marked_[number] ? 0 : 1;
    showMarks();
}

void frmGeneradorNumeros::inicializar()
{
    if (isBusy()) return;
    marked_.fill(0);
    showMarks();
}

void frmGeneradorNumeros::alAzar()
{
    if (isBusy()) return;
    markRandomNumbers(marked_, cboNumeros->currentIndex() + 1, clockSeed());
    showMarks();
}

void frmGeneradorNumeros::generar()
{
    const std::vector<uint8_t> numbers = markedNumbers();
    const std::string count = txtApuestas->text().toStdString();
    const uint64_t seed = clockSeed();
    runJob<ToolSaveOutcome>(
        picVentanaEspera, QString::fromUtf8(kGenerating),
        [numbers, count, seed](Progress&, const StopToken&, Interaction& ui) {
            return guardFlow<ToolSaveOutcome>(ui, [&] { return generateRandomBetsByNumbers(numbers, count, seed, ui); });
        },
        [this](ToolSaveOutcome outcome) {
            lastOutcome_ = std::move(outcome);
            emit generated();
        });
}

} // namespace kombitron::ui
