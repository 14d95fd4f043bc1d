#pragma once

#include <QDialog>

namespace kombitron::ui {

// "Acerca de KOMBITRON": the program's name, version and build date.
class frmAcercaDe : public QDialog {
    Q_OBJECT
public:
    explicit frmAcercaDe(QWidget* parent = nullptr);
};

} // namespace kombitron::ui
