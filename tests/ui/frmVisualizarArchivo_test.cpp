#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include "tools/tool_window_fixture.h"
#include "ui/frmVisualizarArchivo.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/mark_cell.h"
#include "ui/widgets/numeric_line_edit.h"

using namespace kombitron;
using namespace kombitron::ui;
using kombitron::test::child;
using kombitron::test::click;

namespace {

// Bet i (1-based) of a test file: its numbers start at i, its reintegro is i mod 10.
std::vector<std::vector<int>> numberedBets(int count)
{
    std::vector<std::vector<int>> rows;
    for (int i = 1; i <= count; ++i) rows.push_back({i, i + 1, i + 2, i + 3, i + 4, i + 5, i % 10});
    return rows;
}

struct VisualizarArchivoTest : test::ToolWindowTest {
    void open(GameType game)
    {
        window = std::make_unique<frmVisualizarArchivo>(game, person);
        window->show();
    }
    void load(const std::string& path)
    {
        person.openPaths = {path};
        click(window->cmdDesdeFichero);
        waitIdle(*window);
    }
    QString cell(int column, int position) const
    {
        return child<QLabel>(window.get(), QStringLiteral("lblColumna_%1").arg(6 * column + position))->text();
    }
    QString reintegro(int column) const
    {
        return child<QLabel>(window.get(), QStringLiteral("lblReintegro_%1").arg(column))->text();
    }
    void jump(const QString& ticket)
    {
        window->txtIrboleto->clear();
        QTest::keyClicks(window->txtIrboleto, ticket);
        QTest::keyClick(window->txtIrboleto, Qt::Key_Return);
    }
    std::unique_ptr<frmVisualizarArchivo> window;
};

} // namespace

TEST_F(VisualizarArchivoTest, OpeningPerGame)
{
    open(GameType::Primitiva);
    EXPECT_EQ(window->lblNumeroBoleto->text(), QStringLiteral("Boleto actual : 0/0"));
    EXPECT_FALSE(window->imgAvanzar->isEnabled());
    EXPECT_FALSE(window->imgRetroceder->isVisibleTo(window.get()));
    EXPECT_TRUE(window->chkReintegros->isVisibleTo(window.get()));
    EXPECT_TRUE(window->lblReintegro[0]->isVisibleTo(window.get()));
    for (int i = 0; i < 48; ++i) EXPECT_NE(child<MarkCell>(window.get(), QStringLiteral("lblColumna_%1").arg(i)), nullptr);

    open(GameType::Bonoloto);
    EXPECT_FALSE(window->chkReintegros->isVisibleTo(window.get()));
    EXPECT_FALSE(window->chkReintegros->isChecked());
    EXPECT_FALSE(window->lblEtqReintegro->isVisibleTo(window.get()));
    EXPECT_FALSE(window->lblReintegro[7]->isVisibleTo(window.get()));
}

// N = 8: one ticket, next disabled, previous hidden.
TEST_F(VisualizarArchivoTest, EightBetsMakeOneTicket)
{
    open(GameType::Primitiva);
    load(kmb("ocho.KMB", numberedBets(8)));
    EXPECT_TRUE(person.messages.empty()) << person.lastText();
    EXPECT_EQ(window->lblApuCargadas->text(), QStringLiteral("8"));
    EXPECT_EQ(window->txtFicheroASCII->text(), QStringLiteral("ocho.KMB"));
    EXPECT_EQ(window->lblNumeroBoleto->text(), QStringLiteral("Boleto actual : 1/1"));
    EXPECT_FALSE(window->imgAvanzar->isEnabled());
    EXPECT_FALSE(window->imgRetroceder->isVisibleTo(window.get()));
    for (int c = 0; c < 8; ++c) {
        SCOPED_TRACE(c);
        for (int p = 0; p < 6; ++p) EXPECT_EQ(cell(c, p), QStringLiteral("%1").arg(c + 1 + p, 2, 10, QLatin1Char('0')));
        EXPECT_TRUE(reintegro(c).isEmpty());
    }
}

