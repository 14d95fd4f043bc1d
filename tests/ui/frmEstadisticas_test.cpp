#include <QAction>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QComboBox>
#include <QDate>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedBarSeries>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <filesystem>
#include <memory>

#include "core/format.h"
#include "core/paths.h"
#include "core/state.h"
#include "history/draw_history.h"
#include "history/skips.h"
#include "history/statistics.h"
#include "support/recording_interaction.h"
#include "support/test_paths.h"
#include "ui/frmEstadisticas.h"
#include "ui/frmPrincipal.h"
#include "ui/statistics_chart.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/mark_cell.h"
#include "ui/widgets/numeric_line_edit.h"
#include "ui/widgets/ticket_grid.h"
#include "ui/widgets/waiting_panel.h"
#include "ui_test_support.h"

using namespace kombitron;
using namespace kombitron::ui;
using kombitron::test::click;
using kombitron::test::waitUntil;

namespace {

const std::string kBonoloto = std::string(KOMBITRON_SOURCE_DIR) + "/data/bonoloto.txt";

QString qs(const std::string& s) { return QString::fromStdString(s); }

DrawRecord Draw(std::initializer_list<int> values, int season, int draw, int weekday)
{
    DrawRecord d;
    int i = 0;
    for (int v : values) {
        if (i < 6) d.numbers[i] = static_cast<uint8_t>(v);
        else if (i == 6) d.complementary = static_cast<uint8_t>(v);
        else d.reintegro = static_cast<uint8_t>(v);
        ++i;
    }
    d.season = static_cast<int16_t>(season);
    d.drawNumber = static_cast<uint16_t>(draw);
    d.weekday = static_cast<uint8_t>(weekday);
    return d;
}

// What a fake results service answers: three BONOLOTO draws of 2025.
ServiceDrawsResult ThreeDraws()
{
    ServiceDrawsResult r;
    r.draws = {Draw({4, 8, 15, 16, 23, 42, 7, 1}, 2025, 1, 1), Draw({5, 11, 23, 31, 40, 47, 9, 3}, 2025, 2, 2),
               Draw({1, 2, 3, 4, 5, 6}, 2025, 3, 3)};
    return r;
}

// The table of a query the window should show, straight from the core.
StatisticsResult CoreResult(const DrawHistory& history, int statistic)
{
    StatisticsQuery q = defaultStatisticsQuery(QDate::currentDate().year());
    q.statistic = statistic;
    test::RecordingInteraction silent;
    return runStatisticsQuery(history, q, silent);
}

QStringList ResultLines(const frmEstadisticas& w) { return w.txtDatos->toPlainText().split(QLatin1Char('\n')); }

// Height of every bar of a chart view: the sets of its stack added up.
std::vector<double> BarValues(StatisticsChart* view)
{
    std::vector<double> values;
    for (QAbstractSeries* s : view->chart()->series()) {
        auto* bars = qobject_cast<QStackedBarSeries*>(s);
        if (!bars) continue;
        for (QBarSet* set : bars->barSets()) {
            if (values.empty()) values.assign(static_cast<size_t>(set->count()), 0.0);
            for (int i = 0; i < set->count(); ++i) values[static_cast<size_t>(i)] += set->at(i);
        }
    }
    return values;
}

// The label of every bar (the axis shows as many as fit; the tooltips name them all).
QStringList BarLabels(StatisticsChart* view)
{
    QStringList labels;
    for (const ChartBar& bar : view->bars()) labels << bar.label;
    return labels;
}

// The labels the horizontal axis shows.
QStringList AxisLabels(StatisticsChart* view)
{
    for (QAbstractAxis* axis : view->chart()->axes(Qt::Horizontal))
        if (auto* categories = qobject_cast<QCategoryAxis*>(axis)) return categories->categoriesLabels();
    return {};
}

struct StatisticsWindowTest : ::testing::Test {
    void SetUp() override
    {
        setNumberFormat({".", ","});
        setApplicationFolder(dir.path().string());
        window = std::make_unique<frmEstadisticas>("BONOLOTO", person);
        HistoryUpdateOptions options;
        options.defaultFile = dir.file("estadisticas_local.txt");
        window->setUpdateOptions(options);
        window->show();
    }
    void TearDown() override { window.reset(); }

