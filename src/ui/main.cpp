#include <QApplication>
#include <clocale>

#include "ui/frmPrincipal.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The core parses and prints numbers with the C library: keep its numeric locale fixed.
    std::setlocale(LC_NUMERIC, "C");
    kombitron::ui::frmPrincipal window;
    window.show();
    return app.exec();
}
