#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTimer>

#include <functional>

class SimTerminal;

// Runs the simulated terminal in real time: moves its clock with a timer and
// puts what it sends on the line after its latency, at the pace of the bit
// rate (ten bits a byte), one chunk after the other as a serial line would.
class SimHost : public QObject
{
    Q_OBJECT
public:
    using Output = std::function<void(const QByteArray &)>;

    SimHost(SimTerminal &terminal, Output output, QObject *parent = nullptr);

    void setBaudRate(qint32 baud) { m_baud = qMax(baud, 300); }
    qint32 baudRate() const { return m_baud; }

    void start();
    // Stops the clock and forgets what was still on its way.
    void stop();
    bool running() const { return m_running; }

    // The program's bytes, which take their own time on the line.
    void fromProgram(const QByteArray &bytes);

    // Milliseconds the line needs for this many bytes.
    qint64 lineMs(qsizetype bytes) const;

private:
    void send(const QByteArray &bytes, qint64 delayMs);
    void onTick();
    void deliverDue();

    SimTerminal &m_terminal;
    Output m_output;
    qint32 m_baud = 9600;
    bool m_running = false;
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
