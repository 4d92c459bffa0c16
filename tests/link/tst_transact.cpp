#include "ConnectLink.h"
#include "ScriptedPort.h"
#include "VirtualPump.h"
#include "link/Commands.h"
#include "link/Link.h"

#include <QTest>

namespace {

struct Fixture
{
    VirtualPump pump;
    Link link{pump};
    ScriptedPort port{pump};
    QStringList statusTexts;

    Fixture()
    {
        connectLink(link, port);
        link.ShowTransferErrors = [this](const QString &t) { statusTexts << t; };
    }
    // The device answers the k-th write with answers[k] (the last one repeats).
    void answer(const QList<QByteArray> &answers, int delayMs = 5)
    {
        port.device = [this, answers, delayMs](const QByteArray &) {
            const qsizetype k = std::min<qsizetype>(port.written.size() - 1, answers.size() - 1);
            if (!answers[k].isEmpty())
                port.reply(answers[k], delayMs);
        };
    }
};

const QByteArray Read8 = Commands::readParam(8);

} // namespace

// The request/reply transaction: retries, negative replies, stale replies,
// nesting, and what a closed or lost link does.
class tst_Transact : public QObject
{
    Q_OBJECT

private slots:
    void exchange_data();
    void exchange();
    void staleReplySkipped();
    void nakInBootloaderCountsThere();
    void notConnected();
    void portLostEndsAtOnce();
    void nestedTransaction();
    void lateReplySkippedByNextTransaction();
};

void tst_Transact::exchange_data()
{
    QTest::addColumn<QList<QByteArray>>("answers");
    QTest::addColumn<int>("delayMs");
    QTest::addColumn<int>("frames");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("naks");
    QTest::addColumn<qint64>("maxTimeMs");
    QTest::addColumn<bool>("catchesUp");

    const QByteArray value = QByteArray::fromHex("E803");
    const QByteArray good = terminalFrame(8, value);
    const QByteArray nak = terminalFrame(255, {});
    const QByteArray other = terminalFrame(9, QByteArray("x"));
    const qint64 attempt = 50 + 31 * 30;

    QTest::newRow("answered at once") << QList<QByteArray>{good} << 5 << 1 << value << 0 << qint64(50 + 30) << true;
    QTest::newRow("answered late in the wait") << QList<QByteArray>{good} << 900 << 1 << value << 0 << qint64(50 + 930) << true;
    QTest::newRow("silence: eleven frames") << QList<QByteArray>{QByteArray()} << 5 << 11 << QByteArray() << 0 << 11 * attempt << true;
    QTest::newRow("naks only") << QList<QByteArray>{nak} << 5 << 11 << QByteArray() << 11 << 11 * attempt << true;
    QTest::newRow("nak then answer") << QList<QByteArray>{nak, nak, good} << 5 << 3 << value << 2 << 3 * attempt << true;
    QTest::newRow("wrong code only") << QList<QByteArray>{other} << 5 << 11 << QByteArray() << 0 << 11 * attempt << false;
    QTest::newRow("bad checksum then answer") << QList<QByteArray>{QByteArray::fromHex("0D0A2A3E0802E803E2"), good} << 5 << 2 << value
                                              << 0 << 2 * attempt << true;
    QTest::newRow("empty payload counts as success") << QList<QByteArray>{terminalFrame(8, {})} << 5 << 1 << QByteArray() << 0
                                                     << qint64(50 + 30) << true;
}

void tst_Transact::exchange()
{
    QFETCH(QList<QByteArray>, answers);
    QFETCH(int, delayMs);
    QFETCH(int, frames);
    QFETCH(QByteArray, reply);
    QFETCH(int, naks);
    QFETCH(qint64, maxTimeMs);
    QFETCH(bool, catchesUp);

    Fixture f;
    f.answer(answers, delayMs);
    const TBuf got = f.link.Transact(Read8);

    QCOMPARE(got, reply);
    QCOMPARE(f.port.written.size(), frames);
    for (const QByteArray &w : f.port.written)
        QCOMPARE(w, programFrame(Read8));
    QCOMPARE(f.link.NakCount, naks);
    QCOMPARE(f.statusTexts.size(), naks);
    if (naks)
        QCOMPARE(f.statusTexts.last(), QStringLiteral("Ошибок передачи:%1 CRC:%2").arg(naks).arg(f.link.CrcErrorCount));
    QVERIFY2(f.pump.now() <= maxTimeMs, qPrintable(QString::number(f.pump.now())));
    // Every stored reply was examined and consumed, except where the skip
    // bound made the reader step past slots that held no reply.
    QCOMPARE(f.link.RingReadIndex == f.link.RingWriteIndex, catchesUp);
}

