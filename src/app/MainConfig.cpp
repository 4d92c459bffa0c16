// The configuration page: the parameter objects, the grid and the four
// actions of its toolbar.
#include "MainUnit.h"

#include "config/ConfigActions.h"
#include "config/ConfigGrid.h"
#include "config/ParamsFile.h"
#include "config/TerminalParams.h"
#include "link/Link.h"

#include <QAction>
#include <QStatusBar>
#include <QToolButton>

void TfrmMain::CreateParams()
{
    // The store is still open from the start of FormCreate: each object
    // loads its last saved value as it is created.
    m_params = std::make_unique<TerminalParams>(
        &m_xml, [this](const TBuf &request) { return m_link.TransactProc ? m_link.TransactProc(request) : TBuf(); });
    ParamCount = m_params->ParamCount;
    configActions = new ConfigActions(*m_params, *cxVGrid, PB, this);
    SB->addWidget(configActions->btnStop);
    connect(AReadConfig, &QAction::triggered, this, &TfrmMain::AReadConfigExecute);
    connect(AWriteConfig, &QAction::triggered, this, &TfrmMain::AWriteConfigExecute);
    connect(ALoadParams, &QAction::triggered, this, &TfrmMain::tbParamsClick);
    connect(ASaveParams, &QAction::triggered, this, &TfrmMain::ASaveParamsExecute);
}

void TfrmMain::ParamsToGrid()
{
    ParamsFile::ParamsToGrid(*m_params, *cxVGrid);
}

void TfrmMain::AReadConfigExecute()
{
    m_link.BootloaderMode = false;
    configActions->readConfig();
}

void TfrmMain::AWriteConfigExecute()
{
    configActions->writeConfig();
}

void TfrmMain::ALoadParamsExecute()
{
    configActions->loadParams();
}

void TfrmMain::ASaveParamsExecute()
{
    configActions->saveParams();
}

void TfrmMain::tbParamsClick()
{
    ALoadParamsExecute();
}
