#include "ui/frmPrincipal.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/filter_rows.h"
#include "core/format.h"
#include "core/interaction.h"
#include "core/paths.h"
#include "core/state.h"
#include "flows/base_file_dialogs.h"
#include "flows/calculation.h"
#include "flows/definitive_save.h"
#include "flows/import.h"
#include "flows/reports.h"
#include "flows/system_summary.h"
#include "ui/app_context.h"
#include "ui/filter_windows.h"
#include "ui/frmAcercaDe.h"
#include "ui/frmAlgebra.h"
#include "ui/frmAnalisis.h"
#include "ui/frmEscrutar.h"
#include "ui/frmEstadisticas.h"
#include "ui/frmGarantiasTOTAL.h"
#include "ui/frmMultiEscrutinioEstadistico.h"
#include "ui/frmMultiEscrutinioMultiFichero.h"
#include "ui/frmGeneradorNumeros.h"
#include "ui/frmGeneradorPorcentajes.h"
#include "ui/frmPronosticoAleatorio.h"
#include "ui/frmReduccion.h"
#include "ui/frmSistemasPropios.h"
#include "ui/frmVentanaProceso.h"
#include "ui/frmVisualizarArchivo.h"
#include "ui/job_runner.h"
#include "ui/widgets/mark_cell.h"
#include "ui/widgets/ticket_grid.h"
#include "ui/widgets/waiting_panel.h"

