// Feeds log frames through the receiver into the visible log window as fast
// as the machine allows and reports lines per second and resident memory per
// retained line. Usage: bench_log [frames] (default 200000).

#include "ScriptedPort.h"
#include "VirtualPump.h"

#include "link/Commands.h"
#include "link/Link.h"
#include "log/LogView.h"
#include "log/MessageCatalogue.h"
#include "log/TfrmLog.h"
#include "settings/XmlStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>

namespace {
// The port hands over what arrived since its last event: a few frames at a time.
constexpr int FramesPerEvent = 20;
constexpr int Slices = 10;

qint64 residentBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return -1;
}

// A header like the terminal's: a few hundred messages of typical length.
QByteArray header()
{
    QString text;
    for (int i = 0; i < 300; ++i)
        text += QStringLiteral("MSG_%1, // Сообщение терминала номер %1: ").arg(i);
    text.replace(QStringLiteral(": MSG_"), QStringLiteral(":\nMSG_"));
    text += QStringLiteral("\nMSG_GSM, // Модем {\nMSG_INFO, // *** Информация: \nMSG_TCP, // TCP пакет символов=\n");
    return QStringEncoder("windows-1251").encode(text);
}

QByteArray frameFor(int i, int messages)
{
    const int number = i % messages;
    QByteArray payload;
    payload.append(char(number & 0xFF));
    payload.append(char(number >> 8));
    payload.append(QByteArray::number(i));
    if (number == messages - 3)
        payload.append(" AT+CSQ OK}");
    else
        payload.append(" V=12.4 sat=9");
    return terminalFrame(Commands::cmdLog, payload);
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int frames = qMax(Slices * FramesPerEvent, argc > 1 ? QByteArray(argv[1]).toInt() : 200000);

    QTemporaryDir dir;
    VirtualPump pump;
    Link link(pump);
    ScriptedPort port(pump);
    port.open();
    port.setReceiver([&](const QByteArray &b) { link.ComRxChar(b); });
    link.setPort(&port);
    MessageCatalogue messages;
    messages.LoadText(header());
    XmlStore store(dir.filePath(QStringLiteral("tvConfigC.xml")));
    TfrmLog form(TfrmLog::Context{link, messages, store, {}, {}});
    form.show();
    app.processEvents();

    const qint64 rssBefore = residentBytes();
    QElapsedTimer total;
    total.start();
    QElapsedTimer slice;
    slice.start();
    const std::clock_t cpuStart = std::clock();
    for (int i = 0; i < frames;) {
        QByteArray chunk;
        for (int k = 0; k < FramesPerEvent && i < frames; ++k, ++i)
            chunk += frameFor(i, messages.MessageCount);
        port.inject(chunk);
        app.processEvents();
        const int perSlice = frames / Slices;
        if (i % perSlice == 0)
            std::printf("  lines %7d..%7d: %8.0f lines/s\n", i - perSlice, i, perSlice * 1000.0 / qMax<qint64>(1, slice.restart()));
    }
    form.log()->repaint();
    const qint64 ms = qMax<qint64>(1, total.elapsed());
    const double cpuSeconds = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    const qint64 rssAfter = residentBytes();
    const int lines = int(form.log()->lineCount());

    std::printf("frames %d, lines kept %d\n", frames, lines);
    std::printf("time %lld ms, %.0f lines/s\n", static_cast<long long>(ms), frames * 1000.0 / ms);
    std::printf("processor time %.1f s, %.0f lines per processor second\n", cpuSeconds, frames / qMax(0.001, cpuSeconds));
    std::printf("resident memory %+.1f MB, %.0f bytes per line\n", (rssAfter - rssBefore) / 1048576.0,
                double(rssAfter - rssBefore) / qMax(1, lines));
    return lines == frames ? 0 : 1;
}
