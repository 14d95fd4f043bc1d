#include "ui/filters/frmFiltroDECENAS.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>

#include "core/state.h"
#include "filters/figures.h"
#include "ui/filters/figure_panel.h"
#include "ui/widgets/hit_set_field.h"

namespace kombitron::ui {

frmFiltroDECENAS::frmFiltroDECENAS(AppState& state, Interaction& ui, QWidget* parent)
    : FilterWindow(state, ui, FilterId::DECENAS, QStringLiteral("DECENAS"), parent)
{
    static const char* const kSuffix[] = {"0109", "1019", "2029", "3039", "4049"};
    static const char* const kCaption[] = {"del 01 al 09 : ", "del 10 al 19 : ", "del 20 al 29 : ", "del 30 al 39 : ",
                                           "del 40 al 49 : "};
    auto& params = state_.filters.decenas;
    auto* row = new QHBoxLayout;
    auto* panel = new QGroupBox(QStringLiteral("DECENAS"), this);
    auto* form = new QFormLayout(panel);
    for (int d = 0; d < 5; ++d) {
        auto* field = new HitSetField(QStringLiteral("txtAciertos%1").arg(QLatin1String(kSuffix[d])),
                                      QStringLiteral("cmdModificar%1").arg(QLatin1String(kSuffix[d])), QStringLiteral("M"), panel);
        field->setHitSet(params.decenas[static_cast<size_t>(d)]);
        form->addRow(QString::fromUtf8(kCaption[d]), field);
        decenas[static_cast<size_t>(d)] = field;
        connect(field, &HitSetField::edited, this, [this, d](const HitSet& set) {
            state_.filters.decenas.decenas[static_cast<size_t>(d)] = set;
            activate();
        });
    }
    row->addWidget(panel, 0, Qt::AlignTop);

    std::vector<const char*> texts;
    for (int f = 0; f < 10; ++f) texts.push_back(decadeFigureText(f));
    figuras = new FigurePanel(texts, this);
    figuras->setFlags(params.figures.data());
    connect(figuras, &FigurePanel::clicked, this, &frmFiltroDECENAS::activate);
    row->addWidget(figuras, 0, Qt::AlignTop);
    body()->addLayout(row);
}

bool frmFiltroDECENAS::closing()
{
    for (int f = 0; f < 10; ++f) state_.filters.decenas.figures[static_cast<size_t>(f)] = figuras->isTicked(f) ? 1 : 0;
    return true;
}

} // namespace kombitron::ui
