#include "ui/filters/frmFiltroSUMAS.h"

#include <QVBoxLayout>

#include "core/state.h"
#include "filters/distances_sums.h"
#include "ui/filters/interval_columns.h"
#include "ui/widgets/numeric_line_edit.h"

namespace kombitron::ui {

frmFiltroSUMAS::frmFiltroSUMAS(AppState& state, Interaction& ui, QWidget* parent)
    : FilterWindow(state, ui, FilterId::SUMAS, QStringLiteral("SUMAS"), parent)
{
    intervalos = new IntervalColumns(10, QStringLiteral("txtSumaMinima"), QStringLiteral("txtSumaMaxima"), 3, this);
    intervalos->setIntervals(state_.filters.sumas.intervals.data());
    for (int i = 0; i < 10; ++i) {
        activateOnKeys(intervalos->minimum[static_cast<size_t>(i)]);
        activateOnKeys(intervalos->maximum[static_cast<size_t>(i)]);
    }
    body()->addWidget(intervalos);
}

bool frmFiltroSUMAS::closing()
{
    SumasFields fields;
    for (int i = 0; i < 10; ++i) {
        fields.minimum[static_cast<size_t>(i)] = intervalos->minimumText(i);
        fields.maximum[static_cast<size_t>(i)] = intervalos->maximumText(i);
    }
    return acceptCheck(validateAndStoreSumas(state_.filters.sumas, fields));
}

} // namespace kombitron::ui
