#include "ui/filters/frmFiltroDISTANCIAS.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

#include "core/state.h"
#include "filters/distances_sums.h"
#include "ui/widgets/interval_row.h"
#include "ui/widgets/numeric_line_edit.h"

namespace kombitron::ui {

frmFiltroDISTANCIAS::frmFiltroDISTANCIAS(AppState& state, Interaction& ui, QWidget* parent)
    : FilterWindow(state, ui, FilterId::DISTANCIAS, QStringLiteral("DISTANCIAS"), parent)
{
    static const char* const kPair[] = {"12", "23", "34", "45", "56", "16"};
    static const char* const kCaption[] = {"Números 1 y 2 :", "Números 2 y 3 :", "Números 3 y 4 :", "Números 4 y 5 :",
                                           "Números 5 y 6 :", "General (números del 1 al 6) :"};
    const auto& params = state_.filters.distancias;
    const QFontMetrics metrics(font());
    int captionWidth = 0;
    for (const char* c : kCaption) captionWidth = std::max(captionWidth, metrics.horizontalAdvance(QString::fromUtf8(c)));
    captionWidth += 12;
    const int fieldWidth = metrics.horizontalAdvance(QStringLiteral("Valor máximo")) + 8;

    // The headings sit over the fields: a row laid out like the interval rows below it.
    auto* headings = new QHBoxLayout;
    headings->setSpacing(4);
    headings->addSpacing(captionWidth + 4);
    auto heading = [&](const QString& text) {
        auto* l = new QLabel(text, this);
        l->setFixedWidth(fieldWidth);
        l->setAlignment(Qt::AlignCenter);
        return l;
    };
    auto* gap = new QLabel(QStringLiteral("-"), this);
    gap->setStyleSheet(QStringLiteral("color: transparent;"));
    headings->addWidget(heading(QStringLiteral("Valor mínimo")));
    headings->addWidget(gap);
    headings->addWidget(heading(QStringLiteral("Valor máximo")));
    headings->addStretch();
    body()->addLayout(headings);

    for (int r = 0; r < 6; ++r) {
        const auto k = static_cast<size_t>(r);
        auto* row = new IntervalRow(QStringLiteral("txtDistancia%1Min").arg(QLatin1String(kPair[r])),
                                    QStringLiteral("txtDistancia%1Max").arg(QLatin1String(kPair[r])), 2, this,
                                    QString::fromUtf8(kCaption[r]));
        row->captionLabel()->setFixedWidth(captionWidth);
        row->minField()->setFixedWidth(fieldWidth);
        row->maxField()->setFixedWidth(fieldWidth);
        row->setValues(params.minimum[k], params.maximum[k]);
        activateOnKeys(row->minField());
        activateOnKeys(row->maxField());
        distancias[k] = row;
        body()->addWidget(row);
    }
}

bool frmFiltroDISTANCIAS::closing()
{
    DistanciasFields fields;
    for (size_t r = 0; r < 6; ++r) {
        fields.minimum[r] = distancias[r]->minField()->text().toStdString();
        fields.maximum[r] = distancias[r]->maxField()->text().toStdString();
    }
    return acceptCheck(validateAndStoreDistancias(state_.filters.distancias, fields));
}

} // namespace kombitron::ui
