#include "ui/frmVisualizarArchivo.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/format.h"
#include "core/paths.h"
#include "flows/viewer_flow.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/mark_cell.h"
#include "ui/widgets/numeric_line_edit.h"
#include "ui/widgets/waiting_panel.h"

namespace kombitron::ui {

namespace {
const char* const kLoading = "Cargando por favor espere ...";
constexpr int kCellSide = 34;

QString qs(const std::string& s) { return QString::fromStdString(s); }

MarkCell* ticketCell(const QString& name, QWidget* parent)
{
    auto* c = new MarkCell(QString(), MarkCell::Style::Ticket, parent);
    c->setObjectName(name);
    c->setReadOnly(true);
    c->setCellSize(kCellSide);
    return c;
}

// A number is written in its box of the ticket; a reintegro stands out marked.
void showCell(MarkCell* cell, const std::string& text, bool marked)
{
    cell->setText(qs(text));
    cell->setAccessibleName(qs(text));
    cell->setMarked(marked && !text.empty());
}
} // namespace

frmVisualizarArchivo::frmVisualizarArchivo(GameType game, Interaction& ui, QWidget* parent)
    : ToolWindow(ui, QStringLiteral("frmVisualizarArchivo"), QStringLiteral("VISUALIZAR ARCHIVO DE APUESTAS"), true, parent)
{
    auto* file = new QHBoxLayout;
    cmdDesdeFichero = new QPushButton(QStringLiteral("Abrir una combinación"), content());
    cmdDesdeFichero->setObjectName(QStringLiteral("cmdDesdeFichero"));
    txtFicheroASCII = new QLineEdit(content());
    txtFicheroASCII->setObjectName(QStringLiteral("txtFicheroASCII"));
    txtFicheroASCII->setReadOnly(true);
    chkReintegros = new QCheckBox(QStringLiteral("Cargar Reintegros"), content());
    chkReintegros->setObjectName(QStringLiteral("chkReintegros"));
    file->addWidget(cmdDesdeFichero);
    file->addWidget(txtFicheroASCII, 1);
    file->addWidget(chkReintegros);
    body()->addLayout(file);

    auto* status = new QHBoxLayout;
    auto* countCaption = new QLabel(QStringLiteral("Apuestas :"), content());
    lblApuCargadas = new QLabel(QStringLiteral("0"), content());
    lblApuCargadas->setObjectName(QStringLiteral("lblApuCargadas"));
    lblApuCargadas->setStyleSheet(QStringLiteral("font-weight:bold;"));
    lblNumeroBoleto = new QLabel(content());
    lblNumeroBoleto->setObjectName(QStringLiteral("lblNumeroBoleto"));
    QFont big = lblNumeroBoleto->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.2);
    lblNumeroBoleto->setFont(big);
    status->addWidget(countCaption);
    status->addWidget(lblApuCargadas);
    status->addStretch();
    status->addWidget(lblNumeroBoleto);
    body()->addLayout(status);

    // The ticket: one column per bet, the six numbers downwards, the reintegro under them.
    auto* ticket = new QGroupBox(QStringLiteral("Boleto"), content());
    ticket->setObjectName(QStringLiteral("fraBoleto"));
    auto* g = new QGridLayout(ticket);
    g->setHorizontalSpacing(10);
    g->setVerticalSpacing(4);
    for (int c = 0; c < kTicketBets; ++c) {
        auto* head = new QLabel(ticket);
        head->setObjectName(QStringLiteral("lblApuesta_%1").arg(c));
        head->setAlignment(Qt::AlignCenter);
        head->setStyleSheet(QStringLiteral("color:#6b7280; font-size:8pt;"));
        g->addWidget(head, 0, c + 1, Qt::AlignCenter);
        lblApuesta[static_cast<size_t>(c)] = head;
        for (int p = 0; p < 6; ++p) {
            MarkCell* cell = ticketCell(QStringLiteral("lblColumna_%1").arg(6 * c + p), ticket);
            g->addWidget(cell, p + 1, c + 1, Qt::AlignCenter);
            lblColumna[static_cast<size_t>(6 * c + p)] = cell;
        }
        MarkCell* r = ticketCell(QStringLiteral("lblReintegro_%1").arg(c), ticket);
        g->addWidget(r, 8, c + 1, Qt::AlignCenter);
        lblReintegro[static_cast<size_t>(c)] = r;
    }
    g->setRowMinimumHeight(7, 6);
    lblEtqReintegro = new QLabel(QStringLiteral("R"), ticket);
    lblEtqReintegro->setObjectName(QStringLiteral("lblEtqReintegro"));
    lblEtqReintegro->setToolTip(QStringLiteral("Reintegro"));
    lblEtqReintegro->setStyleSheet(QStringLiteral("font-weight:bold; color:#2b5797;"));
    g->addWidget(lblEtqReintegro, 8, 0, Qt::AlignCenter);
    body()->addWidget(ticket, 0, Qt::AlignHCenter);

