// The link layer against the simulated terminal in virtual time: every
// command of the catalogue, decoded as the program decodes it, and the
// transaction's counters against the faults the terminal injected.
#include "ConnectLink.h"
#include "ScriptedPort.h"
#include "ScriptedSim.h"
#include "VirtualPump.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "sim/SimTerminal.h"

#include <QtEndian>
#include <QtTest>

using namespace Commands;

namespace {
struct Bench
{
    VirtualPump pump;
    Link link{pump};
    ScriptedPort port{pump};
    SimTerminal sim{42};
    ScriptedSim host{pump, port, sim};
    QList<QByteArray> logRecords;
    QList<QByteArray> testReports;

    Bench()
    {
        connectLink(link, port);
        link.HandleLogFrame = [this] { logRecords << link.LastFrameData; };
        link.HandleTestFrame = [this] { testReports << link.LastFrameData; };
    }
    // Frames the program wrote from now on.
    qsizetype sent() const { return port.written.size(); }
};

quint16 word(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}
} // namespace

class tst_SimLink : public QObject
{
    Q_OBJECT
private slots:
    void readsEveryParameter();
    void writesEveryWritableParameter();
    void workModes();
    void logOutput();
    void selfTest();
    void relays();
    void adcAndInputs();
    void fuelTable();
    void firmwareUpdate();
    void unknownCommandGivesUp();
    void silentCommandGivesUp();
    void staleRepliesAndNoiseTolerated();
    void countersMatchInjectedFaults();
};

void tst_SimLink::readsEveryParameter()
{
    Bench b;
    for (const ParamCode &p : paramCodes())
        QCOMPARE(b.link.Transact(readParam(p.number)), b.sim.readValue(p.number));
    QCOMPARE(b.link.NakCount, 0);
    QCOMPARE(b.sent(), paramCodes().size());
    // A few decoded the way the configuration shows them.
    QCOMPARE(b.link.Transact(readParam(38)), QByteArray("A12123456"));
    QCOMPARE(b.link.Transact(readParam(41)).size(), 15);
    const QByteArray ccid = b.link.Transact(readParam(12));
    QCOMPARE(SimParameters::swapPairs(ccid), QByteArray("89701012417293358106"));
    QCOMPARE(b.link.Transact(readParam(7)), QByteArray::fromHex("558F1411")); // 85.143.20.17
    QVERIFY(quint8(b.link.Transact(readParam(14)).at(0)) & 0x80);           // flags in use
}

void tst_SimLink::writesEveryWritableParameter()
{
    Bench b;
    for (const ParamCode &p : paramCodes()) {
        if (!p.writeCode)
            continue;
        const int length = SimParameters::valueLength(p.kind);
        const QByteArray value = length < 0 ? QByteArray("new ") + p.name : QByteArray(length, char(0x80 | p.number));
        QCOMPARE(b.link.Transact(writeParam(p.writeCode, value)), QByteArray(1, 0));
        QCOMPARE(b.link.Transact(readParam(p.number)), value);
    }
    QCOMPARE(b.link.NakCount, 0);
}

void tst_SimLink::workModes()
{
    Bench b;
    for (quint8 m : {4, 1, 4, 1})
        QCOMPARE(b.link.Transact(setMode(m)), QByteArray(1, char(m)));
    QCOMPARE(b.link.Transact(setMode(2)), QByteArray(1, 2));
    // In the modem mode a parameter read is only text to the modem.
    QCOMPARE(b.link.Transact(readParam(8)), QByteArray());
    QCOMPARE(b.link.Transact(setMode(1)), QByteArray(1, 1));
    QCOMPARE(b.link.Transact(readParam(8)), b.sim.readValue(8));
}

