#include "ui/filters/frmFiltroSUMASPORTRIOS.h"

#include <QGroupBox>
#include <QVBoxLayout>

#include "core/state.h"
#include "filters/distances_sums.h"
#include "ui/filters/interval_columns.h"
#include "ui/widgets/numeric_line_edit.h"

namespace kombitron::ui {

frmFiltroSUMASPORTRIOS::frmFiltroSUMASPORTRIOS(AppState& state, Interaction& ui, QWidget* parent)
    : FilterWindow(state, ui, FilterId::SUMASPORTRIOS, QStringLiteral("SUMAS POR TRIOS"), parent)
{
    auto panel = [this](const QString& title, const QString& suffix, const SumInterval* intervals) {
        auto* box = new QGroupBox(title, this);
        auto* layout = new QVBoxLayout(box);
        auto* columns = new IntervalColumns(5, QStringLiteral("txtSumaMinima") + suffix, QStringLiteral("txtSumaMaxima") + suffix,
                                            3, box);
        columns->setIntervals(intervals);
        for (size_t i = 0; i < 5; ++i) {
            activateOnKeys(columns->minimum[i]);
            activateOnKeys(columns->maximum[i]);
        }
        layout->addWidget(columns);
        body()->addWidget(box);
        return columns;
    };
    primeros = panel(QStringLiteral("TRES PRIMEROS NUMEROS"), QStringLiteral("T1"), state_.filters.sumasPorTrios.first.data());
    ultimos = panel(QStringLiteral("TRES ULTIMOS NUMEROS"), QStringLiteral("T2"), state_.filters.sumasPorTrios.last.data());
}

bool frmFiltroSUMASPORTRIOS::closing()
{
    SumasPorTriosFields fields;
    for (int i = 0; i < 5; ++i) {
        const auto k = static_cast<size_t>(i);
        fields.firstMinimum[k] = primeros->minimumText(i);
        fields.firstMaximum[k] = primeros->maximumText(i);
        fields.lastMinimum[k] = ultimos->minimumText(i);
        fields.lastMaximum[k] = ultimos->maximumText(i);
    }
    return acceptCheck(validateAndStoreSumasPorTrios(state_.filters.sumasPorTrios, fields));
}

} // namespace kombitron::ui
