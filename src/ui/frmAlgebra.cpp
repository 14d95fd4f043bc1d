#include "ui/frmAlgebra.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/format.h"
#include "core/paths.h"
#include "core/state.h"
#include "flows/algebra_flow.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/ticket_grid.h"
#include "ui/widgets/waiting_panel.h"

namespace kombitron::ui {

namespace {
const char* const kLoading = "Cargando por favor espere ...";
const char* const kCalculating = "Calculando ...";

QString qs(const std::string& s) { return QString::fromStdString(s); }
} // namespace

frmAlgebra::frmAlgebra(Interaction& ui, QWidget* parent)
    : ToolWindow(ui, QStringLiteral("frmAlgebra"), QStringLiteral("ALGEBRA DE COMBINACIONES"), true, parent)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(10);
    for (int i = 0; i < 2; ++i) {
        auto* column = new QVBoxLayout;
        column->setSpacing(8);
        fraFicheros[static_cast<size_t>(i)] = new QGroupBox(QStringLiteral("Fichero %1").arg(i + 1), content());
        fraFicheros[static_cast<size_t>(i)]->setObjectName(QStringLiteral("fraFicheros_%1").arg(i));
        auto* g = new QGridLayout(fraFicheros[static_cast<size_t>(i)]);
        auto* open = new QPushButton(QStringLiteral("Abrir una combinación"), fraFicheros[static_cast<size_t>(i)]);
        open->setObjectName(QStringLiteral("cmdDesdeFichero_%1").arg(i));
        auto* clear = new ImageButton(QStringLiteral("imgINICombinacion_%1").arg(i), AppIcon::ClearAll,
                                      QStringLiteral("Inicializa toda la combinación"), fraFicheros[static_cast<size_t>(i)], 24);
        auto* nameCaption = new QLabel(QStringLiteral("Nombre:"), fraFicheros[static_cast<size_t>(i)]);
        auto* name = new QLineEdit(fraFicheros[static_cast<size_t>(i)]);
        name->setObjectName(QStringLiteral("txtFicheroASCII_%1").arg(i));
        name->setReadOnly(true);
        auto* countCaption = new QLabel(QStringLiteral("Apuestas:"), fraFicheros[static_cast<size_t>(i)]);
        auto* count = new QLineEdit(fraFicheros[static_cast<size_t>(i)]);
        count->setObjectName(QStringLiteral("txtApuCargadas_%1").arg(i));
        count->setReadOnly(true);
        count->setAlignment(Qt::AlignRight);
        count->setFixedWidth(110);
        g->addWidget(open, 0, 0, 1, 2);
        g->addWidget(clear, 0, 2, Qt::AlignRight);
        g->addWidget(nameCaption, 1, 0);
        g->addWidget(name, 1, 1, 1, 2);
        g->addWidget(countCaption, 2, 0);
        g->addWidget(count, 2, 1, Qt::AlignLeft);
        cmdDesdeFichero[static_cast<size_t>(i)] = open;
        imgINICombinacion[static_cast<size_t>(i)] = clear;
        txtFicheroASCII[static_cast<size_t>(i)] = name;
        txtApuCargadas[static_cast<size_t>(i)] = count;
        column->addWidget(fraFicheros[static_cast<size_t>(i)]);
        column->addWidget(buildSystem(i), 1);
        row->addLayout(column);
        connect(open, &QPushButton::clicked, this, [this, i] { abrir(i); });
        connect(clear, &QToolButton::clicked, this, [this, i] { inicializar(i); });
    }

    auto* right = new QVBoxLayout;
    right->setSpacing(8);
    right->addWidget(buildOperations());
    txtVentanaResultados = new QPlainTextEdit(content());
    txtVentanaResultados->setObjectName(QStringLiteral("txtVentanaResultados"));
    txtVentanaResultados->setReadOnly(true);
    txtVentanaResultados->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Wide enough for the longest line an operation writes.
    const QString longest = QString::fromStdString(algebraResultsText(AlgebraOperation::Intersection, false, 0, 0, 0))
                                .section(QStringLiteral("\r\n"), 0, 0);
    txtVentanaResultados->setMinimumWidth(txtVentanaResultados->fontMetrics().horizontalAdvance(longest) + 36);
    right->addWidget(txtVentanaResultados, 1);
    row->addLayout(right, 1);
    body()->addLayout(row, 1);

