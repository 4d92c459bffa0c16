// taviron-sim end to end: the program's own serial path (QSerialPort on the
// pty, the Qt event loop pump, the link) against the simulator process.
#include "link/Commands.h"
#include "link/Link.h"
#include "link/QtPump.h"
#include "link/SerialPort.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

using namespace Commands;

namespace {
// Starts taviron-sim and reads the pty path from its first line.
bool startSim(QProcess &sim, const QStringList &args, QString &path)
{
    sim.start(QStringLiteral(TAVIRON_SIM), args);
    if (!sim.waitForStarted(5000))
        return false;
    QElapsedTimer t;
    t.start();
    while (!sim.canReadLine() && t.elapsed() < 5000)
        sim.waitForReadyRead(100);
    path = QString::fromLocal8Bit(sim.readLine()).trimmed();
    return path.startsWith(QLatin1String("/dev/pts/"));
}
} // namespace

class tst_SimPty : public QObject
{
    Q_OBJECT
private slots:
    void transactionsOverThePty();
    void faultOptionsReachTheLine();
    void badOptionRefused();
};

void tst_SimPty::transactionsOverThePty()
{
    QProcess sim;
    QString path;
    QVERIFY2(startSim(sim, {QStringLiteral("--baud"), QStringLiteral("115200")}, path), qPrintable(path));

    QtPump pump;
    Link link(pump);
    SerialPort port;
    Port::Settings s = port.settings();
    s.name = path;
    s.baudRate = 115200;
    port.setSettings(s);
    QVERIFY2(port.open(), qPrintable(port.errorString()));
    port.setReceiver([&](const QByteArray &b) { link.ComRxChar(b); });
    link.setPort(&port);
    link.PortConnected = true;

    QCOMPARE(link.Transact(readParam(38)), QByteArray("A12123456"));
    QCOMPARE(link.Transact(writeParam(135, QByteArray::fromHex("E803"))), QByteArray(1, 0));
    QCOMPARE(link.Transact(readParam(8)), QByteArray::fromHex("E803"));
    QCOMPARE(link.Transact(setMode(4)), QByteArray(1, 4));
    QCOMPARE(link.NakCount, 0);
    QCOMPARE(link.CrcErrorCount, 0);

    port.close();
    sim.terminate(); // SIGTERM: a clean stop
    QVERIFY(sim.waitForFinished(5000));
    QCOMPARE(sim.exitStatus(), QProcess::NormalExit);
    QCOMPARE(sim.exitCode(), 0);
}

void tst_SimPty::faultOptionsReachTheLine()
{
    QProcess sim;
    QString path;
    QVERIFY(startSim(sim, {QStringLiteral("--baud"), QStringLiteral("115200"), QStringLiteral("--nak-rate"), QStringLiteral("1")}, path));
    QtPump pump;
    Link link(pump);
    SerialPort port;
    Port::Settings s = port.settings();
    s.name = path;
    s.baudRate = 115200;
    port.setSettings(s);
    QVERIFY(port.open());
    port.setReceiver([&](const QByteArray &b) { link.ComRxChar(b); });
    link.setPort(&port);
    link.PortConnected = true;
    QString status;
    link.ShowTransferErrors = [&](const QString &text) { status = text; };
    QCOMPARE(link.Transact(readParam(8)), QByteArray());
    QCOMPARE(link.NakCount, Link::MaxFrames);
    QCOMPARE(status, QStringLiteral("Ошибок передачи:11 CRC:0"));
    port.close();
    sim.terminate();
    QVERIFY(sim.waitForFinished(5000));
}

void tst_SimPty::badOptionRefused()
{
    QProcess sim;
    sim.start(QStringLiteral(TAVIRON_SIM), {QStringLiteral("--nak-rate"), QStringLiteral("2")});
    QVERIFY(sim.waitForFinished(5000));
    QCOMPARE(sim.exitCode(), 2);
    QVERIFY(sim.readAllStandardOutput().isEmpty());
    QVERIFY(sim.readAllStandardError().contains("--nak-rate"));
}

QTEST_GUILESS_MAIN(tst_SimPty)
#include "tst_simpty.moc"
