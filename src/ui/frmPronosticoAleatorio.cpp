#include "ui/frmPronosticoAleatorio.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/random.h"
#include "core/state.h"
#include "tools/random_marking.h"

namespace kombitron::ui {

frmPronosticoAleatorio::frmPronosticoAleatorio(AppState& state, Interaction& ui, QWidget* parent)
    : ToolWindow(ui, QStringLiteral("frmPronosticoAleatorio"), QStringLiteral("PRONOSTICO ALEATORIO"), false, parent),
      state_(state)
{
    auto* box = new QGroupBox(QStringLiteral("Marcar números al azar"), content());
    box->setObjectName(QStringLiteral("fraAlAzar"));
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(12, 14, 12, 12);
    auto* caption = new QLabel(QStringLiteral("Números :"), box);
    cboNumeros = new QComboBox(box);
    cboNumeros->setObjectName(QStringLiteral("cboNumeros"));
    for (int k = 1; k <= kMaxNumber; ++k) cboNumeros->addItem(QString::number(k));
    cboNumeros->setCurrentIndex(5);
    cboNumeros->setMaxVisibleItems(12);
    caption->setBuddy(cboNumeros);
    cmdAlazar = new QPushButton(QStringLiteral("Generar combinación aleatoria"), box);
    cmdAlazar->setObjectName(QStringLiteral("cmdAlazar"));
    cmdAlazar->setToolTip(QStringLiteral("Genera X números al azar"));
    row->addWidget(caption);
    row->addWidget(cboNumeros);
    row->addSpacing(12);
    row->addWidget(cmdAlazar);
    body()->addWidget(box);
    connect(cmdAlazar, &QPushButton::clicked, this, &frmPronosticoAleatorio::alAzar);
}

void frmPronosticoAleatorio::alAzar()
{
    markRandomForecast(state_, cboNumeros->currentIndex() + 1, clockSeed());
    emit marked();
}

} // namespace kombitron::ui
