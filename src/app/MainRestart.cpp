// After the terminal restarts: back to the configuration page and show the
// firmware it came up with.
#include "MainUnit.h"

#include "config/TerminalParams.h"
#include "config/Win1251.h"
#include "link/Link.h"

#include <QLabel>
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
    return Win1251::decode(m_params->FirmwareVersion.ReadFromDevice());
}
