#pragma once

#include "link/Pump.h"

#include <QtGlobal>

#include <functional>
#include <vector>

// A pump with a virtual clock: pauses and waits only move the clock, and
// scheduled work (the scripted device's replies, timers of a test) runs when
// a wait reaches its time. An unanswered transaction takes microseconds.
class VirtualPump final : public Pump
{
public:
    qint64 now() const { return m_now; }
    // Runs fn once the clock has moved delayMs past now, inside a wait.
    void schedule(qint64 delayMs, std::function<void()> fn);
    // Runs everything due within ms of virtual time (as an idle event loop would).
    void advance(int ms);

    void pause(int ms) override;
    void waitEvents(int ms, const std::function<bool()> &done) override;
    void notify() override {}

    qint64 pausedMs() const { return m_paused; }

private:
    struct Task
    {
        qint64 at;
        quint64 seq;
        std::function<void()> fn;
    };
    bool runNextDue(qint64 deadline);

    qint64 m_now = 0;
    qint64 m_paused = 0;
    quint64 m_seq = 0;
    std::vector<Task> m_tasks;
};
