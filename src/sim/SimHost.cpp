#include "SimHost.h"

#include "SimTerminal.h"

namespace {
// How often the terminal's clock moves on: fine enough for log frames and
// self-test reports, coarse enough to cost nothing.
constexpr int TickMs = 20;
} // namespace

SimHost::SimHost(SimTerminal &terminal, Output output, QObject *parent)
    : QObject(parent)
    , m_terminal(terminal)
    , m_output(std::move(output))
{
    m_ticker.setInterval(TickMs);
    m_delivery.setSingleShot(true);
    connect(&m_ticker, &QTimer::timeout, this, &SimHost::onTick);
    connect(&m_delivery, &QTimer::timeout, this, &SimHost::deliverDue);
    m_clock.start();
}

void SimHost::start()
{
    m_running = true;
    m_lastTick = m_clock.elapsed();
    m_ticker.start();
}

void SimHost::stop()
{
    // The terminal keeps its state; what it sends meanwhile is lost, as on a
    // line nobody listens to.
    m_running = false;
    m_ticker.stop();
    m_delivery.stop();
    m_pending.clear();
}

void SimHost::fromProgram(const QByteArray &bytes)
{
    if (!m_running)
        return;
    onTick(); // the terminal's clock is current when it takes the bytes
    send(m_terminal.feed(bytes), lineMs(bytes.size()) + m_terminal.faults().latencyMs);
}

qint64 SimHost::lineMs(qsizetype bytes) const
{
    return (bytes * 10 * 1000 + m_baud - 1) / m_baud;
}

void SimHost::send(const QByteArray &bytes, qint64 delayMs)
{
    if (bytes.isEmpty())
        return;
    const qint64 now = m_clock.elapsed();
    qint64 start = now + delayMs;
    if (!m_pending.isEmpty())
        start = qMax(start, m_pending.last().at);
    m_pending.append({start + lineMs(bytes.size()), bytes});
    if (!m_delivery.isActive())
        m_delivery.start(int(qMax<qint64>(0, m_pending.first().at - now)));
}

void SimHost::deliverDue()
{
    const qint64 now = m_clock.elapsed();
    // The output may stop the host (a port closed by its receiver).
    while (m_running && !m_pending.isEmpty() && m_pending.first().at <= now)
        m_output(m_pending.takeFirst().bytes);
    if (m_running && !m_pending.isEmpty())
        m_delivery.start(int(qMax<qint64>(0, m_pending.first().at - now)));
}

void SimHost::onTick()
{
    const qint64 now = m_clock.elapsed();
    const int elapsed = int(now - m_lastTick);
    m_lastTick = now;
    if (elapsed > 0 && m_running)
        send(m_terminal.tick(elapsed), 0);
}
