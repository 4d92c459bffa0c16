#pragma once

#include "SimHost.h"

#include <QObject>
#include <QString>

class QSocketNotifier;
class SimTerminal;

// Serves the simulated terminal on a pseudo-terminal: any serial program can
// open slavePath() (/dev/pts/N) as if it were the terminal's COM port.
class SimPty : public QObject
{
    Q_OBJECT
public:
    explicit SimPty(SimTerminal &terminal, QObject *parent = nullptr);
    ~SimPty() override;

    // Creates the pty and starts serving; false with errorString() on failure.
    bool open(qint32 baudRate);
    QString slavePath() const { return m_slavePath; }
    QString errorString() const { return m_error; }

private:
    void onReadable();
    void write(const QByteArray &bytes);
    bool fail(const QString &what);

    SimHost m_host;
    int m_master = -1;
    // Held open so that the master never sees a hang-up between two clients.
    int m_slave = -1;
    QSocketNotifier *m_notifier = nullptr;
    QString m_slavePath;
    QString m_error;
};
