#include "filter_screenshots.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QToolButton>

#include <functional>
#include <memory>

#include "core/filter_rows.h"
#include "core/interaction.h"
#include "core/state.h"
#include "engine/generation.h"
#include "ui/filters/frmFiltroALTOSBAJOS.h"
#include "ui/filters/frmFiltroCOLINDANTES.h"
#include "ui/filters/frmFiltroCR.h"
#include "ui/filters/frmFiltroDECENAS.h"
#include "ui/filters/frmFiltroDISTANCIAS.h"
#include "ui/filters/frmFiltroEXTERIORES.h"
#include "ui/filters/frmFiltroGRUPOS.h"
#include "ui/filters/frmFiltroGRUPOSENTRELIMITES.h"
#include "ui/filters/frmFiltroGRURELACIONADOS.h"
#include "ui/filters/frmFiltroHOMOLOGOS.h"
#include "ui/filters/frmFiltroPARESIMPARES.h"
#include "ui/filters/frmFiltroPOSICIONES.h"
#include "ui/filters/frmFiltroSEGUIDOS.h"
#include "ui/filters/frmFiltroSORTEOSANTERIORES.h"
#include "ui/filters/frmFiltroSUMAS.h"
#include "ui/filters/frmFiltroSUMASPORTRIOS.h"
#include "ui/filters/frmFiltroSUPERIORES.h"
#include "ui/filters/frmFiltroTERMINACIONES.h"
#include "ui/filters/frmFiltroVALORACIONES.h"

