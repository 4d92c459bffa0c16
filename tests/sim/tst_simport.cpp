// The in-process simulated port in real time: bytes go through the event
// loop at the line's pace, and a terminal view can take the port over.
#include "ConnectLink.h"

#include "link/Commands.h"
#include "link/Link.h"
#include "link/PortSink.h"
#include "link/QtPump.h"
#include "sim/PortFactory.h"
#include "sim/SimPort.h"
#include "sim/SimTerminal.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace Commands;

namespace {
struct Capture : PortSink
{
    QByteArray bytes;
    void portBytes(const QByteArray &b) override { bytes += b; }
};
} // namespace

class tst_SimPort : public QObject
{
    Q_OBJECT
private slots:
    void factoryChoosesBackend();
    void transactionsThroughEventLoop();
    void linePaceFollowsBaudRate();
    void sinkTakesReceivedBytes();
    void closedPortWritesNothing();
};

void tst_SimPort::factoryChoosesBackend()
{
    auto sim = createPort(QStringLiteral("sim"));
    QVERIFY(qobject_cast<SimPort *>(sim.get()));
    QCOMPARE(sim->settings().name, QStringLiteral("sim"));
    auto serial = createPort(QStringLiteral("/dev/ttyUSB7"));
    QVERIFY(!qobject_cast<SimPort *>(serial.get()));
    QCOMPARE(serial->settings().name, QStringLiteral("/dev/ttyUSB7"));
}

void tst_SimPort::transactionsThroughEventLoop()
{
    QtPump pump;
    Link link(pump);
    SimPort port;
    QVERIFY(connectLink(link, port));

    QCOMPARE(link.Transact(readParam(8)), QByteArray::fromHex("6C4F"));
    link.Transact(writeParam(135, QByteArray::fromHex("E803")));
    QCOMPARE(port.terminal().parameters().value(8), QByteArray::fromHex("E803"));
    QCOMPARE(link.Transact(setMode(4)), QByteArray::fromHex("04"));
    QCOMPARE(port.terminal().workMode(), quint8(4));
    QCOMPARE(link.NakCount, 0);
    QCOMPARE(link.CrcErrorCount, 0);
}

void tst_SimPort::linePaceFollowsBaudRate()
{
    // 1200 bit/s: the 9-byte reply alone takes 75 ms on the line.
    SimPort port;
    Port::Settings s = port.settings();
    s.baudRate = 1200;
    port.setSettings(s);
    QByteArray got;
    port.setReceiver([&](const QByteArray &b) { got += b; });
    QVERIFY(port.open());
    QElapsedTimer clock;
    clock.start();
    port.write(QByteArray::fromHex("0D0A2A3E0808"));
    QTRY_COMPARE_WITH_TIMEOUT(got.size(), 9, 2000);
    QVERIFY2(clock.elapsed() >= 120, qPrintable(QString::number(clock.elapsed()))); // 50 ms out, 75 ms back
}

void tst_SimPort::sinkTakesReceivedBytes()
{
    SimTerminal terminal;
    SimPort port(terminal);
    QByteArray toReceiver;
    port.setReceiver([&](const QByteArray &b) { toReceiver += b; });
    Capture view;
    port.attachSink(&view);
    QVERIFY(port.open());
    port.write(QByteArray::fromHex("0D0A2A3E0808"));
    QTRY_VERIFY_WITH_TIMEOUT(!view.bytes.isEmpty(), 2000);
    QCOMPARE(toReceiver, QByteArray());
    QCOMPARE(view.bytes, QByteArray::fromHex("0D0A2A3E08026C4F29"));
}

void tst_SimPort::closedPortWritesNothing()
{
    SimPort port;
    QVERIFY(!port.write(QByteArray::fromHex("0D0A2A3E0808")));
    QCOMPARE(port.terminal().stats().framesTaken, 0);
}

QTEST_GUILESS_MAIN(tst_SimPort)
#include "tst_simport.moc"
