#include "ui/frmSistemasPropios.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "core/format.h"
#include "core/paths.h"
#include "core/random.h"
#include "flows/own_system_flow.h"
#include "tools/tool_common.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/mark_cell.h"
#include "ui/widgets/ticket_grid.h"
#include "ui/widgets/waiting_panel.h"

namespace kombitron::ui {

namespace {
const char* const kLoading = "Cargando por favor espere ...";
const QString kNoOrigin = QStringLiteral("---");
constexpr int kOrderColumns = 3;

QString qs(const std::string& s) { return QString::fromStdString(s); }
QString twoDigits(int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }

QLabel* boldLabel(const QString& name, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setStyleSheet(QStringLiteral("font-weight:bold;"));
    return l;
}
} // namespace

frmSistemasPropios::frmSistemasPropios(Interaction& ui, const std::string& baseFileName, QWidget* parent)
    : ToolWindow(ui, QStringLiteral("frmSistemasPropios"), QStringLiteral("SISTEMAS PROPIOS"), true, parent),
      baseFileName_(baseFileName)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(10);
    row->addWidget(buildOrigin());
    row->addWidget(buildDestination(), 1);
    body()->addLayout(row);

    imgCalculoDefinitivo = new ImageButton(QStringLiteral("imgCalculoDefinitivo"), AppIcon::SaveBets,
                                           QStringLiteral("Cálculo con grabación de apuestas"), content());
    commands()->addWidget(imgCalculoDefinitivo);
    connect(imgCalculoDefinitivo, &QToolButton::clicked, this, &frmSistemasPropios::guardar);

    picVentanaEspera = addWaitingPanel(QStringLiteral("picVentanaEspera"), QStringLiteral("lblEspera"),
                                       QString::fromUtf8(kWaitingSaveCaption));
    fillSelectors();
    showOrigin();
    showDestination();
}

QGroupBox* frmSistemasPropios::buildOrigin()
{
    fraOrigen = new QGroupBox(QStringLiteral("Sistema Origen"), content());
    fraOrigen->setObjectName(QStringLiteral("fraOrigen"));
    auto* v = new QVBoxLayout(fraOrigen);

    auto* file = new QHBoxLayout;
    cmdDesdeFichero = new QPushButton(QStringLiteral("Abrir una combinación"), fraOrigen);
    cmdDesdeFichero->setObjectName(QStringLiteral("cmdDesdeFichero"));
    txtFicheroASCII = new QLineEdit(fraOrigen);
    txtFicheroASCII->setObjectName(QStringLiteral("txtFicheroASCII"));
    txtFicheroASCII->setReadOnly(true);
    file->addWidget(cmdDesdeFichero);
    file->addWidget(txtFicheroASCII, 1);
    v->addLayout(file);

    auto* counts = new QHBoxLayout;
    auto* caption = new QLabel(QStringLiteral("Apuestas cargadas :"), fraOrigen);
    lblApuCargadas = boldLabel(QStringLiteral("lblApuCargadas"), fraOrigen);
    lblTitNumerosORIGEN = boldLabel(QStringLiteral("lblTitNumerosORIGEN"), fraOrigen);
    counts->addWidget(caption);
    counts->addWidget(lblApuCargadas);
    counts->addStretch();
    counts->addWidget(lblTitNumerosORIGEN);
    v->addLayout(counts);

    auto* numbers = new QHBoxLayout;
    gridOrigen = new TicketGrid(fraOrigen, QStringLiteral("lblNumero"), false, 26);
    gridOrigen->setReadOnly(true);
    txtPorcentajesNumeros = new QPlainTextEdit(fraOrigen);
    txtPorcentajesNumeros->setObjectName(QStringLiteral("txtPorcentajesNumeros"));
    txtPorcentajesNumeros->setReadOnly(true);
    txtPorcentajesNumeros->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    txtPorcentajesNumeros->setFixedWidth(130);
    numbers->addWidget(gridOrigen, 0, Qt::AlignTop);
    numbers->addWidget(txtPorcentajesNumeros);
    v->addLayout(numbers, 1);

    connect(cmdDesdeFichero, &QPushButton::clicked, this, &frmSistemasPropios::abrir);
    return fraOrigen;
}

