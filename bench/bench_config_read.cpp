// A whole configuration read from the in-process simulated terminal at real
// time, against its floor: 44 requests, each preceded by the 50 ms pause, and
// every byte of the requests and replies on the line at 10 bits a byte.
#include "config/CellMap.h"
#include "config/ConfigProgress.h"
#include "config/ConfigReader.h"
#include "config/TerminalParams.h"
#include "link/Link.h"
#include "link/QtPump.h"
#include "sim/SimPort.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int baud = argc > 1 ? atoi(argv[1]) : 115200;
    QtPump pump;
    Link link(pump);
    SimPort port;
    Port::Settings s = port.settings();
    s.name = QStringLiteral("sim");
    s.baudRate = baud;
    port.setSettings(s);
    if (!port.open())
        return 1;
    qint64 lineBytes = 0;
    port.setReceiver([&](const QByteArray &b) {
        lineBytes += b.size();
        link.ComRxChar(b);
    });
    link.setPort(&port);
    link.PortConnected = true;

    constexpr int FrameOverhead = 5; // header and checksum around the body
    TerminalParams params(nullptr, [&](const TBuf &r) {
        lineBytes += r.size() + FrameOverhead;
        return link.Transact(r);
    });
    CellMap cells;
    ConfigProgress progress(params.ParamCount);
    QElapsedTimer timer;
    timer.start();
    const ConfigResult result = ConfigReader::run(params, cells, progress);
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    const double floorMs = 44.0 * Link::FramePauseMs + lineBytes * 10 * 1000.0 / baud;
    std::printf("config read at %d bit/s: %.0f ms, floor %.0f ms, ratio %.2f%s\n", baud, ms, floorMs, ms / floorMs,
                result.ok() ? "" : " (FAILED)");
    return result.ok() ? 0 : 1;
}
