#pragma once

#include "CliOptions.h"
#include "CliSession.h"
#include "CliSettings.h"

#include <QTextStream>

#include <functional>
#include <memory>

class Port;
class Pump;

// What a command works with: the resolved options, the console and, opened
// on first use, the session with the terminal.
class CliContext
{
public:
    using PortFactory = std::function<std::shared_ptr<Port>(const QString &name)>;

    CliContext(Pump &pump, PortFactory portFactory, const CliOptions &options, QTextStream &out, QTextStream &err,
               QTextStream &in);

    Pump &pump() { return m_pump; }
    QTextStream &out() { return m_out; }
    QTextStream &err() { return m_err; }
    QTextStream &in() { return m_in; }

    QString portName() const { return m_portName; }
    qint32 baudRate() const { return m_baudRate; }
    QString messagesFile() const { return m_messagesFile; }
    QString settingsFile() const { return m_settingsFile; }

    // Opens the port on first use; raises CliError when it cannot.
    CliSession &session();

    // True once the user asked the tool to stop (Ctrl+C, SIGTERM).
    std::function<bool()> interrupted = [] { return false; };

    // A line on stderr, at once.
    void note(const QString &line);

    enum class WaitEnd { Done, TimedOut, Interrupted, PortLost };
    // Lets the line run (received frames reach their handlers) for up to ms,
    // or without end when ms is negative, until done() holds, the user asks
    // to stop or the port goes away, whichever comes first.
    WaitEnd wait(qint64 ms, const std::function<bool()> &done);

private:
    Pump &m_pump;
    PortFactory m_portFactory;
    QTextStream &m_out;
    QTextStream &m_err;
    QTextStream &m_in;
    QString m_portName;
    qint32 m_baudRate;
    QString m_messagesFile;
    QString m_settingsFile;
    std::unique_ptr<CliSession> m_session;
};
