#pragma once

#include <QString>

class QWidget;

namespace kombitron {
struct AppState;
}

namespace kombitron::test {

// Render the scrutiny windows with results into `folder`/NAME.png: frmEscrutar (the reduced system
// of `state` against a draw with prizes in several categories), frmCalculadoraPremios (after a
// consultation), frmMultiEscrutinioMultiFichero and frmMultiEscrutinioEstadistico (the real
// PRIMITIVA draws of data/ with typical prize amounts). Returns how many pictures were written.
int renderScrutinyWindows(const QString& folder, AppState& state, QWidget* owner);

} // namespace kombitron::test
