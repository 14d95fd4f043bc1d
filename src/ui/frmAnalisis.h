#pragma once

#include <QDialog>

#include <cstdint>

#include "flows/analysis.h"

class QGroupBox;
class QLabel;

namespace kombitron {
struct AppState;
class Interaction;
} // namespace kombitron

namespace kombitron::ui {

class ImageButton;

// "ANALISIS": how often each number (and, for PRIMITIVA, each reintegro) occurs in the first
// publicApuestasAnalizar bets of the final system, as counts or percentages on the ticket grid,
// and the cells shown as a text report (flows/analysis.h counts and words them).
class frmAnalisis : public QDialog {
    Q_OBJECT
public:
    frmAnalisis(const AppState& state, Interaction& ui, QWidget* parent = nullptr);

    int32_t publicApuestasAnalizar = 0;

    QGroupBox* fraNumeros;
    QGroupBox* fraReintegros;
    QLabel* lblN[49];
    QLabel* lblR[10];
    ImageButton* imgSwitch;
    ImageButton* imgVerAnalisis;
    ImageButton* imgVolver;

    // Count the bets and show the counts (done once when the window first shows).
    void analyse();
    void switchMode();
    void writeReport();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showCells(AnalysisView view);
    static void setCell(QLabel* label, const QString& text);

    const AppState& state_;
    Interaction& ui_;
    AnalysisCounts counts_;
    AnalysisCells shown_;
    bool analysed_ = false;
};

} // namespace kombitron::ui
