#include "ui/frmAnalisis.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/format.h"
#include "core/interaction.h"
#include "core/state.h"
#include "filters/summary_report.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/mark_cell.h"

namespace kombitron::ui {

namespace {

const char* const kReportFile = "KOMBITRON_ANALISIS.txt";
const QString kShowPercentages = QStringLiteral("Ver porcentajes");
const QString kShowCounts = QStringLiteral("Ver número de apuestas");

QLabel* caption(const QString& text, const QString& name, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignCenter);
    l->setFixedSize(26, 22);
    l->setStyleSheet(QStringLiteral("color: %1; font-weight: bold;").arg(QLatin1String(colors::kMarkRed)));
    return l;
}

QLabel* valueCell(const QString& name, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignCenter);
    l->setFixedSize(64, 22);
    return l;
}

std::string cell(int value, const std::string& text)
{
    if (text.empty()) return std::to_string(value) + " --" + std::string(8, ' ');
    const size_t len = utf8Length(text);
    return std::to_string(value) + " " + text + std::string(len < 10 ? 10 - len : 0, ' ');
}

} // namespace

frmAnalisis::frmAnalisis(const AppState& state, Interaction& ui, QWidget* parent) : QDialog(parent), state_(state), ui_(ui)
{
    setObjectName(QStringLiteral("frmAnalisis"));
    setWindowTitle(QStringLiteral("ANALISIS"));
    setModal(true);
    auto* v = new QVBoxLayout(this);

    fraNumeros = new QGroupBox(QStringLiteral("Análisis de los Números"), this);
    fraNumeros->setObjectName(QStringLiteral("fraNumeros"));
    auto* g = new QGridLayout(fraNumeros);
    g->setHorizontalSpacing(2);
    g->setVerticalSpacing(3);
    for (int n = 1; n <= 49; ++n) {
        const int row = n % 10, column = n / 10;
        g->addWidget(caption(QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')), QStringLiteral("lblNumero_%1").arg(n - 1), fraNumeros),
                     row, column * 2);
        lblN[n - 1] = valueCell(QStringLiteral("lblN_%1").arg(n - 1), fraNumeros);
        g->addWidget(lblN[n - 1], row, column * 2 + 1);
    }
    for (int c = 0; c < 5; ++c) g->setColumnMinimumWidth(c * 2 + 1, 64);
    v->addWidget(fraNumeros);

    fraReintegros = new QGroupBox(QStringLiteral("Análisis de los Reintegros"), this);
    fraReintegros->setObjectName(QStringLiteral("fraReintegros"));
    auto* r = new QGridLayout(fraReintegros);
    r->setHorizontalSpacing(2);
    for (int d = 0; d <= 9; ++d) {
        r->addWidget(caption(QString::number(d), QStringLiteral("lblReintegro_%1").arg(d), fraReintegros), d / 5, (d % 5) * 2);
        lblR[d] = valueCell(QStringLiteral("lblR_%1").arg(d), fraReintegros);
        r->addWidget(lblR[d], d / 5, (d % 5) * 2 + 1);
    }
    v->addWidget(fraReintegros);

    auto* buttons = new QHBoxLayout;
    imgSwitch = new ImageButton(QStringLiteral("imgSwitch"), AppIcon::Switch, kShowPercentages, this);
    imgVerAnalisis = new ImageButton(QStringLiteral("imgVerAnalisis"), AppIcon::Report,
                                     QStringLiteral("Muestra en el Bloc de Notas el análisis"), this);
    imgVolver = makeVolverButton(this, QStringLiteral("Cerrar"));
    buttons->addWidget(imgSwitch);
    buttons->addWidget(imgVerAnalisis);
    buttons->addStretch();
    buttons->addWidget(imgVolver);
    v->addLayout(buttons);

    connect(imgSwitch, &QToolButton::clicked, this, &frmAnalisis::switchMode);
    connect(imgVerAnalisis, &QToolButton::clicked, this, &frmAnalisis::writeReport);
    connect(imgVolver, &QToolButton::clicked, this, &QDialog::accept);
}

void frmAnalisis::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!analysed_) analyse();
}

