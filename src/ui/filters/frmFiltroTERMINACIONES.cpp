#include "ui/filters/frmFiltroTERMINACIONES.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/state.h"
#include "filters/figures.h"
#include "ui/filters/figure_panel.h"
#include "ui/widgets/hit_set_field.h"
#include "ui/widgets/numeric_line_edit.h"

namespace kombitron::ui {

frmFiltroTERMINACIONES::frmFiltroTERMINACIONES(AppState& state, Interaction& ui, QWidget* parent)
    : FilterWindow(state, ui, FilterId::TERMINACIONES, QStringLiteral("TERMINACIONES"), parent)
{
    auto& params = state_.filters.terminaciones;
    auto* row = new QHBoxLayout;
    auto* left = new QVBoxLayout;

    auto* panel = new QGroupBox(QStringLiteral("TERMINACIONES"), this);
    auto* grid = new QGridLayout(panel);
    grid->setVerticalSpacing(3);
    for (int d = 0; d < 10; ++d) {
        auto* field = new HitSetField(QStringLiteral("txtAciertos_%1").arg(d), QStringLiteral("cmdModificar_%1").arg(d),
                                      QStringLiteral("M"), panel);
        field->setHitSet(params.terminadosEn[static_cast<size_t>(d)]);
        grid->addWidget(new QLabel(QStringLiteral("Terminados en %1 :").arg(d), panel), d, 0);
        grid->addWidget(field, d, 1);
        terminados[static_cast<size_t>(d)] = field;
        connect(field, &HitSetField::edited, this, [this, d](const HitSet& set) {
            state_.filters.terminaciones.terminadosEn[static_cast<size_t>(d)] = set;
            activate();
        });
    }
    left->addWidget(panel);

    auto* sums = new QHBoxLayout;
    // The caption's blanks and "-" separate the two fields, as on the original form.
    auto* caption = new QLabel(QStringLiteral("Suma de Terminaciones :"), this);
    txtSumaTerminacionesMinimo = new NumericLineEdit(2, NumericLineEdit::Mode::Digits, this);
    txtSumaTerminacionesMinimo->setObjectName(QStringLiteral("txtSumaTerminacionesMinimo"));
    txtSumaTerminacionesMinimo->setToolTip(QStringLiteral("Mínimo valor permitido 2(10,11,20,30,40,41)"));
    txtSumaTerminacionesMaximo = new NumericLineEdit(2, NumericLineEdit::Mode::Digits, this);
    txtSumaTerminacionesMaximo->setObjectName(QStringLiteral("txtSumaTerminacionesMaximo"));
    txtSumaTerminacionesMaximo->setToolTip(QStringLiteral("Máximo valor permitido 53(09,19,29,39,48,49)"));
    sums->addWidget(caption);
    sums->addWidget(txtSumaTerminacionesMinimo);
    sums->addWidget(new QLabel(QStringLiteral("-"), this));
    sums->addWidget(txtSumaTerminacionesMaximo);
    sums->addStretch();
    for (auto* f : {txtSumaTerminacionesMinimo, txtSumaTerminacionesMaximo}) {
        f->setFixedWidth(40);
        f->setAlignment(Qt::AlignRight);
        activateOnKeys(f);
    }
    txtSumaTerminacionesMinimo->setText(QString::number(params.sumMin));
    txtSumaTerminacionesMaximo->setText(QString::number(params.sumMax));
    left->addLayout(sums);
    row->addLayout(left);

    std::vector<const char*> texts;
    for (int f = 0; f < 10; ++f) texts.push_back(lastDigitFigureText(f));
    figuras = new FigurePanel(texts, this);
    figuras->setFlags(params.figures.data());
    connect(figuras, &FigurePanel::clicked, this, &frmFiltroTERMINACIONES::activate);
    row->addWidget(figuras, 0, Qt::AlignTop);
    body()->addLayout(row);
}

bool frmFiltroTERMINACIONES::closing()
{
    TerminacionesFields fields;
    for (int f = 0; f < 10; ++f) fields.figures[static_cast<size_t>(f)] = figuras->isTicked(f);
    fields.sumMinimum = txtSumaTerminacionesMinimo->text().toStdString();
    fields.sumMaximum = txtSumaTerminacionesMaximo->text().toStdString();
    return acceptCheck(validateAndStoreTerminaciones(state_.filters.terminaciones, fields));
}

} // namespace kombitron::ui