    void load(const std::string& path)
    {
        window->loadFile(path);
        ASSERT_TRUE(waitUntil([&] { return !window->isBusy(); }));
    }
    void update()
    {
        window->actualizar();
        ASSERT_TRUE(waitUntil([&] { return !window->isBusy(); }));
    }

    test::TempDir dir;
    test::RecordingInteraction person;
    std::unique_ptr<frmEstadisticas> window;
};

} // namespace

TEST_F(StatisticsWindowTest, OpensEmptyWithTheQueryDefaults)
{
    frmEstadisticas& w = *window;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("ESTADISTICAS - KOMBITRON"));
    EXPECT_EQ(w.cboTipoJuego->currentText(), QStringLiteral("BONOLOTO"));
    EXPECT_EQ(w.lblSorteosCargados->text(), QStringLiteral("0"));
    for (QLabel* l : {w.lblSorteoDESDE, w.lblTemporadaDESDE, w.lblSorteoHASTA, w.lblTemporadaHASTA})
        EXPECT_EQ(l->text(), QStringLiteral("-"));
    EXPECT_EQ(w.txtTemporadaDESDE->text(), QStringLiteral("1985"));
    EXPECT_EQ(w.txtTemporadaHASTA->text(), QString::number(QDate::currentDate().year()));
    EXPECT_EQ(w.txtSorteoDESDE->text(), QStringLiteral("1"));
    EXPECT_EQ(w.txtSorteoHASTA->text(), QStringLiteral("999"));
    ASSERT_EQ(w.cboDia->count(), 8);
    EXPECT_EQ(w.cboDia->itemText(0), QStringLiteral("Todos"));
    EXPECT_EQ(w.cboDia->itemText(3), QStringLiteral("Miércoles"));
    EXPECT_EQ(w.lblFiltro[8]->text(), QStringLiteral("Exteriores/Interiores"));
    EXPECT_EQ(w.cmdActualizar->text(), QStringLiteral("Actualizar fichero desde Internet"));
    EXPECT_EQ(w.imgINIFichero->toolTip(), QStringLiteral("Inicializar los datos cargados"));
    EXPECT_EQ(w.imgVolver->toolTip(), QStringLiteral("Cerrar"));
    EXPECT_FALSE(w.picVentanaEspera->isVisible());
    EXPECT_FALSE(w.cmdGuardarImagen->isEnabled()) << "nothing to save before a query";
    // Fits a 1366x768 screen with the frame and a panel.
    EXPECT_LE(w.minimumSizeHint().width(), 1340);
    EXPECT_LE(w.minimumSizeHint().height(), 700);
    EXPECT_LE(w.width(), 1340);

    // The boxes take digits only, up to their length.
    w.txtTemporadaDESDE->clear();
    QTest::keyClicks(w.txtTemporadaDESDE, QStringLiteral("2a0x0b77"));
    EXPECT_EQ(w.txtTemporadaDESDE->text(), QStringLiteral("2007"));

    // Choosing a statistic without a history refuses with the query's own warning.
    click(w.optFiltro[1]);
    EXPECT_EQ(person.lastText(), "No hay ningún fichero de sorteos cargado");
    EXPECT_EQ(person.messages.back().kind, MessageKind::Warning);
    EXPECT_EQ(w.lblDatos->text(), QStringLiteral("Bajos  Altos          Apariciones"));
    EXPECT_TRUE(w.txtDatos->toPlainText().isEmpty());
}

