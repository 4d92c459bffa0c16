#include "Cli.h"
#include "link/QtPump.h"
#include "sim/PortFactory.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <csignal>

namespace {
// Set by SIGINT/SIGTERM; long-running commands (log, selftest) poll it and
// end cleanly, telling the terminal to stop first.
volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int)
{
    stopRequested = 1;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("taviron-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TAVIRON_VERSION));
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);

    QFile outFile;
    QFile errFile;
    QFile inFile;
    outFile.open(stdout, QIODevice::WriteOnly);
    errFile.open(stderr, QIODevice::WriteOnly);
    inFile.open(stdin, QIODevice::ReadOnly);
    QTextStream out(&outFile);
    QTextStream err(&errFile);
    QTextStream in(&inFile);

    QtPump pump;
    Cli cli(pump, [](const QString &name) { return createPort(name); }, out, err, in);
    cli.interrupted = [] { return stopRequested != 0; };
    return cli.run(QCoreApplication::arguments());
}