namespace kombitron::ui {

namespace {

const char* const kUnsavedContinue =
    "NO HA GUARDADO LA COMBINACION ACTUAL EN XML, ¿ DESEA CONTINUAR DE TODAS FORMAS ?";
const char* const kUnsavedExit = "NO HA GUARDADO LA COMBINACION ACTUAL EN XML, ¿ DESEA SALIR DE TODAS FORMAS ?";
const char* const kNoBets = "ERROR: No hay apuestas generadas";

QString qs(const std::string& s) { return QString::fromStdString(s); }
QString count(int64_t v) { return qs(formatCount(v)); }

// How a flow run as a job of this window ended: whether it did its work (its refusals were
// shown by the flow itself).
struct FlowResult : JobOutcome {
    bool completed = false;
};

// The filter list's header over the columns of its rows.
QString filterListHeader()
{
    return qs(padRight("ACT ", 5) + padRight("CONDICION", 22) + padRight("NºACT", 8) + padLeft("ELIMINAN", 12));
}

// A simple drawn badge for the game selector.
QPixmap gameBadge(bool primitiva, qreal dpr)
{
    const int side = 34;
    QPixmap pm(QSize(side, side) * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(primitiva ? colors::kMarkRed : colors::kAccent));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(1, 1, side - 2, side - 2));
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(15);
    p.setFont(f);
    p.drawText(QRectF(0, 0, side, side), Qt::AlignCenter, primitiva ? QStringLiteral("P") : QStringLiteral("B"));
    return pm;
}

QLabel* counterLabel(const QString& name, QWidget* parent)
{
    auto* l = new QLabel(QStringLiteral("0"), parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont f = l->font();
    f.setPointSizeF(f.pointSizeF() * 1.9);
    f.setBold(true);
    l->setFont(f);
    l->setMinimumWidth(170);
    l->setStyleSheet(QStringLiteral("QLabel { background: white; border: 1px solid #c4c9d1; border-radius: 4px; padding: 2px 8px; }"));
    return l;
}

} // namespace

frmPrincipal::frmPrincipal(AppState& state, Interaction& ui, QWidget* parent)
    : QMainWindow(parent), state_(state), ui_(ui), runner_(new JobRunner(ui, this))
{
    setObjectName(QStringLiteral("frmPrincipal"));

    blink_ = new QTimer(this);
    blink_->setInterval(5);
    connect(blink_, &QTimer::timeout, this, [this] {
        QPalette pal = lblApuestasCondicionadas->palette();
        pal.setColor(QPalette::WindowText, QColor(int(blinkRng_.below(256)), int(blinkRng_.below(256)), int(blinkRng_.below(256))));
        lblApuestasCondicionadas->setPalette(pal);
    });
    connect(runner_, &JobRunner::captioned, this, [this](const QString& text) {
        if (blink_->isActive()) lblApuestasCondicionadas->setText(text);
    });
    connect(runner_, &JobRunner::progressed, this, [this](qint64 done, qint64 total) {
        if (picVentanaEspera->isVisible()) {
            picVentanaEspera->setProgress(done, total);
        } else if (blink_->isActive() && state_.base.kind == CombinationKind::FromFile && total == 0) {
            lblApuestasIniciales->setText(count(done));
        }
    });

    buildMenus();
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(10, 8, 10, 8);
    outer->setSpacing(8);
    outer->addWidget(buildSelectors());

    auto* middle = new QHBoxLayout;
    middle->setSpacing(10);
    middle->addWidget(buildTicket());
    middle->addWidget(buildCounters(), 0);
    middle->addWidget(buildFilterList(), 1);
    outer->addLayout(middle, 1);
    outer->addWidget(buildCommandBar());
    buildWaitingPanel(central);

    // Start-up: a fresh state, PRIMITIVA, manual forecast, direct reintegros, every row off.
    state_.savedFlag = true;
    state_.winning = WinningCombination{};
    state_.base.markedNumbers.fill(0);
    state_.base.markedReintegros.fill(0);
    state_.base.reintegroMode = ReintegroMode::Direct;
    state_.base.kind = CombinationKind::Manual;
    selectGame(state_, GameType::Primitiva);
    ResetStateDefaults(state_);
    resetFilterRows(state_);
    recomputeCounters(state_);
    previousKind_ = 0;
    openRandomMarking = [this](QWidget* parent) { cmdPronosticoAleatorio(parent); };
    refreshAll();
    resize(1240, 720);
}

// The runner goes first: its job ends (and the state it borrowed comes back) while the widgets
// its signals reach still exist.
frmPrincipal::~frmPrincipal() { delete runner_; }

QAction* frmPrincipal::action(const QString& name) const { return findChild<QAction*>(name); }

void frmPrincipal::buildMenus()
{
    auto add = [this](QMenu* menu, const QString& name, const QString& text, auto slot) {
        QAction* a = menu->addAction(text);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    QMenu* archivo = menuBar()->addMenu(QStringLiteral("&Archivo"));
    archivo->setObjectName(QStringLiteral("menuArchivo"));
    add(archivo, QStringLiteral("menuNuevo"), QStringLiteral("&Nuevo fichero XML"), [this] { cmdNuevo(); });
    add(archivo, QStringLiteral("menuAbrir"), QStringLiteral("&Abrir fichero XML"), [this] { cmdAbrir(); });
    add(archivo, QStringLiteral("menuGuardar"), QStringLiteral("&Guardar fichero XML"), [this] { cmdGuardar(); });
    archivo->addSeparator();
    add(archivo, QStringLiteral("menuSalir"), QStringLiteral("&Salir"), [this] { cmdSalir(); });

    QMenu* datos = menuBar()->addMenu(QStringLiteral("&Datos"));
    datos->setObjectName(QStringLiteral("menuDatos"));
    add(datos, QStringLiteral("menuEstadisticas"), QStringLiteral("&Estadísticas de Sorteos"), [this] { cmdEstadisticas(); });
    add(datos, QStringLiteral("menuResumenFiltros"), QStringLiteral("Ver &Resumen de Filtros"), [this] { cmdResumenFiltros(); });
    add(datos, QStringLiteral("menuInformeEliminadas"), QStringLiteral("Ver &Informe Apuestas Eliminadas"), [this] { cmdInformeEliminadas(); });

    QMenu* util = menuBar()->addMenu(QStringLiteral("&Utilidades"));
    util->setObjectName(QStringLiteral("menuUtilidades"));
    add(util, QStringLiteral("menuVisualizarArchivo"), QStringLiteral("&Visualizar Archivo"), [this] { cmdVisualizarArchivo(); });
    add(util, QStringLiteral("menuEscrutinios"), QStringLiteral("Realizar &Escrutinios"), [this] { cmdEscrutinios(); });
    add(util, QStringLiteral("menuMultiFichero"), QStringLiteral("&MultiEscrutinio MultiFichero"),
        [this] { cmdMultiEscrutinioMultiFichero(); });
    add(util, QStringLiteral("menuMultiEstadistico"), QStringLiteral("MultiEscrutinio Es&tadístico"),
        [this] { cmdMultiEscrutinioEstadistico(); });
    add(util, QStringLiteral("menuAlgebra"), QStringLiteral("A&lgebra de Combinaciones"), [this] { cmdAlgebra(); });
    add(util, QStringLiteral("menuGarantias"), QStringLiteral("&Garantías"), [this] { cmdGarantias(); });
    add(util, QStringLiteral("menuSistemasPropios"), QStringLiteral("&Sistemas Propios"), [this] { cmdSistemasPropios(); });
    add(util, QStringLiteral("menuGeneradorNumeros"), QStringLiteral("Generador Apuestas Aleatorias por &Números"),
        [this] { cmdGeneradorNumeros(); });
    add(util, QStringLiteral("menuGeneradorPorcentajes"), QStringLiteral("Generador Apuestas Aleatorias por &Porcentajes"),
        [this] { cmdGeneradorPorcentajes(); });

    QMenu* ayuda = menuBar()->addMenu(QStringLiteral("A&yuda"));
    ayuda->setObjectName(QStringLiteral("menuAyuda"));
    add(ayuda, QStringLiteral("menuAyudaOnline"), QStringLiteral("Ayuda &Online"), [this] { cmdAyudaOnline(); });
    add(ayuda, QStringLiteral("menuAcercaDe"), QStringLiteral("A&cerca de KOMBITRON ..."), [this] { cmdAcercaDe(); });
}

QWidget* frmPrincipal::buildSelectors()
{
    auto* box = new QFrame(this);
    box->setObjectName(QStringLiteral("fraSelectores"));
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);

    imgTipoJuego = new QLabel(box);
    imgTipoJuego->setObjectName(QStringLiteral("imgTipoJuego"));
    cboTipoJuego = new QComboBox(box);
    cboTipoJuego->setObjectName(QStringLiteral("cboTipoJuego"));
    cboTipoJuego->addItems({QStringLiteral("PRIMITIVA"), QStringLiteral("BONOLOTO")});
    cboTipoCombinacion = new QComboBox(box);
    cboTipoCombinacion->setObjectName(QStringLiteral("cboTipoCombinacion"));
    cboTipoCombinacion->addItems({QStringLiteral("Pronóstico Manual"), QStringLiteral("Pronóstico Aleatorio"),
                                  QStringLiteral("Pronóstico Desde Archivo")});
    cboTipoReintegro = new QComboBox(box);
    cboTipoReintegro->setObjectName(QStringLiteral("cboTipoReintegro"));
    cboTipoReintegro->addItems({QStringLiteral("Al directo"), QStringLiteral("Secuenciales"), QStringLiteral("Aleatorios")});
    cboTipoReintegro->setToolTip(QStringLiteral("Reintegros"));
    chkReintegros = new QCheckBox(box);
    chkReintegros->setObjectName(QStringLiteral("chkReintegros"));
    lblEtqCargarReintegros = new QLabel(QStringLiteral("Cargar Reintegros"), box);
    lblEtqCargarReintegros->setObjectName(QStringLiteral("lblEtqCargarReintegros"));
    lblEtqCargarReintegros->setBuddy(chkReintegros);

    row->addWidget(imgTipoJuego);
    row->addWidget(cboTipoJuego);
    row->addSpacing(8);
    row->addWidget(cboTipoCombinacion);
    row->addSpacing(8);
    row->addWidget(cboTipoReintegro);
    row->addWidget(chkReintegros);
    row->addWidget(lblEtqCargarReintegros);
    row->addStretch();

    connect(cboTipoJuego, &QComboBox::currentIndexChanged, this, &frmPrincipal::onGameChanged);
    connect(cboTipoCombinacion, &QComboBox::currentIndexChanged, this, &frmPrincipal::onKindChanged);
    connect(cboTipoReintegro, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0) state_.base.reintegroMode = static_cast<ReintegroMode>(i);
    });
    connect(chkReintegros, &QCheckBox::toggled, this, [this](bool on) { state_.base.loadReintegros = on; });
    return box;
}

