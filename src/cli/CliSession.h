#pragma once

#include "link/Link.h"
#include "link/Port.h"

#include <QObject>

#include <memory>

class Pump;

// The open line to one terminal: the port, the link on it, and a transaction
// that tells a request nobody answered from an answer without data.
class CliSession
{
public:
    struct Reply
    {
        bool answered = false;
        TBuf data;
    };

    CliSession(Pump &pump, std::shared_ptr<Port> port);
    ~CliSession();
    CliSession(const CliSession &) = delete;
    CliSession &operator=(const CliSession &) = delete;

    // Opens the port at the given speed; raises CliError when it cannot.
    void open(qint32 baudRate);

    Link &link() { return m_link; }
    Port &port() { return *m_port; }

    Reply exchange(const TBuf &request);

    // Bytes that came from the terminal so far: for the core operations
    // that use Transact directly, whether the terminal said anything at all.
    qint64 receivedBytes() const { return m_received; }

    // Empty while the port is there; why it went away otherwise.
    QString lostReason() const { return m_lostReason; }

private:
    static constexpr int DrainMs = 50;

    Link m_link;
    std::shared_ptr<Port> m_port; // shared: a test keeps its port to look at the traffic
    QMetaObject::Connection m_lost;
    QString m_lostReason;
    qint64 m_received = 0;
};
