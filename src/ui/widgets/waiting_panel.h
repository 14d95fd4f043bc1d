#pragma once

// A waiting panel over a window while long work runs ("Escrutando ..."): a bold title, a
// progress bar (a busy bar while the total is unknown) and optionally a stop button
// (`cmdStop`, "Detener", tooltip "Detener el proceso"). It lies inside its window, centred, and
// stays centred when the window is resized.
//
//   auto* panel = new WaitingPanel(this, true);            // picVentanaEspera, lblEspera, lblProgressBar, cmdStop
//   connect(panel->stopButton(), &QPushButton::clicked, ...);
//   panel->setTitle("Escrutando ...");
//   panel->setProgress(0, 0);                             // busy
//   panel->showCentred();
//   ... panel->setProgress(done, total); ... panel->hide();

#include <QFrame>

#include <cstdint>

class QLabel;
class QProgressBar;
class QPushButton;

namespace kombitron::ui {

class WaitingPanel : public QFrame {
    Q_OBJECT
public:
    WaitingPanel(QWidget* host, bool withStop, const QString& name = QStringLiteral("picVentanaEspera"));

    void setTitle(const QString& title);
    // `done` of `total`; a total of 0 shows a busy bar.
    void setProgress(qint64 done, qint64 total);
    // Show over the window, centred, above its other children.
    void showCentred();

    QLabel* title() const { return title_; }
    QProgressBar* bar() const { return bar_; }
    QPushButton* stopButton() const { return stop_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void centre();

    QLabel* title_;
    QProgressBar* bar_;
    QPushButton* stop_ = nullptr;
};

} // namespace kombitron::ui
