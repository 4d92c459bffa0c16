#include "VirtualPump.h"

#include <algorithm>

void VirtualPump::schedule(qint64 delayMs, std::function<void()> fn)
{
    m_tasks.push_back({m_now + delayMs, m_seq++, std::move(fn)});
}

void VirtualPump::pause(int ms)
{
    m_now += ms;
    m_paused += ms;
}

bool VirtualPump::runNextDue(qint64 deadline)
{
    auto it = std::min_element(m_tasks.begin(), m_tasks.end(), [](const Task &a, const Task &b) {
        return a.at != b.at ? a.at < b.at : a.seq < b.seq;
    });
    if (it == m_tasks.end() || it->at > deadline)
        return false;
    Task task = std::move(*it);
    m_tasks.erase(it);
    m_now = std::max(m_now, task.at);
    task.fn(); // may wait again itself: the task is already off the list
    return true;
}

void VirtualPump::waitEvents(int ms, const std::function<bool()> &done)
{
    if (done())
        return;
    const qint64 deadline = m_now + ms;
    while (runNextDue(deadline))
        if (done())
            return;
    m_now = std::max(m_now, deadline);
}

void VirtualPump::advance(int ms)
{
    waitEvents(ms, [] { return false; });
}
