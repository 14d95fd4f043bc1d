#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <gtest/gtest.h>

#include "tools/tool_window_fixture.h"
#include "ui/frmAlgebra.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/mark_cell.h"
#include "ui/widgets/ticket_grid.h"
#include "ui/widgets/waiting_panel.h"

using namespace kombitron;
using namespace kombitron::ui;
using kombitron::test::child;
using kombitron::test::click;

namespace {

using Rows = std::vector<std::vector<int>>;
const std::vector<int> A = {1, 2, 3, 4, 5, 7, 0};
const std::vector<int> B = {1, 2, 3, 4, 5, 6, 0};
const std::vector<int> C = {10, 20, 30, 40, 45, 49, 0};

struct AlgebraTest : test::ToolWindowTest {
    void SetUp() override
    {
        ToolWindowTest::SetUp();
        window = std::make_unique<frmAlgebra>(person);
        window->show();
    }
    void load(int system, const std::string& path)
    {
        person.openPaths = {path};
        click(window->cmdDesdeFichero[static_cast<size_t>(system)]);
        waitIdle(*window);
    }
    // Choose an operation by its caption, then "Calcular".
    void calculate(int operation)
    {
        click(window->lblUtilidad[static_cast<size_t>(operation)]);
        click(window->imgCalcular);
        waitIdle(*window);
    }
    void save()
    {
        click(window->imgGuardar);
        waitIdle(*window);
    }
    QStringList results() const { return window->txtVentanaResultados->toPlainText().split(QLatin1Char('\n')); }
    Rows resultRows() const { return window->result() ? test::rowsOf(*window->result()) : Rows{}; }
    std::unique_ptr<frmAlgebra> window;
};

} // namespace

TEST_F(AlgebraTest, ControlsAndLoading)
{
    EXPECT_TRUE(window->optTipo[0]->isChecked());
    EXPECT_EQ(window->cboTipoOrdenacion->currentText(), QStringLiteral("Ascendente"));
    EXPECT_EQ(child<QLabel>(window.get(), QStringLiteral("lblTitNumerosS2"))->text(), QStringLiteral("0 Números"));

    // A bet stored backwards is sorted when loaded; duplicates stay.
    std::vector<std::vector<int>> rows;
    for (int i = 0; i < 1500; ++i) rows.push_back(B);
    rows.push_back(C);
    const std::string path = kmb("sistema.kmb", {{6, 5, 4, 3, 2, 1, 3}, C});
    load(0, kmb("mil.KMB", rows));
    load(1, path);
    EXPECT_TRUE(person.messages.empty()) << person.lastText();
    ASSERT_EQ(person.openRequests.size(), 2u);
    EXPECT_EQ(person.openRequests[0].filterIndex, 2);
    EXPECT_EQ(window->txtApuCargadas[0]->text(), QStringLiteral("1.501"));
    EXPECT_EQ(window->txtFicheroASCII[1]->text(), QStringLiteral("sistema.kmb"));
    EXPECT_EQ(window->txtFicheroASCII[1]->toolTip(), QString::fromStdString(path));
    ASSERT_EQ(window->system(1).count(), 2);
    EXPECT_EQ(test::rowsOf(*window->system(1).bets), (Rows{B, C}));
    EXPECT_EQ(child<QLabel>(window.get(), QStringLiteral("lblTitNumerosS1"))->text(), QStringLiteral("12 Números"));
    MarkCell* fortyNine = child<MarkCell>(window.get(), QStringLiteral("lblNumeroS2_48"));
    ASSERT_NE(fortyNine, nullptr);
    EXPECT_TRUE(fortyNine->isMarked());
    EXPECT_FALSE(window->gridSistema[1]->isMarked(7));

    click(window->imgINICombinacion[1]);
    EXPECT_EQ(window->system(1).count(), 0);
    EXPECT_EQ(window->txtApuCargadas[1]->text(), QStringLiteral("0"));
    EXPECT_TRUE(window->txtFicheroASCII[1]->text().isEmpty());
    EXPECT_FALSE(fortyNine->isMarked());
}