    auto* navigation = new QHBoxLayout;
    imgPrimero = new ImageButton(QStringLiteral("imgPrimero"), AppIcon::First, QStringLiteral("Boleto primero"), content(), 24);
    imgRetroceder = new ImageButton(QStringLiteral("imgRetroceder"), AppIcon::Previous, QStringLiteral("Retroceder boleto"), content(), 24);
    imgAvanzar = new ImageButton(QStringLiteral("imgAvanzar"), AppIcon::Next, QStringLiteral("Avanzar boleto"), content(), 24);
    imgUltimo = new ImageButton(QStringLiteral("imgUltimo"), AppIcon::Last, QStringLiteral("Boleto último"), content(), 24);
    auto* jumpCaption = new QLabel(QStringLiteral("Ir al Boleto :"), content());
    txtIrboleto = new NumericLineEdit(7, NumericLineEdit::Mode::DigitsEnter, content());
    txtIrboleto->setObjectName(QStringLiteral("txtIrboleto"));
    txtIrboleto->setFixedWidth(90);
    txtIrboleto->setAlignment(Qt::AlignRight);
    jumpCaption->setBuddy(txtIrboleto);
    navigation->addStretch();
    navigation->addWidget(imgPrimero);
    // The previous button is hidden on ticket 1: keep its place so the others do not move.
    auto* previousSlot = new QWidget(content());
    auto* previousLayout = new QHBoxLayout(previousSlot);
    previousLayout->setContentsMargins(0, 0, 0, 0);
    previousLayout->addWidget(imgRetroceder);
    previousSlot->setFixedSize(imgRetroceder->sizeHint());
    navigation->addWidget(previousSlot);
    navigation->addWidget(imgAvanzar);
    navigation->addWidget(imgUltimo);
    navigation->addSpacing(24);
    navigation->addWidget(jumpCaption);
    navigation->addWidget(txtIrboleto);
    navigation->addStretch();
    body()->addLayout(navigation);

    picVentanaEspera = addWaitingPanel(QStringLiteral("picVentanaEspera"), QStringLiteral("lblEspera"),
                                       QString::fromUtf8(kLoading));

    connect(cmdDesdeFichero, &QPushButton::clicked, this, &frmVisualizarArchivo::abrir);
    connect(imgPrimero, &QToolButton::clicked, this, &frmVisualizarArchivo::primero);
    connect(imgRetroceder, &QToolButton::clicked, this, &frmVisualizarArchivo::retroceder);
    connect(imgAvanzar, &QToolButton::clicked, this, &frmVisualizarArchivo::avanzar);
    connect(imgUltimo, &QToolButton::clicked, this, &frmVisualizarArchivo::ultimo);
    connect(txtIrboleto, &QLineEdit::returnPressed, this, &frmVisualizarArchivo::irBoleto);
    connect(chkReintegros, &QCheckBox::toggled, this, [this](bool on) {
        viewer_.setReintegrosTicked(on);
        showTicket();
    });

    viewer_.open(game);
    const bool reintegros = viewer_.reintegroRowVisible();
    chkReintegros->setChecked(viewer_.reintegrosTicked());
    chkReintegros->setVisible(reintegros);
    lblEtqReintegro->setVisible(reintegros);
    for (MarkCell* r : lblReintegro) r->setVisible(reintegros);
    showTicket();
}

void frmVisualizarArchivo::showTicket()
{
    lblNumeroBoleto->setText(qs(viewer_.statusText()));
    const int64_t first = (viewer_.currentTicket() - 1) * kTicketBets;
    for (int c = 0; c < kTicketBets; ++c) {
        const bool filled = !viewer_.numberCell(c, 0).empty();
        lblApuesta[static_cast<size_t>(c)]->setText(filled ? qs(formatCount(first + c + 1)) : QString());
        for (int p = 0; p < 6; ++p) showCell(lblColumna[static_cast<size_t>(6 * c + p)], viewer_.numberCell(c, p), false);
        showCell(lblReintegro[static_cast<size_t>(c)], viewer_.reintegroCell(c), true);
    }
    imgAvanzar->setEnabled(viewer_.canAdvance());
    imgRetroceder->setVisible(viewer_.previousVisible());
}

void frmVisualizarArchivo::abrir()
{
    if (isBusy()) return;
    const std::string path = ui().openFileDialog(toolOpenRequest());
    if (path.empty()) return;
    loadFile(path);
}

void frmVisualizarArchivo::loadFile(const std::string& path)
{
    if (isBusy()) return;
    txtFicheroASCII->setText(qs(fileNameOf(path)));
    txtFicheroASCII->setToolTip(qs(path));
    const bool withReintegros = chkReintegros->isChecked();
    runJob<ViewerLoad>(
        picVentanaEspera, QString::fromUtf8(kLoading),
        [path, withReintegros](Progress&, const StopToken&, Interaction& ui) {
            return guardFlow<ViewerLoad>(ui, [&] { return loadViewerFile(path, withReintegros, ui); });
        },
        [this](ViewerLoad load) {
            viewer_.setBets(std::move(load.bets));
            lblApuCargadas->setText(qs(formatCount(viewer_.betCount())));
            showTicket();
            emit loaded();
        });
}

void frmVisualizarArchivo::primero()
{
    if (isBusy()) return;
    viewer_.first();
    showTicket();
}

void frmVisualizarArchivo::retroceder()
{
    if (isBusy()) return;
    viewer_.previous();
    showTicket();
}

void frmVisualizarArchivo::avanzar()
{
    if (isBusy()) return;
    viewer_.next();
    showTicket();
}

void frmVisualizarArchivo::ultimo()
{
    if (isBusy()) return;
    viewer_.last();
    showTicket();
}

void frmVisualizarArchivo::irBoleto()
{
    if (isBusy()) return;
    jumpToTicket(viewer_, txtIrboleto->text().toStdString(), ui());
    showTicket();
    txtIrboleto->selectAll();
}

void frmVisualizarArchivo::discard() { viewer_.clear(); }

} // namespace kombitron::ui
