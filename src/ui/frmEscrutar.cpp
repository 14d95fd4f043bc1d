#include "ui/frmEscrutar.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QVBoxLayout>

#include "core/format.h"
#include "core/interaction.h"
#include "core/paths.h"
#include "core/state.h"
#include "flows/scrutiny_flows.h"
#include "formats/bet_files.h"
#include "ui/frmCalculadoraPremios.h"
#include "ui/job_runner.h"
#include "ui/widgets/icons.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/mark_cell.h"
#include "ui/widgets/ticket_grid.h"

namespace kombitron::ui {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }
QString count(int64_t v) { return qs(formatCount(v)); }

// What reading a bet file hands back to the window.
struct FileLoadResult : JobOutcome {
    ScrutinyFileLoad load;
};

QLabel* valueLabel(const QString& name, QWidget* parent)
{
    auto* l = new QLabel(QStringLiteral("0"), parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(96);
    l->setStyleSheet(QStringLiteral("QLabel { background: white; border: 1px solid #c4c9d1; border-radius: 3px; padding: 1px 6px; font-weight: bold; }"
                                    "QLabel:disabled { color: #8a8f98; }"));
    return l;
}

// A line of `lstPremios` is the category, a TAB and the count: drawn as two columns, the counts
// right-aligned, prized categories that were hit in bold.
class PrizeLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt(option);
        initStyleOption(&opt, index);
        const QString text = opt.text;
        opt.text.clear();
        const QWidget* widget = opt.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

        const QRect area = opt.rect.adjusted(10, 0, -10, 0);
        const qsizetype tab = text.indexOf(QLatin1Char('\t'));
        painter->save();
        const bool enabled = opt.state & QStyle::State_Enabled;
        painter->setPen(opt.palette.color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::Text));
        if (tab < 0) {
            painter->setPen(QColor(0x8a, 0x8f, 0x98));
            painter->drawText(area, Qt::AlignVCenter | Qt::AlignLeft, text);
        } else {
            const QString category = text.left(tab);
            const QString value = text.mid(tab + 1);
            static const QStringList kPrized = {QStringLiteral("6"), QStringLiteral("5+C"), QStringLiteral("5"),
                                                QStringLiteral("4"), QStringLiteral("3"), QStringLiteral("Reinteg.")};
            QFont f = opt.font;
            if (kPrized.contains(category) && value != QLatin1String("0")) {
                f.setBold(true);
                if (enabled) painter->setPen(QColor(QLatin1String(colors::kHitGreen)));
            }
            painter->setFont(f);
            painter->drawText(area, Qt::AlignVCenter | Qt::AlignLeft, category);
            painter->drawText(area, Qt::AlignVCenter | Qt::AlignRight, value);
        }
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), option.fontMetrics.height() + 6));
        return size;
    }
};

} // namespace

