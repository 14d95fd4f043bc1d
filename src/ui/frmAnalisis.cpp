#include "ui/frmAnalisis.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/interaction.h"
#include "core/state.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/mark_cell.h"

namespace kombitron::ui {

namespace {

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
    counts_ = countAnalysis(state_.finalSystem, publicApuestasAnalizar);
    imgSwitch->setToolTip(kShowPercentages);
    showCells(AnalysisView::Counts);
}

void frmAnalisis::setCell(QLabel* label, const QString& text)
{
    label->setText(text);
    label->setStyleSheet(text.isEmpty() ? QStringLiteral("background: white; border: 1px solid #d0d0d0;")
                                        : QStringLiteral("background: %1; border: 1px solid #d0d0d0;").arg(QLatin1String(colors::kLightYellow)));
}

void frmAnalisis::showCells(AnalysisView view)
{
    shown_ = analysisCellTexts(counts_, view);
    for (int n = 1; n <= 49; ++n) setCell(lblN[n - 1], QString::fromStdString(shown_.numbers[n - 1]));
    for (int d = 0; d <= 9; ++d) setCell(lblR[d], QString::fromStdString(shown_.reintegros[d]));
}

void frmAnalisis::switchMode()
{
    if (imgSwitch->toolTip() == kShowPercentages) {
        imgSwitch->setToolTip(kShowCounts);
        showCells(AnalysisView::Percentages);
    } else {
        imgSwitch->setToolTip(kShowPercentages);
        showCells(AnalysisView::Counts);
    }
    imgSwitch->setAccessibleName(imgSwitch->toolTip());
}

// The report writes what the cells show.
void frmAnalisis::writeReport() { showAnalysisReport(shown_, state_.base.gameName == "PRIMITIVA", ui_); }

} // namespace kombitron::ui
