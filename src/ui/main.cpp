#include <QApplication>

#include "ui/app_context.h"
#include "ui/filter_windows.h"
#include "ui/frmPrincipal.h"
#include "ui/qt_interaction.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    kombitron::ui::configureApplication(app);
    kombitron::ui::installFilterWindows();

    kombitron::ui::QtInteraction interaction;
    kombitron::ui::frmPrincipal window(kombitron::ui::appState(), interaction);
    interaction.setOwner(&window);
    window.show();
    return app.exec();
}
