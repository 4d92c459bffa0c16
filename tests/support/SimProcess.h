#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// taviron-sim as a separate process on its pseudo-terminal: the real serial
// path for end-to-end tests.
class SimProcess
{
public:
    ~SimProcess();

    // The simulator's executable.
    static QString program();

    // Starts the simulator and reads the pty's path from its first line.
    bool start(const QStringList &args = {});
    QString ptyPath() const { return m_path; }
    // SIGTERM: the simulator closes its pty in order and exits 0.
    bool stop();
    // SIGKILL: the pty vanishes at once, as a pulled cable would take it.
    void kill();

    QProcess process;

private:
    QString m_path;
};
