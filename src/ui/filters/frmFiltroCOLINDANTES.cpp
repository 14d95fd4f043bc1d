#include "ui/filters/frmFiltroCOLINDANTES.h"

#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/state.h"
#include "filters/homologous_adjacent.h"
#include "ui/widgets/hit_set_field.h"
#include "ui/widgets/mark_cell.h"
#include "ui/widgets/ticket_grid.h"

namespace kombitron::ui {

frmFiltroCOLINDANTES::frmFiltroCOLINDANTES(AppState& state, Interaction& ui, QWidget* parent)
    : FilterWindow(state, ui, FilterId::COLINDANTES, QStringLiteral("COLINDANTES"), parent)
{
    auto* heading = new QLabel(QStringLiteral("COLINDANTES"), this);
    heading->setStyleSheet(QStringLiteral("font-weight:bold;"));
    body()->addWidget(heading);

    auto* line = new QHBoxLayout;
    line->addWidget(new QLabel(QStringLiteral("Nº : "), this));
    numero = new HitSetField(QStringLiteral("txtNumero"), QStringLiteral("cmdModificar"), QStringLiteral("M"), this);
    numero->setRange(0, 6);
    numero->setHitSet(state_.filters.colindantes.colindantes);
    line->addWidget(numero, 1);
    body()->addLayout(line);
    connect(numero, &HitSetField::edited, this, [this](const HitSet& set) {
        state_.filters.colindantes.colindantes = set;
        activate();
    });

    auto* panel = new QGroupBox(QStringLiteral("DEFINICION DE COLINDANTE"), this);
    auto* panelLayout = new QHBoxLayout(panel);
    auto* texts = new QVBoxLayout;
    auto* definition = new QLabel(QStringLiteral(
        "Los números colindantes son aquellos que se tocan en cualquier posición según su disposición en el boleto de "
        "primitiva (en cada apuesta puede haber entre 0 y 6 colindantes)."), panel);
    definition->setWordWrap(true);
    definition->setFixedWidth(260);
    texts->addWidget(definition);
    texts->addWidget(new QLabel(QStringLiteral("Apuesta con 6 colindantes 01 02 03 04 05 06"), panel));
    texts->addWidget(new QLabel(QStringLiteral("Apuesta con 0 colindantes 01 03 05 07 09 49"), panel));
    texts->addStretch();
    panelLayout->addLayout(texts);

    // The picture: 24 in green among its marked neighbours; it only illustrates.
    // The frame carries the tooltip; the cells beneath it let the pointer through.
    auto* picture = new QFrame(panel);
    picture->setObjectName(QStringLiteral("imgEjemplo"));
    picture->setToolTip(QStringLiteral("Ejemplo de colindantes del número 24"));
    auto* pictureLayout = new QVBoxLayout(picture);
    pictureLayout->setContentsMargins(4, 4, 4, 4);
    ejemplo = new TicketGrid(picture, QStringLiteral("picEjemplo"), false, 18);
    ejemplo->setAttribute(Qt::WA_TransparentForMouseEvents);
    pictureLayout->addWidget(ejemplo);
    ejemplo->setFocusPolicy(Qt::NoFocus);
    constexpr int kCentre = 24;
    for (int n = 1; n <= 49; ++n) ejemplo->setMarked(n, areAdjacent(n, kCentre));
    ejemplo->cell(kCentre)->setStyleSheet(QStringLiteral(
        "background:%1; color:white; border:1px solid %1; border-radius:3px; font-weight:bold;").arg(colors::kHitGreen));
    panelLayout->addWidget(picture);
    body()->addWidget(panel);
}

} // namespace kombitron::ui
