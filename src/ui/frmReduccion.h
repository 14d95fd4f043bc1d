#pragma once

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QRadioButton;

namespace kombitron {
struct AppState;
}

namespace kombitron::ui {

class ActivationButton;
class ImageButton;
class NumericLineEdit;

// "Reducción": the reduction options. It fills itself from the options on opening (change events
// do nothing meanwhile), activates the reduction row when the type, percentage, cycles, random or
// the stop rule change, and stores every control into the options when it closes.
class frmReduccion : public QDialog {
    Q_OBJECT
public:
    explicit frmReduccion(AppState& state, QWidget* parent = nullptr);

    QComboBox* cboTipoReduccion;
    QRadioButton* optTipo[2];
    QComboBox* cboPorcentaje;
    NumericLineEdit* txtNColumnas;
    QCheckBox* chkApuestasExactas;
    QCheckBox* chkActivarCiclos;
    QCheckBox* chkAleatorio;
    ActivationButton* imgActivar;
    ImageButton* imgVolver;

    void done(int result) override;

private:
    void fill();
    void applyStopRule();
    void activate();
    void store();

    AppState& state_;
    QButtonGroup* optGroup_;
    bool filling_ = false;
    bool stored_ = false;
};

} // namespace kombitron::ui