QGroupBox* frmSistemasPropios::buildDestination()
{
    fraDestino = new QGroupBox(QStringLiteral("Sistema Destino"), content());
    fraDestino->setObjectName(QStringLiteral("fraDestino"));
    auto* v = new QVBoxLayout(fraDestino);

    auto* top = new QHBoxLayout;
    gridDestino = new TicketGrid(fraDestino, QStringLiteral("lblNumeroFINAL"), false, 26);
    top->addWidget(gridDestino, 0, Qt::AlignTop);
    auto* side = new QVBoxLayout;
    lblTitNumerosDESTINO = boldLabel(QStringLiteral("lblTitNumerosDESTINO"), fraDestino);
    side->addWidget(lblTitNumerosDESTINO);
    picAlAzar = new QFrame(fraDestino);
    picAlAzar->setObjectName(QStringLiteral("picAlAzar"));
    addRandomPick(picAlAzar, cboNumeros, cmdAzar)->setContentsMargins(0, 0, 0, 0);
    side->addWidget(picAlAzar);
    side->addSpacing(12);
    chkElegirOrden = new QCheckBox(QStringLiteral("Elegir orden :"), fraDestino);
    chkElegirOrden->setObjectName(QStringLiteral("chkElegirOrden"));
    side->addWidget(chkElegirOrden);

    // The selectors of the marked destination numbers, in ascending order.
    auto* scroll = new QScrollArea(fraDestino);
    scroll->setObjectName(QStringLiteral("scrOrden"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    picOrden = new QWidget(scroll);
    picOrden->setObjectName(QStringLiteral("picOrden"));
    orderGrid_ = new QGridLayout(picOrden);
    orderGrid_->setContentsMargins(2, 2, 2, 2);
    orderGrid_->setHorizontalSpacing(14);
    orderGrid_->setVerticalSpacing(4);
    orderGrid_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    for (int n = 1; n <= 49; ++n) {
        auto* pair = new QWidget(picOrden);
        auto* h = new QHBoxLayout(pair);
        h->setContentsMargins(0, 0, 0, 0);
        h->setSpacing(4);
        auto* number = new MarkCell(twoDigits(n), MarkCell::Style::Ticket, pair);
        number->setObjectName(QStringLiteral("lblOrden_%1").arg(n - 1));
        number->setMarked(true);
        number->setReadOnly(true);
        number->setCellSize(24);
        auto* box = new QComboBox(pair);
        box->setObjectName(QStringLiteral("cboOrden_%1").arg(n - 1));
        box->setMinimumContentsLength(3);
        box->setMaxVisibleItems(12);
        box->setEnabled(false);
        h->addWidget(number);
        h->addWidget(box);
        pair->hide();
        cboOrden[static_cast<size_t>(n - 1)] = box;
        orderPairs_[static_cast<size_t>(n - 1)] = pair;
        connect(box, &QComboBox::activated, this, [this, n](int index) { chooseOrder(n, index); });
    }
    scroll->setWidget(picOrden);
    scroll->viewport()->setAutoFillBackground(false);
    picOrden->setAutoFillBackground(false);
    // Room for the three columns of selectors and the scroll bar beside them.
    const QMargins margins = orderGrid_->contentsMargins();
    scroll->setMinimumWidth(kOrderColumns * orderPairs_[0]->sizeHint().width() +
                            (kOrderColumns - 1) * orderGrid_->horizontalSpacing() + margins.left() + margins.right() +
                            scroll->verticalScrollBar()->sizeHint().width() + 4);
    side->addWidget(scroll, 1);
    top->addLayout(side, 1);
    v->addLayout(top, 1);

    connect(gridDestino, &TicketGrid::numberClicked, this, &frmSistemasPropios::toggleDestination);
    connect(cmdAzar, &QPushButton::clicked, this, &frmSistemasPropios::alAzar);
    connect(chkElegirOrden, &QCheckBox::toggled, this, &frmSistemasPropios::onChooseOrderToggled);
    return fraDestino;
}

// ---- showing ------------------------------------------------------------------------------------

void frmSistemasPropios::showOrigin()
{
    originNumbers_ = origin_.numbers();
    NumberFlags used{};
    for (uint8_t v : originNumbers_) used[v] = 1;
    gridOrigen->setMarkedNumbers(used);
    for (int n = 1; n <= 49; ++n) gridOrigen->cell(n)->setToolTip(used[n] ? qs(origin_.shareTooltip(n)) : QString());
    lblApuCargadas->setText(qs(formatCount(origin_.count())));
    lblTitNumerosORIGEN->setText(qs(numbersCaption(static_cast<int>(originNumbers_.size()))));
    QStringList lines;
    for (const std::string& line : origin_.shareLines()) lines << qs(line);
    txtPorcentajesNumeros->setPlainText(lines.join(QLatin1Char('\n')));
}

void frmSistemasPropios::showDestination()
{
    gridDestino->setMarkedNumbers(destination_.marked);
    lblTitNumerosDESTINO->setText(qs(numbersCaption(destination_.count())));
    // The selectors of the marked numbers, row by row in ascending order.
    for (QWidget* pair : orderPairs_) {
        orderGrid_->removeWidget(pair);
        pair->hide();
    }
    int shown = 0;
    for (int n = 1; n <= 49; ++n) {
        if (!destination_.marked[n]) continue;
        QWidget* pair = orderPairs_[static_cast<size_t>(n - 1)];
        orderGrid_->addWidget(pair, shown / kOrderColumns, shown % kOrderColumns);
        pair->show();
        ++shown;
    }
}

// Every selector back to "---", holding the origin numbers only while the order choice is on.
void frmSistemasPropios::fillSelectors()
{
    for (int n = 1; n <= 49; ++n) {
        QComboBox* box = cboOrden[static_cast<size_t>(n - 1)];
        const QSignalBlocker block(box);
        box->clear();
        box->addItem(kNoOrigin);
        if (destination_.chooseOrder)
            for (uint8_t v : originNumbers_) box->addItem(twoDigits(v));
        box->setCurrentIndex(0);
        box->setEnabled(destination_.chooseOrder);
    }
}

// ---- commands -----------------------------------------------------------------------------------

void frmSistemasPropios::abrir()
{
    if (isBusy()) return;
    const std::string path = ui().openFileDialog(toolOpenRequest());
    if (path.empty()) return;
    loadOrigin(path);
}

void frmSistemasPropios::loadOrigin(const std::string& path)
{
    if (isBusy()) return;
    // What the load shows at once: the file, and nothing of the previous origin.
    origin_ = OwnSystemOrigin{};
    setChooseOrder(destination_, destination_.chooseOrder);
    showOrigin();
    fillSelectors();
    txtFicheroASCII->setText(qs(fileNameOf(path)));
    txtFicheroASCII->setToolTip(qs(path));
    runJob<OwnSystemOriginLoad>(
        picVentanaEspera, QString::fromUtf8(kLoading),
        [path](Progress&, const StopToken&, Interaction& ui) {
            return guardFlow<OwnSystemOriginLoad>(ui, [&] { return loadOwnSystemOrigin(path, ui); });
        },
        [this](OwnSystemOriginLoad load) {
            origin_ = std::move(load.origin);
            showOrigin();
            fillSelectors();
            // The random marking proposes as many destination numbers as the origin uses.
            const int k = static_cast<int>(originNumbers_.size());
            if (k >= 1) cboNumeros->setCurrentIndex(k - 1);
            emit loaded();
        });
}

void frmSistemasPropios::toggleDestination(int number)
{
    if (isBusy() || number < 1 || number > 49) return;
    const bool mark = !destination_.marked[number];
    setDestinationMarked(destination_, number, mark);
    if (!mark) {
        QComboBox* box = cboOrden[static_cast<size_t>(number - 1)];
        const QSignalBlocker block(box);
        box->setCurrentIndex(0);
    }
    showDestination();
}

void frmSistemasPropios::alAzar()
{
    if (isBusy()) return;
    markRandomDestination(destination_, cboNumeros->currentIndex() + 1, clockSeed());
    for (int n = 1; n <= 49; ++n) {
        if (destination_.order[n] != 0) continue;
        QComboBox* box = cboOrden[static_cast<size_t>(n - 1)];
        const QSignalBlocker block(box);
        box->setCurrentIndex(0);
    }
    showDestination();
}

void frmSistemasPropios::onChooseOrderToggled(bool on)
{
    setChooseOrder(destination_, on);
    fillSelectors();
}

void frmSistemasPropios::chooseOrder(int number, int index)
{
    if (isBusy() || number < 1 || number > 49) return;
    QComboBox* box = cboOrden[static_cast<size_t>(number - 1)];
    const int origin = index >= 1 && index <= static_cast<int>(originNumbers_.size()) ? originNumbers_[index - 1] : 0;
    {
        const QSignalBlocker block(box);
        box->setCurrentIndex(origin == 0 ? 0 : index);
    }
    if (!chooseOwnSystemOrigin(destination_, number, origin, ui())) {
        const QSignalBlocker block(box);
        box->setCurrentIndex(0);
    }
}

void frmSistemasPropios::guardar()
{
    const OwnSystemOrigin origin = origin_;
    const OwnSystemDestination destination = destination_;
    const std::string baseFileName = baseFileName_;
    runJob<ToolSaveOutcome>(
        picVentanaEspera, QString::fromUtf8(kWaitingSaveCaption),
        [origin, destination, baseFileName](Progress&, const StopToken&, Interaction& ui) {
            return guardFlow<ToolSaveOutcome>(ui, [&] { return saveOwnSystem(origin, destination, baseFileName, ui); });
        },
        [this](ToolSaveOutcome outcome) {
            lastOutcome_ = std::move(outcome);
            emit saved();
        });
}

void frmSistemasPropios::discard()
{
    origin_ = OwnSystemOrigin{};
    originNumbers_.clear();
}

} // namespace kombitron::ui
