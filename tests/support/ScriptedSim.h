#pragma once

#include <QtGlobal>

#include <memory>

class ScriptedPort;
class SimTerminal;
class VirtualPump;

// Hosts the simulated terminal on a scripted port in virtual time: every
// written frame is fed to the terminal and its answer delivered after the
// terminal's latency; the terminal's clock follows the pump's, and what it
// sends unasked is delivered every tickMs.
class ScriptedSim
{
public:
    ScriptedSim(VirtualPump &pump, ScriptedPort &port, SimTerminal &terminal, int tickMs = 10);
    ~ScriptedSim();

    // Moves the terminal's clock up to the pump's and delivers what fell due.
    void sync();

    // Reply delay on top of the terminal's own latency (line and firmware time).
    int replyDelayMs = 5;

private:
    void scheduleTick();

    VirtualPump &m_pump;
    ScriptedPort &m_port;
    SimTerminal &m_terminal;
    int m_tickMs;
    qint64 m_synced;
    std::shared_ptr<bool> m_alive; // ticks left on the pump outlive the harness
};