// System 1 = {A, B}, system 2 = {B, C}, each operation through its caption and "Calcular".
TEST_F(AlgebraTest, OperationsThroughTheButtons)
{
    load(0, kmb("uno.KMB", {A, B}));
    load(1, kmb("dos.KMB", {B, C}));
    struct Case {
        int operation;
        Rows bets;
        QStringList text;
    };
    const Case cases[] = {
        {0, {B, A}, {"Proceso de ORDENACION (Ascendente) terminado CORRECTAMENTE", "Nº Apuestas Ordenadas : 2"}},
        {1, {A, B, B, C}, {"Proceso de SUMA de Sistemas (directo) terminado CORRECTAMENTE", "Nº Apuestas Sistema Resultante : 4"}},
        {2, {B, A, C},
         {"Proceso de SUMA de sistemas (quitar repetidas) terminado CORRECTAMENTE", "Nº Apuestas Sistema Sumado : 4",
          "Nº Apuestas repetidas : 1", "Nº Apuestas FINALES : 3"}},
        {3, {B},
         {"Proceso de INTERSECCION de sistemas (coger comunes) terminado CORRECTAMENTE", "Nº Apuestas Sistema Sumado : 4",
          "Nº Apuestas COMUNES : 1"}},
        {4, {A}, {"Proceso de RESTA de sistemas (sistema 1 - sistema 2) terminado CORRECTAMENTE", "Nº Apuestas Sistema Resultante : 1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.operation);
        calculate(c.operation);
        EXPECT_TRUE(window->optTipo[static_cast<size_t>(c.operation)]->isChecked());
        EXPECT_EQ(resultRows(), c.bets);
        QStringList expected = c.text;
        expected << QString();  // every line ends with its line break
        EXPECT_EQ(results(), expected);
        EXPECT_FALSE(window->picCalculando->isVisible());
    }
    EXPECT_TRUE(person.messages.empty()) << person.lastText();

    // Descending puts 1 2 3 4 5 6 last; choosing another operation clears the results.
    window->cboTipoOrdenacion->setCurrentIndex(1);
    calculate(0);
    EXPECT_EQ(resultRows(), (Rows{A, B}));
    EXPECT_EQ(results().first(), QStringLiteral("Proceso de ORDENACION (Descendente) terminado CORRECTAMENTE"));
    click(window->optTipo[2]);
    EXPECT_TRUE(window->txtVentanaResultados->toPlainText().isEmpty());
    EXPECT_EQ(window->result(), nullptr);
}

TEST_F(AlgebraTest, ABetTwiceInSystemTwoIsNotCommonAndSystemTwoMayBeEmptyForTheSort)
{
    load(0, kmb("uno.KMB", {A}));
    calculate(3);
    EXPECT_EQ(person.texts(), (std::vector<std::string>{"ERROR: NO ESTA CARGADO EL SISTEMA 2"}));
    EXPECT_TRUE(window->txtVentanaResultados->toPlainText().isEmpty());
    calculate(0);
    EXPECT_EQ(resultRows(), (Rows{A}));

    load(1, kmb("dos.KMB", {C, C}));
    calculate(3);
    EXPECT_TRUE(resultRows().empty());
    EXPECT_EQ(results()[2], QStringLiteral("Nº Apuestas COMUNES : 0"));
    // With system 2 emptied, "Calcular" is refused and the results stay on screen.
    click(window->imgINICombinacion[1]);
    click(window->imgCalcular);
    waitIdle(*window);
    EXPECT_EQ(person.messages.size(), 2u);
    EXPECT_EQ(results()[2], QStringLiteral("Nº Apuestas COMUNES : 0"));
    // Nothing to save, then nothing computed at all.
    person.messages.clear();
    save();
    click(window->optTipo[1]);
    save();
    EXPECT_EQ(person.texts(), (std::vector<std::string>{"ERROR: NO SE PUEDE GUARDAR, EL SISTEMA RESULTANTE TIENE 0 APUESTAS",
                                                        "ERROR: NO HAY NINGUN SISTEMA GENERADO PARA GUARDARLO"}));
    EXPECT_TRUE(person.saveRequests.empty());
    person.messages.clear();
    load(0, text("vacio.txt", ""));
    EXPECT_TRUE(person.messages.empty());
    calculate(0);
    EXPECT_EQ(person.texts(), (std::vector<std::string>{"ERROR: NO ESTA CARGADO EL SISTEMA 1"}));
}

TEST_F(AlgebraTest, SaveUnderTheKmbRule)
{
    load(0, kmb("uno.KMB", {A, B}));
    load(1, kmb("dos.KMB", {B, C}));
    calculate(2);
    struct Case {
        const char* chosen;
        const char* written;
    };
    const Case cases[] = {{"resultado.txt", "resultado.KMB"}, {"copia.semana_uno", "copia.semana_uno.KMB"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        person.savePaths = {dir.file(c.chosen)};
        save();
        ASSERT_TRUE(window->lastSave().saved) << window->lastSave().failure;
        EXPECT_EQ(window->lastSave().path, dir.file(c.written));
        const BetFileRead read = test::readKmb(dir.file(c.written));
        ASSERT_TRUE(read.ok()) << read.failure;
        EXPECT_EQ(read.header, "0");
        EXPECT_EQ(test::rowsOf(read.bets), (Rows{B, A, C}));
    }
    ASSERT_EQ(person.saveRequests.size(), 2u);
    EXPECT_EQ(person.saveRequests[0].title, "Guardar Combinación");
    EXPECT_EQ(person.saveRequests[0].initialName, "singuardar.KMB");
    EXPECT_TRUE(person.messages.empty()) << person.lastText();
}
