#include "ui/frmPrincipal.h"

namespace kombitron::ui {

frmPrincipal::frmPrincipal(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("frmPrincipal");
    setWindowTitle(QStringLiteral("KOMBITRON " KOMBITRON_VERSION));
    resize(1200, 720);
}

} // namespace kombitron::ui
