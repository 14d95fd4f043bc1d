#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

#include "core/format.h"
#include "core/paths.h"
#include "core/random.h"
#include "core/rank.h"
#include "formats/bet_files.h"
#include "scrutiny/multi_file.h"
#include "support/recording_interaction.h"
#include "support/test_bets.h"
#include "support/test_paths.h"
#include "ui/frmMultiEscrutinioMultiFichero.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/waiting_panel.h"
#include "ui_test_support.h"

using namespace kombitron;
using namespace kombitron::ui;
using kombitron::test::click;
using kombitron::test::waitUntil;

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

QStringList items(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

std::vector<std::string> manyPaths(int n, const std::string& prefix)
{
    std::vector<std::string> paths;
    for (int i = 0; i < n; ++i) paths.push_back("/apuestas/" + prefix + std::to_string(i) + ".KMB");
    return paths;
}

struct MultiFileWindowTest : ::testing::Test {
    void SetUp() override
    {
        setNumberFormat({".", ","});
        setApplicationFolder(dir.path().string());
        window = std::make_unique<frmMultiEscrutinioMultiFichero>(ui);
        window->show();
    }
    void TearDown() override
    {
        // The window asks before closing; the test's window goes without a word.
        window.reset();
    }
    void settle() { ASSERT_TRUE(waitUntil([&] { return !window->isBusy(); }, 20000)); }
    std::string kmb(const std::string& name, const BetList& bets)
    {
        Progress progress;
        StopFlag stop;
        EXPECT_TRUE(WriteBetFile(dir.file(name), "0", bets, bets.size(), progress, stop).ok());
        return dir.file(name);
    }
    static BetList bets(const std::vector<std::array<int, 6>>& rows)
    {
        BetList list(static_cast<int64_t>(rows.size()));
        for (size_t i = 0; i < rows.size(); ++i) {
            Bet b;
            for (int j = 0; j < 6; ++j) b.numbers[j] = static_cast<uint8_t>(rows[i][static_cast<size_t>(j)]);
            list.set(static_cast<int64_t>(i) + 1, b);
        }
        return list;
    }
    void loadWinning(const std::string& text)
    {
        test::writeFile(dir.file("sorteos.txt"), text);
        ui.openPaths.push_back(dir.file("sorteos.txt"));
        click(window->cmdDesdeFicheroSORTEOS);
        settle();
    }

    test::TempDir dir;
    test::RecordingInteraction ui;
    std::unique_ptr<frmMultiEscrutinioMultiFichero> window;
};

} // namespace

TEST_F(MultiFileWindowTest, AddingRemovingAndEmptyingTheList)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("MultiEscrutinio MultiFichero"));
    EXPECT_EQ(window->cmdADD->toolTip(), QStringLiteral("Añade un Fichero"));
    EXPECT_EQ(window->lblEstado->text(), QStringLiteral("Ventana de estado : -"));

    ui.openSelections.push_back({"/apuestas/a.KMB", "/apuestas/b.txt", "/apuestas/c.KMB"});
    click(window->cmdADD);
    ASSERT_EQ(ui.openRequests.size(), 1u);
    EXPECT_EQ(ui.openRequests[0].title, "Abrir Fichero");
    EXPECT_EQ(ui.openRequests[0].filterIndex, 2);
    EXPECT_EQ(items(window->lstFicheros), (QStringList{"/apuestas/a.KMB", "/apuestas/b.txt", "/apuestas/c.KMB"}));

    // Removing needs a selected file.
    window->lstFicheros->clearSelection();
    click(window->cmdDEL);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"DEBE SELECCIONAR UN FICHERO DE LA LISTA PARA ELIMINARLO"}));
    window->lstFicheros->setCurrentRow(1);
    click(window->cmdDEL);
    EXPECT_EQ(items(window->lstFicheros), (QStringList{"/apuestas/a.KMB", "/apuestas/c.KMB"}));

    // 1001 files in one selection add none; two selections of 600 add all 1200.
    ui.messages.clear();
    ui.openSelections.push_back(manyPaths(1001, "x"));
    click(window->cmdADD);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"SOLO SE PERMITEN CARGAR 1000 FICHEROS PARA ESCRUTAR"}));
    EXPECT_EQ(window->lstFicheros->count(), 2);
    ui.openSelections.push_back(manyPaths(600, "y"));
    ui.openSelections.push_back(manyPaths(600, "z"));
    click(window->cmdADD);
    click(window->cmdADD);
    EXPECT_EQ(window->lstFicheros->count(), 1202);
    EXPECT_EQ(window->files().back(), "/apuestas/z599.KMB");

    // Emptying asks first; No keeps everything.
    click(window->cmdDELALL);
    EXPECT_EQ(ui.questions, (std::vector<std::string>{"¿ ESTA SEGURO QUE QUIERE BORRAR TODA LA LISTA DE FICHEROS ?"}));
    EXPECT_EQ(window->lstFicheros->count(), 1202);
    ui.answers.push_back(true);
    click(window->cmdDELALL);
    EXPECT_EQ(window->lstFicheros->count(), 0);
    EXPECT_TRUE(window->files().empty());
    EXPECT_EQ(window->lblImportando->text(), QStringLiteral("0"));
    EXPECT_TRUE(window->txtInforme->toPlainText().isEmpty());
    // An empty list is not asked about.
    click(window->cmdDELALL);
    EXPECT_EQ(ui.questions.size(), 2u);
}

