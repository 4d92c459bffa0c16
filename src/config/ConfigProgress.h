#pragma once

#include <functional>

// The progress of a reading or writing: a bar from 0 to 100 advanced by a
// fixed step per cell (100 / ParamCount + 1), and a way for the user to stop
// after the request in flight.
class ConfigProgress
{
public:
    using ShowFn = std::function<void(int position)>;
    using StopFn = std::function<bool()>;

    ConfigProgress(int paramCount, ShowFn show = {}, StopFn stopRequested = {});

    int stepSize() const { return m_step; }
    int position() const { return m_position; }

    void start();
    // One cell done: advance, show, and raise ConfigStopped if the user asked.
    void step();
    void finish();

private:
    void show();

    int m_step;
    int m_position = 0;
    ShowFn m_show;
    StopFn m_stopRequested;
};

// Raised by ConfigProgress::step when the user stopped the run.
struct ConfigStopped
{
};
