#pragma once

#include "link/Port.h"

#include <QElapsedTimer>
#include <QTimer>

#include <memory>

class SimTerminal;

// The port named "sim": the simulated terminal inside the process. Bytes
// reach the receiver through the event loop, as a serial port's do, after the
// terminal's latency and the time the line needs at the chosen bit rate.
class SimPort final : public Port
{
    Q_OBJECT
public:
    // Hosts its own terminal, or the given one (which must outlive the port).
    explicit SimPort(QObject *parent = nullptr);
    explicit SimPort(SimTerminal &terminal, QObject *parent = nullptr);
    ~SimPort() override;

    bool open() override;
    void close() override;
    bool isOpen() const override { return m_open; }
    bool write(const QByteArray &bytes) override;

    SimTerminal &terminal() { return *m_terminal; }

private:
    SimPort(std::unique_ptr<SimTerminal> own, SimTerminal *terminal, QObject *parent);
    void send(const QByteArray &bytes, int delayMs);
    void onTick();
    void deliverDue();
    qint64 lineMs(qsizetype bytes) const;

    std::unique_ptr<SimTerminal> m_own;
    SimTerminal *m_terminal;
    bool m_open = false;
    QElapsedTimer m_clock;
    qint64 m_lastTick = 0;
    QTimer m_ticker;
    QTimer m_delivery;

    struct Pending
    {
        qint64 at;
        QByteArray bytes;
    };
    QList<Pending> m_pending; // in order of delivery
};
