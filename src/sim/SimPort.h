#pragma once

#include "SimHost.h"
#include "link/Port.h"

#include <memory>

class SimTerminal;

// The port named "sim": the simulated terminal inside the process. Bytes
// reach the receiver through the event loop, as a serial port's do, after the
// terminal's latency and the time the line needs at the port's bit rate.
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
    bool isOpen() const override { return m_host.running(); }
    bool write(const QByteArray &bytes) override;

    SimTerminal &terminal() { return *m_terminal; }

private:
    SimPort(std::unique_ptr<SimTerminal> own, SimTerminal *terminal, QObject *parent);

    std::unique_ptr<SimTerminal> m_own;
    SimTerminal *m_terminal;
    SimHost m_host;
};
