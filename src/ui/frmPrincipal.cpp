#include "ui/frmPrincipal.h"

namespace kombitron::ui {

frmPrincipal::frmPrincipal(AppState& state, Interaction& ui, QWidget* parent) : QMainWindow(parent), state_(state), ui_(ui)
{
    setObjectName("frmPrincipal");
    setWindowTitle(QStringLiteral("KOMBITRON " KOMBITRON_VERSION));
    resize(1200, 720);
}

} // namespace kombitron::ui
