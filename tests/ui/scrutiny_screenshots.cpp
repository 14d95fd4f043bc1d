#include "scrutiny_screenshots.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QComboBox>
#include <QTemporaryDir>

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "core/format.h"
#include "core/interaction.h"
#include "core/random.h"
#include "core/rank.h"
#include "core/state.h"
#include "formats/bet_files.h"
#include "scrutiny/scrutiny.h"
#include "ui/frmCalculadoraPremios.h"
#include "ui/frmEscrutar.h"
#include "ui/frmMultiEscrutinioEstadistico.h"
#include "ui/frmMultiEscrutinioMultiFichero.h"
#include "ui/widgets/numeric_line_edit.h"

namespace kombitron::test {

namespace {

using namespace kombitron::ui;

// Opens no dialog: the file dialogs answer with the paths the pictures need.
class Scripted : public SilentInteraction {
public:
    std::vector<std::string> selection;
    std::vector<std::string> openFilesDialog(const FileDialogRequest&) override { return selection; }
};

bool save(QWidget* w, const QString& folder, const QString& name)
{
    QCoreApplication::processEvents();
    const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
    if (!w->grab().save(path)) {
        std::fprintf(stderr, "kombitron_screenshots: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

void waitUntil(const std::function<bool()>& done, int ms = 30000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

std::string twoDigits(int v) { return formatTwoDigits(v); }

// The draws of data/primitiva.csv: numbers, complementary, season, draw number, weekday, date.
struct CsvDraw {
    std::string date;
    int season = 0, draw = 0;
    char day = 'L';
    int values[8] = {};
};

std::vector<CsvDraw> realDraws()
{
    std::vector<CsvDraw> draws;
    std::ifstream in(KOMBITRON_SOURCE_DIR "/data/primitiva.csv");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line.rfind("fecha", 0) == 0) continue;
        if (line.back() == '\r') line.pop_back();
        std::stringstream fields(line);
        std::string f[12];
        for (auto& x : f) std::getline(fields, x, ',');
        CsvDraw d;
        d.date = f[0];
        d.season = std::stoi(f[1]);
        d.draw = std::stoi(f[2]);
        d.day = f[3].empty() ? 'L' : f[3][0];
        for (int v = 0; v < 8; ++v) d.values[v] = std::stoi(f[4 + v]);
        draws.push_back(d);
    }
    return draws;
}

// A draws answer with both branches for the real draws, valued with prize amounts of the size the
// game usually pays (the service we ship has no amounts to give).
std::string answerWithTypicalPrizes(const std::vector<CsvDraw>& draws)
{
    Rng rng(2024);
    std::string combinations, prizes;
    char amount[64];
    for (const CsvDraw& d : draws) {
        const std::string key = " anio=\"" + std::to_string(d.season) + "\" sorteo=\"" + std::to_string(d.draw) +
                                "\" dia=\"" + std::string(1, d.day) + "\"";
        std::string numbers;
        for (int v = 0; v < 8; ++v) numbers += (v ? "," : "") + twoDigits(d.values[v]);
        combinations += "<COMBINACION numeros=\"" + numbers + "\"" + key + "/>";
        prizes += "<SORTEO" + key + " fecha=\"" + d.date + "\" recaudacion=\"\" bote=\"\"><ESCRUTINIO>";
        const double typical[6] = {0, 1500000 + 3000000 * rng.nextDouble(), 40000 + 80000 * rng.nextDouble(),
                                   1200 + 2500 * rng.nextDouble(), 35 + 50 * rng.nextDouble(), 8};
        const char* const categories[6] = {"CAT6R", "CAT6", "CAT5C", "CAT5", "CAT4", "CAT3"};
        for (int c = 0; c < 6; ++c) {
            std::snprintf(amount, sizeof amount, "%.2f", typical[c]);
            prizes += std::string("<") + categories[c] + " premio=\"" + (c == 0 ? "" : amount) + "\" acertantes=\"\"/>";
        }
        prizes += "</ESCRUTINIO></SORTEO>";
    }
    return "<?xml version=\"1.0\"?><RESULTADOS><PRIMITIVA><COMBINACIONES>" + combinations +
           "</COMBINACIONES><SORTEOS>" + prizes + "</SORTEOS></PRIMITIVA></RESULTADOS>";
}

// `count` distinct random bets, each in ascending order.
BetList randomBets(int64_t count, uint64_t seed)
{
    Rng rng(seed);
    PresenceTable seen;
    BetList bets(count);
    for (int64_t i = 1; i <= count;) {
        const auto rank = static_cast<int32_t>(1 + rng.below(13983816));
        if (!seen.insert(rank)) continue;
        Bet b;
        CombinationFromRank(rank, b.numbers);
        b.reintegro = static_cast<uint8_t>(rng.below(10));
        bets.set(i++, b);
    }
    return bets;
}

bool writeKmb(const std::string& path, const BetList& bets, int64_t count)
{
    Progress progress;
    StopFlag stop;
    return WriteBetFile(path, "0", bets, count, progress, stop).ok();
}

} // namespace

int renderScrutinyWindows(const QString& folder, AppState& state, QWidget* owner)
{
    int written = 0;
    QTemporaryDir files;
    const auto file = [&files](const char* name) { return (QDir(files.path()).filePath(QLatin1String(name))).toStdString(); };
    Scripted ui;

    // The reduced system against a draw of six of its numbers, the complementary another one.
    state.winning = winningFromMarks([] {
        std::array<uint8_t, 50> marks{};
        for (int n : {7, 14, 22, 28, 33, 41}) marks[static_cast<size_t>(n)] = 1;
        return marks;
    }(), 46, 0);
    const std::vector<CsvDraw> draws = realDraws();
    {
        frmEscrutar w(state, ui, owner);
        w.ApuestasATRATAR = state.reducedCount;
        w.show();
        waitUntil([&] { return !w.isBusy() && w.lastResult().bets > 0; });
        w.cboReintegro->setCurrentIndex(4);
        w.escrutar();
        waitUntil([&] { return !w.isBusy(); });
        written += save(&w, folder, QStringLiteral("frmEscrutar"));

        PrizeCalculatorInputs in;
        in.game = state.base.game;
        in.counts = calculatorCounts(w.lastResult().tally);
        in.bets = w.ApuestasATRATAR;
        in.winningNumbers = state.winning.numbers;
        in.complementaryText = "46";
        in.combinationName = scrutinisedCombinationName(state);
        frmCalculadoraPremios c(in, ui, &w);
        c.setPrizesFetch([](const std::string&) {
            ServicePrizesResult r;
            DrawPrizes p;
            p.season = 2025;
            p.drawNumber = 21;
            p.weekday = 6;
            p.date = "15/03/2025";
            p.takings = 8413352.5;
            p.jackpot = 4300000;
            const double prize[6] = {0, 0, 91235.62, 2516.08, 61.35, 8};
            const int32_t winners[6] = {0, 0, 2, 58, 3412, 64721};
            for (int k = 0; k < kPrizeCategoryCount; ++k) p.categories[static_cast<size_t>(k)] = {prize[k], winners[k]};
            r.draws.push_back(p);
            return r;
        });
        c.txtDia->setText(QStringLiteral("15"));
        c.txtMes->setText(QStringLiteral("03"));
        c.txtAnio->setText(QStringLiteral("2025"));
        c.show();
        c.consultar();
        waitUntil([&] { return !c.isBusy(); });
        written += save(&c, folder, QStringLiteral("frmCalculadoraPremios"));
        c.cerrar();
        w.cerrar();
    }

    // Four bet files against the last 150 real draws.
    {
        writeKmb(file("sistema_12_numeros.KMB"), state.finalSystem, state.reducedCount);
        writeKmb(file("aleatorias_500.KMB"), randomBets(500, 7), 500);
        writeKmb(file("aleatorias_5000.KMB"), randomBets(5000, 11), 5000);
        std::ofstream(file("vacio.txt")) << "sin apuestas\r\n";
        std::ofstream winning(file("sorteos_2024_2026.txt"));
        for (size_t i = draws.size() > 150 ? draws.size() - 150 : 0; i < draws.size(); ++i) {
            for (int v = 0; v < 6; ++v) winning << (v ? " " : "") << twoDigits(draws[i].values[v]);
            winning << "\r\n";
        }
        winning.close();

        frmMultiEscrutinioMultiFichero w(ui, owner);
        w.show();
        ui.selection = {file("sistema_12_numeros.KMB"), file("aleatorias_500.KMB"), file("aleatorias_5000.KMB"),
                        file("vacio.txt")};
        w.anadirFicheros();
        w.loadWinning(file("sorteos_2024_2026.txt"));
        waitUntil([&] { return !w.isBusy(); });
        w.escrutar();
        waitUntil([&] { return !w.isBusy(); });
        w.lstFicheros->setCurrentRow(1);
        w.lstFicheros->setFocus();
        written += save(&w, folder, QStringLiteral("frmMultiEscrutinioMultiFichero"));
    }

    // The same system over the PRIMITIVA draws of the last seasons.
    {
        frmMultiEscrutinioEstadistico w("PRIMITIVA", ui, owner);
        const std::string xml = answerWithTypicalPrizes(draws);
        w.setDrawsSource([xml](const std::string& game) { return parseStatisticalDraws(xml, game); });
        w.resize(1100, 700);
        w.show();
        w.cargar();
        waitUntil([&] { return !w.isBusy(); });
        w.loadFile(file("sistema_12_numeros.KMB"));
        waitUntil([&] { return !w.isBusy(); });
        w.txtTemporadaDESDE->setText(QStringLiteral("2024"));
        w.escrutar();
        waitUntil([&] { return !w.isBusy(); });
        // The end of the report: the last draws and the totals.
        w.txtDatos->moveCursor(QTextCursor::End);
        w.txtDatos->ensureCursorVisible();
        written += save(&w, folder, QStringLiteral("frmMultiEscrutinioEstadistico"));
    }
    return written;
}

} // namespace kombitron::test
