#include "CliSession.h"

#include "CliError.h"
#include "link/Pump.h"

CliSession::CliSession(Pump &pump, std::shared_ptr<Port> port)
    : m_link(pump)
    , m_port(std::move(port))
{
    m_port->setReceiver([this](const QByteArray &bytes) {
        m_received += bytes.size();
        m_link.ComRxChar(bytes);
    });
    m_link.setPort(m_port.get());
    m_link.TransactProc = [this](const TBuf &request) { return m_link.Transact(request); };
    m_lost = QObject::connect(m_port.get(), &Port::lost, [this](const QString &reason) {
        m_lostReason = reason;
        m_link.PortConnected = false;
    });
}

CliSession::~CliSession()
{
    // A serial port writes from the event loop: a frame sent just before the
    // tool ends (the bootloader's F2 goes out without a reply to wait for)
    // would be dropped by closing the port at once.
    if (m_link.PortConnected)
        m_link.pump().waitEvents(DrainMs, [] { return false; });
    QObject::disconnect(m_lost);
    m_port->setReceiver({});
    m_link.PortConnected = false;
    m_port->close();
}

void CliSession::open(qint32 baudRate)
{
    Port::Settings s = m_port->settings();
    s.baudRate = baudRate;
    m_port->setSettings(s);
    if (!m_port->open())
        throw CliError::device(QStringLiteral("cannot open port %1: %2").arg(s.name, m_port->errorString()));
    m_link.PortConnected = true;
}

CliSession::Reply CliSession::exchange(const TBuf &request)
{
    // Transact gives an empty buffer both for silence and for an answer that
    // carries no data (an empty text, a write confirmed without payload). An
    // answer was taken when the read index moved onto a frame of this code.
    const qint32 readIndexBefore = m_link.RingReadIndex;
    Reply r;
    r.data = m_link.Transact(request);
    const int last = (m_link.RingReadIndex + Link::RingSize - 1) % Link::RingSize;
    r.answered = !r.data.isEmpty()
        || (m_link.RingReadIndex != readIndexBefore
            && m_link.ReplyRing[static_cast<size_t>(last)].Cmd == static_cast<quint8>(request.at(0)));
    return r;
}