// N = 9: ticket 2 holds one bet and seven empty columns; the jump to T + 1 is refused with T.
TEST_F(VisualizarArchivoTest, NineBetsNavigationAndJump)
{
    open(GameType::Primitiva);
    load(kmb("nueve.KMB", numberedBets(9)));
    EXPECT_TRUE(window->imgAvanzar->isEnabled());
    click(window->imgAvanzar);
    EXPECT_EQ(window->lblNumeroBoleto->text(), QStringLiteral("Boleto actual : 2/2"));
    EXPECT_EQ(cell(0, 0), QStringLiteral("09"));
    EXPECT_EQ(cell(0, 5), QStringLiteral("14"));
    for (int c = 1; c < 8; ++c)
        for (int p = 0; p < 6; ++p) EXPECT_TRUE(cell(c, p).isEmpty()) << c << "," << p;
    EXPECT_FALSE(window->imgAvanzar->isEnabled());
    EXPECT_TRUE(window->imgRetroceder->isVisibleTo(window.get()));

    click(window->imgRetroceder);
    EXPECT_EQ(window->lblNumeroBoleto->text(), QStringLiteral("Boleto actual : 1/2"));
    EXPECT_EQ(cell(7, 0), QStringLiteral("08"));
    click(window->imgUltimo);
    EXPECT_EQ(window->viewer().currentTicket(), 2);
    click(window->imgPrimero);
    EXPECT_EQ(window->viewer().currentTicket(), 1);

    jump(QStringLiteral("3"));
    EXPECT_EQ(person.texts(), (std::vector<std::string>{"ERROR: EL NUMERO DE BOLETO DEBE ESTAR ENTRE 1 y 2"}));
    EXPECT_EQ(person.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(window->viewer().currentTicket(), 1);
    jump(QStringLiteral("2"));
    EXPECT_EQ(person.messages.size(), 1u);
    // Enter belongs to the jump: no button of the window takes it too.
    EXPECT_EQ(person.openRequests.size(), 1u);
    EXPECT_EQ(window->lblNumeroBoleto->text(), QStringLiteral("Boleto actual : 2/2"));
    // Only digits reach the box.
    window->txtIrboleto->clear();
    QTest::keyClicks(window->txtIrboleto, QStringLiteral("1a-"));
    EXPECT_EQ(window->txtIrboleto->text(), QStringLiteral("1"));
}

TEST_F(VisualizarArchivoTest, ReintegroRowFollowsTheBox)
{
    open(GameType::Primitiva);
    window->chkReintegros->click();
    load(kmb("veinte.KMB", numberedBets(20)));
    EXPECT_EQ(reintegro(0), QStringLiteral("01"));
    EXPECT_EQ(reintegro(7), QStringLiteral("08"));
    // Unticking empties the row at once; ticking shows it from the next ticket shown.
    window->chkReintegros->click();
    EXPECT_TRUE(reintegro(0).isEmpty());
    window->chkReintegros->click();
    EXPECT_TRUE(reintegro(0).isEmpty());
    click(window->imgAvanzar);
    EXPECT_EQ(reintegro(0), QStringLiteral("09"));
    EXPECT_EQ(reintegro(1), QStringLiteral("00"));
    click(window->imgUltimo);
    EXPECT_EQ(reintegro(3), QStringLiteral("00"));
    EXPECT_TRUE(reintegro(4).isEmpty());
}

TEST_F(VisualizarArchivoTest, AFileWithoutBetsWarnsAndAFailedReadShowsNothing)
{
    open(GameType::Primitiva);
    struct Case {
        const char* contents;
        MessageKind kind;
        const char* text;
    };
    const Case cases[] = {
        {"", MessageKind::Warning, kZeroBetsWarning},
        {"esto no es una apuesta\n", MessageKind::Error, "ERROR AL IMPORTAR EL FICHERO, FICHERO NO IMPORTADO ("},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        load(kmb("ocho.KMB", numberedBets(8)));
        person.messages.clear();
        load(text("nada.txt", c.contents));
        ASSERT_EQ(person.messages.size(), 1u);
        EXPECT_EQ(person.messages[0].kind, c.kind);
        EXPECT_EQ(person.messages[0].text.rfind(c.text, 0), 0u) << person.messages[0].text;
        EXPECT_EQ(window->lblApuCargadas->text(), QStringLiteral("0"));
        EXPECT_EQ(window->lblNumeroBoleto->text(), QStringLiteral("Boleto actual : 0/0"));
        EXPECT_TRUE(cell(0, 0).isEmpty());
        EXPECT_FALSE(window->imgAvanzar->isEnabled());
    }
}