frmEscrutar::frmEscrutar(AppState& state, Interaction& ui, QWidget* parent) : QDialog(parent), state_(state), ui_(ui)
{
    runner_ = new JobRunner(ui_, this);
    setObjectName(QStringLiteral("frmEscrutar"));
    setWindowTitle(QStringLiteral("ESCRUTAR - ") + qs(state_.base.gameName));
    setModal(true);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(10, 8, 10, 8);
    outer->setSpacing(8);
    auto* middle = new QHBoxLayout;
    middle->setSpacing(10);
    middle->addWidget(buildWinning(), 0);
    auto* right = new QVBoxLayout;
    right->setSpacing(8);
    right->addWidget(buildBets());
    right->addWidget(buildResult(), 1);
    middle->addLayout(right, 1);
    outer->addLayout(middle, 1);

    auto* bar = new QHBoxLayout;
    imgEscrutar = new ImageButton(QStringLiteral("imgEscrutar"), AppIcon::Calculate, QStringLiteral("Escrutar combinación"), this);
    imgVerBoletosPremiados = new ImageButton(
        QStringLiteral("imgVerBoletosPremiados"), AppIcon::Report,
        QStringLiteral("Ver informe de número de apuestas premiadas en el Bloc de Notas (sólo las premiadas)"), this);
    imgCalculadoraPremios = new ImageButton(QStringLiteral("imgCalculadoraPremios"), AppIcon::Calculator,
                                            QStringLiteral("Calculadora de Premios"), this);
    lblEscrutando = new QLabel(QStringLiteral("Escrutando ..."), this);
    lblEscrutando->setObjectName(QStringLiteral("lblEscrutando"));
    QFont f = lblEscrutando->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    lblEscrutando->setFont(f);
    // Keep its room when hidden, so nothing moves while it blinks in and out.
    QSizePolicy keep = lblEscrutando->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    lblEscrutando->setSizePolicy(keep);
    lblEscrutando->hide();
    imgVolver = makeVolverButton(this, QStringLiteral("Cerrar"));
    bar->addWidget(imgEscrutar);
    bar->addWidget(imgVerBoletosPremiados);
    bar->addWidget(imgCalculadoraPremios);
    bar->addSpacing(16);
    bar->addWidget(lblEscrutando);
    bar->addStretch();
    bar->addWidget(imgVolver);
    outer->addLayout(bar);

    blink_ = new QTimer(this);
    blink_->setInterval(5);
    connect(blink_, &QTimer::timeout, this, [this] {
        QPalette pal = lblEscrutando->palette();
        pal.setColor(QPalette::WindowText, QColor(int(blinkRng_.below(256)), int(blinkRng_.below(256)), int(blinkRng_.below(256))));
        lblEscrutando->setPalette(pal);
    });

    connect(gridNumeros, &TicketGrid::numberClicked, this, &frmEscrutar::clickNumber);
    connect(imgININumeros, &QToolButton::clicked, this, &frmEscrutar::inicializarNumeros);
    connect(cboComplementario, &QComboBox::activated, this, [this] {
        storeWinning();
        colourComplementary();
    });
    connect(cboReintegro, &QComboBox::activated, this, [this] { storeWinning(); });
    connect(modes_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked) selectMode(id);
    });
    connect(cmdDesdeFichero, &QPushButton::clicked, this, &frmEscrutar::abrirFichero);
    connect(chkReintegros, &QCheckBox::toggled, this, [this] {
        // The file has to be read again with the new choice.
        clearFile();
        escrutar();
    });
    connect(imgEscrutar, &QToolButton::clicked, this, &frmEscrutar::escrutar);
    connect(imgVerBoletosPremiados, &QToolButton::clicked, this, &frmEscrutar::verBoletosPremiados);
    connect(imgCalculadoraPremios, &QToolButton::clicked, this, &frmEscrutar::calculadoraPremios);
    connect(imgVolver, &QToolButton::clicked, this, &frmEscrutar::cerrar);
    // While a file is read its bets are counted as they come.
    connect(runner_, &JobRunner::progressed, this, [this](qint64 done, qint64) {
        if (!lblEscrutando->isVisible()) lblApuCombinacionNueva->setText(count(done));
    });

    bets_ = std::make_shared<BetList>();
    resize(820, 560);
}

frmEscrutar::~frmEscrutar() { runner_->stopAndWait(); }

// ---- building -----------------------------------------------------------------------------------

