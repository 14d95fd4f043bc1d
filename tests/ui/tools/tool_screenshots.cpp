#include "tool_screenshots.h"

#include <QApplication>
#include <QComboBox>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPixmap>
#include <QProgressBar>
#include <QRadioButton>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/interaction.h"
#include "core/state.h"
#include "formats/bet_files.h"
#include "tools/algebra.h"
#include "ui/frmAlgebra.h"
#include "ui/frmGeneradorNumeros.h"
#include "ui/frmGeneradorPorcentajes.h"
#include "ui/frmPronosticoAleatorio.h"
#include "ui/frmSistemasPropios.h"
#include "ui/frmVisualizarArchivo.h"
#include "ui/widgets/numeric_line_edit.h"
#include "ui/widgets/ticket_grid.h"
#include "ui/widgets/waiting_panel.h"

namespace kombitron::test {

namespace {

using namespace kombitron::ui;

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

bool waitFor(const std::function<bool()>& done, int ms = 30000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

// Bets as rows of six numbers and a reintegro, written as a KMB file.
std::string writeBets(const std::string& path, const std::vector<std::vector<int>>& rows)
{
    BetList bets(static_cast<int64_t>(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i)
        for (int j = 0; j < 7; ++j) bets.bet(static_cast<int64_t>(i) + 1)[j] = static_cast<uint8_t>(rows[i][static_cast<size_t>(j)]);
    Progress progress;
    StopFlag stop;
    WriteBetFile(path, "0", bets, bets.size(), progress, stop);
    return path;
}

// Every bet of six of the given numbers, with reintegros 0..9 in turn.
std::vector<std::vector<int>> totalSystem(const std::vector<int>& numbers)
{
    std::vector<std::vector<int>> rows;
    const int n = static_cast<int>(numbers.size());
    int r = 0;
    for (int a = 0; a < n; ++a)
        for (int b = a + 1; b < n; ++b)
            for (int c = b + 1; c < n; ++c)
                for (int d = c + 1; d < n; ++d)
                    for (int e = d + 1; e < n; ++e)
                        for (int f = e + 1; f < n; ++f)
                            rows.push_back({numbers[a], numbers[b], numbers[c], numbers[d], numbers[e], numbers[f], r++ % 10});
    return rows;
}

// Keeps every k-th row, from the first.
std::vector<std::vector<int>> everyKth(const std::vector<std::vector<int>>& rows, size_t k)
{
    std::vector<std::vector<int>> kept;
    for (size_t i = 0; i < rows.size(); i += k) kept.push_back(rows[i]);
    return kept;
}

} // namespace

int renderToolWindows(const QString& folder)
{
    QTemporaryDir files;
    const std::string dir = files.path().toStdString();
    SilentInteraction silent;
    int written = 0;

    {
        AppState state;
        ResetStateDefaults(state);
        frmPronosticoAleatorio w(state, silent);
        w.cboNumeros->setCurrentIndex(7);
        w.show();
        written += save(&w, folder, QStringLiteral("frmPronosticoAleatorio"));
    }
    {
        frmGeneradorNumeros w(silent);
        for (int n : {3, 7, 11, 14, 19, 22, 25, 28, 33, 38, 41, 46}) w.toggleNumber(n);
        w.txtApuestas->setText(QStringLiteral("150"));
        w.show();
        written += save(&w, folder, QStringLiteral("frmGeneradorNumeros"));

        // All 49 numbers: the 13,983,816 subsets are shuffled behind the waiting panel.
        for (int n = 1; n <= 49; ++n)
            if (!w.gridNumeros->isMarked(n)) w.toggleNumber(n);
        w.txtApuestas->setText(QStringLiteral("13983816"));
        w.generar();
        if (waitFor([&] { return w.picVentanaEspera->isVisible() && w.picVentanaEspera->bar()->value() >= 30; }))
            written += save(&w, folder, QStringLiteral("frmGeneradorNumeros_espera"));
        waitFor([&] { return !w.isBusy(); });
    }
    {
        frmGeneradorPorcentajes w(silent);
        const int chosen[][2] = {{4, 35}, {9, 20}, {13, 50}, {17, 25}, {23, 40}, {28, 15}, {31, 60}, {36, 30}, {42, 45}, {47, 10}};
        for (const auto& c : chosen) w.setPercentage(c[0], c[1]);
        w.txtApuestas->setText(QStringLiteral("200"));
        w.show();
        written += save(&w, folder, QStringLiteral("frmGeneradorPorcentajes"));
    }

    // A reduced-looking system of ten numbers: every third bet of their total system.
    const std::vector<int> ten = {2, 8, 13, 17, 24, 29, 33, 38, 41, 45};
    const std::string origin = writeBets(dir + "/semana_12.KMB", everyKth(totalSystem(ten), 3));
    {
        frmSistemasPropios w(silent, "quiniela_semana.xml");
        w.show();
        w.loadOrigin(origin);
        waitFor([&] { return !w.isBusy(); });
        for (int n : {1, 5, 9, 14, 20, 27, 31, 36, 43, 48}) w.toggleDestination(n);
        w.chkElegirOrden->setChecked(true);
        const int order[][2] = {{1, 1}, {5, 3}, {9, 2}, {14, 4}};
        for (const auto& o : order) w.chooseOrder(o[0], o[1]);
        written += save(&w, folder, QStringLiteral("frmSistemasPropios"));
    }
    {
        const std::string one = writeBets(dir + "/sistema_uno.KMB", totalSystem(ten));
        const std::string two =
            writeBets(dir + "/sistema_dos.KMB", everyKth(totalSystem({2, 8, 13, 17, 19, 24, 29, 33, 36, 41, 45}), 2));
        frmAlgebra w(silent);
        w.show();
        w.loadSystem(0, one);
        waitFor([&] { return !w.isBusy(); });
        w.loadSystem(1, two);
        waitFor([&] { return !w.isBusy(); });
        w.optTipo[3]->click();
        w.calcular();
        waitFor([&] { return !w.isBusy(); });
        written += save(&w, folder, QStringLiteral("frmAlgebra"));
    }
    {
        frmVisualizarArchivo w(GameType::Primitiva, silent);
        w.chkReintegros->setChecked(true);
        w.show();
        w.loadFile(origin);
        waitFor([&] { return !w.isBusy(); });
        w.avanzar();
        written += save(&w, folder, QStringLiteral("frmVisualizarArchivo"));
    }
    return written;
}

} // namespace kombitron::test
