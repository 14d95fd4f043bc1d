#include "ui/job_runner.h"

#include <QMetaObject>
#include <QThread>
#include <QThreadPool>

#include <chrono>
#include <future>

namespace kombitron::ui {

namespace detail {

namespace {

int64_t nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

JobInteraction::JobInteraction(JobRunner& runner, std::shared_ptr<JobChannel> channel)
    : runner_(runner), channel_(std::move(channel)), progress_(runner)
{
}

bool JobInteraction::onUiThread(std::function<void()> call)
{
    if (channel_->closing.load()) return false;
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> reply = done->get_future();
    auto channel = channel_;
    QMetaObject::invokeMethod(
        &runner_,
        [call = std::move(call), done, channel] {
            if (!channel->closing.load()) call();
            done->set_value();
        },
        Qt::QueuedConnection);
    // The reply comes when the UI thread has carried the call out; a closing window answers
    // for it, since it waits for this job without turning its event loop.
    while (reply.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready)
        if (channel_->closing.load()) return false;
    return !channel_->closing.load();
}

void JobInteraction::message(MessageKind kind, const std::string& text)
{
    Interaction& ui = runner_.windowInteraction();
    onUiThread([&ui, kind, text] { ui.message(kind, text); });
}

bool JobInteraction::question(const std::string& text)
{
    auto answer = std::make_shared<bool>(false);
    Interaction& ui = runner_.windowInteraction();
    if (!onUiThread([&ui, text, answer] { *answer = ui.question(text); })) return false;
    return *answer;
}

std::string JobInteraction::openFileDialog(const FileDialogRequest& request)
{
    auto path = std::make_shared<std::string>();
    Interaction& ui = runner_.windowInteraction();
    if (!onUiThread([&ui, request, path] { *path = ui.openFileDialog(request); })) return {};
    return *path;
}

std::string JobInteraction::saveFileDialog(const FileDialogRequest& request)
{
    auto path = std::make_shared<std::string>();
    Interaction& ui = runner_.windowInteraction();
    if (!onUiThread([&ui, request, path] { *path = ui.saveFileDialog(request); })) return {};
    return *path;
}

std::vector<std::string> JobInteraction::openFilesDialog(const FileDialogRequest& request)
{
    auto paths = std::make_shared<std::vector<std::string>>();
    Interaction& ui = runner_.windowInteraction();
    if (!onUiThread([&ui, request, paths] { *paths = ui.openFilesDialog(request); })) return {};
    return *paths;
}

bool JobInteraction::openInEditor(const std::string& path, std::string& failure)
{
    auto reply = std::make_shared<std::pair<bool, std::string>>(false, std::string());
    Interaction& ui = runner_.windowInteraction();
    if (!onUiThread([&ui, path, reply] { reply->first = ui.openInEditor(path, reply->second); })) return true;
    failure = reply->second;
    return reply->first;
}

bool JobInteraction::openWebPage(const std::string& url, std::string& failure)
{
    auto reply = std::make_shared<std::pair<bool, std::string>>(false, std::string());
    Interaction& ui = runner_.windowInteraction();
    if (!onUiThread([&ui, url, reply] { reply->first = ui.openWebPage(url, reply->second); })) return true;
    failure = reply->second;
    return reply->first;
}

void JobInteraction::SignalProgress::report(int64_t done, int64_t total)
{
    const int64_t now = nowMs();
    if (done < total && lastReportMs_ >= 0 && now - lastReportMs_ < 20) return;
    lastReportMs_ = now;
    emit runner_.progressed(done, total);
}

void JobInteraction::SignalProgress::caption(std::string_view text)
{
    emit runner_.captioned(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

} // namespace detail

JobRunner::JobRunner(Interaction& ui, QObject* parent) : QObject(parent), ui_(ui)
{
    // Jobs may wait on the player while another window's job runs: never fewer than four threads.
    QThreadPool* pool = QThreadPool::globalInstance();
    if (pool->maxThreadCount() < 4) pool->setMaxThreadCount(4);
}

JobRunner::~JobRunner() { stopAndWait(); }

void JobRunner::begin()
{
    channel_ = std::make_shared<detail::JobChannel>();
    busy_ = true;
    emit busyChanged(true);
}

void JobRunner::end()
{
    busy_ = false;
    emit busyChanged(false);
}

void JobRunner::requestStop()
{
    if (channel_) channel_->stop.request();
}

void JobRunner::stopAndWait()
{
    if (!busy_ || !channel_) return;
    channel_->closing.store(true);
    channel_->stop.request();
    future_.waitForFinished();
    // The result is dropped: whoever waits here is going away or starting afresh.
    delete watcher_;
    watcher_ = nullptr;
    end();
}

void JobRunner::post(std::function<void()> f) { QMetaObject::invokeMethod(this, std::move(f), Qt::QueuedConnection); }

void JobRunner::showCrash(const std::string& description) { ui_.error("ERROR: " + description); }

} // namespace kombitron::ui
