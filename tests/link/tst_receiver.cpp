#include "ScriptedPort.h"
#include "VirtualPump.h"
#include "link/Link.h"

#include <QTest>

// The receiver fed byte streams: what is stored, dispatched or dropped.
class tst_Receiver : public QObject
{
    Q_OBJECT

private slots:
    void stream_data();
    void stream();
    void ringOverrun();
    void handlersRunInsideLock();
    void bootloaderSwitchMidFrame();
};

void tst_Receiver::stream_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("bootloader");
    QTest::addColumn<int>("stored");      // PendingReplies and RingWriteIndex afterwards
    QTest::addColumn<int>("crcErrors");
    QTest::addColumn<int>("logFrames");
    QTest::addColumn<int>("testFrames");
    QTest::addColumn<QByteArray>("slot0");  // Cmd followed by payload of slot 0

    const QByteArray mode = QByteArray::fromHex("0D0A2A3E7F01017F");
    QTest::newRow("mode reply stored") << mode << false << 1 << 0 << 0 << 0 << QByteArray::fromHex("7F01");
    QTest::newRow("zero length") << QByteArray::fromHex("0D0A2A3E050005") << false << 1 << 0 << 0 << 0 << QByteArray::fromHex("05");
    QTest::newRow("bad checksum dropped") << QByteArray::fromHex("0D0A2A3E050006") << false << 0 << 1 << 0 << 0 << QByteArray();
    QTest::newRow("log frame not stored") << terminalFrame(0, QByteArray::fromHex("0501414243")) << false << 0 << 0 << 1 << 0 << QByteArray();
    QTest::newRow("test frame not stored") << terminalFrame(124, QByteArray::fromHex("01F2")) << false << 0 << 0 << 0 << 1 << QByteArray();
    QTest::newRow("nak stored") << terminalFrame(255, QByteArray::fromHex("00")) << false << 1 << 0 << 0 << 0 << QByteArray::fromHex("FF00");
    QTest::newRow("two frames in one chunk") << mode + terminalFrame(8, QByteArray::fromHex("E803")) << false << 2 << 0 << 0 << 0
                                             << QByteArray::fromHex("7F01");
    QTest::newRow("noise around a frame") << QByteArray("noise: AT OK") + mode + QByteArray("\r\n*") << false << 1 << 0 << 0 << 0
                                          << QByteArray::fromHex("7F01");
    // The second 0D breaks the preamble and is not looked at again as its start.
    QTest::newRow("0D 0D 0A 2A 3E not a preamble") << QByteArray::fromHex("0D") + mode.mid(0, 4) + QByteArray::fromHex("7F01017F") << false << 0
                                                   << 0 << 0 << 0 << QByteArray();
    QTest::newRow("normal frame ignored in bootloader mode") << mode << true << 0 << 0 << 0 << 0 << QByteArray();
    QTest::newRow("bootloader frame") << terminalFrame(0xF3, QByteArray::fromHex("00"), true) << true << 1 << 0 << 0 << 0
                                      << QByteArray::fromHex("F300");
    QTest::newRow("wrong length swallows next frame") << QByteArray::fromHex("0D0A2A3E0805E803") + mode << false << 0 << 1 << 0 << 0
                                                      << QByteArray();
    QTest::newRow("incomplete frame waits") << mode.left(7) << false << 0 << 0 << 0 << 0 << QByteArray();
}

void tst_Receiver::stream()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, bootloader);
    QFETCH(int, stored);
    QFETCH(int, crcErrors);
    QFETCH(int, logFrames);
    QFETCH(int, testFrames);
    QFETCH(QByteArray, slot0);

    VirtualPump pump;
    Link link(pump);
    ScriptedPort port(pump);
    port.open();
    link.setPort(&port);
    link.BootloaderMode = bootloader;
    int logs = 0;
    int tests = 0;
    QByteArray lastLog;
    link.HandleLogFrame = [&] { ++logs; lastLog = link.LastFrameData; };
    link.HandleTestFrame = [&] { ++tests; };

    link.ComRxChar(bytes);

    QCOMPARE(link.PendingReplies, stored);
    QCOMPARE(link.RingWriteIndex, stored);
    QCOMPARE(link.ReplyEvent, stored > 0);
    QCOMPARE(link.CrcErrorCount, crcErrors);
    QCOMPARE(logs, logFrames);
    QCOMPARE(tests, testFrames);
    if (logFrames)
        QCOMPARE(lastLog, QByteArray::fromHex("0501414243"));
    if (!slot0.isEmpty()) {
        QCOMPARE(link.ReplyRing[0].Cmd, quint8(slot0[0]));
        QCOMPARE(link.ReplyRing[0].Data, slot0.mid(1));
        QCOMPARE(link.ReplyRing[0].Len, quint8(slot0.size() - 1));
    }
}

void tst_Receiver::ringOverrun()
{
    VirtualPump pump;
    Link link(pump);
    ScriptedPort port(pump);
    port.open();
    link.setPort(&port);
    for (int i = 1; i <= 11; ++i)
        link.ComRxChar(terminalFrame(static_cast<quint8>(i), QByteArray(1, char(i))));
    QCOMPARE(link.PendingReplies, 11);
    QCOMPARE(link.RingWriteIndex, 1);
    QCOMPARE(link.ReplyRing[0].Cmd, quint8(11)); // the eleventh overwrote the oldest
    QCOMPARE(link.ReplyRing[1].Cmd, quint8(2));
}

void tst_Receiver::handlersRunInsideLock()
{
    VirtualPump pump;
    Link link(pump);
    ScriptedPort port(pump);
    port.open();
    link.setPort(&port);
    bool reentered = false;
    link.HandleLogFrame = [&] {
        // The lock is re-entrant: a handler may take it again.
        reentered = link.LinkLock.tryLock();
        if (reentered)
            link.LinkLock.unlock();
    };
    link.ComRxChar(terminalFrame(0, QByteArray::fromHex("0100")));
    QVERIFY(reentered);
}

void tst_Receiver::bootloaderSwitchMidFrame()
{
    VirtualPump pump;
    Link link(pump);
    ScriptedPort port(pump);
    port.open();
    link.setPort(&port);
    const QByteArray frame = terminalFrame(0xF3, QByteArray::fromHex("00"), true);
    link.ComRxChar(frame.left(2)); // AA 77 do not start a normal preamble
    link.BootloaderMode = true;
    link.ComRxChar(frame.mid(2));
    QCOMPARE(link.PendingReplies, 0);
    link.ComRxChar(frame);
    QCOMPARE(link.PendingReplies, 1);
}

QTEST_GUILESS_MAIN(tst_Receiver)
#include "tst_receiver.moc"
