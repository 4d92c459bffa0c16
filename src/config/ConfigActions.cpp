#include "ConfigActions.h"

#include "ConfigGrid.h"
#include "ConfigProgress.h"
#include "ConfigReader.h"
#include "ConfigWriter.h"
#include "ParamsFile.h"
#include "TerminalParams.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QProgressBar>
#include <QToolButton>

ConfigActions::ConfigActions(TerminalParams &params, ConfigGrid &grid, QProgressBar *PB, QObject *parent)
    : QObject(parent)
    , m_params(params)
    , m_grid(grid)
    , m_pb(PB)
{
    btnStop = new QToolButton;
    btnStop->setObjectName(QStringLiteral("btnStop"));
    btnStop->setText(QStringLiteral("Стоп"));
    btnStop->setToolTip(QStringLiteral("Остановить после текущего запроса"));
    btnStop->setVisible(false);
    connect(btnStop, &QToolButton::clicked, this, [this] { m_stop = true; });
    showError = [this](const QString &text) { QMessageBox::critical(&m_grid, QStringLiteral("Ошибка"), text); };
}

ConfigActions::~ConfigActions()
{
    if (btnStop && !btnStop->parent())
        delete btnStop;
}

template <class Run> void ConfigActions::runWithProgress(Run run)
{
    // A second run inside the first (its waits let the toolbar work) would
    // interleave two sequences on one line.
    if (m_busy)
        return;
    m_busy = true;
    m_stop = false;
    btnStop->setVisible(true);
    ConfigProgress progress(
        m_params.ParamCount,
        [this](int position) {
            if (m_pb)
                m_pb->setValue(position);
            QCoreApplication::processEvents();
        },
        [this] { return m_stop; });
    const ConfigResult result = run(progress);
    btnStop->setVisible(false);
    m_busy = false;
    if (result.outcome == ConfigResult::Failed)
        showError(result.error);
}

void ConfigActions::readConfig()
{
    runWithProgress([this](ConfigProgress &p) { return ConfigReader::run(m_params, m_grid, p); });
}

void ConfigActions::writeConfig()
{
    runWithProgress([this](ConfigProgress &p) { return ConfigWriter::run(m_params, m_grid, p); });
}

void ConfigActions::loadParams()
{
    const ConfigResult result = ParamsFile::LoadParams(m_params, m_grid);
    if (!result.ok())
        showError(result.error);
}

void ConfigActions::saveParams()
{
    const ConfigResult result = ParamsFile::SaveParams(m_params, m_grid);
    if (!result.ok())
        showError(result.error);
}