QWidget* frmEscrutar::buildWinning()
{
    auto* box = new QGroupBox(QStringLiteral("Combinación Ganadora"), this);
    box->setObjectName(QStringLiteral("fraCombinacionGanadora"));
    auto* v = new QVBoxLayout(box);
    v->setSpacing(8);
    gridNumeros = new TicketGrid(box, QStringLiteral("lblNumero"), false, 28);
    gridNumeros->setObjectName(QStringLiteral("picNumeros"));
    v->addWidget(gridNumeros, 0, Qt::AlignHCenter);

    auto* count = new QHBoxLayout;
    lblTipoCombinacion = new QLabel(QStringLiteral("0 Números Seleccionados"), box);
    lblTipoCombinacion->setObjectName(QStringLiteral("lblTipoCombinacion"));
    lblTipoCombinacion->setStyleSheet(QStringLiteral("font-weight: bold; color: %1;").arg(QLatin1String(colors::kMarkRed)));
    imgININumeros = new ImageButton(QStringLiteral("imgININumeros"), AppIcon::ClearAll, QStringLiteral("Inicializa todos los números"), box, 24);
    count->addWidget(lblTipoCombinacion, 1);
    count->addWidget(imgININumeros);
    v->addLayout(count);

    auto* extras = new QGridLayout;
    extras->setHorizontalSpacing(8);
    lblComplementario = new QLabel(QStringLiteral("Nº Complementario"), box);
    lblComplementario->setObjectName(QStringLiteral("lblComplementario"));
    cboComplementario = new QComboBox(box);
    cboComplementario->setObjectName(QStringLiteral("cboComplementario"));
    cboComplementario->addItem(QStringLiteral("--"));
    for (int n = 1; n <= 49; ++n) cboComplementario->addItem(QString::number(n));
    cboComplementario->setMaxVisibleItems(14);
    lblComplementario->setBuddy(cboComplementario);
    lblReintegro = new QLabel(QStringLiteral("Reintegro:"), box);
    lblReintegro->setObjectName(QStringLiteral("lblReintegro"));
    cboReintegro = new QComboBox(box);
    cboReintegro->setObjectName(QStringLiteral("cboReintegro"));
    for (int d = 0; d <= 9; ++d) cboReintegro->addItem(QString::number(d));
    lblReintegro->setBuddy(cboReintegro);
    extras->addWidget(lblComplementario, 0, 0);
    extras->addWidget(cboComplementario, 0, 1);
    extras->addWidget(lblReintegro, 1, 0);
    extras->addWidget(cboReintegro, 1, 1);
    extras->setColumnStretch(2, 1);
    v->addLayout(extras);
    v->addStretch();

    const bool primitiva = state_.base.game == GameType::Primitiva;
    lblReintegro->setVisible(primitiva);
    cboReintegro->setVisible(primitiva);
    return box;
}

QWidget* frmEscrutar::buildBets()
{
    auto* box = new QGroupBox(QStringLiteral("Apuestas a escrutar"), this);
    box->setObjectName(QStringLiteral("fraApuestas"));
    auto* g = new QGridLayout(box);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(6);
    modes_ = new QButtonGroup(this);
    const char* const captions[2] = {"Combinación actual : ", "Combinación nueva : "};
    for (int m = 0; m < 2; ++m) {
        optModo[m] = new QRadioButton(QString::fromUtf8(captions[m]), box);
        optModo[m]->setObjectName(QStringLiteral("optModo_%1").arg(m));
        modes_->addButton(optModo[m], m);
    }
    lblApuCombinacionActual = valueLabel(QStringLiteral("lblApuCombinacionActual"), box);
    lblApuCombinacionNueva = valueLabel(QStringLiteral("lblApuCombinacionNueva"), box);
    auto* apuestas = new QLabel(QStringLiteral("Apuestas"), box);
    auto* apuestas2 = new QLabel(QStringLiteral("Apuestas"), box);

    cmdDesdeFichero = new QPushButton(box);
    cmdDesdeFichero->setObjectName(QStringLiteral("cmdDesdeFichero"));
    cmdDesdeFichero->setIcon(appIcon(AppIcon::OpenFile));
    cmdDesdeFichero->setIconSize(QSize(22, 22));
    cmdDesdeFichero->setToolTip(QStringLiteral("Abrir una combinación"));
    cmdDesdeFichero->setAccessibleName(QStringLiteral("Abrir una combinación"));
    txtFicheroASCII = new QLineEdit(box);
    txtFicheroASCII->setObjectName(QStringLiteral("txtFicheroASCII"));
    txtFicheroASCII->setReadOnly(true);
    chkReintegros = new QCheckBox(box);
    chkReintegros->setObjectName(QStringLiteral("chkReintegros"));
    lblEtqCargarReintegros = new QLabel(QStringLiteral("Cargar Reintegros"), box);
    lblEtqCargarReintegros->setObjectName(QStringLiteral("lblEtqCargarReintegros"));
    lblEtqCargarReintegros->setBuddy(chkReintegros);
    chkReintegros->setAccessibleName(lblEtqCargarReintegros->text());
    // A click on the caption ticks the box, as on the main window.
    lblEtqCargarReintegros->installEventFilter(this);

    g->addWidget(optModo[0], 0, 0);
    g->addWidget(lblApuCombinacionActual, 0, 1);
    g->addWidget(apuestas, 0, 2);
    g->addWidget(optModo[1], 1, 0);
    g->addWidget(lblApuCombinacionNueva, 1, 1);
    g->addWidget(apuestas2, 1, 2);
    auto* file = new QHBoxLayout;
    file->addWidget(cmdDesdeFichero);
    file->addWidget(txtFicheroASCII, 1);
    file->addSpacing(10);
    file->addWidget(chkReintegros);
    file->addWidget(lblEtqCargarReintegros);
    g->addLayout(file, 2, 0, 1, 4);
    g->setColumnStretch(3, 1);
    return box;
}

