#include "Cli.h"
#include "link/QtPump.h"
#include "sim/PortFactory.h"

#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QTextStream>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {
// SIGINT and SIGTERM ask the running command to end cleanly (the log turns
// the terminal's output off first). The handler only writes a byte to a pipe;
// the event loop reads it, so the request wakes a command that is waiting.
// A second signal, when the first went unheeded (a question waiting on the
// console), ends the tool at once.
int stopPipe[2] = {-1, -1};
volatile std::sig_atomic_t signalled = 0;
bool stopRequested = false;

void onStopSignal(int sig)
{
    if (signalled) {
        std::signal(sig, SIG_DFL);
        std::raise(sig);
        return;
    }
    signalled = 1;
    const char b = 1;
    [[maybe_unused]] const ssize_t n = ::write(stopPipe[1], &b, 1);
}

void watchStopSignals(QCoreApplication &app, Pump &pump)
{
    if (::pipe2(stopPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto *notifier = new QSocketNotifier(stopPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [&pump] {
        char b;
        while (::read(stopPipe[0], &b, 1) > 0) {
        }
        stopRequested = true;
        pump.notify();
    });
    struct sigaction sa{};
    sa.sa_handler = onStopSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &sa, nullptr);
    ::sigaction(SIGTERM, &sa, nullptr);
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("taviron-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TAVIRON_VERSION));

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
    watchStopSignals(app, pump);
    Cli cli(pump, [](const QString &name) { return createPort(name); }, out, err, in);
    cli.interrupted = [] { return stopRequested; };
    return cli.run(QCoreApplication::arguments());
}