namespace kombitron::test {

namespace {

HitSet hitsOf(std::initializer_list<int> counts)
{
    HitSet h;
    for (int c : counts) h.flags[static_cast<size_t>(c)] = 1;
    return h;
}

// A player's evening: an 18-number base and a dozen filters set.
void fill(AppState& s)
{
    ResetStateDefaults(s);
    resetFilterRows(s);
    for (int n : {2, 5, 7, 11, 13, 16, 19, 22, 25, 28, 31, 33, 36, 38, 41, 44, 47, 49}) setNumberMarked(s, n, true);
    BuildBaseNumbers(s);
    auto& f = s.filters;
    f.altosBajos.bajos = hitsOf({2, 3, 4});
    f.altosBajos.altos = hitsOf({2, 3, 4});
    f.paresImpares.pares = hitsOf({2, 3, 4});
    f.exteriores.exteriores = hitsOf({1, 2, 3});
    f.superiores.superiores = hitsOf({2, 3, 4});
    f.decenas.decenas[0] = hitsOf({0, 1, 2});
    f.decenas.decenas[4] = hitsOf({0, 1, 2});
    for (int i : {5, 6, 7, 8, 9}) f.decenas.figures[static_cast<size_t>(i)] = 1;
    f.seguidos.seguidos = hitsOf({1, 2});
    for (int i : {5, 6, 7, 8, 9, 10}) f.seguidos.figures[static_cast<size_t>(i)] = 1;
    f.terminaciones.terminadosEn[0] = hitsOf({0, 1});
    f.terminaciones.sumMin = 15;
    f.terminaciones.sumMax = 40;
    for (int i : {4, 5, 6, 7, 8, 9}) f.terminaciones.figures[static_cast<size_t>(i)] = 1;
    f.homologos.homologos = hitsOf({1, 2});
    f.colindantes.colindantes = hitsOf({0, 2, 3});
    f.distancias.minimum = {1, 1, 1, 1, 1, 20};
    f.distancias.maximum = {15, 15, 15, 15, 15, 45};
    f.sumas.intervals[0] = {100, 180};
    f.sumas.intervals[1] = {200, 230};
    f.sumasPorTrios.first[0] = {20, 70};
    f.sumasPorTrios.last[0] = {90, 140};
    for (int n : {2, 5, 7, 11}) f.posiciones.allowed[0][static_cast<size_t>(n)] = 1;
    for (int n : {41, 44, 47, 49}) f.posiciones.allowed[5][static_cast<size_t>(n)] = 1;
    auto& g = f.grupos.groups;
    for (int n : {2, 5, 7, 11, 13}) g[0].members[static_cast<size_t>(n)] = 1;
    g[0].hits = hitsOf({1, 2});
    for (int n : {16, 19, 22, 25}) g[1].members[static_cast<size_t>(n)] = 1;
    g[1].hits = hitsOf({1});
    g[1].positions = {1, 1, 1, 0, 0, 0};
    for (int n : {41, 44, 47, 49}) g[2].members[static_cast<size_t>(n)] = 1;
    g[2].hits = hitsOf({0, 1});
    auto& gl = f.gruposEntreLimites;
    for (int n : {2, 7, 13, 19}) gl.groups[0].members[static_cast<size_t>(n)] = 1;
    gl.groups[0].hits = hitsOf({1, 2});
    for (int n : {22, 28, 33, 38}) gl.groups[1].members[static_cast<size_t>(n)] = 1;
    gl.groups[1].hits = hitsOf({1, 2});
    for (int n : {41, 44, 47, 49}) gl.groups[2].members[static_cast<size_t>(n)] = 1;
    gl.groups[2].hits = hitsOf({0, 1});
    gl.minimum = 2;
    gl.maximum = 3;
    auto& r = f.gruposRelacionados;
    for (int n : {2, 5, 7, 11}) r.subgroups[0][static_cast<size_t>(n)] = 1;
    for (int n : {22, 25, 28, 31}) r.subgroups[1][static_cast<size_t>(n)] = 1;
    for (int n : {41, 44, 47, 49}) r.subgroups[2][static_cast<size_t>(n)] = 1;
    r.conditions[0] = hitsOf({2});
    r.conditions[1] = hitsOf({0, 1});
    auto& p = f.sorteosAnteriores;
    for (int i = 0; i < 60; ++i) {
        DrawRecord d;
        for (int k = 0; k < 6; ++k) d.numbers[k] = static_cast<uint8_t>(1 + (i * 11 + k * 8) % 49);
        d.season = static_cast<int16_t>(2024 + i / 30);
        d.drawNumber = static_cast<uint16_t>(1 + i % 30);
        d.weekday = static_cast<uint8_t>(i % 2 ? 6 : 4);
        p.draws.push_back(d);
    }
    p.groups[0].sorteoDESDE = {1, 2024};
    p.groups[0].sorteoHASTA = {30, 2025};
    p.groups[0].acertarEN = hitsOf({4, 5, 6});
    p.groups[0].aciertosMaximoSORTEOS = 0;
    auto& v = f.valoraciones;
    int k = 0;
    for (uint8_t n : s.base.baseNumbers) v.valuations[n - 1][0] = static_cast<int16_t>(5 + (k++ * 7) % 40);
    v.valuationMin[0][0] = 80;
    v.valuationMax[0][0] = 160;
    auto& c = f.coeficiente;
    c.real.fill(12.25);
    for (int step = 8; step <= 25; ++step) c.ranges[static_cast<size_t>(step)] = 1;
    for (int row = 0; row < kFilterCount; ++row)
        if (row != static_cast<int>(FilterId::COLINDANTES)) setRowActive(s.filterRows[static_cast<size_t>(row)], true);
    rebuildFilterRow(s, static_cast<int>(FilterId::GRUPOS));
}

bool save(QWidget& window, const QString& folder, const QString& name)
{
    window.show();
    window.adjustSize();
    QApplication::processEvents();
    return window.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

} // namespace

int renderFilterWindows(const QString& folder)
{
    QDir().mkpath(folder);
    AppState state;
    fill(state);
    SilentInteraction ui;
    using Maker = std::function<std::unique_ptr<QWidget>()>;
    const std::vector<Maker> makers = {
        [&] { return std::make_unique<ui::frmFiltroALTOSBAJOS>(state, ui); },
        [&] { return std::make_unique<ui::frmFiltroDECENAS>(state, ui); },
        [&] { return std::make_unique<ui::frmFiltroDISTANCIAS>(state, ui); },
        [&] { return std::make_unique<ui::frmFiltroGRUPOS>(state, ui); },
        [&] { return std::make_unique<ui::frmFiltroGRURELACIONADOS>(state, ui); },
        [&] { return std::make_unique<ui::frmFiltroHOMOLOGOS>(state, ui); },
        [&] { return std::make_unique<ui::frmFiltroPARESIMPARES>(state, ui); },
        [&] { return std::make_unique<ui::frmFiltroSEGUIDOS>(state, ui); },
        [&] { return std::make_unique<ui::frmFiltroSUMAS>(state, ui); },
        [&] { return std::make_unique<ui::frmFiltroTERMINACIONES>(state, ui); },
        [&] { return std::make_unique<ui::frmFiltroPOSICIONES>(state, ui); },
        [&] { return std::make_unique<ui::frmFiltroEXTERIORES>(state, ui); },
        [&] { return std::make_unique<ui::frmFiltroSUPERIORES>(state, ui); },
        [&] { return std::make_unique<ui::frmFiltroCOLINDANTES>(state, ui); },
        [&] { return std::make_unique<ui::frmFiltroSORTEOSANTERIORES>(state, ui); },
        [&] { return std::make_unique<ui::frmFiltroSUMASPORTRIOS>(state, ui); },
        [&] { return std::make_unique<ui::frmFiltroVALORACIONES>(state, ui); },
        [&] { return std::make_unique<ui::frmFiltroCR>(state, ui); },
        [&] { return std::make_unique<ui::frmFiltroGRUPOSENTRELIMITES>(state, ui); },
    };
    int written = 0;
    for (const Maker& make : makers) {
        auto window = make();
        written += save(*window, folder, window->objectName()) ? 1 : 0;
        if (window->objectName() == QLatin1String("frmFiltroSORTEOSANTERIORES")) {
            // The same window with its table of calculation times shown.
            window->findChild<QToolButton*>(QStringLiteral("imgInformacion"))->click();
            QApplication::processEvents();
            written += window->grab().save(QDir(folder).filePath(QStringLiteral("frmFiltroSORTEOSANTERIORES_informacion.png"))) ? 1 : 0;
        }
        window->hide();
    }
    return written;
}

} // namespace kombitron::test