void frmAnalisis::analyse()
{
    analysed_ = true;
    fraReintegros->setVisible(state_.base.gameName == "PRIMITIVA");
    numberCounts_.fill(0);
    reintegroCounts_.fill(0);
    const int64_t bets = std::min<int64_t>(publicApuestasAnalizar, state_.finalSystem.size());
    for (int64_t i = 1; i <= bets; ++i) {
        const uint8_t* b = state_.finalSystem.bet(i);
        for (int j = 0; j < 6; ++j)
            if (b[j] >= 1 && b[j] <= 49) ++numberCounts_[b[j]];
        if (b[6] <= 9) ++reintegroCounts_[b[6]];
    }
    imgSwitch->setToolTip(kShowPercentages);
    showCounts();
}

void frmAnalisis::setCell(QLabel* label, const QString& text)
{
    label->setText(text);
    label->setStyleSheet(text.isEmpty() ? QStringLiteral("background: white; border: 1px solid #d0d0d0;")
                                        : QStringLiteral("background: %1; border: 1px solid #d0d0d0;").arg(QLatin1String(colors::kLightYellow)));
}

void frmAnalisis::showCounts()
{
    for (int n = 1; n <= 49; ++n)
        setCell(lblN[n - 1], numberCounts_[n] >= 1 ? QString::number(numberCounts_[n]) : QString());
    for (int d = 0; d <= 9; ++d)
        setCell(lblR[d], reintegroCounts_[d] >= 1 ? QString::number(reintegroCounts_[d]) : QString());
}

void frmAnalisis::showPercentages()
{
    auto text = [this](int64_t c) {
        if (c < 1 || publicApuestasAnalizar <= 0) return QString();
        const double p = roundHalfEven(static_cast<double>(c) * 100.0 / publicApuestasAnalizar, 2);
        return QString::fromStdString(formatDecimal(p, 2) + "%");
    };
    for (int n = 1; n <= 49; ++n) setCell(lblN[n - 1], text(numberCounts_[n]));
    for (int d = 0; d <= 9; ++d) setCell(lblR[d], text(reintegroCounts_[d]));
}

void frmAnalisis::switchMode()
{
    if (imgSwitch->toolTip() == kShowPercentages) {
        imgSwitch->setToolTip(kShowCounts);
        showPercentages();
    } else {
        imgSwitch->setToolTip(kShowPercentages);
        showCounts();
    }
    imgSwitch->setAccessibleName(imgSwitch->toolTip());
}

std::string frmAnalisis::reportText(const std::array<std::string, 49>& numbers, const std::array<std::string, 10>& reintegros,
                                    bool primitiva)
{
    std::string t = "KOMBITRON ANALISIS:\r\n\r\n";
    t += "NUMEROS\r\n";
    t += std::string(12, ' ');
    for (int v : {10, 20, 30, 40}) t += cell(v, numbers[v - 1]);
    t += "\r\n";
    for (int r = 1; r <= 9; ++r) {
        for (int v = r; v <= 49; v += 10) t += cell(v, numbers[v - 1]);
        t += "\r\n";
    }
    if (primitiva) {
        t += "\r\nREINTEGROS\r\n";
        for (int d = 0; d <= 4; ++d) t += cell(d, reintegros[d]);
        t += "\r\n";
        for (int d = 5; d <= 9; ++d) t += cell(d, reintegros[d]);
        t += "\r\n";
    }
    return t;
}

void frmAnalisis::writeReport()
{
    std::array<std::string, 49> numbers;
    std::array<std::string, 10> reintegros;
    for (int i = 0; i < 49; ++i) numbers[i] = lblN[i]->text().toStdString();
    for (int d = 0; d <= 9; ++d) reintegros[d] = lblR[d]->text().toStdString();
    WriteAndOpenReport(kReportFile, reportText(numbers, reintegros, state_.base.gameName == "PRIMITIVA"), ui_);
}

} // namespace kombitron::ui
