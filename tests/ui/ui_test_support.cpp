#include "ui_test_support.h"

#include <QElapsedTimer>
#include <QTest>

namespace kombitron::test {

void click(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

void rightClick(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::RightButton, Qt::NoModifier, widget->rect().center());
}

std::unique_ptr<QTimer> whenModal(std::function<void(QWidget*)> action)
{
    auto timer = std::make_unique<QTimer>();
    timer->setInterval(10);
    QWidget* before = QApplication::activeModalWidget();
    QTimer* t = timer.get();
    QObject::connect(t, &QTimer::timeout, [t, before, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == before) return;
        t->stop();
        action(modal);
    });
    timer->start();
    return timer;
}

bool waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

} // namespace kombitron::test
