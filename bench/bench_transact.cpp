// The per-request cost of Transact at real time against a port that answers
// the moment a frame arrives (the answer goes through the event loop, as a
// real port's received-bytes event does).
#include "ConnectLink.h"
#include "link/Link.h"
#include "link/Port.h"
#include "link/QtPump.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

namespace {

class InstantPort final : public Port
{
public:
    bool open() override { return m_open = true; }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    bool write(const QByteArray &frame) override
    {
        // Answer with the request's code and a two-byte value.
        QByteArray reply = QByteArray::fromHex("0D0A2A3E");
        const char code = frame[4];
        const QByteArray body = QByteArray(1, code) + QByteArray::fromHex("02E803");
        char crc = 0;
        for (char c : body)
            crc = char(crc ^ c);
        reply += body;
        reply += crc;
        QTimer::singleShot(0, this, [this, reply] { deliver(reply); });
        return true;
    }

private:
    bool m_open = false;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int requests = argc > 1 ? atoi(argv[1]) : 40;
    QtPump pump;
    Link link(pump);
    InstantPort port;
    connectLink(link, port);

    QElapsedTimer timer;
    timer.start();
    int answered = 0;
    for (int i = 0; i < requests; ++i)
        answered += link.Transact(QByteArray(1, char(8))).size() == 2;
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    std::printf("%d requests, %d answered, %.2f ms per request, floor %d ms, ratio %.3f\n", requests, answered, ms / requests,
                Link::FramePauseMs, ms / requests / Link::FramePauseMs);
    return answered == requests ? 0 : 1;
}