void tst_SimLink::logOutput()
{
    Bench b;
    b.link.Transact(Commands::logOutput(true));
    b.pump.advance(3000);
    QVERIFY(b.logRecords.size() >= 5);
    const int count = b.sim.logOutput().header().count();
    for (const QByteArray &r : std::as_const(b.logRecords))
        QVERIFY(r.size() >= 2 && word(r, 0) < count);
    b.link.Transact(Commands::logOutput(false));
    const qsizetype before = b.logRecords.size();
    b.pump.advance(3000);
    QVERIFY(b.logRecords.size() <= before + 1); // at most one already on its way
    // Replies still find their way between log records.
    QCOMPARE(b.link.PendingReplies, 0);
}

void tst_SimLink::selfTest()
{
    Bench b;
    QCOMPARE(b.link.Transact(setMode(4)), QByteArray(1, 4));
    QCOMPARE(b.link.Transact(startTests(0x17)), QByteArray(1, char(0xF1)));
    b.pump.advance(10000);
    QList<quint8> kinds;
    for (const QByteArray &r : std::as_const(b.testReports))
        kinds << quint8(r.at(0));
    QCOMPARE(kinds, (QList<quint8>{1, 2, 4, 16, 32, 0}));
    QCOMPARE(quint8(b.testReports.last().at(1)), quint8(0xF2));
}

void tst_SimLink::relays()
{
    Bench b;
    QCOMPARE(b.link.Transact(setRelays(3)), QByteArray(1, 3));
    QCOMPARE(b.link.Transact(readRelays()), QByteArray(1, 3));
    QCOMPARE(b.link.Transact(setRelays(0)), QByteArray(1, 0));
    QCOMPARE(b.link.Transact(readRelays()), QByteArray(1, 0));
}

void tst_SimLink::adcAndInputs()
{
    Bench b;
    b.sim.setSupplyMillivolts(12385);
    QCOMPARE(word(b.link.Transact(readParam(36)), 0), quint16(1000)); // (12385 - 385) / 12.0
    float half = 6.0f;
    QByteArray factor(4, 0);
    std::memcpy(factor.data(), &half, 4);
    b.link.Transact(writeParam(164, factor));
    QCOMPARE(word(b.link.Transact(readParam(36)), 0), quint16(2000));
    b.sim.setInputs(0x05);
    QCOMPARE(b.link.Transact(readParam(45)), QByteArray(1, 5));
}

void tst_SimLink::fuelTable()
{
    Bench b;
    // As the sensor page writes a table: the last row first, row 0 last.
    const QList<SimFuelTable::Point> rows{{0, 400}, {2500, 1200}, {5000, 2000}};
    for (int i = int(rows.size()) - 1; i >= 0; --i) {
        const quint8 flag = i == 0 ? 2 : (i == rows.size() - 1 ? 0 : 1);
        QCOMPARE(b.link.Transact(writeFuelPoint(rows[i].litres100, rows[i].adc, flag, quint8(i))), QByteArray(1, 0));
    }
    QList<SimFuelTable::Point> read;
    for (int j = 0; j < 10; ++j) {
        const QByteArray r = b.link.Transact(readFuelPoint(j == 0));
        QCOMPARE(r.size(), 6);
        if (r.at(4) == 3)
            break;
        QCOMPARE(int(r.at(5)), j);
        read.append({word(r, 0), word(r, 2)});
        if (r.at(4) == 2)
            break;
    }
    QCOMPARE(read, rows);
    b.sim.setFuelAdc(1600);
    const QByteArray level = b.link.Transact(readFuelLevel());
    QCOMPARE(word(level, 0), quint16(3750));
    QCOMPARE(word(level, 2), quint16(1600));
    b.link.Transact(clearFuelTable());
    QCOMPARE(quint8(b.link.Transact(readFuelPoint(true)).at(4)), quint8(3));
}

