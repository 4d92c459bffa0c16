#include "ConfigProgress.h"

#include <algorithm>

ConfigProgress::ConfigProgress(int paramCount, ShowFn show, StopFn stopRequested)
    : m_step(100 / std::max(paramCount, 1) + 1)
    , m_show(std::move(show))
    , m_stopRequested(std::move(stopRequested))
{
}

void ConfigProgress::show()
{
    // The steps outnumber the bar; it rests at its end until the run finishes.
    if (m_show)
        m_show(std::min(m_position, 100));
}

void ConfigProgress::start()
{
    m_position = 0;
    show();
}

void ConfigProgress::step()
{
    m_position += m_step;
    show();
    if (m_stopRequested && m_stopRequested())
        throw ConfigStopped {};
}

void ConfigProgress::finish()
{
    m_position = 0;
    show();
}