TEST_F(StatisticsWindowTest, LoadsARealHistoryAndRunsTheChosenStatisticAtOnce)
{
    frmEstadisticas& w = *window;
    person.openPaths = {kBonoloto};
    click(w.cmdAbrirEstadisticas);
    ASSERT_TRUE(waitUntil([&] { return !w.isBusy() && w.history().count() > 0; }));
    ASSERT_EQ(person.openRequests.size(), 1u);
    EXPECT_EQ(person.openRequests[0].title, "Abrir Fichero");
    ASSERT_EQ(person.openRequests[0].filters.size(), 2u);
    EXPECT_EQ(person.openRequests[0].filters[0].description, "Ficheros de Estadísticas (*.TXT)");
    EXPECT_EQ(person.openRequests[0].filters[1].description, "todos los archivos (*.*)");
    EXPECT_TRUE(person.messages.empty()) << person.lastText();

    EXPECT_EQ(w.txtFicheroASCII->text(), qs(kBonoloto));
    EXPECT_EQ(w.txtFicheroASCII->toolTip(), qs(kBonoloto));
    EXPECT_EQ(w.lblSorteosCargados->text(), QStringLiteral("9.361"));
    EXPECT_EQ(w.lblSorteoDESDE->text(), QStringLiteral("1"));
    EXPECT_EQ(w.lblTemporadaDESDE->text(), QStringLiteral("1988"));
    EXPECT_EQ(w.lblSorteoHASTA->text(), QStringLiteral("231"));
    EXPECT_EQ(w.lblTemporadaHASTA->text(), QStringLiteral("2026"));

    // A click on an option runs its statistic: header, table, count, and the labels' colours.
    click(w.optFiltro[0]);
    EXPECT_EQ(w.chosenStatistic(), 0);
    EXPECT_EQ(w.lblDatos->text(), QStringLiteral("Número     Apariciones"));
    const StatisticsResult numbers = CoreResult(w.history(), 0);
    const QStringList lines = ResultLines(w);
    ASSERT_EQ(lines.size(), 50) << "49 numbers and the last line end";
    for (int i = 0; i < 3; ++i) EXPECT_EQ(lines[i], qs(numbers.lines[static_cast<size_t>(i)]));
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("01 ---> ")));
    EXPECT_EQ(w.lblSorteosConsultados->text(), QStringLiteral("9.361"));
    EXPECT_EQ(w.lblFiltro[0]->styleSheet(), QStringLiteral("color: black;"));
    EXPECT_NE(w.lblFiltro[1]->styleSheet(), QStringLiteral("color: black;"));

    // A click on a label chooses its option; a query for Wednesdays counts only those.
    w.cboDia->setCurrentIndex(3);
    click(w.lblFiltro[2]);
    EXPECT_TRUE(w.optFiltro[2]->isChecked());
    EXPECT_EQ(w.lblDatos->text(), QStringLiteral("Decena            Apariciones"));
    EXPECT_EQ(ResultLines(w).size(), 5);
    EXPECT_TRUE(ResultLines(w)[0].startsWith(QStringLiteral("01-09 ---> ")));
    int64_t wednesdays = 0;
    for (const DrawRecord& d : w.history().draws) wednesdays += d.weekday == 3;
    EXPECT_EQ(w.lblSorteosConsultados->text(), qs(formatCount(wednesdays)));
    EXPECT_TRUE(person.messages.empty()) << person.lastText();

    // Refused queries keep the previous result; "Consultar" runs the chosen statistic again.
    const QString before = w.txtDatos->toPlainText();
    w.txtTemporadaDESDE->setText(QStringLiteral("2011"));
    w.txtTemporadaHASTA->setText(QStringLiteral("2010"));
    click(w.cmdConsultar);
    EXPECT_EQ(person.lastText(), "ERROR: Año mínimo mayor que año máximo");
    EXPECT_EQ(w.txtDatos->toPlainText(), before);
    w.txtTemporadaHASTA->clear();
    click(w.cmdConsultar);
    EXPECT_EQ(person.lastText(), "ERROR: Algún campo de la consulta esta vacío");
    w.txtTemporadaDESDE->setText(QStringLiteral("1990"));
    w.txtTemporadaHASTA->setText(QStringLiteral("1991"));
    w.cboDia->setCurrentIndex(0);
    click(w.cmdConsultar);
    EXPECT_NE(w.txtDatos->toPlainText(), before);
    EXPECT_EQ(w.lblDatos->text(), QStringLiteral("Decena            Apariciones"));

    // Clearing empties everything the load showed.
    click(w.imgINIFichero);
    EXPECT_EQ(w.history().count(), 0);
    EXPECT_TRUE(w.txtFicheroASCII->text().isEmpty());
    EXPECT_EQ(w.lblSorteosCargados->text(), QStringLiteral("0"));
    EXPECT_EQ(w.lblTemporadaHASTA->text(), QStringLiteral("-"));
    EXPECT_TRUE(w.txtDatos->toPlainText().isEmpty());
    EXPECT_TRUE(w.lblSorteosConsultados->text().isEmpty());
}

