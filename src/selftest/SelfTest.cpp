#include "SelfTest.h"

#include "TestFinishedEvent.h"
#include "TestItems.h"
#include "TestOutput.h"

#include "link/Commands.h"
#include "link/Link.h"

#include <QCoreApplication>

namespace {
// The start reply of a terminal that has begun its tests.
constexpr quint8 TestsStarted = 0xF1;
} // namespace

SelfTest::SelfTest(Link &link, Operator &op, TestOutput &output, QObject *parent)
    : QObject(parent)
    , m_link(link)
    , m_output(output)
    , m_frames(output)
    , m_interactive(link, op, output)
{
    m_frames.PostTestFinished = [this] { QCoreApplication::postEvent(this, new QEvent(WM_TEST_FINISHED)); };
}

void SelfTest::setTimeSource(const TimeSource &now)
{
    m_now = now;
    m_frames.now = now;
    m_interactive.now = now;
}

void SelfTest::StartSelfTest(quint8 selected)
{
    TestMask = selected;
    m_output.clearLines();
    const TBuf reply = m_link.Transact(Commands::startTests(TestMask & ~TestItems::OperatorTests));
    if (!reply.isEmpty() && static_cast<quint8>(reply.at(0)) == TestsStarted)
        m_output.appendLine(LongTimeText(m_now()) + QStringLiteral(" Процесс самотестирования запущен"));
}

void SelfTest::HandleTestFrame()
{
    m_frames.HandleTestFrame(m_link.LastFrameData);
}

void SelfTest::customEvent(QEvent *event)
{
    if (event->type() == WM_TEST_FINISHED)
        RunInteractiveTests();
}
