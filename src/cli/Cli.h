#pragma once

#include "CliContext.h"

#include <QList>

struct CliCommand;

// The tool: parses the command line, runs one command, and turns every
// failure into a message on stderr and an exit status.
class Cli
{
public:
    Cli(Pump &pump, CliContext::PortFactory portFactory, QTextStream &out, QTextStream &err, QTextStream &in);

    // arguments[0] is the program's name, as in main's argv.
    int run(const QStringList &arguments);

    std::function<bool()> interrupted = [] { return false; };

    static const QList<CliCommand> &commands();

private:
    int runCommand(const CliOptions &options);

    Pump &m_pump;
    CliContext::PortFactory m_portFactory;
    QTextStream &m_out;
    QTextStream &m_err;
    QTextStream &m_in;
};