QWidget* frmPrincipal::buildTicket()
{
    auto* box = new QGroupBox(QStringLiteral("Combinación"), this);
    box->setObjectName(QStringLiteral("fraCombinacion"));
    auto* v = new QVBoxLayout(box);
    v->setSpacing(6);

    picNumeros = new QWidget(box);
    picNumeros->setObjectName(QStringLiteral("picNumeros"));
    auto* pv = new QVBoxLayout(picNumeros);
    pv->setContentsMargins(0, 0, 0, 0);
    gridNumeros = new TicketGrid(picNumeros, QStringLiteral("lblNumero"), true, 28);
    pv->addWidget(gridNumeros);
    v->addWidget(picNumeros, 0, Qt::AlignHCenter);

    lblTipoCombinacion = new QLabel(QStringLiteral("0 Números"), box);
    lblTipoCombinacion->setObjectName(QStringLiteral("lblTipoCombinacion"));
    lblTipoCombinacion->setAlignment(Qt::AlignCenter);
    QFont f = lblTipoCombinacion->font();
    f.setBold(true);
    lblTipoCombinacion->setFont(f);
    v->addWidget(lblTipoCombinacion);

    lblReintegros = new QLabel(QStringLiteral("REINTEGROS"), box);
    lblReintegros->setObjectName(QStringLiteral("lblReintegros"));
    lblReintegros->setAlignment(Qt::AlignCenter);
    lblReintegros->setStyleSheet(QStringLiteral("color: #2b5797; font-weight: bold;"));
    v->addWidget(lblReintegros);
    picReintegros = new QWidget(box);
    picReintegros->setObjectName(QStringLiteral("picReintegros"));
    auto* rg = new QGridLayout(picReintegros);
    rg->setContentsMargins(0, 0, 0, 0);
    rg->setSpacing(3);
    for (int d = 0; d <= 9; ++d) {
        auto* c = new MarkCell(QString::number(d), MarkCell::Style::Ticket, picReintegros);
        c->setObjectName(QStringLiteral("lblReintegro_%1").arg(d));
        c->setCellSize(28);
        lblReintegro[d] = c;
        rg->addWidget(c, d / 5, d % 5);
        connect(c, &MarkCell::clicked, this, [this, d] { onReintegroClicked(d); });
    }
    v->addWidget(picReintegros, 0, Qt::AlignHCenter);
    v->addStretch();

    connect(gridNumeros, &TicketGrid::numberClicked, this, &frmPrincipal::onNumberClicked);
    connect(gridNumeros, &TicketGrid::rowToggleClicked, this, &frmPrincipal::onRowToggle);
    connect(gridNumeros, &TicketGrid::columnToggleClicked, this, &frmPrincipal::onColumnToggle);
    connect(gridNumeros, &TicketGrid::allToggleClicked, this, &frmPrincipal::onAllToggle);
    return box;
}

