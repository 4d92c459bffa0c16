#include "ScriptedSim.h"

#include "ScriptedPort.h"
#include "VirtualPump.h"
#include "sim/SimTerminal.h"

ScriptedSim::ScriptedSim(VirtualPump &pump, ScriptedPort &port, SimTerminal &terminal, int tickMs)
    : m_pump(pump)
    , m_port(port)
    , m_terminal(terminal)
    , m_tickMs(tickMs)
    , m_synced(pump.now())
    , m_alive(std::make_shared<bool>(true))
{
    m_port.device = [this](const QByteArray &written) {
        sync();
        const QByteArray answer = m_terminal.feed(written);
        if (!answer.isEmpty())
            m_port.reply(answer, replyDelayMs + m_terminal.faults().latencyMs);
    };
    scheduleTick();
}

ScriptedSim::~ScriptedSim()
{
    *m_alive = false;
    m_port.device = nullptr;
}

void ScriptedSim::sync()
{
    const qint64 now = m_pump.now();
    const QByteArray due = m_terminal.tick(int(now - m_synced));
    m_synced = now;
    if (!due.isEmpty() && m_port.isOpen())
        m_port.inject(due);
}

void ScriptedSim::scheduleTick()
{
    m_pump.schedule(m_tickMs, [this, alive = m_alive] {
        if (!*alive)
            return;
        sync();
        scheduleTick();
    });
}
