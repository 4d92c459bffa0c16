// taviron-sim: the simulated terminal on a pseudo-terminal. The first line on
// stdout is the pty's path, so scripts can read it and open the port.
#include "SimPty.h"
#include "SimTerminal.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

int quitPipe[2] = {-1, -1};

void onSignal(int)
{
    const char b = 1;
    [[maybe_unused]] const ssize_t n = ::write(quitPipe[1], &b, 1);
}

// SIGINT and SIGTERM end the event loop, so the pty is closed in order.
void quitOnSignals(QCoreApplication &app)
{
    if (::pipe(quitPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(quitPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    struct sigaction sa{};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    ::sigaction(SIGINT, &sa, nullptr);
    ::sigaction(SIGTERM, &sa, nullptr);
}

bool rate(const QCommandLineParser &p, const QString &name, double &out)
{
    if (!p.isSet(name))
        return true;
    bool ok = false;
    const double v = p.value(name).toDouble(&ok);
    if (!ok || v < 0 || v > 1) {
        std::fprintf(stderr, "taviron-sim: --%s wants a number from 0 to 1\n", qPrintable(name));
        return false;
    }
    out = v;
    return true;
}

bool number(const QCommandLineParser &p, const QString &name, qint64 min, qint64 max, qint64 &out)
{
    if (!p.isSet(name))
        return true;
    bool ok = false;
    const qint64 v = p.value(name).toLongLong(&ok);
    if (!ok || v < min || v > max) {
        std::fprintf(stderr, "taviron-sim: --%s wants a whole number from %lld to %lld\n", qPrintable(name), min, max);
        return false;
    }
    out = v;
    return true;
}

bool codes(const QCommandLineParser &p, QSet<quint8> &out)
{
    for (const QString &item : p.value(QStringLiteral("silent")).split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const uint code = item.trimmed().toUInt(&ok, 0);
        if (!ok || code > 255) {
            std::fprintf(stderr, "taviron-sim: --silent wants command codes 0..255 (0x7F or 127), not \"%s\"\n",
                         qPrintable(item));
            return false;
        }
        out.insert(quint8(code));
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("taviron-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TAVIRON_VERSION));

    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral(
        "A simulated Taviron terminal on a pseudo-terminal. Prints the pty's path (/dev/pts/N)\n"
        "as its first line and serves until interrupted. Point the configurator or any serial\n"
        "program at that path."));
    p.addHelpOption();
    p.addVersionOption();
    p.addOptions({
        {QStringLiteral("baud"), QStringLiteral("Line speed that paces the replies (default 9600)."), QStringLiteral("bits/s")},
        {QStringLiteral("latency"), QStringLiteral("Extra delay before every reply (default 0)."), QStringLiteral("ms")},
        {QStringLiteral("log-rate"), QStringLiteral("Log records a second while log output is on (default 2)."),
         QStringLiteral("n")},
        {QStringLiteral("nak-rate"), QStringLiteral("Share of replies turned into negative replies."), QStringLiteral("0..1")},
        {QStringLiteral("crc-error-rate"), QStringLiteral("Share of replies sent with a wrong checksum."),
         QStringLiteral("0..1")},
        {QStringLiteral("drop-rate"), QStringLiteral("Share of replies not sent at all."), QStringLiteral("0..1")},
        {QStringLiteral("stale-rate"), QStringLiteral("Share of replies preceded by a stale reply of another code."),
         QStringLiteral("0..1")},
        {QStringLiteral("noise-rate"), QStringLiteral("Share of replies preceded by line noise."), QStringLiteral("0..1")},
        {QStringLiteral("silent"), QStringLiteral("Never answer these command codes (comma-separated, e.g. 0x7B,8)."),
         QStringLiteral("codes")},
        {QStringLiteral("seed"), QStringLiteral("Seed of the fault generator, for repeatable runs (default 1)."),
         QStringLiteral("n")},
    });
    p.process(app);

    qint64 seed = 1, baud = 9600, latency = 0;
    double logRate = 2;
    SimFaults faults;
    bool ok = number(p, QStringLiteral("seed"), 0, 0xFFFFFFFFLL, seed) && number(p, QStringLiteral("baud"), 300, 4000000, baud)
        && number(p, QStringLiteral("latency"), 0, 60000, latency) && rate(p, QStringLiteral("nak-rate"), faults.nakRate)
        && rate(p, QStringLiteral("crc-error-rate"), faults.crcErrorRate) && rate(p, QStringLiteral("drop-rate"), faults.dropRate)
        && rate(p, QStringLiteral("stale-rate"), faults.staleRate) && rate(p, QStringLiteral("noise-rate"), faults.noiseRate)
        && codes(p, faults.silentCodes);
    if (ok && p.isSet(QStringLiteral("log-rate"))) {
        logRate = p.value(QStringLiteral("log-rate")).toDouble(&ok);
        if (!ok || logRate < 0 || logRate > 100) {
            std::fprintf(stderr, "taviron-sim: --log-rate wants a number from 0 to 100\n");
            ok = false;
        }
    }
    if (ok && faults.nakRate + faults.crcErrorRate + faults.dropRate > 1) {
        std::fprintf(stderr, "taviron-sim: --nak-rate, --crc-error-rate and --drop-rate add up to more than 1\n");
        ok = false;
    }
    if (!ok)
        return 2;
    faults.latencyMs = int(latency);

    SimTerminal terminal{quint32(seed)};
    terminal.faults() = faults;
    terminal.logOutput().setRate(logRate);

    SimPty pty(terminal);
    if (!pty.open(qint32(baud))) {
        std::fprintf(stderr, "taviron-sim: cannot create a pseudo-terminal: %s\n", qPrintable(pty.errorString()));
        return 1;
    }
    std::printf("%s\n", qPrintable(pty.slavePath()));
    std::fflush(stdout);
    quitOnSignals(app);
    return app.exec();
}