TEST_F(StatisticsWindowTest, AFailedLoadLeavesTheWindowEmptyAndTheQueriesRefuse)
{
    frmEstadisticas& w = *window;
    load(kBonoloto);
    click(w.optFiltro[0]);
    ASSERT_FALSE(w.txtDatos->toPlainText().isEmpty());

    const std::string bad = dir.file("malo.txt");
    test::writeFile(bad, "01,02,03,04,05,06 2007 1 J\r\n01,02,03,04,05,50 2007 2 S\r\n");
    load(bad);
    EXPECT_EQ(person.lastText(), "ERROR AL IMPORTAR EL FICHERO, FICHERO NO IMPORTADO ()");
    EXPECT_EQ(person.messages.back().kind, MessageKind::Error);
    EXPECT_EQ(w.txtFicheroASCII->text(), qs(bad)) << "the path stays in the box";
    EXPECT_EQ(w.lblSorteosCargados->text(), QStringLiteral("0"));
    EXPECT_EQ(w.lblSorteoDESDE->text(), QStringLiteral("-"));
    EXPECT_EQ(w.lblTemporadaHASTA->text(), QStringLiteral("-"));
    EXPECT_TRUE(w.txtDatos->toPlainText().isEmpty());
    EXPECT_FALSE(w.picGrafico->hasData());

    click(w.cmdConsultar);
    EXPECT_EQ(person.lastText(), "No hay ningún fichero de sorteos cargado");

    const std::string shortLines = dir.file("corto.txt");
    test::writeFile(shortLines, "\r\n01,02,03 2007 1 J\r\n");
    load(shortLines);
    EXPECT_EQ(person.lastText(),
              "AVISO: Se han importado 0 apuestas.\r\nEl fichero ha de estar en formato: 01,02,03,04,05,06 2007 1 J");
    EXPECT_EQ(w.lblSorteosCargados->text(), QStringLiteral("0"));
    EXPECT_TRUE(w.fraConsultas->isEnabled()) << "controls come back after the load";
}

TEST_F(StatisticsWindowTest, UpdateRunsOffTheUiThreadBehindTheWaitingPanel)
{
    frmEstadisticas& w = *window;
    std::atomic<bool> release{false};
    std::atomic<bool> fetching{false};
    std::string askedGame;
    w.setDrawsFetcher([&](const std::string& game) {
        askedGame = game;
        fetching = true;
        while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(2));
        return ThreeDraws();
    });
    person.answers = {true};
    click(w.cmdActualizar);
    ASSERT_TRUE(waitUntil([&] { return fetching.load(); }));
    // The window keeps turning while the service is asked: panel up, controls down.
    EXPECT_TRUE(w.picVentanaEspera->isVisible());
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lblEspera"))->text(), QStringLiteral("Actualizando por favor espere ..."));
    for (QWidget* c : {static_cast<QWidget*>(w.cmdAbrirEstadisticas), static_cast<QWidget*>(w.cmdActualizar),
                       static_cast<QWidget*>(w.cmdConsultar), static_cast<QWidget*>(w.imgVolver),
                       static_cast<QWidget*>(w.cboTipoJuego), static_cast<QWidget*>(w.optFiltro[0]),
                       static_cast<QWidget*>(w.fraConsultas)})
        EXPECT_FALSE(c->isEnabled()) << c->objectName().toStdString();
    release = true;
    ASSERT_TRUE(waitUntil([&] { return !w.isBusy(); }));
    EXPECT_EQ(askedGame, "BONOLOTO");

    // No history and no default file: the creation question, then the file and its reload.
    const std::string created = dir.file("estadisticas_local.txt");
    ASSERT_EQ(person.questions.size(), 1u);
    EXPECT_EQ(person.questions[0], "No hay ningún fichero de sorteos cargado, se va a proceder a crear uno nuevo llamado "
                                   "'estadisticas_local.txt'\r\nEn la ruta: '" +
                                       dir.path().string() + "', ¿ Desea continuar ?");
    EXPECT_EQ(person.lastText(), "SE HAN ACTUALIZADO 3 COMBINACIONES EN EL FICHERO: " + created);
    EXPECT_EQ(test::readFile(created), "\r\n04,08,15,16,23,42,07,01 2025 1 L\r\n05,11,23,31,40,47,09,03 2025 2 M\r\n"
                                       "01,02,03,04,05,06,00,00 2025 3 X\r\n");
    EXPECT_EQ(w.txtFicheroASCII->text(), qs(created));
    EXPECT_EQ(w.lblSorteosCargados->text(), QStringLiteral("3"));
    EXPECT_EQ(w.lblSorteoHASTA->text(), QStringLiteral("3"));
    EXPECT_FALSE(w.picVentanaEspera->isVisible());
    EXPECT_TRUE(w.cmdConsultar->isEnabled());
    EXPECT_TRUE(w.imgVolver->isEnabled());
}

