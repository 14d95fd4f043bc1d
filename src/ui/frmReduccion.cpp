#include "ui/frmReduccion.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/filter_rows.h"
#include "core/state.h"
#include "engine/reduction_options.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/numeric_line_edit.h"

namespace kombitron::ui {

frmReduccion::frmReduccion(AppState& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setObjectName(QStringLiteral("frmReduccion"));
    setWindowTitle(QStringLiteral("Reducción"));
    setModal(true);

    auto* outer = new QVBoxLayout(this);
    auto* frame = new QGroupBox(QStringLiteral("Opciones Generales"), this);
    frame->setObjectName(QStringLiteral("fraOpcionesGenerales"));
    auto* grid = new QGridLayout(frame);

    cboTipoReduccion = new QComboBox(frame);
    cboTipoReduccion->setObjectName(QStringLiteral("cboTipoReduccion"));
    for (int t = 0; t <= 4; ++t) cboTipoReduccion->addItem(QString::fromUtf8(reductionType(t).caption));
    grid->addWidget(cboTipoReduccion, 0, 0, 1, 3);

    optGroup_ = new QButtonGroup(this);
    optTipo[0] = new QRadioButton(QStringLiteral("Nº de Apuestas"), frame);
    optTipo[0]->setObjectName(QStringLiteral("optTipo_0"));
    optTipo[1] = new QRadioButton(QStringLiteral("Porcentaje"), frame);
    optTipo[1]->setObjectName(QStringLiteral("optTipo_1"));
    optGroup_->addButton(optTipo[0], 0);
    optGroup_->addButton(optTipo[1], 1);

    txtNColumnas = new NumericLineEdit(8, NumericLineEdit::Mode::Digits, frame);
    txtNColumnas->setObjectName(QStringLiteral("txtNColumnas"));
    txtNColumnas->setFixedWidth(90);
    txtNColumnas->setAlignment(Qt::AlignRight);
    cboPorcentaje = new QComboBox(frame);
    cboPorcentaje->setObjectName(QStringLiteral("cboPorcentaje"));

    grid->addWidget(optTipo[0], 1, 0);
    grid->addWidget(txtNColumnas, 1, 1);
    grid->addWidget(optTipo[1], 2, 0);
    grid->addWidget(cboPorcentaje, 2, 1, 1, 2);

    chkApuestasExactas = new QCheckBox(QStringLiteral("Generar Número de Apuestas Exactas"), frame);
    chkApuestasExactas->setObjectName(QStringLiteral("chkApuestasExactas"));
    grid->addWidget(chkApuestasExactas, 3, 0, 1, 3);

    chkActivarCiclos = new QCheckBox(QStringLiteral("Ciclos"), frame);
    chkActivarCiclos->setObjectName(QStringLiteral("chkActivarCiclos"));
    chkActivarCiclos->setToolTip(QStringLiteral("Activa y desactiva los ciclos en la reducción"));
    chkAleatorio = new QCheckBox(QStringLiteral("Aleatorio"), frame);
    chkAleatorio->setObjectName(QStringLiteral("chkAleatorio"));
    chkAleatorio->setToolTip(QStringLiteral("Activa y desactiva el modo aleatorio de reducción"));
    grid->addWidget(chkActivarCiclos, 4, 0);
    grid->addWidget(chkAleatorio, 4, 1);
    grid->setColumnStretch(2, 1);
    outer->addWidget(frame);

    auto* buttons = new QHBoxLayout;
    imgActivar = new ActivationButton(this);
    imgVolver = makeVolverButton(this, QStringLiteral("Cerrar"));
    buttons->addWidget(imgActivar);
    buttons->addStretch();
    buttons->addWidget(imgVolver);
    outer->addLayout(buttons);

    connect(imgActivar, &QToolButton::clicked, this, [this] {
        std::string& row = state_.filterRows[kReductionRow];
        toggleRow(row);
        imgActivar->setActive(isRowActive(row));
    });
    connect(imgVolver, &QToolButton::clicked, this, &QDialog::accept);

    connect(cboTipoReduccion, &QComboBox::currentIndexChanged, this, &frmReduccion::activate);
    connect(cboPorcentaje, &QComboBox::currentIndexChanged, this, &frmReduccion::activate);
    connect(chkActivarCiclos, &QCheckBox::toggled, this, &frmReduccion::activate);
    connect(chkAleatorio, &QCheckBox::toggled, this, &frmReduccion::activate);
    connect(optGroup_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (!checked) return;
        applyStopRule();
        activate();
    });

    fill();
}

void frmReduccion::fill()
{
    filling_ = true;
    cboPorcentaje->clear();
    for (int p = 100; p >= 1; --p) cboPorcentaje->addItem(QStringLiteral("Asegurar el %1%").arg(p));

    const ReductionOptions& o = state_.reduction;
    cboTipoReduccion->setCurrentIndex(o.type >= 0 && o.type <= 4 ? o.type : 0);
    const int percentage = o.percentage >= 1 && o.percentage <= 100 ? o.percentage : 100;
    cboPorcentaje->setCurrentIndex(100 - percentage);
    txtNColumnas->setText(QString::number(o.betCount));
    chkActivarCiclos->setChecked(o.cycles == 1);
    chkAleatorio->setChecked(o.random == 1);
    optTipo[o.byBetCount == 1 ? 0 : 1]->setChecked(true);
    applyStopRule();
    chkApuestasExactas->setChecked(o.byBetCount == 1 && o.exactCount == 1);
    imgActivar->setActive(isRowActive(state_.filterRows[kReductionRow]));
    filling_ = false;
}

void frmReduccion::applyStopRule()
{
    const bool byBets = optTipo[0]->isChecked();
    txtNColumnas->setVisible(byBets);
    cboPorcentaje->setEnabled(!byBets);
    chkApuestasExactas->setEnabled(byBets);
    if (!byBets) chkApuestasExactas->setChecked(false);
}

void frmReduccion::activate()
{
    if (filling_) return;
    std::string& row = state_.filterRows[kReductionRow];
    if (!isRowActive(row)) setRowActive(row, true);
    imgActivar->setActive(true);
}

void frmReduccion::store()
{
    ReductionOptions& o = state_.reduction;
    o.type = cboTipoReduccion->currentIndex();
    o.percentage = 100 - cboPorcentaje->currentIndex();
    const long long bets = txtNColumnas->value(1);
    o.betCount = bets > 0x7fffffff ? 0x7fffffff : static_cast<int32_t>(bets);
    o.cycles = chkActivarCiclos->isChecked() ? 1 : 0;
    o.exactCount = chkApuestasExactas->isChecked() ? 1 : 0;
    o.random = chkAleatorio->isChecked() ? 1 : 0;
    o.byBetCount = optTipo[0]->isChecked() ? 1 : 0;
}

void frmReduccion::done(int result)
{
    if (!stored_) {
        store();
        stored_ = true;
    }
    QDialog::done(result);
}

} // namespace kombitron::ui
