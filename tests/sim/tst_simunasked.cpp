// What the terminal sends without being asked: log records, the restart
// marker and self-test reports, each at its time.
#include "ScriptedPort.h"
#include "link/Commands.h"
#include "sim/SimMessageHeader.h"
#include "sim/SimTerminal.h"

#include <QtEndian>
#include <QtTest>

using namespace Commands;

namespace {
struct Frame
{
    quint8 code;
    QByteArray payload;
};

// Splits the terminal's output into frames, failing on anything else.
QList<Frame> frames(const QByteArray &bytes, bool *clean)
{
    QList<Frame> out;
    *clean = true;
    qsizetype i = 0;
    while (i < bytes.size()) {
        if (bytes.mid(i, 4) != QByteArrayLiteral("\x0D\x0A\x2A\x3E") || i + 6 > bytes.size()) {
            *clean = false;
            return out;
        }
        const auto code = quint8(bytes.at(i + 4));
        const auto len = quint8(bytes.at(i + 5));
        const QByteArray payload = bytes.mid(i + 6, len);
        if (terminalFrame(code, payload) != bytes.mid(i, 7 + len)) {
            *clean = false;
            return out;
        }
        out.append({code, payload});
        i += 7 + len;
    }
    return out;
}

quint16 messageNumber(const QByteArray &payload)
{
    return qFromLittleEndian<quint16>(payload.constData());
}

QByteArray sampleHeader()
{
    QFile f(QStringLiteral(SIM_DATA_DIR "/messages.h"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class tst_SimUnasked : public QObject
{
    Q_OBJECT
private slots:
    void headerNumbering_data();
    void headerNumbering();
    void bundledHeaderMatchesSample();
    void logOnlyWhileOn();
    void logRate_data();
    void logRate();
    void logSilentInPassThrough();
    void restartLogsClear();
    void selfTestReports_data();
    void selfTestReports();
    void selfTestFailures();
};

void tst_SimUnasked::headerNumbering_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("number");
    const QByteArray h = "#define X 1\n"
                         "enum {\n"
                         "  A, // first\n"
                         "  B,  // two blanks: not a message\n"
                         "  // comment only\n"
                         "  C = 7, // value ignored\n"
                         "  D,\t//\n"
                         "};\n";
    QTest::newRow("first") << h << QByteArray("A") << 0;
    QTest::newRow("two blanks skipped") << h << QByteArray("B") << -1;
    QTest::newRow("written value ignored") << h << QByteArray("C") << 1;
    QTest::newRow("empty comment") << h << QByteArray("D") << 2;
    QTest::newRow("no such name") << h << QByteArray("X") << -1;
}

void tst_SimUnasked::headerNumbering()
{
    QFETCH(QByteArray, header);
    QFETCH(QByteArray, name);
    QFETCH(int, number);
    QCOMPARE(SimMessageHeader(header).number(name), number);
}

void tst_SimUnasked::bundledHeaderMatchesSample()
{
    const QByteArray sample = sampleHeader();
    QVERIFY(!sample.isEmpty());
    const SimMessageHeader bundled;
    const SimMessageHeader fromFile(sample);
    QCOMPARE(bundled.count(), fromFile.count());
    QCOMPARE(bundled.number("MSG_CLEAR"), 0);
    QVERIFY(bundled.count() > 30);
    // The restart marker's line reads exactly CLEAR, which the log acts upon.
    QVERIFY(sample.contains("MSG_CLEAR, // CLEAR\n"));
}

void tst_SimUnasked::logOnlyWhileOn()
{
    SimTerminal sim;
    QCOMPARE(sim.tick(5000), QByteArray());
    sim.feed(programFrame(logOutput(true)));
    bool clean = false;
    const QList<Frame> got = frames(sim.tick(5000), &clean);
    QVERIFY(clean);
    QCOMPARE(got.size(), 10);
    const int count = sim.logOutput().header().count();
    for (const Frame &f : got) {
        QCOMPARE(f.code, quint8(cmdLog));
        QVERIFY(f.payload.size() >= 2);
        QVERIFY(messageNumber(f.payload) < count);
        QVERIFY(messageNumber(f.payload) != 0); // CLEAR only at a restart
    }
    sim.feed(programFrame(logOutput(false)));
    QCOMPARE(sim.tick(5000), QByteArray());
}

void tst_SimUnasked::logRate_data()
{
    QTest::addColumn<double>("rate");
    QTest::addColumn<int>("records");
    QTest::newRow("default 2/s") << 2.0 << 20;
    QTest::newRow("fast") << 50.0 << 500;
    QTest::newRow("slow") << 0.5 << 5;
    QTest::newRow("stopped") << 0.0 << 0;
}

void tst_SimUnasked::logRate()
{
    QFETCH(double, rate);
    QFETCH(int, records);
    SimTerminal sim;
    sim.logOutput().setRate(rate);
    sim.feed(programFrame(logOutput(true)));
    QByteArray out;
    for (int i = 0; i < 1000; ++i) // ten seconds in uneven steps
        out += sim.tick(i % 2 ? 3 : 17);
    bool clean = false;
    QCOMPARE(frames(out, &clean).size(), records);
    QVERIFY(clean);
}

void tst_SimUnasked::logSilentInPassThrough()
{
    SimTerminal sim;
    sim.feed(programFrame(logOutput(true)));
    sim.feed(programFrame(setMode(2)));
    QCOMPARE(sim.tick(3000), QByteArray());
    sim.feed(programFrame(setMode(4)));
    QVERIFY(!sim.tick(3000).isEmpty());
}

void tst_SimUnasked::restartLogsClear()
{
    SimTerminal sim;
    sim.feed(programFrame(bootloader()));
    sim.feed(programFrame(bootLeave(), true));
    bool clean = false;
    // The marker goes out with log output off, in the normal framing.
    const QList<Frame> got = frames(sim.tick(1000), &clean);
    QVERIFY(clean);
    QCOMPARE(got.size(), 1);
    QCOMPARE(got.first().payload, QByteArray(2, 0));

    // With log output on, the boot records follow it, even at a high rate.
    sim.logOutput().setRate(100);
    sim.feed(programFrame(logOutput(true)));
    sim.tick(1234);
    sim.restart();
    const QList<Frame> boot = frames(sim.tick(1000), &clean);
    QVERIFY(clean);
    QVERIFY(boot.size() >= 2);
    QCOMPARE(messageNumber(boot.at(0).payload), 0);
    QCOMPARE(messageNumber(boot.at(1).payload), quint16(sim.logOutput().header().number("MSG_START")));
    QCOMPARE(sim.restarts(), 2);
}

void tst_SimUnasked::selfTestReports_data()
{
    QTest::addColumn<quint8>("mask");
    QTest::addColumn<QList<quint8>>("kinds");
    QTest::newRow("all the terminal's own") << quint8(0x17) << QList<quint8>{1, 2, 4, 16, 32, 0};
    QTest::newRow("GPS only") << quint8(0x01) << QList<quint8>{1, 0};
    QTest::newRow("SRAM alone") << quint8(0x20) << QList<quint8>{32, 0};
    QTest::newRow("none") << quint8(0x00) << QList<quint8>{0};
    QTest::newRow("operator bits ignored") << quint8(0xC8) << QList<quint8>{0};
}

void tst_SimUnasked::selfTestReports()
{
    QFETCH(quint8, mask);
    QFETCH(QList<quint8>, kinds);
    SimTerminal sim;
    sim.setEpoch(QDateTime(QDate(2026, 3, 12), QTime(8, 30, 0), Qt::UTC));
    QCOMPARE(sim.feed(programFrame(startTests(mask))), terminalFrame(cmdStartTests, QByteArray(1, char(0xF1))));
    bool clean = false;
    const QList<Frame> got = frames(sim.tick(10000), &clean);
    QVERIFY(clean);
    QList<quint8> gotKinds;
    for (const Frame &f : got) {
        QCOMPARE(f.code, quint8(cmdTestReport));
        gotKinds << quint8(f.payload.at(0));
    }
    QCOMPARE(gotKinds, kinds);
    QCOMPARE(quint8(got.last().payload.at(1)), quint8(0xF2));
    for (const Frame &f : got) {
        switch (f.payload.at(0)) {
        case 1: {
            QCOMPARE(f.payload.size(), 31);
            QCOMPARE(qFromLittleEndian<quint16>(f.payload.constData() + 2), quint16(2026));
            QCOMPARE(f.payload.mid(4, 6), QByteArray::fromHex("030c081e0141")); // 12.03 08:30:01 'A'
            float lat = 0;
            std::memcpy(&lat, f.payload.constData() + 10, 4);
            QCOMPARE(lat, 55.7522f);
            QCOMPARE(quint8(f.payload.at(30)), quint8(9));
            break;
        }
        case 2:
            QCOMPARE(f.payload, QByteArray::fromHex("020500") + sim.parameters().value(12));
            break;
        case 4:
            QCOMPARE(f.payload, QByteArray::fromHex("040600") + QByteArray("861230045678903"));
            break;
        case 16:
            QCOMPARE(f.payload.toHex(), QByteArray("100006"));
            break;
        case 32:
            QCOMPARE(f.payload.toHex(), QByteArray("200005"));
            break;
        default:
            break;
        }
    }
}

void tst_SimUnasked::selfTestFailures()
{
    SimTerminal sim;
    sim.selfTest().failing = SimSelfTest::Imei | SimSelfTest::Flash;
    sim.feed(programFrame(startTests(0x14)));
    bool clean = false;
    const QList<Frame> got = frames(sim.tick(10000), &clean);
    QVERIFY(clean);
    QCOMPARE(got.size(), 4);
    QCOMPARE(got.at(0).payload.toHex(), QByteArray("040601")); // error flag, no IMEI
    QCOMPARE(got.at(1).payload.toHex(), QByteArray("100308")); // "Ошибка", memory error
    QCOMPARE(got.at(2).payload.toHex(), QByteArray("200005"));
}

QTEST_GUILESS_MAIN(tst_SimUnasked)
#include "tst_simunasked.moc"
