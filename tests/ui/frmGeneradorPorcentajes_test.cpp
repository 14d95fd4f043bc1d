#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include "tools/tool_window_fixture.h"
#include "ui/frmGeneradorPorcentajes.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/numeric_line_edit.h"
#include "ui/widgets/waiting_panel.h"

using namespace kombitron;
using namespace kombitron::ui;
using kombitron::test::child;
using kombitron::test::click;

namespace {

struct GeneradorPorcentajesTest : test::ToolWindowTest {
    void SetUp() override
    {
        ToolWindowTest::SetUp();
        window = std::make_unique<frmGeneradorPorcentajes>(person);
        window->show();
    }
    // Choose percentages in the selectors as a person does, then "&Generar" with `count`.
    void choose(std::initializer_list<std::pair<int, int>> chosen)
    {
        click(window->imgINIPorcentajes);
        for (auto [number, percentage] : chosen) {
            QComboBox* box = window->cboPorcentaje[static_cast<size_t>(number - 1)];
            box->setCurrentIndex(percentage);
            emit box->activated(percentage);
        }
    }
    void generate(const QString& count)
    {
        window->txtApuestas->setText(count);
        click(window->cmdGenerar);
        waitIdle(*window);
    }
    std::unique_ptr<frmGeneradorPorcentajes> window;
};

} // namespace

TEST_F(GeneradorPorcentajesTest, SelectorsAndTotals)
{
    QComboBox* seven = child<QComboBox>(window.get(), QStringLiteral("cboPorcentaje_6"));
    ASSERT_NE(seven, nullptr);
    EXPECT_EQ(seven->count(), 101);
    EXPECT_EQ(seven->itemText(0), QStringLiteral("------"));
    EXPECT_EQ(seven->itemText(100), QStringLiteral("100"));
    EXPECT_EQ(seven->currentIndex(), 0);
    EXPECT_EQ(window->txtApuestas->text(), QStringLiteral("1"));
    EXPECT_EQ(window->lblTitNumeros->text(), QStringLiteral("0 Porcentajes de Números Seleccionados"));
    EXPECT_EQ(window->lblSumaPorcentajes->text(), QStringLiteral("0"));

    choose({{7, 50}, {12, 30}, {49, 100}});
    EXPECT_EQ(window->lblTitNumeros->text(), QStringLiteral("3 Porcentajes de Números Seleccionados"));
    EXPECT_EQ(window->lblSumaPorcentajes->text(), QStringLiteral("180"));
    EXPECT_EQ(window->percentages()[7], 50);
    EXPECT_EQ(window->percentages()[49], 100);

    // Sums are counts on screen, with their thousands grouping.
    for (int n = 20; n < 30; ++n) window->setPercentage(n, 100);
    EXPECT_EQ(window->lblSumaPorcentajes->text(), QStringLiteral("1.180"));

    click(window->imgINIPorcentajes);
    EXPECT_EQ(seven->currentText(), QStringLiteral("------"));
    EXPECT_EQ(window->lblSumaPorcentajes->text(), QStringLiteral("0"));
    EXPECT_EQ(window->lblTitNumeros->text(), QStringLiteral("0 Porcentajes de Números Seleccionados"));
}

TEST_F(GeneradorPorcentajesTest, RefusalsInOrderAndTheSumLimit)
{
    std::vector<std::pair<int, int>> fortyFour;
    for (int n = 1; n <= 44; ++n) fortyFour.push_back({n, 1});
    struct Case {
        std::vector<std::pair<int, int>> chosen;
        const char* count;
        MessageKind kind;
        const char* text;
    };
    const Case cases[] = {
        {{{1, 10}, {2, 10}, {3, 10}, {4, 10}, {5, 10}}, "", MessageKind::Warning,
         "AVISO: DEBE SELECCIONAR MINIMO 6 PORCENTAJES DE NUMEROS"},
        {fortyFour, "", MessageKind::Error, "ERROR: SOLO SE PUEDEN SELECCIONAR 43 PORCENTAJES COMO MAXIMO"},
        {{{1, 100}, {2, 100}, {3, 100}, {4, 100}, {5, 100}, {6, 100}}, "", MessageKind::Error,
         "ERROR: LA SUMA DE TODOS LOS % SELECCIONADOS DEBE SER MENOR DE 600"},
        {{{1, 100}, {2, 100}, {3, 100}, {4, 100}, {5, 100}, {6, 99}}, "", MessageKind::Error,
         "ERROR: EL Nº DE APUESTAS A GENERAR HA DE SER MAYOR QUE 0"},
        {{{1, 100}, {2, 100}, {3, 100}, {4, 100}, {5, 100}, {6, 99}}, "0", MessageKind::Error,
         "ERROR: EL Nº DE APUESTAS A GENERAR HA DE SER MAYOR QUE 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        person.messages.clear();
        click(window->imgINIPorcentajes);
        for (auto [number, percentage] : c.chosen) window->setPercentage(number, percentage);
        generate(QString::fromLatin1(c.count));
        ASSERT_EQ(person.messages.size(), 1u);
        EXPECT_EQ(person.messages[0].kind, c.kind);
        EXPECT_EQ(person.messages[0].text, c.text);
    }
    EXPECT_TRUE(person.saveRequests.empty());

    // A sum of 599 is accepted.
    person.messages.clear();
    person.savePaths = {dir.file("599.KMB")};
    generate(QStringLiteral("10"));
    EXPECT_TRUE(person.messages.empty()) << person.lastText();
    ASSERT_TRUE(window->lastOutcome().saved) << window->lastOutcome().failure;
    EXPECT_EQ(test::readKmb(dir.file("599.KMB")).bets.size(), 10);
}

// Number 7, the smallest chosen, at 50 % of 10 bets: in bets 1 to 5 exactly.
TEST_F(GeneradorPorcentajesTest, ShareOfTheSmallestNumberInTheFirstBets)
{
    choose({{7, 50}, {14, 20}, {21, 20}, {28, 20}, {35, 20}, {42, 20}});
    person.savePaths = {dir.file("porcentajes")};
    generate(QStringLiteral("10"));
    ASSERT_TRUE(window->lastOutcome().saved) << window->lastOutcome().failure;
    ASSERT_EQ(person.saveRequests.size(), 1u);
    EXPECT_EQ(person.saveRequests[0].initialName, "10_Apuestas.KMB");
    const BetFileRead read = test::readKmb(dir.file("porcentajes.KMB"));
    ASSERT_TRUE(read.ok()) << read.failure;
    EXPECT_EQ(read.header, "071421283542");
    ASSERT_EQ(read.bets.size(), 10);
    for (int64_t i = 1; i <= 10; ++i) {
        SCOPED_TRACE(i);
        bool hasSeven = false;
        for (int j = 1; j <= 6; ++j) hasSeven = hasSeven || read.bets.at(i, j) == 7;
        EXPECT_EQ(hasSeven, i <= 5);
        for (int j = 1; j < 6; ++j) EXPECT_LT(read.bets.at(i, j), read.bets.at(i, j + 1));
        EXPECT_EQ(read.bets.at(i, 7), 0);
    }
}
