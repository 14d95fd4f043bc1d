#pragma once

// The one way a window runs long work:
//
//   runner_.start<ScrutinyResult>(
//       [inputs = copyOfInputs](Progress& progress, const StopToken& stop, Interaction& ui) {
//           return RunScrutiny(inputs, progress, stop);   // runs on Qt's thread pool
//       },
//       [this](ScrutinyResult result) { applyToState(std::move(result)); });   // on the UI thread
//
// The job gets its inputs by value, a Progress whose reports reach the window as the
// `progressed` / `captioned` signals, the runner's stop token and an Interaction whose messages,
// questions and dialogs are carried out on the UI thread while the job waits for the reply. The
// job never touches AppState or a widget; `apply` does, on the UI thread, once the job has
// ended. There is no nested event loop: start() returns at once and the window stays live.
//
// A job that works on the program state runs with startOnState(): the state is lent to the job
// (lendState: a copy into which its large lists are moved) and put back in place on the UI
// thread when the job ends, before `apply` runs, so no window ever sees the job's work half done
// and the job never touches the AppState the windows read.
//
// Where a flow must ask the player mid-way (a question, a save dialog), it asks through the
// job's Interaction and waits for the reply, which the UI thread delivers by signal: that is the
// one pattern. A flow that must hand over to a window (the calculation opening the process
// window) ends its job instead; the window opens from `apply` and the next step is another job.
//
// An exception escaping the job becomes a failed result when the result type derives from
// JobOutcome; otherwise the runner shows "ERROR: " + description and `apply` is not called.
// Destroying the runner (or stopAndWait()) asks the job to stop, answers any pending question
// with No and any pending dialog with a cancel, and waits for the job to end; a lent state still
// comes back then, without `apply`.

#include <QFuture>
#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <QtConcurrent/QtConcurrentRun>

#include <atomic>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

#include "core/interaction.h"
#include "core/job.h"
#include "core/state.h"

namespace kombitron::ui {

class JobRunner;

namespace detail {

// What the job thread and the UI thread share for one job; outlives either side.
struct JobChannel {
    std::atomic<bool> closing{false};
    StopFlag stop;
};

// The Interaction a job sees: each call is posted to the runner on the UI thread and the job
// waits for the reply (or for the runner closing, which answers No / cancel).
class JobInteraction : public Interaction {
public:
    JobInteraction(JobRunner& runner, std::shared_ptr<JobChannel> channel);

    void message(MessageKind kind, const std::string& text) override;
    bool question(const std::string& text) override;
    std::string openFileDialog(const FileDialogRequest& request) override;
    std::string saveFileDialog(const FileDialogRequest& request) override;
    std::vector<std::string> openFilesDialog(const FileDialogRequest& request) override;
    bool openInEditor(const std::string& path, std::string& failure) override;
    bool openWebPage(const std::string& url, std::string& failure) override;
    Progress& progress() override { return progress_; }
    StopToken stopToken() const override { return channel_->stop; }

private:
    // Reports reach the window at most every 20 ms, and always the last one of a step.
    class SignalProgress : public Progress {
    public:
        explicit SignalProgress(JobRunner& runner) : runner_(runner) {}
        void report(int64_t done, int64_t total) override;
        void caption(std::string_view text) override;

    private:
        JobRunner& runner_;
        int64_t lastReportMs_ = -1;
    };

    // Run `call` on the UI thread and wait for it; false (nothing ran) when the runner closed.
    bool onUiThread(std::function<void()> call);

    JobRunner& runner_; // outlives the job: its destructor waits for it
    std::shared_ptr<JobChannel> channel_;
    SignalProgress progress_;
};

// The state lent to a job: the job works on `work`, and `home` gets it back on the UI thread,
// from the apply step or, when the result is dropped, from the destructor.
class LentState {
public:
    explicit LentState(AppState& home) : home_(home), work_(lendState(home)) {}
    ~LentState() { giveBack(); }
    LentState(const LentState&) = delete;
    LentState& operator=(const LentState&) = delete;

