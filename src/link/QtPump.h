#pragma once

#include "Pump.h"

#include <QList>

class QEventLoop;

// The application's pump: waits run a nested Qt event loop, so the window,
// timers and the port's received-bytes events stay alive during a transaction.
class QtPump final : public Pump
{
public:
    void pause(int ms) override;
    void waitEvents(int ms, const std::function<bool()> &done) override;
    void notify() override;

private:
    struct Wait
    {
        QEventLoop *loop;
        const std::function<bool()> *done;
    };
    QList<Wait> m_waits; // innermost last
};
