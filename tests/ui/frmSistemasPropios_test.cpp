#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include <gtest/gtest.h>

#include "tools/tool_window_fixture.h"
#include "ui/frmSistemasPropios.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/mark_cell.h"
#include "ui/widgets/ticket_grid.h"
#include "ui/widgets/waiting_panel.h"

using namespace kombitron;
using namespace kombitron::ui;
using kombitron::test::child;
using kombitron::test::click;

namespace {

// Four bets on the eight numbers 1, 3, 5, ..., 15.
const std::string kEightNumbers = "01 03 05 07 09 11\n03 05 07 09 11 13\n05 07 09 11 13 15\n01 03 05 07 13 15\n";
const int kDestination[] = {2, 4, 6, 8, 10, 12, 14, 16};

struct SistemasPropiosTest : test::ToolWindowTest {
    void SetUp() override
    {
        ToolWindowTest::SetUp();
        window = std::make_unique<frmSistemasPropios>(person, "quiniela.xml");
        window->show();
    }
    void load(const std::string& path)
    {
        person.openPaths = {path};
        click(window->cmdDesdeFichero);
        waitIdle(*window);
    }
    void markDestination()
    {
        for (int n : kDestination) click(window->gridDestino->cell(n));
    }
    QComboBox* selector(int destination) const { return window->cboOrden[static_cast<size_t>(destination - 1)]; }
    // Choose origin item `index` in the selector of a destination number, as a person does.
    void choose(int destination, int index)
    {
        selector(destination)->setCurrentIndex(index);
        emit selector(destination)->activated(index);
    }
    void save()
    {
        click(window->imgCalculoDefinitivo);
        waitIdle(*window);
    }
    std::unique_ptr<frmSistemasPropios> window;
};

} // namespace

TEST_F(SistemasPropiosTest, LoadShowsTheOriginNumbersAndTheirShares)
{
    EXPECT_EQ(window->lblTitNumerosORIGEN->text(), QStringLiteral("0 Números"));
    const std::string path = text("ocho.txt", kEightNumbers);
    load(path);

    EXPECT_TRUE(person.messages.empty()) << person.lastText();
    ASSERT_EQ(person.openRequests.size(), 1u);
    EXPECT_EQ(person.openRequests[0].title, "Abrir Fichero");
    ASSERT_EQ(person.openRequests[0].filters.size(), 3u);
    EXPECT_EQ(person.openRequests[0].filters[0].description, "Ficheros de Apuestas (*.TXT)");
    EXPECT_EQ(window->txtFicheroASCII->text(), QStringLiteral("ocho.txt"));
    EXPECT_EQ(window->txtFicheroASCII->toolTip(), QString::fromStdString(path));
    EXPECT_EQ(window->lblApuCargadas->text(), QStringLiteral("4"));
    EXPECT_EQ(window->lblTitNumerosORIGEN->text(), QStringLiteral("8 Números"));
    for (int n = 1; n <= 49; ++n) {
        SCOPED_TRACE(n);
        MarkCell* cell = child<MarkCell>(window.get(), QStringLiteral("lblNumero_%1").arg(n - 1));
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->isMarked(), n % 2 == 1 && n <= 15);
        EXPECT_TRUE(cell->isReadOnly());
    }
    EXPECT_EQ(window->gridOrigen->cell(5)->toolTip(), QStringLiteral("100 %"));
    EXPECT_EQ(window->gridOrigen->cell(3)->toolTip(), QStringLiteral("75 %"));
    EXPECT_EQ(window->gridOrigen->cell(2)->toolTip(), QString());
    EXPECT_EQ(window->txtPorcentajesNumeros->toPlainText(),
              QStringLiteral("01-50%\n03-75%\n05-100%\n07-100%\n09-75%\n11-75%\n13-75%\n15-50%"));
    // "Azar" now proposes as many destination numbers as the origin uses.
    EXPECT_EQ(window->cboNumeros->currentText(), QStringLiteral("8"));
    click(window->cmdAzar);
    EXPECT_EQ(window->destination().count(), 8);
    EXPECT_EQ(window->lblTitNumerosDESTINO->text(), QStringLiteral("8 Números"));

    // Cancelling the dialog changes nothing; a file without bets warns and clears the origin.
    click(window->cmdDesdeFichero);
    waitIdle(*window);
    EXPECT_EQ(window->lblApuCargadas->text(), QStringLiteral("4"));
    load(text("vacio.txt", ""));
    ASSERT_EQ(person.messages.size(), 1u);
    EXPECT_EQ(person.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(person.messages[0].text, kZeroBetsWarning);
    EXPECT_EQ(window->lblTitNumerosORIGEN->text(), QStringLiteral("0 Números"));
    EXPECT_FALSE(window->gridOrigen->isMarked(1));
    EXPECT_TRUE(window->txtPorcentajesNumeros->toPlainText().isEmpty());
}