QWidget* frmPrincipal::buildCounters()
{
    auto* box = new QGroupBox(QStringLiteral("Apuestas"), this);
    box->setObjectName(QStringLiteral("fraContadores"));
    auto* v = new QVBoxLayout(box);
    v->setSpacing(4);

    cmdCuadroApuDirecto = new QPushButton(QStringLiteral("Apuestas en Directo"), box);
    cmdCuadroApuDirecto->setObjectName(QStringLiteral("cmdCuadroApuDirecto"));
    cmdCuadroApuDirecto->setFlat(true);
    cmdCuadroApuDirecto->setFocusPolicy(Qt::NoFocus);
    // Its text starts where the captions' text below it starts (a label insets its text a little
    // more than a flat button does).
    cmdCuadroApuDirecto->setStyleSheet(
        QStringLiteral("QPushButton { text-align: left; font-weight: bold; color: #333; border: none; padding: 2px 0 2px 10px; }"));
    lblApuestasIniciales = counterLabel(QStringLiteral("lblApuestasIniciales"), box);
    auto* condCaption = new QLabel(QStringLiteral("Apuestas Condicionadas"), box);
    condCaption->setObjectName(QStringLiteral("lblEtqApuestasCondicionadas"));
    lblApuestasCondicionadas = counterLabel(QStringLiteral("lblApuestasCondicionadas"), box);
    auto* redCaption = new QLabel(QStringLiteral("Apuestas Reducidas"), box);
    redCaption->setObjectName(QStringLiteral("lblEtqApuestasReducidas"));
    lblApuestasReducidas = counterLabel(QStringLiteral("lblApuestasReducidas"), box);
    lblApuestasReducidas->setStyleSheet(lblApuestasReducidas->styleSheet() + QStringLiteral("QLabel { color: #b3151b; }"));
    for (auto* c : {condCaption, redCaption}) c->setStyleSheet(QStringLiteral("font-weight: bold; color: #333; padding-left: 6px;"));

    v->addWidget(cmdCuadroApuDirecto);
    v->addWidget(lblApuestasIniciales);
    v->addSpacing(6);
    v->addWidget(condCaption);
    v->addWidget(lblApuestasCondicionadas);
    v->addSpacing(6);
    v->addWidget(redCaption);
    v->addWidget(lblApuestasReducidas);
    v->addSpacing(6);

    auto* costCaption = new QLabel(QStringLiteral("Coste por sorteo"), box);
    costCaption->setObjectName(QStringLiteral("lblEtqCosteSorteo"));
    costCaption->setStyleSheet(condCaption->styleSheet());
    lblCosteSorteo = new QLabel(box);
    lblCosteSorteo->setObjectName(QStringLiteral("lblCosteSorteo"));
    lblCosteSorteo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblCosteSorteo->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; color: #1d2b44; padding: 0 9px; }"));
    lblCosteSorteo->setToolTip(QStringLiteral("Apuestas reducidas por el precio de una apuesta"));
    auto* costRow = new QHBoxLayout;
    costRow->addWidget(costCaption);
    costRow->addWidget(lblCosteSorteo, 1);
    v->addLayout(costRow);
    lblGarantia = new QLabel(box);
    lblGarantia->setObjectName(QStringLiteral("lblGarantia"));
    lblGarantia->setWordWrap(true);
    lblGarantia->setToolTip(QStringLiteral("Resultado del último cálculo de garantías de este sistema"));
    lblGarantia->setStyleSheet(QStringLiteral("QLabel { color: #1e8c3a; font-weight: bold; padding-left: 6px; }"));
    lblGarantia->hide();
    v->addWidget(lblGarantia);
    v->addSpacing(10);

    lblEtqFicheroASCII = new QLabel(QStringLiteral("Fichero importado"), box);
    lblEtqFicheroASCII->setObjectName(QStringLiteral("lblEtqFicheroASCII"));
    txtFicheroASCII = new QLineEdit(box);
    txtFicheroASCII->setObjectName(QStringLiteral("txtFicheroASCII"));
    txtFicheroASCII->setReadOnly(true);
    // It only shows the file's name: no caret, no tab stop.
    txtFicheroASCII->setFocusPolicy(Qt::NoFocus);
    txtFicheroASCII->setStyleSheet(QStringLiteral("QLineEdit { background: #eef0f3; border: 1px solid #c4c9d1; border-radius: 3px; }"));
    lblEtqFicheroASCII->setBuddy(txtFicheroASCII);
    lblEtqFicheroASCII->setVisible(false);
    txtFicheroASCII->setVisible(false);
    v->addWidget(lblEtqFicheroASCII);
    v->addWidget(txtFicheroASCII);
    v->addStretch();

    picBanner2 = new QToolButton(box);
    picBanner2->setObjectName(QStringLiteral("picBanner2"));
    picBanner2->setText(QStringLiteral("Resultados y botes de la semana  ›"));
    picBanner2->setToolTip(QStringLiteral("Resultados y botes de la semana"));
    picBanner2->setCursor(Qt::PointingHandCursor);
    picBanner2->setStyleSheet(QStringLiteral("QToolButton { background: #2b5797; color: white; border-radius: 4px; padding: 8px; font-weight: bold; }"
                                             "QToolButton:hover { background: #3a6bb0; }"
                                             "QToolButton:disabled { background: #c4c9d1; color: #f4f5f7; }"));
    picBanner2->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(picBanner2, &QToolButton::clicked, this, [this] {
        std::string failure;
        ui_.openWebPage(web::kBannerPage, failure); // fails silently
    });
    v->addWidget(picBanner2);
    return box;
}

QWidget* frmPrincipal::buildFilterList()
{
    auto* box = new QGroupBox(QStringLiteral("Condiciones"), this);
    box->setObjectName(QStringLiteral("fraFiltros"));
    auto* v = new QVBoxLayout(box);
    v->setSpacing(2);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);

    lblCabeceraFiltros = new QLabel(filterListHeader(), box);
    lblCabeceraFiltros->setObjectName(QStringLiteral("lblCabeceraFiltros"));
    lblCabeceraFiltros->setFont(mono);
    lblCabeceraFiltros->setStyleSheet(QStringLiteral("background: #2b5797; color: white; padding: 3px 4px; font-weight: bold;"));
    v->addWidget(lblCabeceraFiltros);

    lstFiltros = new QListWidget(box);
    lstFiltros->setObjectName(QStringLiteral("lstFiltros"));
    lstFiltros->setFont(mono);
    lstFiltros->setAlternatingRowColors(true);
    lstFiltros->setSelectionMode(QAbstractItemView::SingleSelection);
    lstFiltros->setToolTip(QStringLiteral("Doble clic: abrir la condición · Clic derecho: activar/desactivar"));
    lstFiltros->setStyleSheet(QStringLiteral("QListWidget { background: white; alternate-background-color: #f3f6fb; }"
                                             "QListWidget::item { padding: 1px 2px; }"
                                             "QListWidget::item:selected { background: #cfdcf0; color: black; }"));
    for (int p = 0; p < kFilterRowCount; ++p) new QListWidgetItem(lstFiltros);
    lstFiltros->viewport()->installEventFilter(this);
    connect(lstFiltros, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) { openFilterRow(lstFiltros->row(item)); });
    v->addWidget(lstFiltros, 1);

    chkGuardarAutomaticamente = new QCheckBox(QStringLiteral("Guardar automáticamente en ASCII al terminar de calcular"), box);
    chkGuardarAutomaticamente->setObjectName(QStringLiteral("chkGuardarAutomaticamente"));
    connect(chkGuardarAutomaticamente, &QCheckBox::toggled, this, [this](bool on) { state_.saveWhenDone = on; });
    v->addWidget(chkGuardarAutomaticamente);
    return box;
}

