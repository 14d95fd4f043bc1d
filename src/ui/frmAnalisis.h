#pragma once

#include <QDialog>

#include <array>
#include <cstdint>
#include <string>

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
// and the same table as a text report.
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

    // The report text from the texts the value labels show (lines ended by CR LF).
    static std::string reportText(const std::array<std::string, 49>& numbers, const std::array<std::string, 10>& reintegros,
                                  bool primitiva);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showCounts();
    void showPercentages();
    static void setCell(QLabel* label, const QString& text);

    const AppState& state_;
    Interaction& ui_;
    std::array<int64_t, 50> numberCounts_{};
    std::array<int64_t, 10> reintegroCounts_{};
    bool analysed_ = false;
};

} // namespace kombitron::ui