TEST_F(StatisticsWindowTest, UpdateAsksBeforeReplacingAndAFailureLeavesTheFileIntact)
{
    frmEstadisticas& w = *window;
    w.setDrawsFetcher([](const std::string&) { return ThreeDraws(); });

    // Nothing loaded, no default file, answered No: nothing written.
    person.answers = {false};
    update();
    EXPECT_EQ(person.questions.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(dir.file("estadisticas_local.txt")));
    EXPECT_TRUE(person.messages.empty());

    // A loaded history: the replacement question; No leaves file and window as they were.
    const std::string file = dir.file("mis_sorteos.txt");
    const std::string original = "\r\n01,02,03,04,05,06,07,08 2010 1 J\r\n11,12,13,14,15,16,17,08 2010 2 S\r\n";
    test::writeFile(file, original);
    load(file);
    ASSERT_EQ(w.history().count(), 2);
    click(w.optFiltro[5]);
    ASSERT_FALSE(w.txtDatos->toPlainText().isEmpty());
    person.answers = {false};
    update();
    EXPECT_EQ(person.questions.back(), "Se van actualizar los datos del fichero '" + file +
                                           "' con los del fichero de INTERNET del juego BONOLOTO\r\n¿ Desea continuar ?");
    EXPECT_EQ(test::readFile(file), original);
    EXPECT_EQ(w.history().count(), 2);
    EXPECT_EQ(w.lblSorteosCargados->text(), QStringLiteral("2"));
    EXPECT_TRUE(w.txtDatos->toPlainText().isEmpty()) << "the update always clears the result area";

    // A transport failure after Yes: its message, the file untouched, the history kept.
    w.setDrawsFetcher([](const std::string&) {
        ServiceDrawsResult r;
        r.status = ServiceStatus::Transport;
        r.description = "Couldn't connect to server";
        return r;
    });
    person.answers = {true};
    update();
    EXPECT_EQ(person.lastText(), "ERROR AL ABRIR EL FICHERO DE ACTUALIZACION (Couldn't connect to server)");
    EXPECT_EQ(test::readFile(file), original);
    EXPECT_EQ(w.history().count(), 2);

    // A response without draws of the game: its error, the file untouched.
    w.setDrawsFetcher([](const std::string&) { return ServiceDrawsResult{}; });
    person.answers = {true};
    update();
    EXPECT_EQ(person.lastText(), "ERROR AL TRATAR EL FICHERO DE ACTUALIZACION DESDE INTERNET");
    EXPECT_EQ(test::readFile(file), original);

    // A fetch that throws: the window survives, says so, and the file is still the old one.
    w.setDrawsFetcher([](const std::string&) -> ServiceDrawsResult { throw std::bad_alloc(); });
    update();
    EXPECT_EQ(person.lastText(), "ERROR AL ABRIR EL FICHERO DE ACTUALIZACION (memoria insuficiente)");
    EXPECT_EQ(test::readFile(file), original);
    EXPECT_EQ(w.history().count(), 2);
    EXPECT_TRUE(w.fraFichero->isEnabled());

    // Yes with the PRIMITIVA selector: the file holds exactly the service's draws.
    w.cboTipoJuego->setCurrentIndex(0);
    std::string asked;
    w.setDrawsFetcher([&asked](const std::string& game) {
        asked = game;
        return ThreeDraws();
    });
    load(file);
    person.answers = {true};
    update();
    EXPECT_EQ(asked, "PRIMITIVA");
    EXPECT_EQ(person.lastText(), "SE HAN ACTUALIZADO 3 COMBINACIONES EN EL FICHERO: " + file);
    EXPECT_EQ(w.history().count(), 3);
    EXPECT_EQ(w.lblTemporadaDESDE->text(), QStringLiteral("2025"));
}

