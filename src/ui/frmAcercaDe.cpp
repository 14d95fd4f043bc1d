#include "ui/frmAcercaDe.h"

#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

#include "ui/widgets/image_button.h"
#include "ui/widgets/mark_cell.h"

namespace kombitron::ui {

namespace {
QString buildDate()
{
    const QDate d = QLocale(QLocale::C).toDate(QString::fromLatin1(__DATE__).simplified(), QStringLiteral("MMM d yyyy"));
    return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString::fromLatin1(__DATE__);
}
} // namespace

frmAcercaDe::frmAcercaDe(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAcercaDe"));
    setWindowTitle(QStringLiteral("Acerca de KOMBITRON"));
    setModal(true);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(28, 20, 28, 16);

    auto* name = new QLabel(QStringLiteral("KOMBITRON"), this);
    name->setObjectName(QStringLiteral("lblPrograma"));
    QFont f = name->font();
    f.setPointSizeF(f.pointSizeF() * 2.4);
    f.setBold(true);
    name->setFont(f);
    name->setStyleSheet(QStringLiteral("color: %1;").arg(QLatin1String(colors::kMarkRed)));
    name->setAlignment(Qt::AlignCenter);

    auto* subtitle = new QLabel(QStringLiteral("Sistemas condicionados y reducidos para PRIMITIVA y BONOLOTO"), this);
    subtitle->setAlignment(Qt::AlignCenter);
    auto* version = new QLabel(QStringLiteral("Versión " KOMBITRON_VERSION), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    version->setAlignment(Qt::AlignCenter);
    auto* date = new QLabel(QStringLiteral("Compilado el ") + buildDate(), this);
    date->setObjectName(QStringLiteral("lblFecha"));
    date->setAlignment(Qt::AlignCenter);

    v->addWidget(name);
    v->addWidget(subtitle);
    v->addSpacing(8);
    v->addWidget(version);
    v->addWidget(date);
    auto* h = new QHBoxLayout;
    h->addStretch();
    auto* back = makeVolverButton(this, QStringLiteral("Cerrar"), 24);
    connect(back, &QToolButton::clicked, this, &QDialog::accept);
    h->addWidget(back);
    v->addLayout(h);
}

} // namespace kombitron::ui