QWidget* frmEscrutar::buildResult()
{
    auto* box = new QGroupBox(QStringLiteral("Premios"), this);
    box->setObjectName(QStringLiteral("fraPremios"));
    auto* v = new QVBoxLayout(box);
    v->setSpacing(6);
    auto* counts = new QHBoxLayout;
    lblApuestas = valueLabel(QStringLiteral("lblApuestas"), box);
    lblBoletos = valueLabel(QStringLiteral("lblBoletos"), box);
    counts->addWidget(new QLabel(QStringLiteral("Apuestas"), box));
    counts->addWidget(lblApuestas);
    counts->addSpacing(18);
    counts->addWidget(new QLabel(QStringLiteral("Boletos"), box));
    counts->addWidget(lblBoletos);
    counts->addStretch();
    v->addLayout(counts);

    lstPremios = new QListWidget(box);
    lstPremios->setObjectName(QStringLiteral("lstPremios"));
    lstPremios->setSelectionMode(QAbstractItemView::NoSelection);
    lstPremios->setFocusPolicy(Qt::NoFocus);
    lstPremios->setItemDelegate(new PrizeLineDelegate(lstPremios));
    lstPremios->setMinimumWidth(260);
    lstPremios->setStyleSheet(QStringLiteral("QListWidget { background: white; }"));
    v->addWidget(lstPremios, 1);
    return box;
}

// ---- the winning combination --------------------------------------------------------------------

int frmEscrutar::mode() const { return optModo[1]->isChecked() ? 1 : 0; }

bool frmEscrutar::isBusy() const { return runner_->busy(); }

void frmEscrutar::clickNumber(int number)
{
    if (isBusy() || number < kMinNumber || number > kMaxNumber) return;
    if (marked_[static_cast<size_t>(number)]) {
        marked_[static_cast<size_t>(number)] = 0;
    } else {
        int marked = 0;
        for (int n = kMinNumber; n <= kMaxNumber; ++n) marked += marked_[static_cast<size_t>(n)] ? 1 : 0;
        if (marked >= 6) return;
        marked_[static_cast<size_t>(number)] = 1;
    }
    refreshMarks();
    storeWinning();
}

void frmEscrutar::refreshMarks()
{
    int marked = 0;
    for (int n = kMinNumber; n <= kMaxNumber; ++n) {
        const bool on = marked_[static_cast<size_t>(n)] != 0;
        MarkCell* cell = gridNumeros->cell(n);
        // Green tells the player that a drawn number is one of the system's own.
        const bool ours = mode() == 0 && state_.base.markedNumbers[static_cast<size_t>(n)] != 0;
        cell->setTone(ours ? MarkCell::Tone::Green : MarkCell::Tone::Red);
        cell->setMarked(on);
        marked += on ? 1 : 0;
    }
    lblTipoCombinacion->setText(QString::number(marked) + QStringLiteral(" Números Seleccionados"));
}

void frmEscrutar::colourComplementary()
{
    const int c = cboComplementario->currentIndex();
    if (c <= 0) {
        cboComplementario->setStyleSheet(QString());
        return;
    }
    const bool ours = state_.base.markedNumbers[static_cast<size_t>(c)] != 0;
    cboComplementario->setStyleSheet(QStringLiteral("QComboBox#cboComplementario { background: %1; color: white; font-weight: bold; }"
                                                    "QComboBox#cboComplementario:disabled { background: #c4c9d1; }")
                                         .arg(QLatin1String(ours ? colors::kHitGreen : colors::kMarkRed)));
}

void frmEscrutar::storeWinning()
{
    const int c = std::max(0, cboComplementario->currentIndex());
    const int r = state_.base.game == GameType::Primitiva ? std::max(0, cboReintegro->currentIndex()) : 0;
    state_.winning = winningFromMarks(marked_, static_cast<uint8_t>(c), static_cast<uint8_t>(r));
}

