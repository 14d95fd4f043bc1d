#pragma once

// The overlay a window shows over itself while long work runs ("Escrutando ...", "Guardando por
// favor espere ..."): a framed panel with a bold text, a progress bar and optionally a stop button
// (`cmdStop`, "Detener", tooltip "Detener el proceso"). It lies inside its window, centred, above
// the other children, and stays centred when the window is resized. It is no dialog.
//
//   auto* panel = new WaitingPanel(this, true);   // picVentanaEspera, lblEspera, lblProgressBar, cmdStop
//   connect(panel->stopButton(), &QPushButton::clicked, ...);
//   panel->setText("Escrutando ...");
//   panel->popUp();                               // bar empty, centred, on top
//   panel->setProgress(done, total);              // a total of 0: a busy bar
//   panel->hide();

#include <QFrame>

class QLabel;
class QProgressBar;
class QPushButton;

namespace kombitron::ui {

class WaitingPanel : public QFrame {
    Q_OBJECT
public:
    // The panel `name` with its text label `lblEspera` and bar `lblProgressBar`.
    WaitingPanel(QWidget* host, bool withStop, const QString& name = QStringLiteral("picVentanaEspera"));
    // The panel `name` with the text label `textName` showing `text` and the bar `barName`.
    WaitingPanel(QWidget* host, const QString& name, const QString& textName, const QString& text,
                 const QString& barName = QStringLiteral("lblProgressBar"), bool withStop = false);

    void setText(const QString& text);
    void setTitle(const QString& text) { setText(text); }
    QString text() const;
    // The bar at done / total; a total of 0 (unknown) shows a busy bar.
    void setProgress(qint64 done, qint64 total);
    // Show over the host with an empty bar, centred and above its other children.
    void popUp();
    // Show over the host as it is, centred and above its other children.
    void showCentred();

    QLabel* label() const { return label_; }
    QLabel* title() const { return label_; }
    QProgressBar* bar() const { return bar_; }
    QPushButton* stopButton() const { return stop_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void centre();

    QLabel* label_;
    QProgressBar* bar_;
    QPushButton* stop_ = nullptr;
};

} // namespace kombitron::ui
