#pragma once

#include <QObject>
#include <QPointer>
#include <QToolButton>

#include <functional>

class ConfigGrid;
class QProgressBar;
class QWidget;
class TerminalParams;

// The four actions of the configuration page: reading and writing the
// terminal with the progress bar and a "Стоп" button, loading and saving the
// stored configuration. Failures are shown in a message box over the grid.
class ConfigActions : public QObject
{
    Q_OBJECT
public:
    ConfigActions(TerminalParams &params, ConfigGrid &grid, QProgressBar *PB, QObject *parent = nullptr);
    ~ConfigActions() override;

    void readConfig();
    void writeConfig();
    void loadParams();
    void saveParams();

    // A reading or writing is under way (the actions do not start another).
    bool busy() const { return m_busy; }
    // Shown beside the progress bar while a reading or writing runs.
    // Owned by the status bar it is placed in; freed here if never placed.
    QPointer<QToolButton> btnStop;
    // How a failure reaches the user: a message box over the grid unless replaced.
    std::function<void(const QString &text)> showError;

private:
    template <class Run> void runWithProgress(Run run);

    TerminalParams &m_params;
    ConfigGrid &m_grid;
    QProgressBar *m_pb;
    bool m_busy = false;
    bool m_stop = false;
};
