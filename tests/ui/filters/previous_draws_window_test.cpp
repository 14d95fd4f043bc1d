#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>
#include <QToolButton>

#include <atomic>

#include "core/filter_registry.h"
#include "filter_window_fixture.h"
#include "ui/filters/frmFiltroSORTEOSANTERIORES.h"
#include "ui/ui_test_support.h"

using namespace kombitron;
using kombitron::test::child;
using kombitron::test::click;
using kombitron::test::editHits;
using kombitron::test::hits;
using kombitron::test::retype;
using kombitron::ui::frmFiltroSORTEOSANTERIORES;

namespace {
constexpr int kSorteos = static_cast<int>(FilterId::SORTEOSANTERIORES);

// Ten Thursday and Saturday draws of 2023, then five of 2024.
DrawList sampleDraws()
{
    DrawList draws;
    auto add = [&](int season, int number, int weekday) {
        DrawRecord d;
        for (int i = 0; i < 6; ++i) d.numbers[i] = static_cast<uint8_t>(1 + (number * 7 + i * 5) % 49);
        d.season = static_cast<int16_t>(season);
        d.drawNumber = static_cast<uint16_t>(number);
        d.weekday = static_cast<uint8_t>(weekday);
        draws.push_back(d);
    };
    for (int n = 1; n <= 10; ++n) add(2023, n, n % 2 ? 4 : 6);
    for (int n = 1; n <= 5; ++n) add(2024, n, 4);
    return draws;
}

void choose(QWidget* w, const char* name, const QString& text)
{
    auto* box = child<QComboBox>(w, QString::fromUtf8(name));
    ASSERT_NE(box, nullptr);
    const int i = box->findText(text);
    ASSERT_GE(i, 0) << name << " " << text.toStdString();
    box->setCurrentIndex(i);
}

QString shown(QWidget* w, const char* name) { return child<QLabel>(w, QString::fromUtf8(name))->text(); }
} // namespace

class PreviousDrawsWindow : public kombitron::test::FilterWindowTest {
protected:
    void TearDown() override { frmFiltroSORTEOSANTERIORES::setDrawsFetcher({}); }
};

TEST_F(PreviousDrawsWindow, CargarFetchesOffTheUiThreadWithTheControlsDisabled)
{
    state.filters.sorteosAnteriores.groups[3].aciertosMaximoSORTEOS = 7;
    Qt::HANDLE fetchThread = nullptr;
    std::string fetchedGame;
    // The fetch waits until the test has looked at the window: no timing involved.
    std::atomic<bool> release{false};
    frmFiltroSORTEOSANTERIORES::setDrawsFetcher([&](const std::string& game) {
        fetchThread = QThread::currentThreadId();
        fetchedGame = game;
        while (!release) QThread::msleep(1);
        ServiceDrawsResult r;
        r.draws = sampleDraws();
        return r;
    });
    openRow(kSorteos, [&](QDialog* w) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral("SORTEOS ANTERIORES (Máx. 20)"));
        EXPECT_EQ(child<QWidget>(w, "fraDatosSorteos")->property("title").toString(),
                  QStringLiteral("Datos de sorteos (común a todos los grupos) : PRIMITIVA"));
        EXPECT_EQ(shown(w, "lblSorteosCargados"), QStringLiteral("0"));
        EXPECT_EQ(shown(w, "lblSorteoDESDE"), QStringLiteral("-"));
        EXPECT_EQ(shown(w, "lblSorteosConsultados"), QStringLiteral("0"));

        auto* window = qobject_cast<frmFiltroSORTEOSANTERIORES*>(w);
        ASSERT_NE(window, nullptr);
        click(child<QPushButton>(w, "cmdCargar"));
        EXPECT_TRUE(window->isLoading());
        EXPECT_FALSE(child<QPushButton>(w, "cmdCargar")->isEnabled());
        EXPECT_FALSE(child<QWidget>(w, "cboSorteoINI")->isEnabled());
        EXPECT_FALSE(child<QToolButton>(w, "imgVolver")->isEnabled());
        EXPECT_FALSE(child<QToolButton>(w, "imgActivar")->isEnabled());
        EXPECT_EQ(state.filters.sorteosAnteriores.draws.size(), 0u) << "nothing reaches the state before the end";
        release = true;
        ASSERT_TRUE(kombitron::test::waitUntil([&] { return !window->isLoading(); }));
        EXPECT_NE(fetchThread, QThread::currentThreadId());
        EXPECT_EQ(fetchedGame, "PRIMITIVA");
        EXPECT_TRUE(child<QPushButton>(w, "cmdCargar")->isEnabled());
        EXPECT_TRUE(child<QWidget>(w, "cboSorteoINI")->isEnabled());

        EXPECT_EQ(shown(w, "lblSorteosCargados"), QStringLiteral("15"));
        EXPECT_EQ(shown(w, "lblSorteoDESDE"), QStringLiteral("1"));
        EXPECT_EQ(shown(w, "lblTemporadaDESDE"), QStringLiteral("2023"));
        EXPECT_EQ(shown(w, "lblSorteoHASTA"), QStringLiteral("5"));
        EXPECT_EQ(shown(w, "lblTemporadaHASTA"), QStringLiteral("2024"));
        EXPECT_EQ(child<QLineEdit>(w, "txtSorteoMAXIMO")->text(), QStringLiteral("15"));
        EXPECT_TRUE(ui.messages.empty());

        // The consultation count follows the range and day lists.
        choose(w, "cboSorteoINI", "1");
        choose(w, "cboAnioINI", "2023");
        choose(w, "cboSorteoFIN", "5");
        choose(w, "cboAnioFIN", "2024");
        EXPECT_EQ(shown(w, "lblSorteosConsultados"), QStringLiteral("15"));
        choose(w, "cboDia", "Jueves");
        EXPECT_EQ(shown(w, "lblSorteosConsultados"), QStringLiteral("10"));
        choose(w, "cboAnioFIN", "2023");
        EXPECT_EQ(shown(w, "lblSorteosConsultados"), QStringLiteral("3"));
        click(child<QToolButton>(w, "imgVolver"));  // no hit count chosen: nothing is validated
    });
    const auto& params = state.filters.sorteosAnteriores;
    EXPECT_EQ(params.draws.size(), 15u);
    EXPECT_EQ(params.groups[0].aciertosMaximoSORTEOS, 15);
    EXPECT_EQ(params.groups[3].aciertosMaximoSORTEOS, 7);  // a maximum already set is kept
    EXPECT_EQ(params.groups[0].sorteoDIAS, 4);
    EXPECT_EQ(params.groups[0].sorteoHASTA, (DrawRef{5, 2023}));
}

