#include "ui/filters/frmFiltroHOMOLOGOS.h"

#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/state.h"
#include "filters/homologous_adjacent.h"
#include "ui/widgets/hit_set_field.h"

namespace kombitron::ui {

QString homologousClassLine(int cls)
{
    static const char* const kNames[] = {"Del uno", "Del dos", "Del tres", "Del cuatro", "Del cinco",
                                         "Del seis", "Del siete", "Del ocho", "Del nueve"};
    QStringList numbers;
    for (int n = 1; n <= 49; ++n)
        if (homologousClass(n) == cls) numbers << QString::number(n);
    const QString last = numbers.takeLast();
    const QString quoted = QStringLiteral("\"%1\"").arg(QString::fromUtf8(kNames[cls - 1]));
    return QStringLiteral("%1: %2 y %3").arg(quoted.leftJustified(13), numbers.join(QLatin1Char(',')), last);
}

frmFiltroHOMOLOGOS::frmFiltroHOMOLOGOS(AppState& state, Interaction& ui, QWidget* parent)
    : FilterWindow(state, ui, FilterId::HOMOLOGOS, QStringLiteral("HOMOLOGOS"), parent)
{
    auto* heading = new QLabel(QStringLiteral("HOMOLOGOS"), this);
    heading->setStyleSheet(QStringLiteral("font-weight:bold;"));
    body()->addWidget(heading);

    auto* line = new QHBoxLayout;
    line->addWidget(new QLabel(QStringLiteral("Nº : "), this));
    numero = new HitSetField(QStringLiteral("txtNumero"), QStringLiteral("cmdModificar"), QStringLiteral("M"), this);
    numero->setRange(1, 6);
    numero->setZeroHidden(true);
    numero->setHitSet(state_.filters.homologos.homologos);
    line->addWidget(numero, 1);
    body()->addLayout(line);
    connect(numero, &HitSetField::edited, this, [this](const HitSet& set) {
        state_.filters.homologos.homologos = set;
        activate();
    });

    auto* panel = new QGroupBox(QStringLiteral("GRUPOS DE HOMOLOGOS"), this);
    auto* lines = new QVBoxLayout(panel);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (int c = 1; c <= 9; ++c) {
        auto* l = new QLabel(homologousClassLine(c), panel);
        l->setFont(fixed);
        lines->addWidget(l);
    }
    body()->addWidget(panel);
}

} // namespace kombitron::ui
