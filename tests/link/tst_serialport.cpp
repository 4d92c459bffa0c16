#include "link/SerialPort.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

} // namespace

// The system serial port on a pseudo-terminal: bytes both ways, and a far end
// that goes away.
class tst_SerialPort : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void bytesBothWays();
    void vanishingDeviceReportedOnce();
    void missingDeviceFailsToOpen();

private:
    int m_master = -1;
    QString m_slave;
};

void tst_SerialPort::init()
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    QVERIFY(m_master >= 0);
    QVERIFY(grantpt(m_master) == 0 && unlockpt(m_master) == 0);
    QVERIFY(fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK) == 0);
    m_slave = QString::fromLocal8Bit(ptsname(m_master));
}

void tst_SerialPort::cleanup()
{
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}

void tst_SerialPort::bytesBothWays()
{
    SerialPort port;
    Port::Settings s;
    s.name = m_slave;
    s.baudRate = 115200;
    port.setSettings(s);
    QVERIFY2(port.open(), qPrintable(port.errorString())); // DTR/RTS refused by a pty is no failure
    QByteArray received;
    port.setReceiver([&](const QByteArray &b) { received += b; });

    QVERIFY(port.write(QByteArray::fromHex("0D0A2A3E0808")));
    QByteArray atTerminal;
    QTRY_COMPARE_WITH_TIMEOUT([&] {
        char buf[64];
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n > 0)
            atTerminal.append(buf, n);
        return atTerminal;
    }(), QByteArray::fromHex("0D0A2A3E0808"), 2000);

    const QByteArray reply = QByteArray::fromHex("0D0A2A3E0802E803E1");
    QCOMPARE(::write(m_master, reply.constData(), size_t(reply.size())), ssize_t(reply.size()));
    QTRY_COMPARE_WITH_TIMEOUT(received, reply, 2000);
}

void tst_SerialPort::vanishingDeviceReportedOnce()
{
    SerialPort port;
    Port::Settings s;
    s.name = m_slave;
    port.setSettings(s);
    QVERIFY(port.open());
    QSignalSpy lost(&port, &Port::lost);
    ::close(m_master);
    m_master = -1;
    QTRY_COMPARE_WITH_TIMEOUT(lost.size(), 1, 3000);
    QVERIFY(!port.isOpen());

    // No error storm afterwards: the event loop stays idle.
    const double before = cpuSeconds();
    QTest::qWait(1000);
    QCOMPARE(lost.size(), 1);
    QVERIFY2(cpuSeconds() - before < 0.2, "CPU spins after the device went away");
}

void tst_SerialPort::missingDeviceFailsToOpen()
{
    SerialPort port;
    Port::Settings s;
    s.name = QStringLiteral("/dev/taviron-no-such-port");
    port.setSettings(s);
    QVERIFY(!port.open());
    QVERIFY(!port.errorString().isEmpty());
    QVERIFY(!port.isOpen());
}

QTEST_GUILESS_MAIN(tst_SerialPort)
#include "tst_serialport.moc"
