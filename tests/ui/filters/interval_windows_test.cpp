#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "core/filter_registry.h"
#include "filter_window_fixture.h"
#include "ui/ui_test_support.h"

using namespace kombitron;
using kombitron::test::child;
using kombitron::test::click;
using kombitron::test::retype;

namespace {
constexpr int kDistancias = static_cast<int>(FilterId::DISTANCIAS);
constexpr int kSumas = static_cast<int>(FilterId::SUMAS);
constexpr int kTrios = static_cast<int>(FilterId::SUMASPORTRIOS);

// Field name -> text to type before closing.
using Edits = std::vector<std::pair<QString, QString>>;
} // namespace

class IntervalWindows : public kombitron::test::FilterWindowTest {
protected:
    // Open the window of `row`, type each refused case and check that closing shows its message,
    // keeps the window and AppState; then type `accepted` and close.
    void expectChecks(int row, const std::vector<std::pair<Edits, std::string>>& refused, const Edits& accepted)
    {
        const auto distancias = state.filters.distancias;
        const auto sumas = state.filters.sumas;
        const auto trios = state.filters.sumasPorTrios;
        openRow(row, [&](QDialog* w) {
            for (const auto& [edits, message] : refused) {
                SCOPED_TRACE(message);
                for (const auto& [name, text] : edits) retype(child<QLineEdit>(w, name), text);
                ui.messages.clear();
                click(child<QToolButton>(w, "imgVolver"));
                ASSERT_EQ(ui.messages.size(), 1u);
                EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
                EXPECT_EQ(ui.messages[0].text, message);
                EXPECT_TRUE(w->isVisible());
                EXPECT_TRUE(state.filters.distancias == distancias && state.filters.sumas == sumas &&
                            state.filters.sumasPorTrios == trios)
                    << "a refused close stored something";
                for (const auto& [name, text] : edits) EXPECT_EQ(child<QLineEdit>(w, name)->text(), text);
                for (const auto& [name, text] : edits) retype(child<QLineEdit>(w, name), QStringLiteral("0"));
            }
            for (const auto& [name, text] : accepted) retype(child<QLineEdit>(w, name), text);
            ui.messages.clear();
            click(child<QToolButton>(w, "imgVolver"));
            EXPECT_TRUE(ui.messages.empty()) << ui.lastText();
        });
        EXPECT_TRUE(rowActive(row));
    }
};

TEST_F(IntervalWindows, DistanciasChecksBlanksThenEachPairInOrder)
{
    std::vector<std::pair<Edits, std::string>> refused = {
        {{{"txtDistancia45Min", ""}}, "ERROR: algún valor de distancia mínima esta en blanco"},
        {{{"txtDistancia16Max", ""}}, "ERROR: algún valor de distancia máxima esta en blanco"},
        // A blank minimum is reported before a blank maximum.
        {{{"txtDistancia12Max", ""}, {"txtDistancia56Min", ""}}, "ERROR: algún valor de distancia mínima esta en blanco"},
    };
    const char* pairs[] = {"12", "23", "34", "45", "56", "16"};
    const char* names[] = {"números 1 y 2", "números 2 y 3", "números 3 y 4", "números 4 y 5", "números 5 y 6",
                           "números del 1 al 6"};
    for (int i = 0; i < 6; ++i)
        refused.push_back({{{QStringLiteral("txtDistancia%1Min").arg(pairs[i]), "9"},
                            {QStringLiteral("txtDistancia%1Max").arg(pairs[i]), "8"}},
                           std::string("ERROR: La distancia máxima debe ser mayor que la mínima(") + names[i] + ")"});
    expectChecks(kDistancias, refused, {{"txtDistancia16Min", "0"}, {"txtDistancia16Max", "10"}, {"txtDistancia23Min", "4"},
                                        {"txtDistancia23Max", "4"}});
    EXPECT_EQ(state.filters.distancias.minimum[5], 0);
    EXPECT_EQ(state.filters.distancias.maximum[5], 10);
    EXPECT_EQ(state.filters.distancias.minimum[1], 4);
    EXPECT_EQ(state.filters.distancias.maximum[1], 4);
}