QWidget* frmPrincipal::buildCommandBar()
{
    auto* bar = new QFrame(this);
    bar->setObjectName(QStringLiteral("fraMenu"));
    bar->setStyleSheet(QStringLiteral("QFrame#fraMenu { background: #e6e9ef; border-radius: 5px; }"
                                      "QToolButton { border: 1px solid transparent; border-radius: 4px; padding: 6px 12px; font-weight: bold; color: #1d2b44; }"
                                      "QToolButton:hover { border: 1px solid #2b5797; background: #f7f9fc; }"
                                      "QToolButton:focus { border: 1px dotted #2b5797; }"
                                      // The calculations stand out in red, but only while they can be used.
                                      "QToolButton[accent=\"red\"] { color: #b3151b; }"
                                      "QToolButton:disabled { color: #9aa1ad; }"));
    auto* h = new QHBoxLayout(bar);
    h->setContentsMargins(6, 4, 6, 4);
    const char* captions[7] = {"NUEVO", "ABRIR", "GUARDAR", "VALIDAR ON LINE", "Cálculo de Prueba", "Análisis", "Cálculo Definitivo"};
    const char* tips[7] = {"Nuevo fichero Base en XML de KOMBITRON", "Abrir fichero Base en XML de KOMBITRON",
                           "Guardar fichero Base en XML de KOMBITRON", "Validar ON LINE las apuestas", "Calcular", "",
                           "Cálculo con grabación de apuestas"};
    for (int i = 0; i < 7; ++i) {
        auto* b = new QToolButton(bar);
        b->setObjectName(QStringLiteral("lblMenu_%1").arg(i));
        b->setText(QString::fromUtf8(captions[i]));
        if (*tips[i]) b->setToolTip(QString::fromUtf8(tips[i]));
        b->setAutoRaise(true);
        b->setCursor(Qt::PointingHandCursor);
        lblMenu[i] = b;
        h->addWidget(b);
        if (i == 3) h->addStretch();
    }
    connect(lblMenu[0], &QToolButton::clicked, this, [this] { cmdNuevo(); });
    connect(lblMenu[1], &QToolButton::clicked, this, [this] { cmdAbrir(); });
    connect(lblMenu[2], &QToolButton::clicked, this, [this] { cmdGuardar(); });
    connect(lblMenu[3], &QToolButton::clicked, this, [this] { cmdValidarOnLine(); });
    connect(lblMenu[4], &QToolButton::clicked, this, [this] { cmdCalculoPrueba(); });
    connect(lblMenu[5], &QToolButton::clicked, this, [this] { cmdAnalisis(); });
    connect(lblMenu[6], &QToolButton::clicked, this, [this] { cmdCalculoDefinitivo(); });
    lblMenu[4]->setProperty("accent", QStringLiteral("red"));
    lblMenu[6]->setProperty("accent", QStringLiteral("red"));
    return bar;
}

void frmPrincipal::buildWaitingPanel(QWidget* host)
{
    picVentanaEspera = new WaitingPanel(host, QStringLiteral("picVentanaEspera"), QStringLiteral("lblEspera"),
                                        QStringLiteral("Guardando por favor espere ..."));
    lblProgressBar = picVentanaEspera->bar();
}

// ---- refreshing -------------------------------------------------------------------------------

void frmPrincipal::refreshAll()
{
    refreshSelectors();
    refreshGrid();
    refreshCounters();
    refreshFilterList();
    refreshTitle();
}

void frmPrincipal::refreshSelectors()
{
    const QSignalBlocker b1(cboTipoJuego), b2(cboTipoCombinacion), b3(cboTipoReintegro), b4(chkReintegros),
        b5(chkGuardarAutomaticamente);
    const bool primitiva = state_.base.gameName == "PRIMITIVA";
    cboTipoJuego->setCurrentIndex(primitiva ? 0 : 1);
    imgTipoJuego->setPixmap(gameBadge(primitiva, devicePixelRatioF()));
    cboTipoCombinacion->setCurrentIndex(static_cast<int>(state_.base.kind));
    cboTipoReintegro->setCurrentIndex(static_cast<int>(state_.base.reintegroMode));
    chkReintegros->setChecked(state_.base.loadReintegros);
    chkGuardarAutomaticamente->setChecked(state_.saveWhenDone);
    applyKindLayout();
}

void frmPrincipal::applyKindLayout()
{
    const bool primitiva = state_.base.gameName == "PRIMITIVA";
    const bool fromFile = state_.base.kind == CombinationKind::FromFile;
    for (QWidget* w : {static_cast<QWidget*>(picReintegros), static_cast<QWidget*>(lblReintegros),
                       static_cast<QWidget*>(lblEtqCargarReintegros), static_cast<QWidget*>(chkReintegros)})
        w->setVisible(primitiva);
    cboTipoReintegro->setVisible(primitiva && !fromFile);
    cmdCuadroApuDirecto->setText(fromFile ? QStringLiteral("Apuestas Importadas") : QStringLiteral("Apuestas en Directo"));
    txtFicheroASCII->setVisible(fromFile);
    lblEtqFicheroASCII->setVisible(fromFile);
    const bool commands = !busy_;
    picNumeros->setEnabled(commands && !fromFile);
    picReintegros->setEnabled(commands && !fromFile);
    cboTipoReintegro->setEnabled(commands && !fromFile);
}

void frmPrincipal::refreshGrid()
{
    gridNumeros->setMarkedNumbers(state_.base.markedNumbers);
    for (int d = 0; d <= 9; ++d) lblReintegro[d]->setMarked(state_.base.markedReintegros[d] != 0);
}

void frmPrincipal::refreshCounters()
{
    lblTipoCombinacion->setText(QStringLiteral("%1 Números").arg(markedNumberCount(state_)));
    lblApuestasIniciales->setText(count(state_.initialCount));
    lblApuestasCondicionadas->setText(count(state_.conditionedCount));
    lblApuestasReducidas->setText(count(state_.reducedCount));
    lblCosteSorteo->setText(qs(costPerDrawText(state_.reducedCount, state_.base.game)));
    lblGarantia->setText(qs("Garantía: " + guaranteeHeadline_));
    lblGarantia->setVisible(!guaranteeHeadline_.empty());
}

