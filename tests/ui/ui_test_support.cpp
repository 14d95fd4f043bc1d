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

void whenModal(std::function<void(QWidget*)> action)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QWidget* before = QApplication::activeModalWidget();
    QObject::connect(timer, &QTimer::timeout, [timer, before, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == before) return;
        timer->stop();
        timer->deleteLater();
        action(modal);
    });
    timer->start();
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
