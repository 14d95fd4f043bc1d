#pragma once

// The overlay a window shows over itself while long work runs ("Guardando por favor espere ..."):
// a framed panel with its text and a progress bar, centred over the window and kept centred when
// the window is resized. It only shows what it is told; it is no dialog and takes no input.
//
//   auto* panel = new WaitingPanel(this, "picVentanaEspera", "lblEspera", "Guardando por favor espere ...");
//   panel->popUp();                      // bar empty, centred, on top
//   panel->setProgress(done, total);
//   panel->hide();

#include <QFrame>

class QLabel;
class QProgressBar;

namespace kombitron::ui {

class WaitingPanel : public QFrame {
    Q_OBJECT
public:
    WaitingPanel(QWidget* host, const QString& name, const QString& textName, const QString& text,
                 const QString& barName = QStringLiteral("lblProgressBar"));

    void setText(const QString& text);
    QString text() const;
    // The bar at done / total (empty while total is 0).
    void setProgress(qint64 done, qint64 total);
    // Show over the host with an empty bar, centred and above its other children.
    void popUp();

    QLabel* label() const { return label_; }
    QProgressBar* bar() const { return bar_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void centre();

    QLabel* label_;
    QProgressBar* bar_;
};

} // namespace kombitron::ui
