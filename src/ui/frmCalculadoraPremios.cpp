#include "ui/frmCalculadoraPremios.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/interaction.h"
#include "core/job.h"
#include "flows/scrutiny_flows.h"
#include "ui/job_runner.h"
#include "ui/widgets/icons.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/mark_cell.h"
#include "ui/widgets/numeric_line_edit.h"

namespace kombitron::ui {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

struct ConsultationResult : JobOutcome {
    PrizeConsultation consultation;
};

QLabel* caption(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setStyleSheet(QStringLiteral("color: #333;"));
    return l;
}

QLineEdit* shownValue(const QString& name, QWidget* parent)
{
    auto* t = new QLineEdit(parent);
    t->setObjectName(name);
    t->setReadOnly(true);
    t->setAlignment(Qt::AlignRight);
    t->setFocusPolicy(Qt::ClickFocus);
    t->setStyleSheet(QStringLiteral("QLineEdit { background: #f7f8fa; }"));
    return t;
}

// The header of a frame's two columns, as the program writes it ("Acertantes     Premios"): in a
// fixed-width font, with the first column of boxes as wide as the text before the second word,
// so each word stands over its column.
QLabel* columnsHeader(const QString& text, QWidget* parent, int spacing, int& firstWidth)
{
    auto* l = new QLabel(text, parent);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setBold(true);
    l->setFont(mono);
    l->setStyleSheet(QStringLiteral("color: %1;").arg(QLatin1String(colors::kAccent)));
    const qsizetype gap = text.indexOf(QLatin1Char(' '));
    qsizetype second = gap;
    while (second >= 0 && second < text.size() && text[second] == QLatin1Char(' ')) ++second;
    firstWidth = QFontMetrics(mono).horizontalAdvance(text.left(second)) - spacing;
    return l;
}

} // namespace

