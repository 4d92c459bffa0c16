#pragma once

#include "InteractiveTests.h"
#include "LongTimeText.h"
#include "TestFrameHandler.h"

#include <QObject>

class Link;
class Operator;
class TestOutput;

// One terminal's self-test: the start request, the result lines of the
// terminal's reports and, once the terminal is done, the operator's tests.
// The end of the terminal's tests arrives here as a posted WM_TEST_FINISHED.
class SelfTest : public QObject
{
    Q_OBJECT
public:
    SelfTest(Link &link, Operator &op, TestOutput &output, QObject *parent = nullptr);

    // The tests of the last start; the operator's tests read it again when
    // the terminal reports its end.
    quint8 TestMask = 0;

    // Clears the results and asks the terminal to run the selected tests
    // that it can run by itself.
    void StartSelfTest(quint8 selected);
    // The link's hook for a self-test frame in LastFrameData.
    void HandleTestFrame();
    void RunInteractiveTests() { m_interactive.RunInteractiveTests(TestMask); }
    void Button1Click() { m_interactive.RelaysOff(); }

    InteractiveTests &interactive() { return m_interactive; }
    TestFrameHandler &frames() { return m_frames; }
    void setTimeSource(const TimeSource &now);

protected:
    void customEvent(QEvent *event) override;

private:
    Link &m_link;
    TestOutput &m_output;
    TestFrameHandler m_frames;
    InteractiveTests m_interactive;
    TimeSource m_now = &QTime::currentTime;
};