void frmEscrutar::inicializarNumeros()
{
    if (isBusy()) return;
    marked_.fill(0);
    cboComplementario->setCurrentIndex(0);
    colourComplementary();
    refreshMarks();
    storeWinning();
    escrutar();
}

// ---- the bets -----------------------------------------------------------------------------------

void frmEscrutar::clearFile()
{
    ApuestasATRATAR = 0;
    lblApuCombinacionNueva->setText(QStringLiteral("0"));
    txtFicheroASCII->clear();
    txtFicheroASCII->setToolTip(QString());
    bets_ = std::make_shared<BetList>();
}

void frmEscrutar::selectMode(int mode)
{
    if (isBusy() || mode < 0 || mode > 1) return;
    {
        const QSignalBlocker block(modes_);
        optModo[mode]->setChecked(true);
    }
    const bool primitiva = state_.base.game == GameType::Primitiva;
    cmdDesdeFichero->setVisible(mode == 1);
    txtFicheroASCII->setVisible(mode == 1);
    chkReintegros->setVisible(mode == 1 && primitiva);
    lblEtqCargarReintegros->setVisible(mode == 1 && primitiva);
    if (mode == 0) {
        ApuestasATRATAR = state_.reducedCount;
        lblApuCombinacionActual->setText(count(state_.reducedCount));
        takeReducedSystem();
    } else {
        clearFile();
    }
    refreshMarks();
    escrutar();
}

void frmEscrutar::abrirFichero()
{
    if (isBusy()) return;
    const std::string path = ui_.openFileDialog(betFileDialog());
    if (path.find_first_not_of(" \t") == std::string::npos) return;
    loadFile(path);
}

void frmEscrutar::loadFile(const std::string& path)
{
    if (isBusy()) return;
    lblApuCombinacionNueva->setText(QStringLiteral("0"));
    txtFicheroASCII->setText(qs(fileNameOf(path)));
    txtFicheroASCII->setToolTip(qs(path));
    txtFicheroASCII->setCursorPosition(0);
    setWorking(true, false);
    const bool withReintegros = chkReintegros->isChecked();
    runner_->start<FileLoadResult>(
        [path, withReintegros](Progress&, const StopToken&, Interaction& ui) {
            return guardJob<FileLoadResult>([&](FileLoadResult& r) { r.load = loadScrutinyFile(path, withReintegros, ui); });
        },
        [this](FileLoadResult result) {
            setWorking(false, false);
            if (result.failed()) {
                ui_.error(importErrorMessage(result.failure));
                result.load = ScrutinyFileLoad{};
            }
            // A file that gave no bets, or failed, leaves nothing to scrutinise: the count the
            // window scrutinises always matches the list it holds.
            const int64_t n = result.load.count();
            ApuestasATRATAR = n;
            lblApuCombinacionNueva->setText(count(n));
            bets_ = n > 0 ? result.load.bets : std::make_shared<BetList>();
            inicializarNumeros();
        });
}

// ---- scrutiny -----------------------------------------------------------------------------------

ScrutinyInputs frmEscrutar::inputs() const
{
    ScrutinyInputs in;
    in.bets = bets_;
    in.count = ApuestasATRATAR;
    in.winning = state_.winning;
    return in;
}

bool frmEscrutar::escrutar()
{
    if (isBusy()) return false;
    startScrutiny(false);
    return true;
}

void frmEscrutar::verBoletosPremiados()
{
    if (!isBusy()) startScrutiny(true);
}

void frmEscrutar::startScrutiny(bool withReport)
{
    storeWinning();
    const ScrutinyInputs in = inputs();
    setWorking(true, true);
    runner_->start<ScrutinyResult>(
        [in, withReport](Progress&, const StopToken&, Interaction& ui) {
            return withReport ? WritePrizedTicketsReport(in, ui) : runScrutinyFlow(in, ui);
        },
        [this](ScrutinyResult result) {
            setWorking(false, true);
            // A refused or failed scrutiny has been told to the player and changes nothing shown.
            if (result.done() && !result.refused) showResult(std::move(result));
        });
}