TEST_F(PreviousDrawsWindow, FailedCargarShowsTheServiceMessageAndNoDraws)
{
    state.filters.sorteosAnteriores.draws = sampleDraws();
    frmFiltroSORTEOSANTERIORES::setDrawsFetcher([](const std::string&) {
        ServiceDrawsResult r;
        r.status = ServiceStatus::Parse;
        r.description = "etiqueta sin cerrar";
        return r;
    });
    openRow(kSorteos, [&](QDialog* w) {
        EXPECT_EQ(shown(w, "lblSorteosCargados"), QStringLiteral("15"));  // loaded earlier: shown at once
        click(child<QPushButton>(w, "cmdCargar"));
        ASSERT_TRUE(kombitron::test::waitUntil([&] { return child<QPushButton>(w, "cmdCargar")->isEnabled(); }));
        EXPECT_EQ(ui.lastText(), "ERROR AL ABRIR EL FICHERO DE SORTEOS - etiqueta sin cerrar");
        EXPECT_EQ(shown(w, "lblSorteosCargados"), QStringLiteral("0"));
        EXPECT_EQ(shown(w, "lblTemporadaHASTA"), QStringLiteral("-"));
        EXPECT_TRUE(child<QPushButton>(w, "cmdCargar")->isEnabled());
        click(child<QToolButton>(w, "imgVolver"));
    });
    frmFiltroSORTEOSANTERIORES::setDrawsFetcher([](const std::string&) -> ServiceDrawsResult {
        throw std::runtime_error("sin red");
    });
    openRow(kSorteos, [&](QDialog* w) {
        click(child<QPushButton>(w, "cmdCargar"));
        ASSERT_TRUE(kombitron::test::waitUntil([&] { return child<QPushButton>(w, "cmdCargar")->isEnabled(); }));
        EXPECT_EQ(ui.lastText(), "ERROR AL ABRIR EL FICHERO DE SORTEOS (sin red)");
        click(child<QToolButton>(w, "imgVolver"));
    });
}

