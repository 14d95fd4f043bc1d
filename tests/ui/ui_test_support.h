#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace kombitron::test {

// The child named `name` of `root`, of type T (fails the test when missing).
template <typename T = QWidget>
T* child(QWidget* root, const QString& name)
{
    return root->findChild<T*>(name);
}

// Left click in the middle of a widget.
void click(QWidget* widget);
// Right click in the middle of a widget.
void rightClick(QWidget* widget);

// Run `action` on the next modal window that opens (polling the event loop) while the returned
// watcher lives. Use before the call that opens the window:
//   auto watch = whenModal([](QWidget* w) { ...; w->close(); });
[[nodiscard]] std::unique_ptr<QTimer> whenModal(std::function<void(QWidget*)> action);

// Turn the event loop for a while (ms) or until `done` returns true.
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 5000);

} // namespace kombitron::test
