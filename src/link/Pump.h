#pragma once

#include <functional>

// How the link waits. The application hands control to a nested event loop;
// tests inject a pump with a virtual clock so retries cost no real time.
class Pump
{
public:
    virtual ~Pump() = default;

    // A plain pause: no events are handled during it.
    virtual void pause(int ms) = 0;

    // Lets pending events run for up to ms milliseconds, returning early as
    // soon as done() is true (checked before waiting and after every event
    // the receiver handles; the link calls notify() when it stores a reply).
    virtual void waitEvents(int ms, const std::function<bool()> &done) = 0;

    // Wakes the innermost waitEvents() so that it re-checks its condition.
    virtual void notify() = 0;
};
