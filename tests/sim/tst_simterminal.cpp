// The terminal model's answers to the program's frames, byte for byte.
#include "ScriptedPort.h"
#include "link/Commands.h"
#include "sim/SimTerminal.h"

#include <QtTest>

using namespace Commands;

namespace {
QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}
QByteArray ask(SimTerminal &sim, const QByteArray &body, bool boot = false)
{
    return sim.feed(programFrame(body, boot));
}
} // namespace

class tst_SimTerminal : public QObject
{
    Q_OBJECT
private slots:
    void knownAnswers_data();
    void knownAnswers();
    void everyParameterAnswers();
    void writesChangeTheModel_data();
    void writesChangeTheModel();
    void refusedRequests_data();
    void refusedRequests();
    void framesSplitAndJoined();
    void brokenRequestIgnored();
    void halfFrameForgottenAfterPause();
    void relays();
    void fuelTableWriteAndRead();
    void fuelTableClearAndRefusals();
    void bootloaderSession();
    void bootloaderIgnoresNormalFraming();
    void faults_data();
    void faults();
    void silentCodes();
    void staleReplyNeverNegative();
    void seedRepeats();
};

void tst_SimTerminal::knownAnswers_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("reply");
    // Parameter 8 is set to 1000 first.
    QTest::newRow("read port 1000") << hex("0D0A2A3E0808") << hex("0D0A2A3E0802E803E1");
    QTest::newRow("write port") << hex("0D0A2A3E8702E8036E") << hex("0D0A2A3E87010086");
    QTest::newRow("modem mode") << hex("0D0A2A3E7F01027C") << hex("0D0A2A3E7F01027C");
    QTest::newRow("log on") << hex("0D0A2A3E7A01017A") << hex("0D0A2A3E7A01017A");
    QTest::newRow("relays read") << hex("0D0A2A3E230023") << hex("0D0A2A3E23010022");
    QTest::newRow("unknown code 31") << hex("0D0A2A3E1F1F") << hex("0D0A2A3EFF011FE1");
    QTest::newRow("bootloader request") << hex("0D0A2A3E7E01017E") << hex("0D0A2A3E7E01007F");
}

void tst_SimTerminal::knownAnswers()
{
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, reply);
    SimTerminal sim;
    sim.parameters().setValue(8, hex("E803"));
    QCOMPARE(sim.feed(request).toHex(' '), reply.toHex(' '));
}

void tst_SimTerminal::everyParameterAnswers()
{
    SimTerminal sim;
    for (const ParamCode &p : paramCodes()) {
        const QByteArray value = sim.readValue(p.number);
        QVERIFY2(!value.isEmpty(), p.name);
        const int length = SimParameters::valueLength(p.kind);
        if (length > 0)
            QVERIFY2(value.size() == length, p.name);
        QCOMPARE(ask(sim, readParam(p.number)), terminalFrame(p.number, value));
    }
}

void tst_SimTerminal::writesChangeTheModel_data()
{
    QTest::addColumn<quint8>("number");
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("text") << quint8(2) << QByteArray("+70001112233");
    QTest::newRow("empty text") << quint8(11) << QByteArray();
    QTest::newRow("address") << quint8(7) << hex("C0A8010A");
    QTest::newRow("timer") << quint8(13) << hex("40E20100");
    QTest::newRow("float") << quint8(37) << hex("0000803F");
    QTest::newRow("flags") << quint8(44) << hex("8B");
    QTest::newRow("serial") << quint8(38) << QByteArray("B99000001");
}

void tst_SimTerminal::writesChangeTheModel()
{
    QFETCH(quint8, number);
    QFETCH(QByteArray, value);
    SimTerminal sim;
    const quint8 code = paramCode(number)->writeCode;
    QCOMPARE(ask(sim, writeParam(code, value)), terminalFrame(code, hex("00")));
    QCOMPARE(sim.parameters().value(number), value);
    QCOMPARE(ask(sim, readParam(number)), terminalFrame(number, value));
}

void tst_SimTerminal::refusedRequests_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("read-only CCID") << writeParam(12 + WriteOffset, "123");
    QTest::newRow("read-only IMEI") << writeParam(41 + WriteOffset, "123");
    QTest::newRow("word of 3 bytes") << writeParam(135, hex("010203"));
    QTest::newRow("float of 2 bytes") << writeParam(164, hex("0102"));
    QTest::newRow("not a parameter") << writeParam(31 + WriteOffset, hex("01"));
    QTest::newRow("mode 0") << setMode(0);
    QTest::newRow("mode 5") << setMode(5);
    QTest::newRow("boot enter outside the bootloader") << bootEnter();
}

void tst_SimTerminal::refusedRequests()
{
    QFETCH(QByteArray, body);
    SimTerminal sim;
    const SimParameters before = sim.parameters();
    const QByteArray reply = ask(sim, body);
    QCOMPARE(reply, terminalFrame(cmdNak, body.left(1)));
    for (const ParamCode &p : paramCodes())
        QCOMPARE(sim.parameters().value(p.number), before.value(p.number));
    QCOMPARE(sim.workMode(), quint8(1));
}