TEST_F(SistemasPropiosTest, SaveWithoutOrderMapsInAscendingOrder)
{
    load(text("ocho.txt", kEightNumbers));
    markDestination();
    EXPECT_EQ(window->lblTitNumerosDESTINO->text(), QStringLiteral("8 Números"));
    person.savePaths = {dir.file("nuevo.txt")};
    bool panelAtWarning = true;
    person.onMessage = [&](const std::string&) { panelAtWarning = window->picVentanaEspera->isVisible(); };
    save();

    ASSERT_EQ(person.messages.size(), 1u);
    EXPECT_EQ(person.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(person.messages[0].text, "AVISO: El nuevo Sistema Propio generado se creará con el REINTEGRO igual a 0.");
    EXPECT_FALSE(panelAtWarning);
    ASSERT_EQ(person.saveRequests.size(), 1u);
    EXPECT_EQ(person.saveRequests[0].initialName, "quiniela.KMB");
    ASSERT_TRUE(window->lastOutcome().saved) << window->lastOutcome().failure;
    const BetFileRead read = test::readKmb(dir.file("nuevo.KMB"));
    ASSERT_TRUE(read.ok()) << read.failure;
    EXPECT_EQ(read.header, "0204060810121416");
    EXPECT_EQ(test::rowsOf(read.bets), (std::vector<std::vector<int>>{{2, 4, 6, 8, 10, 12, 0},
                                                                       {4, 6, 8, 10, 12, 14, 0},
                                                                       {6, 8, 10, 12, 14, 16, 0},
                                                                       {2, 4, 6, 8, 14, 16, 0}}));
}

TEST_F(SistemasPropiosTest, OrderChoiceRefusesARepeatedOriginAndReversesSorted)
{
    load(text("ocho.txt", kEightNumbers));
    markDestination();
    // Selectors only for the marked destination numbers, disabled until the order choice is on.
    EXPECT_TRUE(selector(2)->isVisibleTo(window.get()));
    EXPECT_FALSE(selector(3)->isVisibleTo(window.get()));
    EXPECT_FALSE(selector(2)->isEnabled());
    window->chkElegirOrden->click();
    ASSERT_TRUE(window->chkElegirOrden->isChecked());
    EXPECT_TRUE(selector(2)->isEnabled());
    ASSERT_EQ(selector(2)->count(), 9);
    EXPECT_EQ(selector(2)->itemText(0), QStringLiteral("---"));
    EXPECT_EQ(selector(2)->itemText(8), QStringLiteral("15"));

    // Origin 5 (item 3) twice: refused, the second selector back to "---".
    choose(2, 3);
    choose(4, 3);
    ASSERT_EQ(person.messages.size(), 1u);
    EXPECT_EQ(person.messages[0].text, "ERROR: Ese número del sistema ORIGEN ya esta seleccionado");
    EXPECT_EQ(selector(4)->currentText(), QStringLiteral("---"));
    EXPECT_EQ(selector(2)->currentText(), QStringLiteral("05"));
    // Unmarking 2 frees origin 5.
    click(window->gridDestino->cell(2));
    EXPECT_FALSE(selector(2)->isVisibleTo(window.get()));
    choose(4, 3);
    EXPECT_EQ(person.messages.size(), 1u);
    EXPECT_EQ(selector(4)->currentText(), QStringLiteral("05"));
    click(window->gridDestino->cell(2));

    // A destination left at "---": the warning, then the combos error; nothing is asked.
    person.messages.clear();
    save();
    EXPECT_EQ(person.texts(),
              (std::vector<std::string>{"AVISO: El nuevo Sistema Propio generado se creará con el REINTEGRO igual a 0.",
                                        "ERROR: Algún número DESTINO no tiene asignado número ORIGEN (Rellene los Combos)"}));
    EXPECT_TRUE(person.saveRequests.empty());

    // The order reversed: 2 takes 15, 4 takes 13, ... 16 takes 1; every bet comes out sorted.
    for (int i = 0; i < 8; ++i) choose(kDestination[i], 8 - i);
    person.messages.clear();
    person.savePaths = {dir.file("invertido.KMB")};
    save();
    EXPECT_EQ(person.messages.size(), 1u);
    ASSERT_TRUE(window->lastOutcome().saved) << window->lastOutcome().failure;
    const BetFileRead read = test::readKmb(dir.file("invertido.KMB"));
    ASSERT_TRUE(read.ok()) << read.failure;
    EXPECT_EQ(read.header, "1614121008060402");
    EXPECT_EQ(test::rowsOf(read.bets), (std::vector<std::vector<int>>{{6, 8, 10, 12, 14, 16, 0},
                                                                       {4, 6, 8, 10, 12, 14, 0},
                                                                       {2, 4, 6, 8, 10, 12, 0},
                                                                       {2, 4, 10, 12, 14, 16, 0}}));

    // Clearing the choice puts every selector back to its first item and disables it.
    window->chkElegirOrden->click();
    EXPECT_EQ(selector(4)->currentText(), QStringLiteral("---"));
    EXPECT_FALSE(selector(4)->isEnabled());
}

TEST_F(SistemasPropiosTest, SaveRefusals)
{
    markDestination();
    save();
    EXPECT_EQ(person.texts(), (std::vector<std::string>{"ERROR: Hay 0 apuestas importadas"}));
    load(text("ocho.txt", kEightNumbers));
    click(window->gridDestino->cell(16));
    person.messages.clear();
    save();
    EXPECT_EQ(person.texts(), (std::vector<std::string>{
                                  "ERROR: Cantidad de números seleccionados del sistema DESTINO distinto del sistema ORIGEN"}));
    EXPECT_TRUE(person.saveRequests.empty());
}
