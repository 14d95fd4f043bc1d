#pragma once

// Running long work off the UI thread, one pattern for every window:
//
//   UiThreadInteraction bridge(ui);                 // created on the UI thread
//   connect(&bridge, &UiThreadInteraction::progressed, bar, ...);   // queued to the UI thread
//   std::string failure = runOffUiThread([&] { RunSomething(state, bridge); });
//
// runOffUiThread() starts the job with QtConcurrent::run and turns a local event loop until its
// QFutureWatcher reports the end, so the windows keep painting and the stop buttons work while the
// calling code reads as plain sequential code. The caller disables its commands first; the job
// never touches widgets. Every message, question or file dialog the job asks for through the
// bridge is carried out on the UI thread (BlockingQueuedConnection) and the job waits for the
// answer; progress reports and captions travel as queued signals. An exception escaping the job
// comes back as its description (the caller shows "ERROR: " + description).

#include <QObject>
#include <QString>

#include <functional>
#include <string>

#include "core/interaction.h"

namespace kombitron::ui {

class UiThreadInteraction : public QObject, public Interaction {
    Q_OBJECT
public:
    explicit UiThreadInteraction(Interaction& target, QObject* parent = nullptr);

    void message(MessageKind kind, const std::string& text) override;
    bool question(const std::string& text) override;
    std::string openFileDialog(const FileDialogRequest& request) override;
    std::string saveFileDialog(const FileDialogRequest& request) override;
    bool openInEditor(const std::string& path, std::string& failure) override;
    bool openWebPage(const std::string& url, std::string& failure) override;
    Progress& progress() override { return progress_; }
    StopFlag& stopFlag() override { return stop_; }

    // Run `f` on the UI thread and wait for it (directly when already there).
    void onUiThread(const std::function<void()>& f);

signals:
    void progressed(qint64 done, qint64 total);
    void captioned(const QString& text);

private:
    class SignalProgress : public Progress {
    public:
        explicit SignalProgress(UiThreadInteraction& owner) : owner_(owner) {}
        void report(int64_t done, int64_t total) override { emit owner_.progressed(done, total); }
        void caption(std::string_view text) override
        {
            emit owner_.captioned(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        }

    private:
        UiThreadInteraction& owner_;
    };

    Interaction& target_;
    SignalProgress progress_{*this};
    StopFlag stop_;
};

// Run `job` on a worker thread while the UI thread's event loop keeps turning; returns "" or the
// description of an exception that escaped the job.
std::string runOffUiThread(const std::function<void()>& job);

// True while runOffUiThread() is waiting for a job.
bool workerRunning();

} // namespace kombitron::ui
