#pragma once

#include <QMainWindow>

namespace kombitron::ui {

// The main window.
class frmPrincipal : public QMainWindow {
    Q_OBJECT
public:
    explicit frmPrincipal(QWidget* parent = nullptr);
};

} // namespace kombitron::ui