TEST_F(StatisticsWindowTest, UpdateLoadsTheDefaultFileWithoutAsking)
{
    frmEstadisticas& w = *window;
    const std::string created = dir.file("estadisticas_local.txt");
    test::writeFile(created, "\r\n01,02,03,04,05,06,07,08 2010 1 J\r\n");
    w.setDrawsFetcher([](const std::string&) { return ThreeDraws(); });
    person.answers = {true};
    update();
    EXPECT_TRUE(person.questions.empty()) << person.questions.front();
    EXPECT_EQ(person.lastText(), "SE HAN ACTUALIZADO 3 COMBINACIONES EN EL FICHERO: " + created);
    EXPECT_EQ(w.history().count(), 3);
}

TEST_F(StatisticsWindowTest, ChartsShowTheTableAndTheSkips)
{
    frmEstadisticas& w = *window;
    load(kBonoloto);

    // "Números": 49 bars with the table's counts and the expected line.
    click(w.optFiltro[0]);
    const StatisticsResult numbers = CoreResult(w.history(), 0);
    std::vector<double> values = BarValues(w.picGrafico);
    QStringList labels = BarLabels(w.picGrafico);
    ASSERT_EQ(values.size(), 49u);
    ASSERT_EQ(labels.size(), 49);
    for (size_t i = 0; i < numbers.lines.size(); ++i) {
        SCOPED_TRACE(numbers.lines[i]);
        const int n = std::stoi(numbers.lines[i].substr(0, 2));
        EXPECT_EQ(labels[n - 1], qs(formatTwoDigits(n)));
        EXPECT_EQ(static_cast<int64_t>(values[static_cast<size_t>(n - 1)]), std::stoll(numbers.lines[i].substr(8)));
    }
    double expectedLine = -1;
    for (QAbstractSeries* s : w.picGrafico->chart()->series())
        if (auto* line = qobject_cast<QLineSeries*>(s)) expectedLine = line->at(0).y();
    EXPECT_DOUBLE_EQ(expectedLine, 9361.0 * 6 / 49);
    // 49 labels do not fit under the bars at this width: the first and every fifth number show.
    const QStringList shown = AxisLabels(w.picGrafico);
    const QStringList firstFive = {QStringLiteral("01"), QStringLiteral("05"), QStringLiteral("10")};
    EXPECT_TRUE(shown.size() == 49 || shown.mid(0, 3) == firstFive)
        << shown.join(QLatin1Char(',')).toStdString();
    EXPECT_TRUE(w.cmdGuardarImagen->isEnabled());

    // "Sumas": one bar per line of the table, labelled with the line's own text.
    click(w.optFiltro[6]);
    const StatisticsResult sums = CoreResult(w.history(), 6);
    values = BarValues(w.picGrafico);
    labels = BarLabels(w.picGrafico);
    ASSERT_EQ(values.size(), sums.lines.size());
    for (size_t i = 0; i < sums.lines.size(); ++i) {
        SCOPED_TRACE(sums.lines[i]);
        EXPECT_EQ(labels[static_cast<int>(i)], qs(sums.lines[i].substr(0, 7)));
        EXPECT_EQ(static_cast<int64_t>(values[i]), std::stoll(sums.lines[i].substr(12)));
    }

    // Paired rows read "6 / 0".
    click(w.optFiltro[1]);
    labels = BarLabels(w.picGrafico);
    ASSERT_EQ(labels.size(), 7);
    EXPECT_EQ(labels[0], QStringLiteral("6 / 0"));
    EXPECT_EQ(labels[6], QStringLiteral("0 / 6"));
    EXPECT_EQ(AxisLabels(w.picGrafico), labels) << "few bars: every one labelled";

    // "Retrasos": the current skip of each number over the same query.
    w.tabGrafico->setCurrentIndex(1);
    const SkipsTable skips = computeSkips(w.history().draws, 1985, QDate::currentDate().year(), 1, 999, 0);
    values = BarValues(w.picRetrasos);
    ASSERT_EQ(values.size(), 49u);
    for (int n = 1; n <= 49; ++n) EXPECT_EQ(static_cast<int32_t>(values[static_cast<size_t>(n - 1)]), skips.numbers[n].current) << n;
    EXPECT_NE(w.picRetrasos->bars()[0].tooltip.indexOf(qs("Retraso más largo: " + formatCount(skips.numbers[1].longest))), -1);

    // A query that matches nothing leaves both charts without bars.
    w.txtTemporadaDESDE->setText(QStringLiteral("1970"));
    w.txtTemporadaHASTA->setText(QStringLiteral("1971"));
    click(w.optFiltro[0]);
    EXPECT_EQ(person.lastText(), "Ningún dato coincide con la consulta realizada");
    EXPECT_FALSE(w.picRetrasos->hasData());
    w.tabGrafico->setCurrentIndex(0);
    EXPECT_FALSE(w.picGrafico->hasData());
    EXPECT_FALSE(w.cmdGuardarImagen->isEnabled());
}