void tst_SimTerminal::framesSplitAndJoined()
{
    SimTerminal sim;
    const QByteArray two = programFrame(readParam(8)) + programFrame(readRelays());
    QByteArray out;
    for (char c : two)
        out += sim.feed(QByteArray(1, c));
    const QByteArray expected = terminalFrame(8, sim.readValue(8)) + terminalFrame(cmdReadRelays, hex("00"));
    QCOMPARE(out, expected);
    // Noise and a broken preamble in front of a frame are passed over.
    QCOMPARE(sim.feed(hex("0D0D0A2A") + QByteArray("xyz") + programFrame(readParam(8))), terminalFrame(8, sim.readValue(8)));
}

void tst_SimTerminal::brokenRequestIgnored()
{
    SimTerminal sim;
    QCOMPARE(sim.feed(hex("0D0A2A3E0809")), QByteArray());
    QCOMPARE(sim.stats().badFrames, 1);
    QCOMPARE(sim.feed(hex("0D0A2A3E8702E80300")), QByteArray());
    QCOMPARE(sim.parameters().value(8), hex("6C4F"));
}

void tst_SimTerminal::halfFrameForgottenAfterPause()
{
    SimTerminal sim;
    QCOMPARE(sim.feed(hex("0D0A2A3E8702E8")), QByteArray());
    sim.tick(1000);
    // Without the pause the new frame's bytes would complete the old one.
    QCOMPARE(ask(sim, readParam(8)), terminalFrame(8, hex("6C4F")));
}

void tst_SimTerminal::relays()
{
    SimTerminal sim;
    QCOMPARE(ask(sim, setRelays(3)), terminalFrame(cmdSetRelays, hex("03")));
    QCOMPARE(sim.relays(), quint8(3));
    QCOMPARE(ask(sim, readRelays()), terminalFrame(cmdReadRelays, hex("03")));
    QCOMPARE(ask(sim, setRelays(0)), terminalFrame(cmdSetRelays, hex("00")));
    QCOMPARE(sim.relays(), quint8(0));
}

void tst_SimTerminal::fuelTableWriteAndRead()
{
    SimTerminal sim;
    // Three rows, sent from the last down to row 0 as the program does.
    QCOMPARE(ask(sim, writeFuelPoint(6000, 3000, 0, 2)), terminalFrame(cmdWriteFuelPoint, hex("00")));
    QCOMPARE(ask(sim, writeFuelPoint(2000, 1500, 1, 1)), terminalFrame(cmdWriteFuelPoint, hex("00")));
    QVERIFY(sim.fuelTable().points().isEmpty()); // not committed before row 0
    QCOMPARE(ask(sim, writeFuelPoint(0, 500, 2, 0)), terminalFrame(cmdWriteFuelPoint, hex("00")));
    const QList<SimFuelTable::Point> expected{{0, 500}, {2000, 1500}, {6000, 3000}};
    QCOMPARE(sim.fuelTable().points(), expected);

    QCOMPARE(ask(sim, readFuelPoint(true)), terminalFrame(cmdReadFuelPoint, hex("0000F4010100")));
    QCOMPARE(ask(sim, readFuelPoint(false)), terminalFrame(cmdReadFuelPoint, hex("D007DC050101")));
    QCOMPARE(ask(sim, readFuelPoint(false)), terminalFrame(cmdReadFuelPoint, hex("7017B80B0202")));
    QCOMPARE(ask(sim, readFuelPoint(true)), terminalFrame(cmdReadFuelPoint, hex("0000F4010100")));

    // Halfway between 1500 and 3000 lies halfway between 20 l and 60 l.
    sim.setFuelAdc(2250);
    QCOMPARE(ask(sim, readFuelLevel()), terminalFrame(cmdReadFuelLevel, hex("A00FCA08")));
}

void tst_SimTerminal::fuelTableClearAndRefusals()
{
    SimTerminal sim;
    sim.fuelTable().setPoints({{100, 200}, {300, 400}});
    QCOMPARE(ask(sim, writeFuelPoint(1, 1, 1, 1)), terminalFrame(cmdWriteFuelPoint, hex("01"))); // no table begun
    QCOMPARE(ask(sim, writeFuelPoint(1, 1, 0, 10)), terminalFrame(cmdWriteFuelPoint, hex("01"))); // index past 9
    QCOMPARE(ask(sim, clearFuelTable()), terminalFrame(cmdWriteFuelPoint, hex("00")));
    QVERIFY(sim.fuelTable().points().isEmpty());
    QCOMPARE(ask(sim, readFuelPoint(true)), terminalFrame(cmdReadFuelPoint, hex("000000000300")));
    QCOMPARE(ask(sim, readFuelLevel()), terminalFrame(cmdReadFuelLevel, hex("00003A07")));
}

