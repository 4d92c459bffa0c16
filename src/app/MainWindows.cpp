// The other windows of the program: created once, in this order, after the
// main window.
#include "MainUnit.h"

#include "calibration/TfrmADCConfig.h"
#include "config/TerminalParams.h"
#include "firmware/TfrmFlash.h"
#include "link/Link.h"
#include "log/TfrmDbg.h"
#include "log/TfrmLog.h"
#include "log/TfrmMessages.h"
#include "selftest/SelfTest.h"
#include "selftest/TestPage.h"

#include <QAction>
#include <QLabel>

void TfrmMain::createWindows()
{
    frmFlash = new TfrmFlash(m_link, this);
    // A firmware run starts from zero counts in the error panel.
    if (!m_link.ShowTransferErrors)
        m_link.ShowTransferErrors = [this](const QString &text) { SBPanel4->setText(text); };
    connect(AFlash, &QAction::triggered, this, &TfrmMain::AFlashExecute);

    const auto geometry = [this] { return frameGeometry(); };
    // The terminal's restart line starts the timer; a running timer keeps its time.
    const auto startRestartTimer = [this] {
        if (!tmr.isActive())
            tmr.start();
    };
    frmLog = std::make_unique<TfrmLog>(TfrmLog::Context{m_link, Messages, m_xml, startRestartTimer, geometry}, this);
    frmMessages = std::make_unique<TfrmMessages>(Messages, geometry, this);
    frmDbg = std::make_unique<TfrmDbg>(this);
    connect(ALogForm, &QAction::triggered, this, &TfrmMain::ALogFormExecute);
    connect(AMessages, &QAction::triggered, this, &TfrmMain::AMessagesExecute);
    connect(ADbgLog, &QAction::triggered, this, &TfrmMain::ADbgLogExecute);

    frmADCConfig = new TfrmADCConfig(params().ADCValue, params().ADCFactor, this);
    // The operator's ADC step opens the calibration dialog and asks whether it was saved.
    testPage->selfTest().interactive().CalibrateADC = [this] {
        frmADCConfig->exec();
        return frmADCConfig->Calibrated;
    };
}

void TfrmMain::AFlashExecute()
{
    frmFlash->Execute();
}

void TfrmMain::ALogFormExecute()
{
    frmLog->show();
    frmLog->raise();
    frmLog->activateWindow();
}

void TfrmMain::AMessagesExecute()
{
    frmMessages->FillList();
    frmMessages->exec();
}

void TfrmMain::ADbgLogExecute()
{
    frmDbg->show();
    frmDbg->raise();
}
