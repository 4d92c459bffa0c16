#include "PortsCommand.h"

#include "CliCommand.h"
#include "CliContext.h"
#include "CliError.h"

#include <QSerialPortInfo>

CliCommand portsCommand()
{
    CliCommand c;
    c.name = QStringLiteral("ports");
    c.synopsis = QStringLiteral("ports");
    c.summary = QStringLiteral("list the serial ports: name, a tab, description");
    c.description = QStringLiteral("Lists the serial ports of this machine, one per line: the name to give --port, "
                                   "a tab, and the port's description. The simulated terminal is always there as "
                                   "'sim'.");
    c.run = [](CliContext &ctx, const QCommandLineParser &) {
        for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
#ifdef Q_OS_WIN
            const QString name = info.portName();
#else
            const QString name = info.systemLocation();
#endif
            ctx.out() << name << '\t' << info.description() << '\n';
        }
        ctx.out().flush();
        return int(ExitDone);
    };
    return c;
}