TEST_F(PreviousDrawsWindow, LeavingAGroupValidatesItAndTheCloseBoxDoesNothing)
{
    auto& params = state.filters.sorteosAnteriores;
    openRow(kSorteos, [&](QDialog* w) {
        auto* minus = child<QPushButton>(w, "cmdMENOSBloque");
        auto* plus = child<QPushButton>(w, "cmdMASBloque");
        EXPECT_FALSE(minus->isEnabled());
        EXPECT_EQ(shown(w, "lblNumeroGrupo"), QStringLiteral("GRUPO 1"));
        editHits(child<QPushButton>(w, "cmdModificar"), {6});
        EXPECT_EQ(params.groups[0].acertarEN, hits({6}));  // stored at once
        EXPECT_EQ(child<QLineEdit>(w, "txtAciertos")->text(), QStringLiteral("6"));
        EXPECT_TRUE(rowActive(kSorteos));

        struct Case {
            const char* drawFrom;
            const char* seasonFrom;
            const char* drawTo;
            const char* seasonTo;
            const char* minimum;
            const char* maximum;
            const char* message;
        };
        const Case refused[] = {
            {"50", "2023", "10", "2024", "0", "0", "ERROR en GRUPO 1: El número de sorteo inicial es mayor que el final"},
            {"1", "2024", "10", "2023", "0", "0", "ERROR en GRUPO 1: El número de año inicial es mayor que el final"},
            {"1", "2023", "10", "2024", "3", "", "ERROR en GRUPO 1: El condición de mínimo de sorteos es mayor que el máximo de sorteos"},
            {"1", "2023", "10", "2024", "0", "0", "ERROR en GRUPO 1: No se ha cargado el fichero general de sorteos"},
        };
        const PreviousDrawsGroup before = params.groups[0];
        for (const Case& c : refused) {
            SCOPED_TRACE(c.message);
            choose(w, "cboSorteoINI", QString::fromUtf8(c.drawFrom));
            choose(w, "cboAnioINI", QString::fromUtf8(c.seasonFrom));
            choose(w, "cboSorteoFIN", QString::fromUtf8(c.drawTo));
            choose(w, "cboAnioFIN", QString::fromUtf8(c.seasonTo));
            retype(child<QLineEdit>(w, "txtSorteoMINIMO"), QString::fromUtf8(c.minimum));
            retype(child<QLineEdit>(w, "txtSorteoMAXIMO"), QString::fromUtf8(c.maximum));
            ui.messages.clear();
            click(plus);
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(ui.lastText(), c.message);
            EXPECT_EQ(shown(w, "lblNumeroGrupo"), QStringLiteral("GRUPO 1"));
            EXPECT_EQ(params.groups[0], before);
        }
        EXPECT_EQ(child<QLineEdit>(w, "txtSorteoMAXIMO")->text(), QStringLiteral("0"));  // the blank became 0

        w->close();
        EXPECT_TRUE(w->isVisible());
        ui.messages.clear();
        click(child<QToolButton>(w, "imgVolver"));
        EXPECT_EQ(ui.lastText(), "ERROR en GRUPO 1: No se ha cargado el fichero general de sorteos");
        EXPECT_TRUE(w->isVisible());

        // A group with no hit count is neither validated nor blocked.
        click(child<QToolButton>(w, "imgINIGrupo"));
        EXPECT_EQ(params.groups[0].acertarEN, HitSet{});
        EXPECT_EQ(params.groups[0].sorteoDESDE, (DrawRef{1, static_cast<int16_t>(currentYear())}));
        EXPECT_EQ(child<QComboBox>(w, "cboSorteoINI")->currentText(), QStringLiteral("1"));
        choose(w, "cboSorteoINI", QStringLiteral("9"));
        for (int i = 0; i < 19; ++i) click(plus);
        EXPECT_EQ(shown(w, "lblNumeroGrupo"), QStringLiteral("GRUPO 20"));
        EXPECT_FALSE(plus->isEnabled());
        EXPECT_EQ(params.groups[0].sorteoDESDE.draw, 9);
        click(child<QToolButton>(w, "imgVolver"));
    });
}

TEST_F(PreviousDrawsWindow, InformationShowsTheMeasuredTimesUntilAClick)
{
    openRow(kSorteos, [&](QDialog* w) {
        auto* info = child<QToolButton>(w, "imgInformacion");
        EXPECT_EQ(info->toolTip(), QStringLiteral("Tiempos aproximados de cálculo"));
        auto* picture = child<QWidget>(w, "picInformacion");
        EXPECT_FALSE(picture->isVisible());
        click(info);
        EXPECT_TRUE(picture->isVisible());
        click(child<QWidget>(w, "fraCondiciones"));
        EXPECT_FALSE(picture->isVisible());
        click(child<QToolButton>(w, "imgVolver"));
    });
    EXPECT_TRUE(ui::previousDrawsTimesTable().contains(QStringLiteral("2 núcleos")));
}
