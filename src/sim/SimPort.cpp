#include "SimPort.h"

#include "SimTerminal.h"

namespace {
// How often the terminal's clock moves on: fine enough for log frames and
// self-test reports, coarse enough to cost nothing.
constexpr int TickMs = 20;
} // namespace

SimPort::SimPort(QObject *parent)
    : SimPort(std::make_unique<SimTerminal>(), nullptr, parent)
{
}

SimPort::SimPort(SimTerminal &terminal, QObject *parent)
    : SimPort(nullptr, &terminal, parent)
{
}

SimPort::SimPort(std::unique_ptr<SimTerminal> own, SimTerminal *terminal, QObject *parent)
    : Port(parent)
    , m_own(std::move(own))
    , m_terminal(terminal ? terminal : m_own.get())
{
    setSettings({QStringLiteral("sim")});
    m_ticker.setInterval(TickMs);
    m_delivery.setSingleShot(true);
    connect(&m_ticker, &QTimer::timeout, this, &SimPort::onTick);
    connect(&m_delivery, &QTimer::timeout, this, &SimPort::deliverDue);
    m_clock.start();
}

SimPort::~SimPort() = default;

bool SimPort::open()
{
    m_open = true;
    m_lastTick = m_clock.elapsed();
    m_ticker.start();
    setErrorString({});
    return true;
}

void SimPort::close()
{
    // The terminal keeps running while the port is closed; what it sends
    // meanwhile is lost, as on a real line.
    m_open = false;
    m_ticker.stop();
    m_delivery.stop();
    m_pending.clear();
}

bool SimPort::write(const QByteArray &bytes)
{
    if (!m_open)
        return false;
    onTick(); // the terminal's clock is current when it takes the bytes
    const QByteArray reply = m_terminal->feed(bytes);
    send(reply, int(lineMs(bytes.size())) + m_terminal->faults().latencyMs);
    return true;
}

qint64 SimPort::lineMs(qsizetype bytes) const
{
    // Ten bits a byte: start, eight data bits, stop.
    const qint32 baud = qMax(settings().baudRate, 300);
    return (bytes * 10 * 1000 + baud - 1) / baud;
}

void SimPort::send(const QByteArray &bytes, int delayMs)
{
    if (bytes.isEmpty())
        return;
    // One line: a chunk starts when the previous one has been sent.
    const qint64 now = m_clock.elapsed();
    qint64 start = now + delayMs;
    if (!m_pending.isEmpty())
        start = qMax(start, m_pending.last().at);
    m_pending.append({start + lineMs(bytes.size()), bytes});
    if (!m_delivery.isActive())
        m_delivery.start(int(qMax<qint64>(0, m_pending.first().at - now)));
}

void SimPort::deliverDue()
{
    const qint64 now = m_clock.elapsed();
    while (m_open && !m_pending.isEmpty() && m_pending.first().at <= now)
        deliver(m_pending.takeFirst().bytes);
    if (m_open && !m_pending.isEmpty())
        m_delivery.start(int(qMax<qint64>(0, m_pending.first().at - now)));
}

void SimPort::onTick()
{
    const qint64 now = m_clock.elapsed();
    const int elapsed = int(now - m_lastTick);
    m_lastTick = now;
    if (elapsed > 0 && m_open)
        send(m_terminal->tick(elapsed), 0);
}