    picCalculando = addWaitingPanel(QStringLiteral("picCalculando"), QStringLiteral("lblCalculando"),
                                    QString::fromUtf8(kCalculating), QStringLiteral("lblProgressBarCalculo"));
    picVentanaEspera = addWaitingPanel(QStringLiteral("picVentanaEspera"), QStringLiteral("lblEspera"),
                                       QString::fromUtf8(kWaitingSaveCaption));
    for (int i = 0; i < 2; ++i) showSystem(i);
}

QGroupBox* frmAlgebra::buildSystem(int i)
{
    auto* box = new QGroupBox(QStringLiteral("Sistema %1").arg(i + 1), content());
    box->setObjectName(QStringLiteral("fraNumerosORIGEN_%1").arg(i));
    auto* v = new QVBoxLayout(box);
    auto* grid = new TicketGrid(box, i == 0 ? QStringLiteral("lblNumero") : QStringLiteral("lblNumeroS2"), false, 26);
    grid->setReadOnly(true);
    auto* title = new QLabel(box);
    title->setObjectName(i == 0 ? QStringLiteral("lblTitNumerosS1") : QStringLiteral("lblTitNumerosS2"));
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet(QStringLiteral("font-weight:bold;"));
    v->addWidget(grid, 0, Qt::AlignHCenter);
    v->addWidget(title);
    v->addStretch();
    fraNumerosORIGEN[static_cast<size_t>(i)] = box;
    gridSistema[static_cast<size_t>(i)] = grid;
    lblTitNumeros[static_cast<size_t>(i)] = title;
    return box;
}

QGroupBox* frmAlgebra::buildOperations()
{
    auto* box = new QGroupBox(QStringLiteral("Operación"), content());
    box->setObjectName(QStringLiteral("fraOperaciones"));
    auto* g = new QGridLayout(box);
    g->setVerticalSpacing(6);
    auto* group = new QButtonGroup(box);
    for (int k = 0; k < 5; ++k) {
        auto* option = new QRadioButton(box);
        option->setObjectName(QStringLiteral("optTipo_%1").arg(k));
        const QString caption = QString::fromUtf8(algebraOperationCaption(static_cast<AlgebraOperation>(k)));
        option->setAccessibleName(caption);
        auto* label = new QLabel(caption, box);
        label->setObjectName(QStringLiteral("lblUtilidad_%1").arg(k));
        label->setCursor(Qt::PointingHandCursor);
        label->installEventFilter(this);
        group->addButton(option, k);
        g->addWidget(option, k, 0);
        g->addWidget(label, k, 1);
        optTipo[static_cast<size_t>(k)] = option;
        lblUtilidad[static_cast<size_t>(k)] = label;
    }
    cboTipoOrdenacion = new QComboBox(box);
    cboTipoOrdenacion->setObjectName(QStringLiteral("cboTipoOrdenacion"));
    cboTipoOrdenacion->addItems({QString::fromUtf8(sortOrderText(false)), QString::fromUtf8(sortOrderText(true))});
    g->addWidget(cboTipoOrdenacion, 0, 2);
    g->setColumnStretch(3, 1);
    optTipo[0]->setChecked(true);

    auto* buttons = new QHBoxLayout;
    imgCalcular = new ImageButton(QStringLiteral("imgCalcular"), AppIcon::Calculate, QStringLiteral("Calcular"), box);
    imgGuardar = new ImageButton(QStringLiteral("imgGuardar"), AppIcon::SaveBets, QStringLiteral("Guardar apuestas"), box);
    buttons->addStretch();
    buttons->addWidget(imgCalcular);
    buttons->addWidget(imgGuardar);
    g->addLayout(buttons, 5, 0, 1, 4);

    connect(group, &QButtonGroup::idClicked, this, [this](int id) { chooseOperation(static_cast<AlgebraOperation>(id)); });
    connect(imgCalcular, &QToolButton::clicked, this, &frmAlgebra::calcular);
    connect(imgGuardar, &QToolButton::clicked, this, &frmAlgebra::guardar);
    return box;
}

bool frmAlgebra::eventFilter(QObject* watched, QEvent* event)
{
    // A click on an operation's caption chooses it, as a click on its option button does.
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (int k = 0; k < 5; ++k)
            if (watched == lblUtilidad[static_cast<size_t>(k)] && optTipo[static_cast<size_t>(k)]->isEnabled()) {
                optTipo[static_cast<size_t>(k)]->click();
                return true;
            }
    }
    return ToolWindow::eventFilter(watched, event);
}

// ---- showing ------------------------------------------------------------------------------------

