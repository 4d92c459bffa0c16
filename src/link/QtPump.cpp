#include "QtPump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

void QtPump::pause(int ms)
{
    QThread::msleep(static_cast<unsigned long>(ms));
}

void QtPump::waitEvents(int ms, const std::function<bool()> &done)
{
    if (done())
        return;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(ms);
    m_waits.append({&loop, &done});
    loop.exec();
    m_waits.removeLast();
}

void QtPump::notify()
{
    if (!m_waits.isEmpty() && (*m_waits.last().done)())
        m_waits.last().loop->quit();
}
