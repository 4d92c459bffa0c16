#pragma once

#include "ScriptedPort.h"
#include "ScriptedSim.h"
#include "VirtualPump.h"
#include "sim/SimTerminal.h"

#include <QByteArray>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

// The tool run in process against the simulated terminal in virtual time:
// every run gets a fresh port on the same terminal, and the bench keeps what
// the tool printed and every frame it wrote.
class CliBench
{
public:
    explicit CliBench(quint32 seed = 7);
    ~CliBench();

    // args without the program's name; stdinText is what the console "types".
    int run(const QStringList &args, const QByteArray &stdinText = {});

    VirtualPump pump;
    SimTerminal sim;
    bool failOpen = false;  // the next port refuses to open
    bool portOpened = false; // the last run opened a port
    // The user's stop request (Ctrl+C) as the tool sees it.
    std::function<bool()> interrupted = [] { return false; };

    QString out;
    QString err;
    QList<QByteArray> written; // frames of the last run, as written

    // The request bodies of the last run in hex ("01", "87 02 90 1f").
    QStringList requests() const;

private:
    std::vector<std::shared_ptr<ScriptedPort>> m_ports;
    std::vector<std::unique_ptr<ScriptedSim>> m_hosts;
};
