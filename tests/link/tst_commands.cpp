#include "ScriptedPort.h"
#include "VirtualPump.h"
#include "link/Commands.h"
#include "link/Link.h"

#include <QTest>

// Request bodies of the catalogue and the frames SendFrame puts on the line.
class tst_Commands : public QObject
{
    Q_OBJECT

private slots:
    void frames_data();
    void frames();
    void sendNothingWhileDisconnected();
    void paramTable();
};

void tst_Commands::frames_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("bootloader");
    QTest::addColumn<QByteArray>("wire");

    auto hex = [](const char *h) { return QByteArray::fromHex(h); };
    QTest::newRow("read parameter 1") << Commands::readParam(1) << false << hex("0D0A2A3E0101");
    QTest::newRow("read parameter 8") << Commands::readParam(8) << false << hex("0D0A2A3E0808");
    QTest::newRow("write parameter 8 = 1000") << Commands::writeParam(8 + Commands::WriteOffset, hex("E803")) << false
                                              << hex("0D0A2A3E8702E8036E");
    QTest::newRow("write text abc") << Commands::writeParam(128, "abc") << false << hex("0D0A2A3E8003616263E3");
    QTest::newRow("main mode") << Commands::setMode(1) << false << hex("0D0A2A3E7F01017F");
    QTest::newRow("modem mode") << Commands::setMode(2) << false << hex("0D0A2A3E7F01027C");
    QTest::newRow("log on") << Commands::logOutput(true) << false << hex("0D0A2A3E7A01017A");
    QTest::newRow("start tests") << Commands::startTests(0x37) << false << hex("0D0A2A3E7B01374D");
    QTest::newRow("read fuel point first") << Commands::readFuelPoint(true) << false << hex("0D0A2A3E14010015");
    QTest::newRow("read fuel point next") << Commands::readFuelPoint(false) << false << hex("0D0A2A3E14010114");
    QTest::newRow("read fuel level") << Commands::readFuelLevel() << false << hex("0D0A2A3E210120");
    QTest::newRow("read relays") << Commands::readRelays() << false << hex("0D0A2A3E230023");
    QTest::newRow("relays on") << Commands::setRelays(3) << false << hex("0D0A2A3EA20103A0");
    QTest::newRow("write fuel point") << Commands::writeFuelPoint(0x1234, 0x0456, 2, 0) << false << hex("0D0A2A3E9306341256040200E3");
    QTest::newRow("clear fuel table") << Commands::clearFuelTable() << false << hex("0D0A2A3E930600000000040091");
    QTest::newRow("enter bootloader") << Commands::bootloader() << false << hex("0D0A2A3E7E01017E");
    QTest::newRow("boot enter") << Commands::bootEnter() << true << hex("AA77AA77F3F3");
    QTest::newRow("boot block") << Commands::bootBlock(hex("0102")) << true << hex("AA77AA77F0020102F1");
    QTest::newRow("boot image done") << Commands::bootImageDone() << true << hex("AA77AA77F1F1");
    QTest::newRow("boot leave") << Commands::bootLeave() << true << hex("AA77AA77F2F2");
    QTest::newRow("empty body") << QByteArray() << false << hex("0D0A2A3E00");
}

void tst_Commands::frames()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, bootloader);
    QFETCH(QByteArray, wire);

    VirtualPump pump;
    Link link(pump);
    ScriptedPort port(pump);
    port.open();
    link.setPort(&port);
    link.PortConnected = true;
    link.BootloaderMode = bootloader;
    link.ReplyEvent = true;
    link.SendFrame(body);
    QCOMPARE(port.written, QList<QByteArray>{wire});
    QCOMPARE(pump.pausedMs(), qint64(Link::FramePauseMs)); // every frame waits first
    QVERIFY(!link.ReplyEvent);
}

void tst_Commands::sendNothingWhileDisconnected()
{
    VirtualPump pump;
    Link link(pump);
    ScriptedPort port(pump);
    port.open();
    link.setPort(&port);
    link.SendFrame(Commands::setMode(1));
    QVERIFY(port.written.isEmpty());
    QCOMPARE(pump.now(), 0);
}

void tst_Commands::paramTable()
{
    const auto &table = Commands::paramCodes();
    QCOMPARE(table.size(), 40);
    for (const Commands::ParamCode &p : table) {
        QVERIFY2(p.writeCode == 0 || p.writeCode == p.number + Commands::WriteOffset, p.name);
        QCOMPARE(Commands::paramCode(p.number), &p);
    }
    for (int n : {20, 31, 33, 34, 35, 42})
        QVERIFY(!Commands::paramCode(static_cast<quint8>(n)));
}

QTEST_GUILESS_MAIN(tst_Commands)
#include "tst_commands.moc"