void frmEscrutar::showResult(ScrutinyResult result)
{
    // The hits of every bet served the report; the window keeps only the counts.
    result.hitsPerBet = {};
    result_ = std::move(result);
    lblApuestas->setText(count(result_.bets));
    lblBoletos->setText(count(result_.tickets));
    lstPremios->clear();
    for (const std::string& line : prizeListLines(result_, state_.base.game)) lstPremios->addItem(qs(line));
    emit scrutinised();
}

void frmEscrutar::setWorking(bool working, bool scrutinising)
{
    for (QWidget* w : std::initializer_list<QWidget*>{gridNumeros, imgININumeros, imgEscrutar, imgVerBoletosPremiados,
                                                     imgCalculadoraPremios, imgVolver, optModo[1], cmdDesdeFichero,
                                                     chkReintegros, lblEtqCargarReintegros, cboComplementario, cboReintegro})
        w->setEnabled(!working);
    optModo[0]->setEnabled(!working && modeZeroAllowed_);
    if (working && scrutinising) {
        lblEscrutando->show();
        blink_->start();
    } else {
        blink_->stop();
        lblEscrutando->hide();
    }
}

void frmEscrutar::calculadoraPremios()
{
    if (isBusy()) return;
    storeWinning();
    PrizeCalculatorInputs in;
    in.game = state_.base.game;
    in.counts = calculatorCounts(result_.tally);
    in.bets = ApuestasATRATAR;
    in.winningNumbers = state_.winning.numbers;
    in.complementaryText = cboComplementario->currentText().toStdString();
    in.combinationName = scrutinisedCombinationName(state_);
    frmCalculadoraPremios calculator(in, ui_, this);
    if (fetch_) calculator.setPrizesFetch(fetch_);
    calculator.exec();
}

// ---- lifecycle ----------------------------------------------------------------------------------

void frmEscrutar::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The calculator closing re-activates this window without showing it again.
    if (!event->spontaneous() && !shown_) {
        shown_ = true;
        onShown();
    }
}

void frmEscrutar::onShown()
{
    for (int n = 0; n <= kMaxNumber; ++n) marked_[static_cast<size_t>(n)] = 0;
    for (uint8_t n : state_.winning.numbers)
        if (n >= kMinNumber && n <= kMaxNumber) marked_[n] = 1;
    const int complementary = state_.winning.complementary <= kMaxNumber ? state_.winning.complementary : 0;
    cboComplementario->setCurrentIndex(complementary);
    colourComplementary();
    cboReintegro->setCurrentIndex(0);
    lblApuCombinacionActual->setText(count(state_.reducedCount));

    if (ApuestasATRATAR < 1 || mode() == 1) {
        modeZeroAllowed_ = false;
        optModo[0]->setEnabled(false);
        selectMode(1);
        return;
    }
    // The count the main window gave, and the reduced system's bets.
    {
        const QSignalBlocker block(modes_);
        optModo[0]->setChecked(true);
    }
    cmdDesdeFichero->hide();
    txtFicheroASCII->hide();
    chkReintegros->hide();
    lblEtqCargarReintegros->hide();
    lblApuCombinacionActual->setText(count(ApuestasATRATAR));
    takeReducedSystem();
    refreshMarks();
    escrutar();
}

void frmEscrutar::takeReducedSystem()
{
    try {
        bets_ = reducedSystemBets(state_);
    } catch (...) {
        // Without memory for the copy there is nothing to scrutinise, but the window stays usable
        // (its close box does nothing: "Cerrar" must keep working).
        bets_ = std::make_shared<BetList>();
        ApuestasATRATAR = 0;
        ui_.error("ERROR: " + describeJobException(std::current_exception()));
    }
}

bool frmEscrutar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lblEtqCargarReintegros && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && chkReintegros->isEnabled()) {
        chkReintegros->toggle();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmEscrutar::cerrar()
{
    if (isBusy()) return;
    closing_ = true;
    bets_ = std::make_shared<BetList>();
    result_ = ScrutinyResult{};
    accept();
}

void frmEscrutar::reject()
{
    // Escape does not close the window either: only "Cerrar" does.
    if (closing_) QDialog::reject();
}

void frmEscrutar::closeEvent(QCloseEvent* event)
{
    if (!closing_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace kombitron::ui