TEST_F(MultiFileWindowTest, RunsInOrderWithItsRefusalsAndReports)
{
    click(window->imgEscrutar);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"ERROR: No hay Fichero de SORTEOS cargado para escrutar"}));
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);

    loadWinning("01 02 03 04 05 06\r\n10 20 30 40 41 42\r\n");
    EXPECT_EQ(ui.openRequests.back().filterIndex, 1);
    EXPECT_EQ(window->lblApuCargadas->text(), QStringLiteral("2"));
    EXPECT_EQ(window->txtFicheroASCIISORTEOS->text(), QStringLiteral("sorteos.txt"));
    EXPECT_EQ(window->txtFicheroASCIISORTEOS->toolTip(), qs(dir.file("sorteos.txt")));
    ui.messages.clear();
    click(window->imgEscrutar);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"NO HAY NINGUN FICHERO CARGADO PARA ESCRUTAR"}));
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Warning);

    // Three bets (one of them a winning combination), an unreadable file, and two more bets.
    const std::string first = kmb("primero.KMB", bets({{1, 2, 3, 4, 5, 6}, {1, 2, 3, 10, 20, 30}, {7, 8, 9, 11, 12, 13}}));
    test::writeFile(dir.file("segundo.txt"), "01 02 03 04 05 06\r\n10 20 30 40 41 42\r\n");
    ui.openSelections.push_back({first, dir.file("no_existe.KMB"), dir.file("segundo.txt")});
    click(window->cmdADD);
    ui.messages.clear();
    click(window->imgEscrutar);
    EXPECT_TRUE(window->isBusy());
    EXPECT_FALSE(window->imgEscrutar->isEnabled());
    EXPECT_FALSE(window->imgVolver->isEnabled());
    settle();
    ASSERT_EQ(ui.messages.size(), 1u);  // the unreadable file's own error
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
    const QStringList summary = window->txtInforme->toPlainText().split(QLatin1Char('\n'));
    ASSERT_GE(summary.size(), 4);
    EXPECT_EQ(summary[0], QStringLiteral("FICHERO                    APUESTAS   DE6       DE5       DE4       DE3       DE2       DE1       DE0"));
    // Against two combinations, three bets give six counts: DE6 1, DE3 2, DE0 3.
    EXPECT_EQ(summary[1], QStringLiteral("primero.KMB                3          1         0         0         2         0         0         3         "));
    EXPECT_EQ(summary[2], QStringLiteral("no_existe.KMB              0          (error al leer el fichero)"));
    EXPECT_EQ(summary[3], QStringLiteral("segundo.txt                2          2         0         0         0         0         0         2         "));
    EXPECT_EQ(window->lblEstado->text(), QStringLiteral("Ventana de estado : -"));
    EXPECT_FALSE(window->picVentanaEspera->isVisible());
    EXPECT_TRUE(window->imgEscrutar->isEnabled());

    click(window->imgVerInformeResumenPremios);
    ASSERT_EQ(ui.editorPaths, (std::vector<std::string>{dir.file("KOMBITRON_RESUMENPREMIOS.txt")}));
    EXPECT_EQ(test::readFile(dir.file("KOMBITRON_RESUMENPREMIOS.txt")), window->summary());

    // Detailed mode: one report per file scrutinised, opened in the editor, and no table header.
    ui.editorPaths.clear();
    window->chkTipoListadoPremios->setChecked(true);
    click(window->imgEscrutar);
    settle();
    EXPECT_EQ(ui.editorPaths, (std::vector<std::string>{dir.file("KOMBITRON_DETALLEPREMIOS_FICHERO1.txt"),
                                                        dir.file("KOMBITRON_DETALLEPREMIOS_FICHERO3.txt")}));
    EXPECT_EQ(test::readFile(dir.file("KOMBITRON_DETALLEPREMIOS_FICHERO3.txt")).substr(0, 29),
              "000001. 01,02,03,04,05,06 = 1");
    EXPECT_TRUE(window->txtInforme->toPlainText().startsWith(QStringLiteral("Fichero 1: primero.KMB\nApuestas Fichero 1: 3\n")));

    // Forgetting the combinations refuses the next run.
    click(window->imgINICombinacionSORTEOS);
    EXPECT_EQ(window->lblApuCargadas->text(), QStringLiteral("0"));
    EXPECT_TRUE(window->txtFicheroASCIISORTEOS->text().isEmpty());
    click(window->imgEscrutar);
    EXPECT_EQ(ui.lastText(), "ERROR: No hay Fichero de SORTEOS cargado para escrutar");
}