TEST_F(IntervalWindows, SumasChecksEachIntervalBeforeTheNext)
{
    expectChecks(kSumas,
                 {
                     {{{"txtSumaMinima_9", ""}}, "ERROR: No se permiten valores nulos en los intervalos"},
                     {{{"txtSumaMinima_0", "20"}, {"txtSumaMaxima_0", "279"}},
                      "ERROR: La suma mínima de los intervalos activados(<>0) debe ser mayor que 21"},
                     {{{"txtSumaMinima_3", "21"}, {"txtSumaMaxima_3", "280"}},
                      "ERROR: La suma máxima de los intervalos activados(<>0) debe ser menor que 279"},
                     {{{"txtSumaMinima_4", "100"}, {"txtSumaMaxima_4", "0"}},
                      "ERROR: La suma mínima de un intervalo no puede ser mayor que la suma máxima"},
                     {{{"txtSumaMinima_5", "150"}, {"txtSumaMaxima_5", "149"}},
                      "ERROR: La suma mínima de un intervalo no puede ser mayor que la suma máxima"},
                     // Interval 2's order fault comes before interval 7's blank.
                     {{{"txtSumaMinima_1", "60"}, {"txtSumaMaxima_1", "50"}, {"txtSumaMaxima_6", ""}},
                      "ERROR: La suma mínima de un intervalo no puede ser mayor que la suma máxima"},
                 },
                 {{"txtSumaMinima_0", "21"}, {"txtSumaMaxima_0", "100"}, {"txtSumaMinima_2", "200"}, {"txtSumaMaxima_2", "279"}});
    const auto& iv = state.filters.sumas.intervals;
    EXPECT_EQ(iv[0], (SumInterval{21, 100}));
    EXPECT_EQ(iv[1], (SumInterval{0, 0}));
    EXPECT_EQ(iv[2], (SumInterval{200, 279}));
}

TEST_F(IntervalWindows, SumasPorTriosNamesTheTrioAtFault)
{
    expectChecks(kTrios,
                 {
                     {{{"txtSumaMaximaT1_4", ""}}, "ERROR: No se permiten valores nulos en los intervalos (Tres primeros números)"},
                     {{{"txtSumaMinimaT2_0", ""}}, "ERROR: No se permiten valores nulos en los intervalos (Tres últimos números)"},
                     {{{"txtSumaMinimaT1_2", "50"}, {"txtSumaMaximaT1_2", "40"}},
                      "ERROR: La suma mínima de un intervalo no puede ser mayor que la suma máxima (Tres primeros números)"},
                     {{{"txtSumaMinimaT2_1", "90"}, {"txtSumaMaximaT2_1", "0"}},
                      "ERROR: La suma mínima de un intervalo no puede ser mayor que la suma máxima (Tres últimos números)"},
                 },
                 // No natural bounds for trios: 1..500 is accepted as typed.
                 {{"txtSumaMinimaT2_0", "1"}, {"txtSumaMaximaT2_0", "500"}});
    EXPECT_FALSE(state.filters.sumasPorTrios.first[0].inForce());
    EXPECT_EQ(state.filters.sumasPorTrios.last[0], (SumInterval{1, 500}));
}

TEST_F(IntervalWindows, FieldsTakeDigitsOnlyUpToTheirLengthAndEveryKeyActivates)
{
    openRow(kSumas, [&](QDialog* w) {
        auto* field = child<QLineEdit>(w, "txtSumaMaxima_3");
        EXPECT_EQ(field->maxLength(), 3);
        QTest::keyClick(field, Qt::Key_Tab);  // moving on is not typing
        EXPECT_FALSE(rowActive(kSumas));
        QTest::keyClick(field, Qt::Key_X);    // a refused key still counts as typing
        EXPECT_EQ(field->text(), QStringLiteral("0"));
        EXPECT_TRUE(rowActive(kSumas));
        retype(field, QStringLiteral("-1a2,34"));
        EXPECT_EQ(field->text(), QStringLiteral("123"));
        EXPECT_TRUE(rowActive(kSumas));
        retype(field, QStringLiteral("0"));
        w->close();
    });
    openRow(kDistancias, [&](QDialog* w) {
        EXPECT_EQ(child<QLineEdit>(w, "txtDistancia12Min")->maxLength(), 2);
        w->close();
    });
}
