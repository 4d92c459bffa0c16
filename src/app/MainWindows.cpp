// The program's other windows, created after the main window in this order:
// firmware, log, messages, debug, ADC calibration. Each lives as long as the
// main window.
#include "MainUnit.h"

#include "firmware/TfrmFlash.h"
#include "link/Link.h"

#include <QAction>
#include <QLabel>

void TfrmMain::createWindows()
{
    frmFlash = new TfrmFlash(m_link, this);
    // A firmware run starts from zero counts in the error panel.
    if (!m_link.ShowTransferErrors)
        m_link.ShowTransferErrors = [this](const QString &text) { SBPanel4->setText(text); };
    connect(AFlash, &QAction::triggered, this, &TfrmMain::AFlashExecute);
}

void TfrmMain::AFlashExecute()
{
    frmFlash->Execute();
}