TEST_F(MultiFileWindowTest, AStopDuringFileTwoOfThreeEndsOnlyThatFile)
{
    // File 2 holds every bet of 1..30 (593,775 bets) so that it takes a while against 2,000
    // combinations; a press of "Detener el proceso" as soon as it starts ends that file alone.
    const BetList all = test::everyBetOf(30);
    const std::string small = kmb("pequeno.KMB", bets({{1, 2, 3, 4, 5, 6}, {40, 41, 42, 43, 44, 45}}));
    const std::string big = kmb("grande.KMB", all);
    std::string winning;
    Rng rng(15);
    for (int k = 0; k < 2000; ++k) {
        uint8_t six[6];
        CombinationFromRank(static_cast<int32_t>(1 + rng.below(13983816)), six);
        for (int j = 0; j < 6; ++j) winning += formatTwoDigits(six[j]) + (j < 5 ? " " : "\r\n");
    }
    loadWinning(winning);
    ui.openSelections.push_back({small, big, small});
    click(window->cmdADD);

    std::vector<int> started;
    QObject::connect(window.get(), &frmMultiEscrutinioMultiFichero::fileStarted, [&](int file) {
        if (file == 0) return;
        started.push_back(file);
        EXPECT_TRUE(window->picVentanaEspera->isVisible());
        if (file == 2) {
            EXPECT_EQ(window->picVentanaEspera->title()->text(), QStringLiteral("Escrutando Fichero 2 (593.775 Apu.)"));
            EXPECT_EQ(window->lblImportando->text(), QStringLiteral("593.775"));
            EXPECT_EQ(window->lblEstado->text(), QStringLiteral("Ventana de estado : Escrutando fichero 2"));
            click(window->cmdStop);
        }
    });
    click(window->imgEscrutar);
    settle();
    EXPECT_EQ(started, (std::vector<int>{1, 2, 3}));
    const QStringList summary = window->txtInforme->toPlainText().split(QLatin1Char('\n'));
    ASSERT_GE(summary.size(), 4);
    EXPECT_TRUE(summary[1].startsWith(QStringLiteral("pequeno.KMB                2          ")));
    EXPECT_FALSE(summary[1].contains(QStringLiteral("detenido")));
    EXPECT_EQ(summary[2], QStringLiteral("grande.KMB                 593.775    (proceso detenido, fichero no escrutado)"));
    EXPECT_EQ(summary[3], summary[1]);
}

TEST_F(MultiFileWindowTest, ClosingAlwaysAsks)
{
    click(window->imgVolver);
    EXPECT_EQ(ui.questions, (std::vector<std::string>{"Se perderán todos los cálculos, ¿ SEGURO QUE DESEAS VOLVER ? "}));
    EXPECT_TRUE(window->isVisible());
    window->close();
    EXPECT_EQ(ui.questions.size(), 2u);
    EXPECT_TRUE(window->isVisible());
    ui.answers.push_back(true);
    click(window->imgVolver);
    EXPECT_FALSE(window->isVisible());
}
