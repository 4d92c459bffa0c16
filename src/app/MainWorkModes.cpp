// The terminal's work modes follow the selected page; in the pass-through
// modes the port belongs to a terminal view instead of the frame receiver.
#include "MainUnit.h"

#include "NmeaPanel.h"
#include "PortProblem.h"
#include "TerminalView.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "calibration/TSensorFrame.h"
#include "config/TerminalParams.h"

#include <QCoreApplication>
#include <QMutexLocker>

namespace {
constexpr int SensorsPage = 4;

// Page index to work mode: configuration, modem, navigation receiver, and the
// test mode for both the testing and the sensors page.
quint8 modeForPage(int page)
{
    static const quint8 modes[] = {1, 2, 3, 4, 4};
    return page >= 0 && page < 5 ? modes[page] : 1;
}
} // namespace

void TfrmMain::PCPageChanging(int newIndex)
{
    {
        QMutexLocker lock(&m_link.LinkLock);
        Com->detachSink();
    }
    m_link.WorkMode = modeForPage(newIndex);
    if (newIndex == SensorsPage && m_params)
        SensorFrame1->ShowSensorParam(params().DSensor);
    if (!tmrMode.isActive())
        tmrMode.start();
}

void TfrmMain::tmrModeTimer()
{
    tmrMode.stop();
    SetWorkMode(m_link.WorkMode);
    RoutePort();
}

bool TfrmMain::SetWorkMode(quint8 mode)
{
    const TBuf reply = m_link.Transact(Commands::setMode(mode));
    return !reply.isEmpty() && static_cast<quint8>(reply[0]) == mode;
}

void TfrmMain::RoutePort()
{
    switch (m_link.WorkMode) {
    case 2: {
        bool reopened = false;
        {
            QMutexLocker lock(&m_link.LinkLock);
            Com->close();
            Com->attachSink(MComTerminal);
            reopened = Com->open();
        }
        if (!reopened)
            hooks.showError(PortProblem::explain(Com->settings().name, Com->errorString()));
        break;
    }
    case 3: {
        QMutexLocker lock(&m_link.LinkLock);
        GNmeaPanel->reset();
        Com->attachSink(GComTerminal);
        break;
    }
    default:
        Com->detachSink();
        break;
    }
    QCoreApplication::processEvents();
}
