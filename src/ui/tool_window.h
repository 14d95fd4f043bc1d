#pragma once

// What the windows of the system tools share: a modal window over the main one with its
// controls in content() and imgVolver ("Cerrar") at the bottom right; long work through a
// JobRunner with every control disabled meanwhile, the work's progress on a waiting panel inside
// the window (shown at the job's first report, hidden while the job asks the player something);
// and the close rules: imgVolver closes, refused while work runs, and the frame's close box and
// Escape do nothing in the windows that say so.
//
//   runJob<ToolSaveOutcome>(picVentanaEspera, "Generando ...",
//       [inputs](Progress&, const StopToken&, Interaction& ui) { return GenerateSomething(inputs, ui); },
//       [this](ToolSaveOutcome outcome) { showOutcome(outcome); });     // on the UI thread

#include <QDialog>
#include <QPointer>

#include <memory>
#include <utility>

#include "core/interaction.h"
#include "ui/job_runner.h"

class QComboBox;
class QHBoxLayout;
class QPushButton;
class QVBoxLayout;

namespace kombitron::ui {

class ImageButton;
class WaitingPanel;

class ToolWindow : public QDialog {
    Q_OBJECT
public:
    ~ToolWindow() override;

    ImageButton* imgVolver;

    // True while the window's work runs.
    bool isBusy() const { return runner_->busy(); }
    // The window's controls, disabled (and drawn so) while work runs.
    QWidget* content() const { return content_; }
    // "Cerrar": discard the window's lists and close; refused while work runs.
    void cerrar();
    void reject() override;

protected:
    ToolWindow(Interaction& ui, const QString& name, const QString& title, bool frameCloseRefused, QWidget* parent);

    // Where the window lays out its controls, and the row of commands left of imgVolver.
    QVBoxLayout* body() const { return body_; }
    QHBoxLayout* commands() const { return commands_; }
    Interaction& ui() { return *ui_; }

    // The random pick of the windows that mark numbers: in `holder`, cboNumeros ("1" to "49",
    // "6" chosen) and cmdAzar ("Azar"), left-aligned on one row, which is returned.
    QHBoxLayout* addRandomPick(QWidget* holder, QComboBox*& cboNumeros, QPushButton*& cmdAzar);

    // A waiting panel over the window (objectNames of the panel, its text and its bar).
    WaitingPanel* addWaitingPanel(const QString& name, const QString& textName, const QString& text,
                                  const QString& barName = QStringLiteral("lblProgressBar"));

    // Run `job` on the thread pool with the controls disabled and `panel` (may be null) showing
    // `text` and the job's progress; captions the job gives replace the text. `apply` runs on the
    // UI thread once the job has ended and the controls are enabled again. False while busy.
    template <class Result, class Job, class Apply>
    bool runJob(WaitingPanel* panel, const QString& text, Job job, Apply apply);

    // Let go of the window's lists as it closes.
    virtual void discard() {}

    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    class PanelAwareInteraction;

    void beginWork(WaitingPanel* panel, const QString& text);
    void endWork();
    void hidePanel();

    Interaction* ui_;
    std::unique_ptr<PanelAwareInteraction> jobUi_;
    JobRunner* runner_;
    QWidget* content_;
    QVBoxLayout* body_;
    QHBoxLayout* commands_;
    WaitingPanel* activePanel_ = nullptr;
    QPointer<QWidget> focusBeforeWork_;
    bool frameCloseRefused_;
    bool closing_ = false;
    bool buttonsSettled_ = false;
};

// A flow run inside a tool's job. The flows show their own messages; an exception that still
// escapes one is shown as "ERROR: " + description and becomes a failed result.
template <class Result, class Flow>
Result guardFlow(Interaction& ui, Flow&& flow)
{
    try {
        return flow();
    } catch (...) {
        Result result;
        result.markFailed(describeJobException(std::current_exception()));
        ui.error("ERROR: " + result.failure);
        return result;
    }
}

template <class Result, class Job, class Apply>
bool ToolWindow::runJob(WaitingPanel* panel, const QString& text, Job job, Apply apply)
{
    if (runner_->busy()) return false;
    beginWork(panel, text);
    return runner_->start<Result>(std::move(job), [this, apply = std::move(apply)](Result result) mutable {
        endWork();
        apply(std::move(result));
    });
}

} // namespace kombitron::ui
