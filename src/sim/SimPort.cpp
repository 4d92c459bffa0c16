#include "SimPort.h"

#include "SimTerminal.h"

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
    , m_host(*m_terminal, [this](const QByteArray &bytes) { deliver(bytes); })
{
    Settings s = settings();
    s.name = QStringLiteral("sim");
    setSettings(s);
}

SimPort::~SimPort() = default;

bool SimPort::open()
{
    m_host.setBaudRate(settings().baudRate);
    m_host.start();
    setErrorString({});
    return true;
}

void SimPort::close()
{
    m_host.stop();
}

bool SimPort::write(const QByteArray &bytes)
{
    if (!isOpen())
        return false;
    m_host.fromProgram(bytes);
    return true;
}