frmCalculadoraPremios::frmCalculadoraPremios(const PrizeCalculatorInputs& inputs, Interaction& ui, QWidget* parent)
    : QDialog(parent), inputs_(inputs), ui_(ui)
{
    runner_ = new JobRunner(ui_, this);
    setObjectName(QStringLiteral("frmCalculadoraPremios"));
    setWindowTitle(QStringLiteral("Calculadora de Premios : ") + QString::fromLatin1(gameName(inputs_.game)));
    setModal(true);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(12, 10, 12, 10);
    outer->setSpacing(10);
    outer->addWidget(buildDraw());
    auto* frames = new QHBoxLayout;
    frames->setSpacing(10);
    frames->addWidget(buildDrawPrizes());
    frames->addWidget(buildCalculator());
    outer->addLayout(frames, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    imgVolver = makeVolverButton(this, QStringLiteral("Cerrar"));
    bottom->addWidget(imgVolver);
    outer->addLayout(bottom);

    connect(cmdConsultarSorteo, &QPushButton::clicked, this, &frmCalculadoraPremios::consultar);
    connect(cmdIniCalculadoraPremios, &QPushButton::clicked, this, &frmCalculadoraPremios::inicializar);
    connect(cmdVerInformePremios, &QPushButton::clicked, this, &frmCalculadoraPremios::verInforme);
    connect(imgVolver, &QToolButton::clicked, this, &frmCalculadoraPremios::cerrar);

    const DrawDateBoxes today = todayDateBoxes();
    txtDia->setText(qs(today.day));
    txtMes->setText(qs(today.month));
    txtAnio->setText(qs(today.year));
    const CalculatorBoxes start = calculatorFromCounts(inputs_.counts);
    for (int r = 0; r < kCalculatorRows; ++r) {
        txtCalculadoraPremios[r]->setText(qs(start.prizes[static_cast<size_t>(r)]));
        txtCalculadoraEuros[r]->setText(qs(start.amounts[static_cast<size_t>(r)]));
    }
    recompute();
}

frmCalculadoraPremios::~frmCalculadoraPremios() { runner_->stopAndWait(); }

// ---- building -----------------------------------------------------------------------------------

QWidget* frmCalculadoraPremios::buildDraw()
{
    auto* area = new QWidget(this);
    auto* g = new QGridLayout(area);
    g->setContentsMargins(0, 0, 0, 0);
    g->setHorizontalSpacing(6);
    g->setVerticalSpacing(6);
    auto digits = [area](const QString& name, int length, int width) {
        auto* t = new NumericLineEdit(length, NumericLineEdit::Mode::Digits, area);
        t->setObjectName(name);
        t->setAlignment(Qt::AlignCenter);
        t->setFixedWidth(width);
        return t;
    };
    txtDia = digits(QStringLiteral("txtDia"), 2, 40);
    txtMes = digits(QStringLiteral("txtMes"), 2, 40);
    txtAnio = digits(QStringLiteral("txtAnio"), 4, 58);
    cmdConsultarSorteo = new QPushButton(QStringLiteral("&Consultar por Fecha de Sorteo"), area);
    cmdConsultarSorteo->setObjectName(QStringLiteral("cmdConsultarSorteo"));
    cmdConsultarSorteo->setToolTip(QStringLiteral("Consultar un sorteo por Fecha"));
    cmdConsultarSorteo->setIcon(appIcon(AppIcon::Search));
    txtNumeroSorteo = digits(QStringLiteral("txtNumeroSorteo"), 3, 58);
    cboDia = new QComboBox(area);
    cboDia->setObjectName(QStringLiteral("cboDia"));
    for (const char* day : {"L", "M", "X", "J", "V", "S", "D"}) cboDia->addItem(QString::fromLatin1(day));
    txtRecaudacion = shownValue(QStringLiteral("txtRecaudacion"), area);
    txtBote = shownValue(QStringLiteral("txtBote"), area);
    txtRecaudacion->setMinimumWidth(140);
    txtBote->setMinimumWidth(140);

    auto* date = new QHBoxLayout;
    date->setSpacing(4);
    date->addWidget(txtDia);
    date->addWidget(caption(QStringLiteral("/"), area));
    date->addWidget(txtMes);
    date->addWidget(caption(QStringLiteral("/"), area));
    date->addWidget(txtAnio);
    date->addSpacing(12);
    date->addWidget(cmdConsultarSorteo);
    date->addStretch();
    auto* number = new QHBoxLayout;
    number->setSpacing(6);
    number->addWidget(txtNumeroSorteo);
    number->addWidget(cboDia);
    number->addStretch();

    g->addWidget(caption(QStringLiteral("Fecha Sorteo   :"), area), 0, 0);
    g->addLayout(date, 0, 1, 1, 3);
    g->addWidget(caption(QStringLiteral("Nº de Sorteo :"), area), 1, 0);
    g->addLayout(number, 1, 1);
    g->addWidget(caption(QStringLiteral("Recaudación    :"), area), 2, 0);
    g->addWidget(txtRecaudacion, 2, 1);
    g->addWidget(caption(QStringLiteral("Fondo de Bote :"), area), 2, 2);
    g->addWidget(txtBote, 2, 3);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    return area;
}

QGroupBox* frmCalculadoraPremios::buildDrawPrizes()
{
    frmPremiosSorteo = new QGroupBox(QStringLiteral("Premios Sorteo"), this);
    frmPremiosSorteo->setObjectName(QStringLiteral("frmPremiosSorteo"));
    auto* g = new QGridLayout(frmPremiosSorteo);
    const int spacing = 6;
    g->setHorizontalSpacing(spacing);
    g->setVerticalSpacing(5);
    int firstWidth = 0;
    g->addWidget(columnsHeader(QStringLiteral("Acertantes     Premios"), frmPremiosSorteo, spacing, firstWidth), 0, 1, 1, 2);
    for (int r = 0; r < kCalculatorRows; ++r) {
        g->addWidget(caption(QString::fromUtf8(kCalculatorRowLabels[static_cast<size_t>(r)]), frmPremiosSorteo), r + 1, 0);
        txtSorteoAciertos[r] = shownValue(QStringLiteral("txtSorteoAciertos_%1").arg(r), frmPremiosSorteo);
        txtSorteoPremios[r] = shownValue(QStringLiteral("txtSorteoPremios_%1").arg(r), frmPremiosSorteo);
        txtSorteoAciertos[r]->setFixedWidth(firstWidth);
        txtSorteoPremios[r]->setMinimumWidth(120);
        g->addWidget(txtSorteoAciertos[r], r + 1, 1);
        g->addWidget(txtSorteoPremios[r], r + 1, 2);
    }
    g->setRowStretch(kCalculatorRows + 1, 1);
    return frmPremiosSorteo;
}

QGroupBox* frmCalculadoraPremios::buildCalculator()
{
    fraCalculadora = new QGroupBox(QStringLiteral("Calculadora"), this);
    fraCalculadora->setObjectName(QStringLiteral("fraCalculadora"));
    auto* g = new QGridLayout(fraCalculadora);
    const int spacing = 6;
    g->setHorizontalSpacing(spacing);
    g->setVerticalSpacing(5);
    int firstWidth = 0;
    g->addWidget(columnsHeader(QStringLiteral("Aciertos        Premios"), fraCalculadora, spacing, firstWidth), 0, 1, 1, 2);
    for (int r = 0; r < kCalculatorRows; ++r) {
        g->addWidget(caption(QString::fromUtf8(kCalculatorRowLabels[static_cast<size_t>(r)]), fraCalculadora), r + 1, 0);
        txtCalculadoraPremios[r] = new NumericLineEdit(10, NumericLineEdit::Mode::Digits, fraCalculadora);
        txtCalculadoraPremios[r]->setObjectName(QStringLiteral("txtCalculadoraPremios_%1").arg(r));
        txtCalculadoraEuros[r] = new NumericLineEdit(14, NumericLineEdit::Mode::Decimal, fraCalculadora);
        txtCalculadoraEuros[r]->setObjectName(QStringLiteral("txtCalculadoraEuros_%1").arg(r));
        for (NumericLineEdit* t : {txtCalculadoraPremios[r], txtCalculadoraEuros[r]}) {
            t->setAlignment(Qt::AlignRight);
            t->installEventFilter(this);
        }
        txtCalculadoraPremios[r]->setFixedWidth(firstWidth);
        txtCalculadoraEuros[r]->setMinimumWidth(120);
        g->addWidget(txtCalculadoraPremios[r], r + 1, 1);
        g->addWidget(txtCalculadoraEuros[r], r + 1, 2);
    }
    txtPremiosTOTAL = shownValue(QStringLiteral("txtPremiosTOTAL"), fraCalculadora);
    txtPorcentajeTOTAL = shownValue(QStringLiteral("txtPorcentajeTOTAL"), fraCalculadora);
    QFont bold = txtPremiosTOTAL->font();
    bold.setBold(true);
    txtPremiosTOTAL->setFont(bold);
    txtPorcentajeTOTAL->setFont(bold);
    const int totals = kCalculatorRows + 1;
    auto* line = new QFrame(fraCalculadora);
    line->setFrameShape(QFrame::HLine);
    line->setStyleSheet(QStringLiteral("color: #c4c9d1;"));
    g->addWidget(line, totals, 0, 1, 3);
    g->addWidget(caption(QStringLiteral("Total :"), fraCalculadora), totals + 1, 0);
    g->addWidget(txtPremiosTOTAL, totals + 1, 2);
    g->addWidget(caption(QStringLiteral("Recuperado :"), fraCalculadora), totals + 2, 0);
    g->addWidget(txtPorcentajeTOTAL, totals + 2, 2);

    cmdIniCalculadoraPremios = new QPushButton(fraCalculadora);
    cmdIniCalculadoraPremios->setObjectName(QStringLiteral("cmdIniCalculadoraPremios"));
    cmdIniCalculadoraPremios->setIcon(appIcon(AppIcon::ClearAll));
    cmdIniCalculadoraPremios->setToolTip(QStringLiteral("Inicializa los datos de la calculadora"));
    cmdIniCalculadoraPremios->setAccessibleName(cmdIniCalculadoraPremios->toolTip());
    cmdVerInformePremios = new QPushButton(fraCalculadora);
    cmdVerInformePremios->setObjectName(QStringLiteral("cmdVerInformePremios"));
    cmdVerInformePremios->setIcon(appIcon(AppIcon::Report));
    cmdVerInformePremios->setToolTip(QStringLiteral("Ver informe resumen de los premios"));
    cmdVerInformePremios->setAccessibleName(cmdVerInformePremios->toolTip());
    for (QPushButton* b : {cmdIniCalculadoraPremios, cmdVerInformePremios}) b->setIconSize(QSize(24, 24));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdIniCalculadoraPremios);
    buttons->addWidget(cmdVerInformePremios);
    g->addLayout(buttons, totals + 3, 0, 1, 3);
    g->setRowStretch(totals + 4, 1);
    return fraCalculadora;
}

