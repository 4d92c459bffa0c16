// Wall time of loading a 64 KB image (16-byte records) through the bootloader
// of the in-process simulated terminal, which paces the line at the chosen bit
// rate, against the protocol's floor: the fixed waits, and for every frame its
// 50 ms pause and the time the frame and its reply take on the line.
#include "ConnectLink.h"
#include "HexImageText.h"

#include "firmware/Bootloader.h"
#include "link/Link.h"
#include "link/QtPump.h"
#include "sim/SimPort.h"
#include "sim/SimTerminal.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {
constexpr int Preamble = 4;
constexpr int ReplyBytes = Preamble + 4; // code, length, the status byte, checksum
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int baud = argc > 1 ? std::atoi(argv[1]) : 115200;
    const int dataBytes = argc > 2 ? std::atoi(argv[2]) : 65536;
    const HexImageText image = HexImageText::random(dataBytes, 16, 1);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fw.hex"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(image.text) != image.text.size())
        return 1;
    file.close();

    QtPump pump;
    Link link(pump);
    SimPort port;
    Port::Settings settings = port.settings();
    settings.baudRate = baud;
    port.setSettings(settings);
    connectLink(link, port);
    Bootloader boot(link);

    QElapsedTimer timer;
    timer.start();
    boot.Open();
    const Bootloader::RunResult result = boot.Run(path);
    boot.Close();
    const double ms = double(timer.nsecsElapsed()) / 1e6;

    const auto onLine = [baud](int bytes) { return bytes * 10 * 1000.0 / baud; };
    const auto exchange = [&](int body, bool answered) {
        return Link::FramePauseMs + onLine(Preamble + body + 1) + (answered ? onLine(ReplyBytes) : 0);
    };
    double floor = Bootloader::SwitchWaitMs + Bootloader::EnterWaitMs;
    floor += exchange(3, true);     // 7E 01 01
    floor += 2 * exchange(1, true); // F3 on opening and at the start of the run
    for (const QByteArray &line : image.text.split('\n'))
        if (line.startsWith(':'))
            floor += exchange(2 + static_cast<int>(QByteArray::fromHex(line.mid(1, 2)).at(0)), true);
    floor += exchange(1, true);  // F1
    floor += exchange(1, false); // F2

    const bool intact = port.terminal().bootloader().image() == image.blockData;
    std::printf("image: %d data bytes in %d lines at %d bit/s, %s\n", dataBytes, image.records, baud,
                result == Bootloader::RunResult::Finished && intact ? "received intact" : "FAILED");
    std::printf("wall time %.1f s, protocol floor %.1f s, ratio %.3f\n", ms / 1000, floor / 1000, ms / floor);
    return result == Bootloader::RunResult::Finished && intact ? 0 : 1;
}