    AppState& work() { return work_; }
    void giveBack()
    {
        if (returned_) return;
        returned_ = true;
        home_ = std::move(work_);
    }

private:
    AppState& home_;
    AppState work_;
    bool returned_ = false;
};

} // namespace detail

class JobRunner : public QObject {
    Q_OBJECT
public:
    // `ui` is the window's own interaction, used on the UI thread.
    explicit JobRunner(Interaction& ui, QObject* parent = nullptr);
    ~JobRunner() override;

    // Start a job; refused (false) while another job of this runner is running.
    template <class Result, class Job, class Apply>
    bool start(Job job, Apply apply);

    // Start a job on a lent copy of `state`:
    //   job(AppState& work, Progress&, const StopToken&, Interaction&) -> Result
    // `state` is whole again when `apply(Result)` runs. Refused (false) while a job runs.
    template <class Result, class Job, class Apply>
    bool startOnState(AppState& state, Job job, Apply apply);

    bool busy() const { return busy_; }
    // Ask the running job to stop; it ends at its next stop check and its result is applied.
    void requestStop();
    // Ask the running job to stop and wait for it to end, without applying its result.
    void stopAndWait();

    // Queue `f` to run on the UI thread (for the events of a job's own Progress class).
    void post(std::function<void()> f);

    Interaction& windowInteraction() { return ui_; }

signals:
    void progressed(qint64 done, qint64 total);
    void captioned(const QString& text);
    // A job started (true) or ended and its result was applied (false).
    void busyChanged(bool busy);

private:
    void begin();
    void end();
    void showCrash(const std::string& description);

    Interaction& ui_;
    std::shared_ptr<detail::JobChannel> channel_;
    QFuture<void> future_;
    QFutureWatcher<void>* watcher_ = nullptr;
    bool busy_ = false;
};

template <class Result, class Job, class Apply>
bool JobRunner::start(Job job, Apply apply)
{
    if (busy_) return false;
    begin();
    auto channel = channel_;
    auto outcome = std::make_shared<Result>();
    auto crash = std::make_shared<std::string>();
    auto* watcher = new QFutureWatcher<void>(this);
    watcher_ = watcher;
    connect(watcher, &QFutureWatcher<void>::finished, this,
            [this, watcher, outcome, crash, apply = std::move(apply)]() mutable {
                watcher->deleteLater();
                watcher_ = nullptr;
                end();
                if (!crash->empty()) {
                    if constexpr (std::is_base_of_v<JobOutcome, Result>) {
                        outcome->markFailed(*crash);
                    } else {
                        showCrash(*crash);
                        return;
                    }
                }
                apply(std::move(*outcome));
            });
    future_ = QtConcurrent::run([this, channel, outcome, crash, job = std::move(job)]() mutable {
        detail::JobInteraction bridge(*this, channel);
        try {
            *outcome = job(bridge.progress(), StopToken(channel->stop), static_cast<Interaction&>(bridge));
        } catch (...) {
            *crash = describeJobException(std::current_exception());
        }
    });
    watcher->setFuture(future_);
    return true;
}

template <class Result, class Job, class Apply>
bool JobRunner::startOnState(AppState& state, Job job, Apply apply)
{
    if (busy_) return false;
    // Only the apply step owns the lent state, so it comes back on the UI thread whatever
    // happens to the job; the job borrows it, and it outlives the job (the runner waits).
    auto lent = std::make_shared<detail::LentState>(state);
    AppState* work = &lent->work();
    return start<Result>(
        [work, job = std::move(job)](Progress& progress, const StopToken& stop, Interaction& ui) mutable {
            return job(*work, progress, stop, ui);
        },
        [lent, apply = std::move(apply)](Result result) mutable {
            lent->giveBack();
            apply(std::move(result));
        });
}

} // namespace kombitron::ui
