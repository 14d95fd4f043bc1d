#include "ui/worker.h"

#include <QEventLoop>
#include <QFutureWatcher>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <exception>

namespace kombitron::ui {

namespace {

int g_running = 0;

// A pool of its own: a job may wait on the UI thread while that thread runs a window which starts
// another job (the calculation opening the process window), so the global pool's size is no bound.
QThreadPool& jobPool()
{
    static QThreadPool* pool = [] {
        auto* p = new QThreadPool;
        p->setMaxThreadCount(8);
        return p;
    }();
    return *pool;
}

} // namespace

UiThreadInteraction::UiThreadInteraction(Interaction& target, QObject* parent) : QObject(parent), target_(target) {}

void UiThreadInteraction::onUiThread(const std::function<void()>& f)
{
    if (QThread::currentThread() == thread()) {
        f();
        return;
    }
    QMetaObject::invokeMethod(this, f, Qt::BlockingQueuedConnection);
}

void UiThreadInteraction::message(MessageKind kind, const std::string& text)
{
    onUiThread([&] { target_.message(kind, text); });
}

bool UiThreadInteraction::question(const std::string& text)
{
    bool answer = false;
    onUiThread([&] { answer = target_.question(text); });
    return answer;
}

std::string UiThreadInteraction::openFileDialog(const FileDialogRequest& request)
{
    std::string path;
    onUiThread([&] { path = target_.openFileDialog(request); });
    return path;
}

std::string UiThreadInteraction::saveFileDialog(const FileDialogRequest& request)
{
    std::string path;
    onUiThread([&] { path = target_.saveFileDialog(request); });
    return path;
}

bool UiThreadInteraction::openInEditor(const std::string& path, std::string& failure)
{
    bool ok = false;
    onUiThread([&] { ok = target_.openInEditor(path, failure); });
    return ok;
}

bool UiThreadInteraction::openWebPage(const std::string& url, std::string& failure)
{
    bool ok = false;
    onUiThread([&] { ok = target_.openWebPage(url, failure); });
    return ok;
}

std::string runOffUiThread(const std::function<void()>& job)
{
    std::string failure;
    auto guarded = [&] {
        try {
            job();
        } catch (const std::exception& e) {
            failure = e.what();
        } catch (...) {
            failure = "error desconocido";
        }
    };
    ++g_running;
    QFutureWatcher<void> watcher;
    QEventLoop loop;
    QObject::connect(&watcher, &QFutureWatcher<void>::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(QtConcurrent::run(&jobPool(), guarded));
    if (!watcher.isFinished()) loop.exec();
    watcher.waitForFinished();
    --g_running;
    return failure;
}

bool workerRunning() { return g_running > 0; }

} // namespace kombitron::ui