void tst_SimLink::firmwareUpdate()
{
    Bench b;
    b.link.Transact(bootloader());
    b.pump.pause(500);
    b.link.BootloaderMode = true;
    QCOMPARE(b.link.Transact(bootEnter()), QByteArray(1, 0));
    const QList<QByteArray> image{QByteArray::fromHex("214601360121470136007EFE09D21901"), QByteArray::fromHex("0800"),
                                  QByteArray(255, char(0xA5)), QByteArray()};
    for (const QByteArray &block : image)
        QCOMPARE(b.link.Transact(bootBlock(block)), QByteArray(1, 0));
    b.link.Transact(bootImageDone());
    b.link.SendFrame(bootLeave());
    b.link.BootloaderMode = false;
    QCOMPARE(b.sim.bootloader().blocks(), image);
    QVERIFY(b.sim.bootloader().imageDone());
    b.pump.advance(1000);
    QCOMPARE(b.logRecords.size(), 1); // the restart marker
    QCOMPARE(word(b.logRecords.first(), 0), 0);
    QCOMPARE(b.link.Transact(readParam(125)), b.sim.readValue(125));
}

void tst_SimLink::unknownCommandGivesUp()
{
    Bench b;
    QCOMPARE(b.link.Transact(readParam(31)), QByteArray());
    QCOMPARE(b.sent(), Link::MaxFrames);
    QCOMPARE(b.link.NakCount, Link::MaxFrames);
}

void tst_SimLink::silentCommandGivesUp()
{
    Bench b;
    b.sim.faults().silentCodes = {cmdStartTests};
    QCOMPARE(b.link.Transact(startTests(1)), QByteArray());
    QCOMPARE(b.sent(), Link::MaxFrames);
    QCOMPARE(b.link.NakCount, 0);
    QCOMPARE(b.sim.stats().silenced, Link::MaxFrames);
    QVERIFY(b.testReports.isEmpty());
}

void tst_SimLink::staleRepliesAndNoiseTolerated()
{
    Bench b;
    b.sim.faults().staleRate = 0.3;
    b.sim.faults().noiseRate = 0.3;
    b.sim.faults().latencyMs = 40;
    for (int i = 0; i < 200; ++i) {
        const ParamCode &p = paramCodes().at(i % paramCodes().size());
        QCOMPARE(b.link.Transact(readParam(p.number)), b.sim.readValue(p.number));
    }
    QVERIFY(b.sim.stats().stale > 30);
    QVERIFY(b.sim.stats().noiseBursts > 30);
    QCOMPARE(b.link.CrcErrorCount, 0);
}

void tst_SimLink::countersMatchInjectedFaults()
{
    Bench b;
    b.sim.faults().nakRate = 0.2;
    b.sim.faults().crcErrorRate = 0.1;
    int answered = 0;
    for (int i = 0; i < 1000; ++i) {
        const ParamCode &p = paramCodes().at(i % paramCodes().size());
        const bool write = p.writeCode && i % 3 == 0;
        const int length = SimParameters::valueLength(p.kind);
        const QByteArray value = length < 0 ? QByteArray::number(i) : QByteArray(length, char(i));
        const qsizetype before = b.sent();
        const QByteArray reply = b.link.Transact(write ? writeParam(p.writeCode, value) : readParam(p.number));
        if (reply.isEmpty()) {
            QCOMPARE(b.sent() - before, Link::MaxFrames);
            continue;
        }
        ++answered;
        QVERIFY(b.sent() - before <= Link::MaxFrames);
        if (write) {
            QCOMPARE(reply, QByteArray(1, 0));
            QCOMPARE(b.sim.parameters().value(p.number), value);
        } else {
            QCOMPARE(reply, b.sim.readValue(p.number));
        }
    }
    // With 30 % of replies lost, eleven frames in a row fail about once in 2e6.
    QCOMPARE(answered, 1000);
    QVERIFY(b.sim.stats().naks > 150);
    QVERIFY(b.sim.stats().brokenChecksums > 70);
    QCOMPARE(b.link.NakCount, b.sim.stats().naks);
    QCOMPARE(b.link.CrcErrorCount, b.sim.stats().brokenChecksums);
}

QTEST_GUILESS_MAIN(tst_SimLink)
#include "tst_simlink.moc"
