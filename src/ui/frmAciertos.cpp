#include "ui/frmAciertos.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/widgets/image_button.h"
#include "ui/widgets/mark_cell.h"

namespace kombitron::ui {

frmAciertos::frmAciertos(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAciertos"));
    setWindowTitle(QStringLiteral("ACIERTOS"));
    setModal(true);

    auto* outer = new QVBoxLayout(this);
    auto* caption = new QLabel(QStringLiteral("Aciertos permitidos"), this);
    caption->setAlignment(Qt::AlignCenter);
    outer->addWidget(caption);

    auto* cells = new QHBoxLayout;
    cells->setSpacing(4);
    for (int i = 0; i <= 6; ++i) {
        auto* c = new MarkCell(QString::number(i), MarkCell::Style::Hit, this);
        c->setObjectName(QStringLiteral("lblAciertos_%1").arg(i));
        c->setCellSize(32);
        lblAciertos[i] = c;
        cells->addWidget(c);
        connect(c, &MarkCell::clicked, this, [this, i] {
            if (!inRange(i)) return;
            working.flags[i] = working.flags[i] ? 0 : 1;
            lblAciertos[i]->setMarked(working.flags[i] != 0);
        });
    }
    outer->addLayout(cells);

    auto* buttons = new QHBoxLayout;
    imgTodos = new ImageButton(QStringLiteral("imgTodos"), AppIcon::SelectAll, QStringLiteral("Selecciona todos los aciertos"), this, 24);
    imgNinguno = new ImageButton(QStringLiteral("imgNinguno"), AppIcon::ClearAll, QStringLiteral("Inicializa todos los aciertos"), this, 24);
    imgVolver = makeVolverButton(this, QStringLiteral("Cerrar"), 24);
    buttons->addWidget(imgTodos);
    buttons->addWidget(imgNinguno);
    buttons->addStretch();
    buttons->addWidget(imgVolver);
    outer->addLayout(buttons);

    connect(imgTodos, &QToolButton::clicked, this, [this] {
        for (int i = 0; i <= 6; ++i)
            if (inRange(i)) working.flags[i] = 1;
        refresh();
    });
    connect(imgNinguno, &QToolButton::clicked, this, [this] {
        for (int i = 0; i <= 6; ++i)
            if (inRange(i)) working.flags[i] = 0;
        refresh();
    });
    connect(imgVolver, &QToolButton::clicked, this, &QDialog::accept);
    refresh();
}

void frmAciertos::setZeroHidden(bool hidden)
{
    lblAciertos[0]->setVisible(!hidden);
}

void frmAciertos::refresh()
{
    for (int i = 0; i <= 6; ++i) {
        lblAciertos[i]->setEnabled(inRange(i));
        lblAciertos[i]->setMarked(working.flags[i] != 0);
    }
}

int frmAciertos::exec()
{
    refresh();
    return QDialog::exec();
}

HitSet frmAciertos::edit(const HitSet& current, int minimum, int maximum, bool zeroHidden, QWidget* parent)
{
    frmAciertos dialog(parent);
    dialog.MinimoAcierto = minimum;
    dialog.MaximoAcierto = maximum;
    dialog.working = current;
    dialog.setZeroHidden(zeroHidden);
    dialog.exec();
    return dialog.working;
}

} // namespace kombitron::ui