void tst_SimTerminal::bootloaderSession()
{
    SimTerminal sim;
    QCOMPARE(ask(sim, bootloader()), terminalFrame(cmdBootloader, hex("00")));
    QVERIFY(sim.bootloader().active());
    QCOMPARE(sim.feed(hex("AA77AA77F3F3")), hex("AA77AA77F30100F2"));
    const QByteArray block1 = hex("214601360121470136007EFE09D21901");
    const QByteArray block2 = hex("0800");
    QCOMPARE(ask(sim, bootBlock(block1), true), terminalFrame(cmdBootBlock, hex("00"), true));
    QCOMPARE(ask(sim, bootBlock(block2), true), terminalFrame(cmdBootBlock, hex("00"), true));
    QCOMPARE(ask(sim, bootBlock({}), true), terminalFrame(cmdBootBlock, hex("00"), true));
    QCOMPARE(ask(sim, bootImageDone(), true), terminalFrame(cmdBootImageDone, hex("00"), true));
    QCOMPARE(sim.bootloader().blocks(), (QList<QByteArray>{block1, block2, QByteArray()}));
    QCOMPARE(sim.bootloader().image(), block1 + block2);
    QCOMPARE(ask(sim, bootBlock(block2), true), terminalFrame(cmdBootBlock, hex("01"), true)); // image closed
    QCOMPARE(ask(sim, bootLeave(), true), QByteArray());
    QVERIFY(!sim.bootloader().active());
    QCOMPARE(sim.restarts(), 1);
    QCOMPARE(ask(sim, readParam(8)), terminalFrame(8, sim.readValue(8)));
}

void tst_SimTerminal::bootloaderIgnoresNormalFraming()
{
    SimTerminal sim;
    ask(sim, bootloader());
    QCOMPARE(ask(sim, readParam(8)), QByteArray());
    QCOMPARE(ask(sim, bootBlock(hex("01")), true), terminalFrame(cmdBootBlock, hex("01"), true)); // before F3
    QCOMPARE(ask(sim, readParam(8), true), terminalFrame(cmdNak, hex("08"), true));
}

void tst_SimTerminal::faults_data()
{
    QTest::addColumn<double>("nak");
    QTest::addColumn<double>("crc");
    QTest::addColumn<double>("drop");
    QTest::addColumn<QByteArray>("reply");
    const QByteArray good = hex("0D0A2A3E0802E803E1");
    QTest::newRow("nak") << 1.0 << 0.0 << 0.0 << hex("0D0A2A3EFF0108F6");
    QTest::newRow("broken checksum") << 0.0 << 1.0 << 0.0 << hex("0D0A2A3E0802E803BB");
    QTest::newRow("dropped") << 0.0 << 0.0 << 1.0 << QByteArray();
    QTest::newRow("none") << 0.0 << 0.0 << 0.0 << good;
}

void tst_SimTerminal::faults()
{
    QFETCH(double, nak);
    QFETCH(double, crc);
    QFETCH(double, drop);
    QFETCH(QByteArray, reply);
    SimTerminal sim;
    sim.parameters().setValue(8, hex("E803"));
    sim.faults().nakRate = nak;
    sim.faults().crcErrorRate = crc;
    sim.faults().dropRate = drop;
    QCOMPARE(ask(sim, readParam(8)).toHex(' '), reply.toHex(' '));
    const SimStats &s = sim.stats();
    QCOMPARE(s.naks + s.brokenChecksums + s.dropped + s.replies, 1);
}

void tst_SimTerminal::silentCodes()
{
    SimTerminal sim;
    sim.faults().silentCodes = {8};
    QCOMPARE(ask(sim, readParam(8)), QByteArray());
    QCOMPARE(sim.stats().silenced, 1);
    QVERIFY(!ask(sim, readParam(9)).isEmpty());
}

void tst_SimTerminal::staleReplyNeverNegative()
{
    SimTerminal sim;
    sim.faults().staleRate = 1;
    QCOMPARE(ask(sim, readParam(31)).right(8), terminalFrame(cmdNak, hex("1F"))); // unknown number
    const QByteArray out = ask(sim, readParam(8));
    QVERIFY(!out.contains(terminalFrame(cmdNak, hex("1F"))));
    QVERIFY(out.endsWith(terminalFrame(8, sim.readValue(8))));
    QCOMPARE(sim.stats().stale, 2);
}

void tst_SimTerminal::seedRepeats()
{
    auto run = [](quint32 seed) {
        SimTerminal sim(seed);
        sim.faults().nakRate = 0.2;
        sim.faults().crcErrorRate = 0.1;
        sim.faults().staleRate = 0.1;
        sim.faults().noiseRate = 0.1;
        QByteArray all;
        for (int i = 0; i < 200; ++i)
            all += sim.feed(programFrame(readParam(8)));
        return all;
    };
    QCOMPARE(run(7), run(7));
    QVERIFY(run(7) != run(8));
}

QTEST_GUILESS_MAIN(tst_SimTerminal)
#include "tst_simterminal.moc"