void tst_Transact::staleReplySkipped()
{
    Fixture f;
    // A reply with another code lies unread in front of the right one.
    f.port.inject(terminalFrame(9, QByteArray("stale")));
    f.answer({terminalFrame(8, QByteArray::fromHex("E803"))});
    QCOMPARE(f.link.PendingReplies, 1);
    QCOMPARE(f.link.Transact(Read8), QByteArray::fromHex("E803"));
    QCOMPARE(f.port.written.size(), 1);
    QCOMPARE(f.link.RingReadIndex, 2);
    QCOMPARE(f.link.PendingReplies, 1); // two stored, one taken off per call
}

void tst_Transact::nakInBootloaderCountsThere()
{
    Fixture f;
    f.link.BootloaderMode = true;
    int bootErrors = 0;
    f.link.CountBootError = [&] { ++bootErrors; };
    f.answer({terminalFrame(255, {}, true), terminalFrame(0xF3, QByteArray(1, 0), true)});
    QCOMPARE(f.link.Transact(Commands::bootEnter()), QByteArray(1, 0));
    QCOMPARE(bootErrors, 1);
    QCOMPARE(f.link.NakCount, 1);
    QVERIFY(f.statusTexts.isEmpty());
    QCOMPARE(f.port.written.first(), QByteArray::fromHex("AA77AA77F3F3"));
}

void tst_Transact::notConnected()
{
    Fixture f;
    f.link.PortConnected = false;
    f.link.PendingReplies = 3;
    QCOMPARE(f.link.Transact(Read8), QByteArray());
    QVERIFY(f.port.written.isEmpty());
    QCOMPARE(f.link.PendingReplies, 3);
    QCOMPARE(f.pump.now(), 0);
}

void tst_Transact::portLostEndsAtOnce()
{
    Fixture f;
    f.port.device = [&](const QByteArray &) { f.pump.schedule(100, [&] { f.port.vanish(); }); };
    QCOMPARE(f.link.Transact(Read8), QByteArray());
    QCOMPARE(f.port.written.size(), 1);
    QVERIFY(f.pump.now() < 50 + 31 * 30 + 1);
}

void tst_Transact::nestedTransaction()
{
    Fixture f;
    // The terminal answers every request 40 ms later with its own code.
    f.port.device = [&](const QByteArray &frame) {
        const quint8 code = quint8(frame[4]);
        f.port.reply(terminalFrame(code, QByteArray(1, char(code))), 40);
    };
    TBuf inner;
    // Something (a timer, a button) runs a transaction while the outer one waits.
    f.pump.schedule(60, [&] { inner = f.link.Transact(Commands::readParam(125)); });
    const TBuf outer = f.link.Transact(Read8);
    QCOMPARE(inner, QByteArray(1, char(125)));
    QCOMPARE(outer, QByteArray(1, char(8)));
    QCOMPARE(f.port.written.value(0), programFrame(Read8));
    QCOMPARE(f.port.written.value(1), programFrame(Commands::readParam(125)));
}

void tst_Transact::lateReplySkippedByNextTransaction()
{
    Fixture f;
    // The first request is never answered; its reply comes after it gave up.
    f.answer({QByteArray()});
    QCOMPARE(f.link.Transact(Read8), QByteArray());
    f.port.inject(terminalFrame(8, QByteArray::fromHex("0100")));
    f.answer({terminalFrame(125, QByteArray("1.0"))});
    QCOMPARE(f.link.Transact(Commands::readParam(125)), QByteArray("1.0"));
}

QTEST_GUILESS_MAIN(tst_Transact)
#include "tst_transact.moc"
