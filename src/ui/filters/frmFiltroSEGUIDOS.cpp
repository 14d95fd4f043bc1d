#include "ui/filters/frmFiltroSEGUIDOS.h"

#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/state.h"
#include "filters/figures.h"
#include "ui/filters/figure_panel.h"
#include "ui/widgets/hit_set_field.h"

namespace kombitron::ui {

frmFiltroSEGUIDOS::frmFiltroSEGUIDOS(AppState& state, Interaction& ui, QWidget* parent)
    : FilterWindow(state, ui, FilterId::SEGUIDOS, QStringLiteral("SEGUIDOS"), parent)
{
    auto& params = state_.filters.seguidos;
    auto* row = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    auto* line = new QHBoxLayout;
    line->addWidget(new QLabel(QStringLiteral("Nº : "), this));
    numero = new HitSetField(QStringLiteral("txtNumero"), QStringLiteral("cmdModificar"), QStringLiteral("M"), this);
    numero->setRange(1, 6);
    numero->setZeroHidden(true);
    numero->setHitSet(params.seguidos);
    line->addWidget(numero, 1);
    left->addLayout(line);
    connect(numero, &HitSetField::edited, this, [this](const HitSet& set) {
        state_.filters.seguidos.seguidos = set;
        activate();
    });

    auto* examples = new QGroupBox(this);
    auto* exampleLines = new QVBoxLayout(examples);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (const char* text : {"01 03 05 07 09 11->1", "01 02 05 07 09 11->2", "01 02 03 07 09 11->3",
                             "01 02 03 04 09 11->4", "01 02 03 04 05 11->5", "01 02 03 04 05 06->6"}) {
        auto* l = new QLabel(QString::fromUtf8(text), examples);
        l->setFont(fixed);
        exampleLines->addWidget(l);
    }
    left->addWidget(examples);
    left->addStretch();
    row->addLayout(left);

    std::vector<const char*> texts;
    for (int f = 0; f < 11; ++f) texts.push_back(runFigureText(f));
    figuras = new FigurePanel(texts, this);
    figuras->setFlags(params.figures.data());
    connect(figuras, &FigurePanel::clicked, this, &frmFiltroSEGUIDOS::activate);
    row->addWidget(figuras, 0, Qt::AlignTop);
    body()->addLayout(row);
}

bool frmFiltroSEGUIDOS::closing()
{
    for (int f = 0; f < 11; ++f) state_.filters.seguidos.figures[static_cast<size_t>(f)] = figuras->isTicked(f) ? 1 : 0;
    return true;
}

} // namespace kombitron::ui
