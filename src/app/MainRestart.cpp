// After the terminal restarts: back to the configuration page and show the
// firmware it came up with.
#include "MainUnit.h"

#include "link/Commands.h"
#include "link/Link.h"

#include <QLabel>
#include <QStringDecoder>
#include <QTabWidget>

void TfrmMain::tmrTimer()
{
    if (m_link.BootloaderMode) {
        tmr.stop();
        return;
    }
    // A closed port (a failed reopening for the modem view) keeps the timer
    // going until the port is back.
    if (!Com || !Com->isOpen())
        return;
    PC->setCurrentIndex(0);
    tmr.stop();
    SBPanel3->setText(readFirmwareVersion());
}

QString TfrmMain::readFirmwareVersion()
{
    const TBuf reply = m_link.Transact(Commands::readParam(Commands::cmdReadFirmware));
    return QStringDecoder("windows-1251").decode(reply);
}