void frmAlgebra::showSystem(int i)
{
    const AlgebraSystem& s = systems_[static_cast<size_t>(i)];
    NumberFlags used{};
    for (int v = 1; v <= 49; ++v) used[static_cast<size_t>(v)] = s.numberCounts[static_cast<size_t>(v)] > 0 ? 1 : 0;
    gridSistema[static_cast<size_t>(i)]->setMarkedNumbers(used);
    lblTitNumeros[static_cast<size_t>(i)]->setText(qs(numbersCaption(s.usedNumbers())));
    txtApuCargadas[static_cast<size_t>(i)]->setText(qs(formatCount(s.count())));
}

void frmAlgebra::clearResults()
{
    result_.reset();
    resultsText_.clear();
    txtVentanaResultados->clear();
}

// ---- commands -----------------------------------------------------------------------------------

void frmAlgebra::abrir(int system)
{
    if (isBusy() || system < 0 || system > 1) return;
    const std::string path = ui().openFileDialog(toolOpenRequest(2));
    if (path.find_first_not_of(' ') == std::string::npos) return;
    loadSystem(system, path);
}

void frmAlgebra::loadSystem(int system, const std::string& path)
{
    if (isBusy() || system < 0 || system > 1) return;
    clearResults();
    inicializar(system);
    txtFicheroASCII[static_cast<size_t>(system)]->setText(qs(fileNameOf(path)));
    txtFicheroASCII[static_cast<size_t>(system)]->setToolTip(qs(path));
    txtFicheroASCII[static_cast<size_t>(system)]->setCursorPosition(0);
    runJob<AlgebraSystemLoad>(
        picVentanaEspera, QString::fromUtf8(kLoading),
        [path](Progress&, const StopToken&, Interaction& ui) {
            return guardFlow<AlgebraSystemLoad>(ui, [&] { return loadAlgebraSystem(path, ui); });
        },
        [this, system](AlgebraSystemLoad load) {
            systems_[static_cast<size_t>(system)] = std::move(load.system);
            showSystem(system);
            emit loaded(system);
        });
}

void frmAlgebra::inicializar(int system)
{
    if (isBusy() || system < 0 || system > 1) return;
    systems_[static_cast<size_t>(system)] = AlgebraSystem{};
    txtFicheroASCII[static_cast<size_t>(system)]->clear();
    txtFicheroASCII[static_cast<size_t>(system)]->setToolTip(QString());
    showSystem(system);
}

void frmAlgebra::chooseOperation(AlgebraOperation operation)
{
    if (isBusy()) return;
    operation_ = operation;
    {
        const QSignalBlocker block(optTipo[static_cast<size_t>(operation)]);
        optTipo[static_cast<size_t>(operation)]->setChecked(true);
    }
    clearResults();
}

void frmAlgebra::calcular()
{
    if (isBusy()) return;
    AlgebraInputs inputs;
    inputs.operation = operation_;
    inputs.descending = cboTipoOrdenacion->currentIndex() == 1;
    inputs.system1 = systems_[0].bets;
    inputs.system2 = systems_[1].bets;
    // A refused operation leaves the results on screen as they were.
    if (auto notice = checkAlgebra(inputs.operation, systems_[0].count(), systems_[1].count())) {
        showToolNotice(*notice, ui());
        return;
    }
    clearResults();
    runJob<AlgebraResult>(
        picCalculando, QString::fromUtf8(kCalculating),
        [inputs](Progress&, const StopToken&, Interaction& ui) {
            return guardFlow<AlgebraResult>(ui, [&] { return calculateAlgebra(inputs, ui); });
        },
        [this](AlgebraResult result) {
            if (result.done()) {
                result_ = std::move(result.bets);
                resultsText_ = std::move(result.text);
                QString shown = qs(resultsText_);
                shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
                txtVentanaResultados->setPlainText(shown);
            }
            emit calculated();
        });
}

void frmAlgebra::guardar()
{
    if (isBusy()) return;
    const std::string text = resultsText_;
    const SharedBets bets = result_;
    runJob<ToolSaveOutcome>(
        picVentanaEspera, QString::fromUtf8(kWaitingSaveCaption),
        [text, bets](Progress&, const StopToken&, Interaction& ui) {
            return guardFlow<ToolSaveOutcome>(ui, [&] { return saveAlgebraResult(text, bets, ui); });
        },
        [this](ToolSaveOutcome outcome) {
            lastSave_ = std::move(outcome);
            emit saved();
        });
}

void frmAlgebra::discard()
{
    systems_ = {};
    clearResults();
}

} // namespace kombitron::ui
