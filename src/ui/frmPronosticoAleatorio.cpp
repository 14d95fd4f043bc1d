#include "ui/frmPronosticoAleatorio.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/state.h"
#include "tools/clock_seed.h"
#include "tools/random_marking.h"

namespace kombitron::ui {

frmPronosticoAleatorio::frmPronosticoAleatorio(AppState& state, Interaction& ui, QWidget* parent)
    : ToolWindow(ui, QStringLiteral("frmPronosticoAleatorio"), QStringLiteral("PRONOSTICO ALEATORIO"), false, parent),
      state_(state)
{
    auto* row = new QHBoxLayout;
    auto* caption = new QLabel(QStringLiteral("Números :"), content());
    cboNumeros = new QComboBox(content());
    cboNumeros->setObjectName(QStringLiteral("cboNumeros"));
    for (int k = 1; k <= kMaxNumber; ++k) cboNumeros->addItem(QString::number(k));
    cboNumeros->setCurrentIndex(5);
    cboNumeros->setMaxVisibleItems(12);
    caption->setBuddy(cboNumeros);
    cmdAlazar = new QPushButton(QStringLiteral("Generar combinación aleatoria"), content());
    cmdAlazar->setObjectName(QStringLiteral("cmdAlazar"));
    cmdAlazar->setToolTip(QStringLiteral("Genera X números al azar"));
    cmdAlazar->setDefault(true);
    row->addWidget(caption);
    row->addWidget(cboNumeros);
    row->addSpacing(12);
    row->addWidget(cmdAlazar);
    body()->addLayout(row);
    connect(cmdAlazar, &QPushButton::clicked, this, &frmPronosticoAleatorio::alAzar);
}

void frmPronosticoAleatorio::alAzar()
{
    MarkRandomForecast(state_, cboNumeros->currentIndex() + 1, ClockSeed());
    emit marked();
}

} // namespace kombitron::ui