void frmPrincipal::refreshFilterList()
{
    for (int p = 0; p < kFilterRowCount; ++p) {
        QListWidgetItem* item = lstFiltros->item(p);
        const std::string& row = state_.filterRows[p];
        item->setText(qs(row));
        item->setForeground(isRowActive(row) ? QColor(colors::kMarkRed) : QColor(QStringLiteral("#333333")));
        QFont f = item->font();
        f.setBold(isRowActive(row));
        item->setFont(f);
    }
}

void frmPrincipal::showReadSoFar(const std::array<uint8_t, 50>& numbers, const std::array<uint8_t, 10>& reintegros,
                                 int64_t bets)
{
    gridNumeros->setMarkedNumbers(numbers);
    for (int d = 0; d <= 9; ++d) lblReintegro[d]->setMarked(reintegros[d] != 0);
    int marked = 0;
    for (int n = 1; n <= 49; ++n) marked += numbers[n] != 0 ? 1 : 0;
    lblTipoCombinacion->setText(QStringLiteral("%1 Números").arg(marked));
    lblApuestasIniciales->setText(count(bets));
}

void frmPrincipal::refreshTitle()
{
    QString title = QStringLiteral("KOMBITRON " KOMBITRON_VERSION);
    if (titleShowsFile_) title += QStringLiteral(" - Fichero : ") + qs(state_.baseFileName);
    setWindowTitle(title);
}

// ---- selectors --------------------------------------------------------------------------------

void frmPrincipal::onGameChanged(int index)
{
    if (index < 0) return;
    selectGame(state_, index == 0 ? GameType::Primitiva : GameType::Bonoloto);
    refreshSelectors();
}

void frmPrincipal::onKindChanged(int index)
{
    if (busy_ || changingKind_ || index < 0) return;
    const auto kind = static_cast<CombinationKind>(index);
    const bool primitiva = state_.base.gameName == "PRIMITIVA";
    if (kind == CombinationKind::Manual) {
        if (!unsavedPrompt()) {
            const QSignalBlocker block(cboTipoCombinacion);
            cboTipoCombinacion->setCurrentIndex(previousKind_);
            return;
        }
        resetToNew();
        previousKind_ = index;
        refreshAll();
        return;
    }
    if (kind == CombinationKind::RandomForecast) {
        state_.base.kind = kind;
        if (primitiva) state_.base.reintegroMode = ReintegroMode::Direct;
        previousKind_ = index;
        refreshAll();
        if (openRandomMarking) {
            openRandomMarking(this);
            refreshAll();
        }
        return;
    }
    // FromFile
    state_.base.kind = kind;
    if (primitiva) state_.base.reintegroMode = ReintegroMode::Direct;
    previousKind_ = index;
    refreshAll();
    importAsBase();
}

// ---- grid -------------------------------------------------------------------------------------

void frmPrincipal::afterGridEdit()
{
    state_.savedFlag = false;
    refreshGrid();
    refreshCounters();
}

void frmPrincipal::onNumberClicked(int number)
{
    setNumberMarked(state_, number, !state_.base.markedNumbers[number]);
    afterGridEdit();
}

void frmPrincipal::onRowToggle(int digit)
{
    const int first = digit == 0 ? 10 : digit;
    const bool mark = !state_.base.markedNumbers[first];
    for (int n = digit; n <= 49; n += 10)
        if (n >= 1) setNumberMarked(state_, n, mark);
    afterGridEdit();
}

void frmPrincipal::onColumnToggle(int column)
{
    const bool mark = !state_.base.markedNumbers[10 * column + 1];
    for (int n = 10 * column; n <= 10 * column + 9 && n <= 49; ++n)
        if (n >= 1) setNumberMarked(state_, n, mark);
    afterGridEdit();
}

void frmPrincipal::onAllToggle()
{
    if (markedNumberCount(state_) > 0) {
        for (int n = 1; n <= 49; ++n) setNumberMarked(state_, n, false);
        for (int d = 0; d <= 9; ++d) setReintegroMarked(state_, d, false);
        state_.base.reintegroMode = ReintegroMode::Direct;
        refreshSelectors();
        refreshGrid();
        refreshCounters();
        return;
    }
    for (int n = 1; n <= 49; ++n) setNumberMarked(state_, n, true);
    afterGridEdit();
}

void frmPrincipal::onReintegroClicked(int digit)
{
    setReintegroMarked(state_, digit, !state_.base.markedReintegros[digit]);
    afterGridEdit();
}

// The guarantees windows, opened from here and from the process window, report on leaving the
// guarantee their table proves in full; the last one is the headline.
void frmPrincipal::showGuaranteeHeadline(const QString& headline)
{
    guaranteeHeadline_ = headline.toStdString();
    refreshCounters();
}

// ---- filter list ------------------------------------------------------------------------------

