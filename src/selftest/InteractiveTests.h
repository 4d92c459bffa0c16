#pragma once

#include "LongTimeText.h"

#include "link/TBuf.h"

#include <QString>

#include <functional>

class Link;
class Operator;
class TestOutput;

// The tests only the operator can judge, run after the terminal has finished
// its own: audio path and outgoing call, the two relays, the ADC
// calibration. Each writes its verdict; the run ends with the end line.
class InteractiveTests
{
public:
    InteractiveTests(Link &link, Operator &op, TestOutput &output);

    // Runs the operator's tests selected in mask. A call that arrives while
    // an earlier run waits for the operator (the dialogs keep dispatching
    // events) is ignored, so one run never nests inside another.
    void RunInteractiveTests(quint8 mask);
    bool running() const { return m_running; }

    // Switches both relays off; the answer does not matter.
    void RelaysOff();

    // Opens the ADC calibration dialog modally and tells whether the new
    // factor was saved. Unset: nothing can be calibrated.
    std::function<bool()> CalibrateADC;
    TimeSource now = &QTime::currentTime;

private:
    void testAudio();
    // False when the terminal fell silent: the whole run ends there.
    bool testRelays();
    void testAdc();
    bool ask(const QString &text, const QString &caption, int style);

    Link &m_link;
    Operator &m_operator;
    TestOutput &m_output;
    bool m_running = false;
};
