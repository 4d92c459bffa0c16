// taviron-sim end to end: the program's own serial path (QSerialPort on the
// pty, the Qt event loop pump, the link) against the simulator process.
#include "link/Commands.h"
#include "link/Link.h"
#include "link/QtPump.h"
#include "link/SerialPort.h"
#include "ConnectLink.h"
#include "SimProcess.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

using namespace Commands;

namespace {
// The program's side of the line: the link on a system serial port.
struct PtyLine
{
    QtPump pump;
    Link link{pump};
    SerialPort port;

    bool open(const QString &path)
    {
        Port::Settings s = port.settings();
        s.name = path;
        s.baudRate = 115200;
        port.setSettings(s);
        return connectLink(link, port);
    }
};
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
    SimProcess sim;
    QVERIFY2(sim.start({QStringLiteral("--baud"), QStringLiteral("115200")}), qPrintable(sim.ptyPath()));

    PtyLine line;
    QVERIFY2(line.open(sim.ptyPath()), qPrintable(line.port.errorString()));
    Link &link = line.link;

    QCOMPARE(link.Transact(readParam(38)), QByteArray("A12123456"));
    QCOMPARE(link.Transact(writeParam(135, QByteArray::fromHex("E803"))), QByteArray(1, 0));
    QCOMPARE(link.Transact(readParam(8)), QByteArray::fromHex("E803"));
    QCOMPARE(link.Transact(setMode(4)), QByteArray(1, 4));
    QCOMPARE(link.NakCount, 0);
    QCOMPARE(link.CrcErrorCount, 0);

    line.port.close();
    QVERIFY(sim.stop());
}

void tst_SimPty::faultOptionsReachTheLine()
{
    SimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--baud"), QStringLiteral("115200"), QStringLiteral("--nak-rate"), QStringLiteral("1")}));
    PtyLine line;
    QVERIFY2(line.open(sim.ptyPath()), qPrintable(line.port.errorString()));
    Link &link = line.link;
    QString status;
    link.ShowTransferErrors = [&](const QString &text) { status = text; };
    QCOMPARE(link.Transact(readParam(8)), QByteArray());
    QCOMPARE(link.NakCount, Link::MaxFrames);
    QCOMPARE(status, QStringLiteral("Ошибок передачи:11 CRC:0"));
    line.port.close();
    QVERIFY(sim.stop());
}

void tst_SimPty::badOptionRefused()
{
    QProcess sim;
    sim.start(SimProcess::program(), {QStringLiteral("--nak-rate"), QStringLiteral("2")});
    QVERIFY(sim.waitForFinished(5000));
    QCOMPARE(sim.exitCode(), 2);
    QVERIFY(sim.readAllStandardOutput().isEmpty());
    QVERIFY(sim.readAllStandardError().contains("--nak-rate"));
}

QTEST_GUILESS_MAIN(tst_SimPty)
#include "tst_simpty.moc"
