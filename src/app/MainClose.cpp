// Shutdown: stop sending, let queued received bytes through, then close.
#include "MainUnit.h"

#include "link/Link.h"
#include "link/Pump.h"
#include "settings/FormState.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMutexLocker>

namespace {
constexpr int DrainMs = 500;
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    FormCloseQuery();
    FormClose();
    event->accept();
}

void TfrmMain::FormCloseQuery()
{
    FormState(m_xml, QStringLiteral("MainForm")).save(*this);
    QMutexLocker lock(&m_link.LinkLock);
    // Every SendFrame and Transact still running returns at once from here.
    m_link.PortConnected = false;
    QCoreApplication::processEvents();
    m_link.pump().pause(DrainMs);
    QCoreApplication::processEvents();
}

void TfrmMain::FormClose()
{
    QMutexLocker lock(&m_link.LinkLock);
    if (Com)
        Com->close();
}
