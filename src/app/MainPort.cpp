// The port as the window sees it: whom it delivers to, its lamps, and what
// happens when its adapter is pulled and plugged in again.
#include "MainUnit.h"

#include "StatusLamp.h"
#include "TerminalView.h"
#include "link/Link.h"

#include <QLabel>
#include <QMutexLocker>

void TfrmMain::adoptPort(std::unique_ptr<Port> port)
{
    if (Com)
        Com->detachSink();
    Com = std::move(port);
    Com->setParent(nullptr);
    Com->setReceiver([this](const QByteArray &bytes) { m_link.ComRxChar(bytes); });
    m_link.setPort(Com.get());
    MComTerminal->setPort(Com.get());
    GComTerminal->setPort(Com.get());
    connect(Com.get(), &Port::transmitted, ComLed2, &StatusLamp::blink);
    connect(Com.get(), &Port::received, ComLed3, &StatusLamp::blink);
    connect(Com.get(), &Port::lost, this, &TfrmMain::onPortLost);
}

void TfrmMain::showPortState()
{
    ComLed1->setLit(Com && Com->isOpen());
}

void TfrmMain::onPortLost(const QString &reason)
{
    showPortState();
    SBPanel3->setText(QStringLiteral("Порт %1 отключён: %2").arg(Com->settings().name, reason));
    portWatcher.portLost();
}

void TfrmMain::onPortReturned(const QString &portName)
{
    // The same adapter may come back under another name; the rest of the
    // settings stay as they were.
    Port::Settings settings = Com->settings();
    settings.name = portName;
    bool reopened = false;
    {
        QMutexLocker lock(&m_link.LinkLock);
        Com->setSettings(settings);
        reopened = Com->open();
    }
    if (!reopened)
        return; // still settling or taken: the watcher looks again
    portWatcher.watch(portName);
    showPortState();
    SBPanel3->setText(QStringLiteral("Порт %1 снова открыт").arg(portName));
}
