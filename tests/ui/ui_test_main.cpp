#include <QApplication>

#include <clocale>

#include <gtest/gtest.h>

#include "core/format.h"
#include "ui/app_style.h"
#include "ui/filter_windows.h"
#include "ui/qt_interaction.h"
#include "ui/widgets/icons.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    kombitron::setNumberFormat({".", ","});
    kombitron::ui::installSpanishTranslations(app);
    kombitron::ui::initIconTheme();
    kombitron::ui::applyApplicationStyle(app);
    kombitron::ui::installFilterWindows();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
