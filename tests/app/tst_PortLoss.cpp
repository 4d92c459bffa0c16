// The port's lamps, and a USB adapter pulled and plugged in again while the
// program runs.
#include "MainFixture.h"

#include "app/StatusLamp.h"
#include "link/Commands.h"

#include <QAction>
#include <QEventLoop>
#include <QLabel>
#include <QTest>
#include <QTimer>

namespace {
void idle(int ms = 20)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

PortWatcher::Identity adapter(const QString &name, const QString &serial)
{
    PortWatcher::Identity id;
    id.name = name;
    id.hasIds = true;
    id.vendor = 0x0403;
    id.product = 0x6001;
    id.manufacturer = QStringLiteral("FTDI");
    id.serialNumber = serial;
    return id;
}
} // namespace

class tst_PortLoss : public QObject
{
    Q_OBJECT
private slots:
    void lampsFollowThePort();
    void adapterComesBack_data();
    void adapterComesBack();
    void unrecognisablePortIsNotWatched();
};

void tst_PortLoss::lampsFollowThePort()
{
    MainFixture f;
    TfrmMain &w = f.start();
    idle();
    QVERIFY(w.ComLed1->isLit());
    QTRY_VERIFY(!w.ComLed2->isLit() && !w.ComLed3->isLit());
    f.link.SendFrame(Commands::setMode(1));
    QVERIFY(w.ComLed2->isLit());
    QVERIFY(!w.ComLed3->isLit());
    f.port().inject(QByteArrayLiteral("x"));
    QVERIFY(w.ComLed3->isLit());
    // A quiet line lets them go dark again.
    QTRY_VERIFY(!w.ComLed2->isLit() && !w.ComLed3->isLit());
    f.port().close();
    idle();
    QVERIFY(!w.ComLed1->isLit());
}

void tst_PortLoss::adapterComesBack_data()
{
    QTest::addColumn<QString>("returningSerial");
    QTest::addColumn<bool>("reopened");
    QTest::newRow("same adapter, new name") << "A10K3" << true;
    QTest::newRow("another adapter of the same kind") << "B77Q1" << false;
}

void tst_PortLoss::adapterComesBack()
{
    QFETCH(QString, returningSerial);
    QFETCH(bool, reopened);
    MainFixture f;
    QList<PortWatcher::Identity> system{adapter(QStringLiteral("ttyUSB0"), QStringLiteral("A10K3"))};
    f.listPorts = [&system] { return system; };
    f.dialogAnswer = [](Port::Settings &s, int) {
        s.name = QStringLiteral("ttyUSB0");
        s.baudRate = 57600;
        return true;
    };
    TfrmMain &w = f.start();

    system.clear();
    f.port().vanish();
    idle();
    QVERIFY(!w.ComLed1->isLit());
    QVERIFY(!w.AReadConfig->isEnabled());
    QVERIFY(w.SBPanel3->text().contains(QStringLiteral("ttyUSB0")));
    QVERIFY(w.portWatcher.isLooking());
    // Nothing can be sent meanwhile, and asking costs no waiting.
    f.port().written.clear();
    const qint64 before = f.pump.now();
    QVERIFY(f.link.Transact(Commands::setMode(1)).isEmpty());
    QCOMPARE(f.pump.now(), before);
    QVERIFY(f.port().written.isEmpty());

    w.portWatcher.poll();
    QVERIFY(!f.port().isOpen());

    system << adapter(QStringLiteral("ttyUSB1"), returningSerial);
    w.portWatcher.poll();
    QCOMPARE(f.port().isOpen(), reopened);
    QCOMPARE(w.portWatcher.isLooking(), !reopened);
    if (!reopened)
        return;
    QCOMPARE(f.port().settings().name, QStringLiteral("ttyUSB1"));
    QCOMPARE(f.port().settings().baudRate, 57600);
    QVERIFY(w.SBPanel3->text().contains(QStringLiteral("ttyUSB1")));
    idle();
    QVERIFY(w.ComLed1->isLit());
    QVERIFY(w.AReadConfig->isEnabled());
    QCOMPARE(f.link.Transact(Commands::setMode(1)), QByteArray("\x01"));
}

void tst_PortLoss::unrecognisablePortIsNotWatched()
{
    MainFixture f;
    f.listPorts = [] { return QList<PortWatcher::Identity>{}; };
    TfrmMain &w = f.start();
    f.port().vanish();
    QVERIFY(!w.portWatcher.isLooking());
    QVERIFY(!f.port().isOpen());
}

QTEST_MAIN(tst_PortLoss)
#include "tst_PortLoss.moc"