// ---- the calculator -----------------------------------------------------------------------------

CalculatorBoxes frmCalculadoraPremios::boxes() const
{
    CalculatorBoxes b;
    for (int r = 0; r < kCalculatorRows; ++r) {
        b.prizes[static_cast<size_t>(r)] = txtCalculadoraPremios[r]->text().toStdString();
        b.amounts[static_cast<size_t>(r)] = txtCalculadoraEuros[r]->text().toStdString();
    }
    return b;
}

void frmCalculadoraPremios::recompute()
{
    const CalculatorTotals totals = recomputeCalculator(boxes(), inputs_.bets, inputs_.game);
    txtPremiosTOTAL->setText(qs(totals.totalText));
    txtPorcentajeTOTAL->setText(qs(totals.percentText));
    green_ = totals.green;
    txtPorcentajeTOTAL->setStyleSheet(QStringLiteral("QLineEdit { background: #f7f8fa; color: %1; }")
                                          .arg(QLatin1String(green_ ? colors::kHitGreen : colors::kMarkRed)));
}

void frmCalculadoraPremios::inicializar()
{
    if (isBusy()) return;
    for (int r = 0; r < kCalculatorRows; ++r) {
        txtCalculadoraPremios[r]->setText(QStringLiteral("0"));
        txtCalculadoraEuros[r]->setText(QStringLiteral("0"));
    }
    recompute();
}

