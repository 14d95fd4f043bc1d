// The program's look holds in every window however it is created, and a disabled command never
// keeps the colours that invite a click.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "core/state.h"
#include "support/recording_interaction.h"
#include "ui/filters/frmFiltroDECENAS.h"
#include "ui/frmAlgebra.h"
#include "ui/frmCalculadoraPremios.h"
#include "ui/frmEscrutar.h"
#include "ui/frmEstadisticas.h"
#include "ui/frmGeneradorNumeros.h"
#include "ui/frmGeneradorPorcentajes.h"
#include "ui/frmMultiEscrutinioEstadistico.h"
#include "ui/frmMultiEscrutinioMultiFichero.h"
#include "ui/frmPrincipal.h"
#include "ui/frmSistemasPropios.h"
#include "ui/frmVisualizarArchivo.h"
#include "ui/widgets/mark_cell.h"

using namespace kombitron;
using namespace kombitron::ui;

namespace {

// Pixels of a strong colour: the reds, greens and blues that mark a live command.
int vividPixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 128 && c.hsvSaturationF() > 0.55 && c.valueF() > 0.45) ++n;
        }
    return n;
}

int pixelsNear(const QImage& image, const QColor& colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) + std::abs(c.blue() - colour.blue()) < 40) ++n;
        }
    return n;
}

using WindowMaker = std::function<std::unique_ptr<QWidget>()>;

struct Windows {
    AppState state;
    test::RecordingInteraction ui;
    std::vector<std::pair<const char*, WindowMaker>> makers()
    {
        return {
            {"frmPrincipal", [this] { return std::make_unique<frmPrincipal>(state, ui); }},
            {"frmEscrutar", [this] { return std::make_unique<frmEscrutar>(state, ui); }},
            {"frmMultiEscrutinioMultiFichero", [this] { return std::make_unique<frmMultiEscrutinioMultiFichero>(ui); }},
            {"frmMultiEscrutinioEstadistico", [this] { return std::make_unique<frmMultiEscrutinioEstadistico>("PRIMITIVA", ui); }},
            {"frmEstadisticas", [this] { return std::make_unique<frmEstadisticas>("PRIMITIVA", ui); }},
            {"frmCalculadoraPremios", [this] { return std::make_unique<frmCalculadoraPremios>(PrizeCalculatorInputs{}, ui); }},
            {"frmAlgebra", [this] { return std::make_unique<frmAlgebra>(ui); }},
            {"frmGeneradorNumeros", [this] { return std::make_unique<frmGeneradorNumeros>(ui); }},
            {"frmGeneradorPorcentajes", [this] { return std::make_unique<frmGeneradorPorcentajes>(ui); }},
            {"frmSistemasPropios", [this] { return std::make_unique<frmSistemasPropios>(ui, "Sin guardar.xml"); }},
            {"frmVisualizarArchivo", [this] { return std::make_unique<frmVisualizarArchivo>(GameType::Primitiva, ui); }},
            {"frmFiltroDECENAS", [this] { return std::make_unique<frmFiltroDECENAS>(state, ui); }},
        };
    }
};

} // namespace

TEST(AppStyle, DisabledCommandsLookDisabledInEveryWindow)
{
    Windows windows;
    for (auto& [name, make] : windows.makers()) {
        SCOPED_TRACE(name);
        std::unique_ptr<QWidget> window = make();
        window->show();
        QApplication::processEvents();
        // What the windows do while they work: their commands (or all of them) off.
        window->setEnabled(false);
        QApplication::processEvents();
        std::vector<QWidget*> commands;
        for (auto* b : window->findChildren<QAbstractButton*>()) commands.push_back(b);
        for (auto* c : window->findChildren<QComboBox*>()) commands.push_back(c);
        for (QWidget* w : commands) {
            if (!w->isVisible() || w->isEnabled()) continue;
            SCOPED_TRACE(qPrintable(w->objectName() + QLatin1Char(' ') + w->property("text").toString()));
            EXPECT_EQ(vividPixels(w->grab().toImage()), 0);
        }
        windows.state.savedFlag = true;
    }
}

TEST(AppStyle, WindowsWithoutAParentShowTheProgramsLook)
{
    Windows windows;
    for (auto& [name, make] : windows.makers()) {
        SCOPED_TRACE(name);
        std::unique_ptr<QWidget> window = make();
        ASSERT_EQ(window->parentWidget(), nullptr);
        window->show();
        QApplication::processEvents();
        const QImage image = window->grab().toImage();
        EXPECT_GT(pixelsNear(image, QColor(0xf4, 0xf5, 0xf7)), image.width() * image.height() / 20) << "window background";
        for (auto* box : window->findChildren<QGroupBox*>()) {
            if (!box->isVisible() || box->title().isEmpty()) continue;
            SCOPED_TRACE(qPrintable(box->title()));
            const QImage caption = box->grab(QRect(0, 0, box->width(), box->fontMetrics().height() + 4)).toImage();
            EXPECT_GT(pixelsNear(caption, QColor(QLatin1String(colors::kAccent))), 10) << "caption in the accent colour";
        }
        windows.state.savedFlag = true;
    }
    EXPECT_FALSE(QApplication::windowIcon().isNull());
    EXPECT_EQ(QGuiApplication::desktopFileName().toStdString(), "kombitron");
}