bool frmPrincipal::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lstFiltros->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() == Qt::RightButton) {
            QListWidgetItem* item = lstFiltros->itemAt(me->position().toPoint());
            if (item) {
                lstFiltros->setCurrentItem(item);
                switchFilterRow(lstFiltros->row(item));
            }
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmPrincipal::switchFilterRow(int row)
{
    if (busy_ || row < 0 || row >= kFilterRowCount) return;
    toggleRow(state_.filterRows[row]);
    refreshFilterList();
}

void frmPrincipal::openFilterRow(int row)
{
    if (busy_ || row < 0 || row >= kFilterRowCount) return;
    if (row == kReductionRow) {
        frmReduccion dialog(state_, this);
        dialog.exec();
        rebuildFilterRow(state_, kReductionRow);
        refreshFilterList();
        return;
    }
    state_.savedFlag = false;
    // The opener rewinds the window's entry cursor and rebuilds the row when the window closes.
    openFilterWindow(FilterWindowContext{row, state_, ui_, this});
    refreshFilterList();
}

// ---- commands ---------------------------------------------------------------------------------

bool frmPrincipal::unsavedPrompt()
{
    return state_.savedFlag || ui_.question(kUnsavedContinue);
}

void frmPrincipal::resetToNew()
{
    guaranteeHeadline_.clear();
    state_.base.markedNumbers.fill(0);
    state_.base.markedReintegros.fill(0);
    state_.base.reintegroMode = ReintegroMode::Direct;
    state_.base.kind = CombinationKind::Manual;
    state_.base.importedBets.clear();
    state_.base.importedFileName.clear();
    txtFicheroASCII->clear();
    txtFicheroASCII->setToolTip(QString());
    recomputeCounters(state_);
    ResetStateDefaults(state_);
    state_.baseFileName = "Sin guardar.xml";
    titleShowsFile_ = true;
    resetFilterRows(state_);
    state_.filterEliminationCounts.fill(0);
    state_.conditioningRan = false;
    refreshEliminatedColumn(state_);
    state_.winning = WinningCombination{};
    state_.savedFlag = true;
}

void frmPrincipal::cmdNuevo()
{
    if (busy_ || !unsavedPrompt()) return;
    resetToNew();
    previousKind_ = 0;
    refreshAll();
}

void frmPrincipal::cmdAbrir()
{
    if (busy_ || !unsavedPrompt()) return;
    if (!OpenBaseFileDialog(state_, ui_)) return;
    guaranteeHeadline_.clear();
    if (state_.base.kind != CombinationKind::FromFile) recomputeCounters(state_);
    titleShowsFile_ = true;
    refreshAll();
}

void frmPrincipal::cmdGuardar()
{
    if (busy_) return;
    if (SaveBaseFileDialog(state_, ui_)) titleShowsFile_ = true;
    refreshTitle();
}

void frmPrincipal::cmdValidarOnLine()
{
    std::string failure;
    ui_.openWebPage(validationPage(state_.base.gameName), failure); // fails silently
}

void frmPrincipal::cmdCalculoPrueba()
{
    if (busy_) return;
    state_.saveWhenDone = false;
    {
        const QSignalBlocker block(chkGuardarAutomaticamente);
        chkGuardarAutomaticamente->setChecked(false);
    }
    runCalculation();
}

void frmPrincipal::cmdCalculoDefinitivo()
{
    if (busy_) return;
    setBusy(true);
    showWaitingPanel();
    runner_->startOnState<FlowResult>(
        state_,
        [](AppState& work, Progress&, const StopToken&, Interaction& ui) {
            FlowResult result;
            result.completed = runDefinitiveSave(work, ui);
            return result;
        },
        [this](FlowResult result) {
            picVentanaEspera->hide();
            setBusy(false);
            refreshAll();
            if (result.failed()) ui_.error("ERROR: " + result.failure);
        });
}

void frmPrincipal::cmdAnalisis()
{
    if (busy_) return;
    if (state_.reducedCount == 0) {
        ui_.error(kNoBets);
        return;
    }
    frmAnalisis window(state_, ui_, this);
    window.publicApuestasAnalizar = static_cast<int32_t>(state_.reducedCount);
    window.exec();
}

void frmPrincipal::cmdGarantias()
{
    if (busy_) return;
    if (state_.reducedCount == 0) {
        ui_.error(kNoBets);
        return;
    }
    frmGarantiasTOTAL window(state_, ui_, this);
    connect(&window, &frmGarantiasTOTAL::guaranteeProved, this, &frmPrincipal::showGuaranteeHeadline);
    window.exec();
}

void frmPrincipal::cmdResumenFiltros()
{
    if (!busy_) showFilterSummary(state_, ui_);
}

void frmPrincipal::cmdInformeEliminadas()
{
    if (!busy_) showEliminationReport(state_, ui_);
}

void frmPrincipal::cmdAyudaOnline()
{
    std::string failure;
    if (ui_.openWebPage(web::kHelpSite, failure)) return;
    ui_.error(failure.empty() ? "ERROR: FICHERO DE AYUDA ERRONEO" : "ERROR: FICHERO DE AYUDA NO ENCONTRADO O ERRONEO");
}

void frmPrincipal::cmdAcercaDe()
{
    frmAcercaDe about(this);
    about.exec();
}

frmEstadisticas* frmPrincipal::statisticsWindow() const { return estadisticas_; }

void frmPrincipal::cmdEstadisticas()
{
    if (busy_) return;
    if (!estadisticas_) {
        estadisticas_ = new frmEstadisticas(state_.base.gameName, ui_, this);
        estadisticas_->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (estadisticas_->isMinimized()) estadisticas_->showNormal();
    else estadisticas_->show();
    estadisticas_->raise();
    estadisticas_->activateWindow();
}

void frmPrincipal::cmdEscrutinios()
{
    if (busy_) return;
    frmEscrutar window(state_, ui_, this);
    window.ApuestasATRATAR = state_.reducedCount;
    window.exec();
}

void frmPrincipal::cmdMultiEscrutinioMultiFichero()
{
    if (busy_) return;
    frmMultiEscrutinioMultiFichero window(ui_, this);
    window.exec();
}

void frmPrincipal::cmdMultiEscrutinioEstadistico()
{
    if (busy_) return;
    frmMultiEscrutinioEstadistico window(state_.base.gameName, ui_, this);
    window.exec();
}

void frmPrincipal::cmdPronosticoAleatorio(QWidget* parent)
{
    frmPronosticoAleatorio window(state_, ui_, parent);
    // The grid and the counters follow every draw while the window stays open.
    connect(&window, &frmPronosticoAleatorio::marked, this, [this] {
        refreshGrid();
        refreshCounters();
    });
    window.exec();
}

void frmPrincipal::cmdVisualizarArchivo()
{
    if (busy_) return;
    frmVisualizarArchivo window(state_.base.game, ui_, this);
    window.exec();
}

void frmPrincipal::cmdAlgebra()
{
    if (busy_) return;
    frmAlgebra window(ui_, this);
    window.exec();
}

void frmPrincipal::cmdSistemasPropios()
{
    if (busy_) return;
    frmSistemasPropios window(ui_, state_.baseFileName, this);
    window.exec();
}

void frmPrincipal::cmdGeneradorNumeros()
{
    if (busy_) return;
    frmGeneradorNumeros window(ui_, this);
    window.exec();
}

void frmPrincipal::cmdGeneradorPorcentajes()
{
    if (busy_) return;
    frmGeneradorPorcentajes window(ui_, this);
    window.exec();
}

void frmPrincipal::cmdSalir()
{
    if (busy_) return;
    if (!state_.savedFlag && !ui_.question(kUnsavedExit)) return;
    leaving_ = true;
    close();
}

void frmPrincipal::closeEvent(QCloseEvent* event)
{
    if (busy_ || runner_->busy()) {
        event->ignore();
        return;
    }
    if (!leaving_ && event->spontaneous() && !state_.savedFlag && !ui_.question(kUnsavedExit)) {
        event->ignore();
        return;
    }
    state_.totalSystem.clear();
    state_.conditionedSystem.clear();
    state_.finalSystem.clear();
    state_.savingCopy.clear();
    state_.eliminationFlags.clear();
    state_.eliminationFlags.shrink_to_fit();
    if (estadisticas_) estadisticas_->closeForExit();
    event->accept();
}

// ---- long work --------------------------------------------------------------------------------

void frmPrincipal::setBusy(bool busy)
{
    busy_ = busy;
    setCommandsEnabled(!busy);
}

void frmPrincipal::setCommandsEnabled(bool enabled)
{
    menuBar()->setEnabled(enabled);
    for (auto* b : lblMenu) b->setEnabled(enabled);
    lstFiltros->setEnabled(enabled);
    cboTipoCombinacion->setEnabled(enabled);
    cboTipoJuego->setEnabled(enabled);
    picBanner2->setEnabled(enabled);
    chkReintegros->setEnabled(enabled);
    lblEtqCargarReintegros->setEnabled(enabled);
    const bool fromFile = state_.base.kind == CombinationKind::FromFile;
    picNumeros->setEnabled(enabled && !fromFile);
    picReintegros->setEnabled(enabled && !fromFile);
    cboTipoReintegro->setEnabled(enabled && !fromFile);
}

void frmPrincipal::startBlinking()
{
    blink_->start();
}

void frmPrincipal::stopBlinking()
{
    blink_->stop();
    QPalette pal = lblApuestasCondicionadas->palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    lblApuestasCondicionadas->setPalette(pal);
}

void frmPrincipal::showWaitingPanel() { picVentanaEspera->popUp(); }

void frmPrincipal::runCalculation()
{
    guaranteeHeadline_.clear();
    setBusy(true);
    startBlinking();
    runner_->startOnState<CalculationResult>(
        state_,
        [](AppState& work, Progress&, const StopToken&, Interaction& ui) { return startCalculation(work, ui); },
        [this](CalculationResult result) { afterConditioning(result.needsReduction, result.failed() ? result.failure : ""); });
}

// The conditioned system is in place: when it waits for a reduction, the process window takes
// over (its own jobs reduce) and the calculation goes on once it closes.
void frmPrincipal::afterConditioning(bool needsReduction, const std::string& crash)
{
    stopBlinking();
    if (!crash.empty() || !needsReduction) {
        endCalculation(crash);
        return;
    }
    refreshCounters();
    refreshFilterList();
    auto* window = new frmVentanaProceso(state_, ui_, this);
    connect(window, &frmVentanaProceso::guaranteeProved, this, &frmPrincipal::showGuaranteeHeadline);
    connect(window, &frmVentanaProceso::reducedCountChanged, this,
            [this](qint64 n) {
                lblApuestasReducidas->setText(count(n));
                lblCosteSorteo->setText(qs(costPerDrawText(n, state_.base.game)));
            });
    connect(window, &QDialog::finished, this, [this, window] {
        window->deleteLater();
        finishCalculation();
    });
    window->open();
}

void frmPrincipal::finishCalculation()
{
    refreshCounters();
    if (state_.saveWhenDone) showWaitingPanel();
    runner_->startOnState<CalculationResult>(
        state_,
        [](AppState& work, Progress&, const StopToken&, Interaction& ui) { return kombitron::finishCalculation(work, ui); },
        [this](CalculationResult result) { endCalculation(result.failed() ? result.failure : ""); });
}

void frmPrincipal::endCalculation(const std::string& crash)
{
    picVentanaEspera->hide();
    if (!crash.empty()) {
        state_.conditionedCount = 0;
        state_.saveWhenDone = false;
    }
    setBusy(false);
    refreshAll();
    {
        const QSignalBlocker block(chkGuardarAutomaticamente);
        chkGuardarAutomaticamente->setChecked(state_.saveWhenDone);
    }
    if (!crash.empty()) ui_.error("ERROR: " + crash);
}

void frmPrincipal::importAsBase()
{
    guaranteeHeadline_.clear();
    setBusy(true);
    startBlinking();
    runner_->startOnState<FlowResult>(
        state_,
        [this, runner = runner_](AppState& work, Progress&, const StopToken&, Interaction& ui) {
            FlowResult result;
            // The marks and the bets read reach the window ahead of the warnings about them: both
            // travel through the runner's queue, in order.
            result.completed = importAsBaseDialog(work, ui, [this, runner](const AppState& read) {
                runner->post([this, numbers = read.base.markedNumbers, reintegros = read.base.markedReintegros,
                              bets = read.initialCount] { showReadSoFar(numbers, reintegros, bets); });
            });
            return result;
        },
        [this](FlowResult result) {
            stopBlinking();
            setBusy(false);
            const std::string& path = state_.base.importedFileName;
            txtFicheroASCII->setText(qs(fileNameOf(path)));
            txtFicheroASCII->setToolTip(qs(path));
            refreshAll();
            if (result.failed()) ui_.error("ERROR AL IMPORTAR EL FICHERO, FICHERO NO IMPORTADO (" + result.failure + ")");
        });
}

} // namespace kombitron::ui