bool frmCalculadoraPremios::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut)
        for (int r = 0; r < kCalculatorRows; ++r)
            if (watched == txtCalculadoraPremios[r] || watched == txtCalculadoraEuros[r]) {
                recompute();
                break;
            }
    return QDialog::eventFilter(watched, event);
}

// ---- consultation -------------------------------------------------------------------------------

bool frmCalculadoraPremios::isBusy() const { return runner_->busy(); }

void frmCalculadoraPremios::setConsulting(bool consulting)
{
    for (QWidget* w : std::initializer_list<QWidget*>{imgVolver, cmdConsultarSorteo, frmPremiosSorteo, fraCalculadora,
                                                     txtDia, txtMes, txtAnio})
        w->setEnabled(!consulting);
    if (consulting) setCursor(Qt::BusyCursor);
    else unsetCursor();
}

void frmCalculadoraPremios::consultar()
{
    if (isBusy()) return;
    setConsulting(true);
    const std::string game = gameName(inputs_.game);
    const DrawDateBoxes date{txtDia->text().toStdString(), txtMes->text().toStdString(), txtAnio->text().toStdString()};
    const PrizesFetch fetch = fetch_ ? fetch_ : servicePrizesFetch();
    runner_->start<ConsultationResult>(
        [game, date, fetch](Progress&, const StopToken&, Interaction& ui) {
            return guardJob<ConsultationResult>(
                [&](ConsultationResult& r) { r.consultation = consultPrizesFlow(game, date, fetch, ui); });
        },
        [this](ConsultationResult result) {
            setConsulting(false);
            if (result.failed()) {
                ui_.error("ERROR AL CARGAR EL FICHERO DE SORTEOS (" + result.failure + ")");
                result.consultation = PrizeConsultation{};
            }
            showConsultation(result.consultation);
            emit consulted();
        });
}

void frmCalculadoraPremios::showConsultation(const PrizeConsultation& consultation)
{
    const bool found = consultation.status == ConsultationStatus::Found;
    if (found || consultation.clearBoxes()) {
        const DrawPrizeBoxes& b = consultation.boxes;
        txtRecaudacion->setText(qs(b.takings));
        txtBote->setText(qs(b.jackpot));
        txtNumeroSorteo->setText(qs(b.drawNumber));
        if (found && b.weekdayIndex >= 0 && b.weekdayIndex < cboDia->count()) cboDia->setCurrentIndex(b.weekdayIndex);
        for (int r = 0; r < kCalculatorRows; ++r) {
            txtSorteoAciertos[r]->setText(qs(b.winners[static_cast<size_t>(r)]));
            txtSorteoPremios[r]->setText(qs(b.prizes[static_cast<size_t>(r)]));
        }
    }
    if (found) {
        CalculatorBoxes calculator = boxes();
        applyConsultation(consultation, calculator);
        for (int r = 0; r < kCalculatorRows; ++r) txtCalculadoraEuros[r]->setText(qs(calculator.amounts[static_cast<size_t>(r)]));
    }
    recompute();
}

// ---- report and closing -------------------------------------------------------------------------

void frmCalculadoraPremios::verInforme()
{
    if (isBusy()) return;
    recompute();
    PrizeSummaryInputs in;
    in.game = inputs_.game;
    in.date = {txtDia->text().toStdString(), txtMes->text().toStdString(), txtAnio->text().toStdString()};
    in.drawNumber = txtNumeroSorteo->text().toStdString();
    in.weekdayText = cboDia->currentText().toStdString();
    in.combinationName = inputs_.combinationName;
    in.bets = inputs_.bets;
    in.winningNumbers = inputs_.winningNumbers;
    in.complementaryText = inputs_.complementaryText;
    in.calculator = boxes();
    showPrizeSummaryReport(in, ui_);
}

void frmCalculadoraPremios::cerrar()
{
    if (isBusy()) return;
    closing_ = true;
    accept();
}

void frmCalculadoraPremios::reject()
{
    if (closing_) QDialog::reject();
}

void frmCalculadoraPremios::closeEvent(QCloseEvent* event)
{
    if (!closing_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace kombitron::ui