TEST_F(StatisticsWindowTest, GuardarImagenWritesAPngWithItsExtension)
{
    frmEstadisticas& w = *window;
    load(kBonoloto);
    click(w.optFiltro[0]);
    person.savePaths = {dir.file("grafico")};
    click(w.cmdGuardarImagen);
    ASSERT_EQ(person.saveRequests.size(), 1u);
    EXPECT_EQ(person.saveRequests[0].title, "Guardar imagen");
    EXPECT_EQ(person.saveRequests[0].initialName, "KOMBITRON_Números.png");
    const std::string png = test::readFile(dir.file("grafico.png"));
    ASSERT_GT(png.size(), 1000u);
    EXPECT_EQ(png.substr(1, 3), "PNG");

    person.savePaths = {dir.file("no/existe/grafico.png")};
    click(w.cmdGuardarImagen);
    EXPECT_EQ(person.lastText().rfind("ERROR AL GUARDAR EL FICHERO (", 0), 0u) << person.lastText();
}

TEST(StatisticsWindowLifecycle, OpenedBesideTheMainWindowAndBroughtToTheFront)
{
    setNumberFormat({".", ","});
    test::TempDir dir;
    setApplicationFolder(dir.path().string());
    AppState state;
    test::RecordingInteraction person;
    auto main = std::make_unique<frmPrincipal>(state, person);
    main->show();
    main->cboTipoJuego->setCurrentIndex(1);

    QAction* entry = main->action(QStringLiteral("menuEstadisticas"));
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->isEnabled());
    entry->trigger();
    QPointer<frmEstadisticas> first = main->statisticsWindow();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(first->cboTipoJuego->currentText(), QStringLiteral("BONOLOTO")) << "the main window's game";

    // The main window keeps working beside it.
    click(main->gridNumeros->cell(7));
    EXPECT_EQ(main->lblTipoCombinacion->text(), QStringLiteral("1 Números"));

    // A second command brings the same window back instead of opening another.
    first->showMinimized();
    entry->trigger();
    EXPECT_EQ(main->statisticsWindow(), first.data());
    EXPECT_EQ(main->findChildren<frmEstadisticas*>().size(), 1);
    EXPECT_FALSE(first->isMinimized());
    EXPECT_TRUE(first->isVisible());

    // The frame's close box does nothing; "Cerrar" closes and discards it.
    EXPECT_FALSE(first->close());
    EXPECT_TRUE(first->isVisible());
    click(first->imgVolver);
    ASSERT_TRUE(waitUntil([&] { return first.isNull(); }));
    EXPECT_EQ(main->statisticsWindow(), nullptr);

    // Leaving the program closes an open one.
    entry->trigger();
    QPointer<frmEstadisticas> second = main->statisticsWindow();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second.data(), nullptr);
    state.savedFlag = true;
    EXPECT_TRUE(main->close());
    ASSERT_TRUE(waitUntil([&] { return second.isNull() || !second->isVisible(); }));
    main.reset();
    EXPECT_TRUE(second.isNull());
}
