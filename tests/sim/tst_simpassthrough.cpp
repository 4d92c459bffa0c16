// The modem and navigation receiver pass-through modes: text in, text out,
// and only the mode command leads back to frames.
#include "ScriptedPort.h"
#include "link/Commands.h"
#include "sim/SimTerminal.h"

#include <QBuffer>
#include <QNmeaPositionInfoSource>
#include <QNmeaSatelliteInfoSource>
#include <QtTest>

using namespace Commands;

namespace {
QDateTime epoch()
{
    return QDateTime(QDate(2026, 3, 12), QTime(8, 30, 0), Qt::UTC);
}

// What the terminal sends for typed bytes once its short hold has passed.
QByteArray type(SimTerminal &sim, const QByteArray &typed)
{
    QByteArray out = sim.feed(typed);
    out += sim.tick(50);
    return out;
}

struct ModemTerminal : SimTerminal
{
    ModemTerminal()
    {
        setEpoch(epoch());
        feed(programFrame(setMode(2)));
    }
};
} // namespace

class tst_SimPassThrough : public QObject
{
    Q_OBJECT
private slots:
    void modemAnswers_data();
    void modemAnswers();
    void modemEchoOffAndEditing();
    void carriageReturnHeldOnlyBriefly();
    void framesOtherThanModeAreText();
    void modeCommandLeavesPassThrough();
    void nmeaSentencesOncePerSecond();
    void nmeaChecksums();
    void nmeaReadByQtPositioning();
    void noFixReported();
};

void tst_SimPassThrough::modemAnswers_data()
{
    QTest::addColumn<QByteArray>("typed");
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("AT") << QByteArray("AT\r") << QByteArray("AT\r\r\nOK\r\n");
    QTest::newRow("lower case") << QByteArray("at\r") << QByteArray("at\r\r\nOK\r\n");
    QTest::newRow("ATI") << QByteArray("ATI\r") << QByteArray("ATI\r\r\nSIM800 R14.18\r\n\r\nOK\r\n");
    QTest::newRow("signal") << QByteArray("AT+CSQ\r") << QByteArray("AT+CSQ\r\r\n+CSQ: 21,0\r\n\r\nOK\r\n");
    // The SIM card reports its number in order; the terminal's parameter holds it pair-swapped.
    QTest::newRow("CCID") << QByteArray("AT+CCID\r") << QByteArray("AT+CCID\r\r\n89701012417293358106\r\n\r\nOK\r\n");
    QTest::newRow("IMEI") << QByteArray("AT+CGSN\r") << QByteArray("AT+CGSN\r\r\n861230045678903\r\n\r\nOK\r\n");
    QTest::newRow("unknown") << QByteArray("AT+XYZ\r") << QByteArray("AT+XYZ\r\r\nERROR\r\n");
    QTest::newRow("not a command") << QByteArray("hello\r") << QByteArray("hello\r\r\nERROR\r\n");
    QTest::newRow("line feed ignored") << QByteArray("AT\r\n") << QByteArray("AT\r\r\nOK\r\n\n");
}

void tst_SimPassThrough::modemAnswers()
{
    QFETCH(QByteArray, typed);
    QFETCH(QByteArray, answer);
    ModemTerminal sim;
    // Typed a character at a time, as a terminal view sends keys; a carriage
    // return is held back briefly in case a frame begins with it.
    QByteArray out;
    for (char c : typed)
        out += type(sim, QByteArray(1, c));
    QCOMPARE(out, answer);
}

void tst_SimPassThrough::modemEchoOffAndEditing()
{
    ModemTerminal sim;
    QCOMPARE(type(sim, "ATE0\r"), QByteArray("ATE0\r\r\nOK\r\n"));
    QCOMPARE(type(sim, "ATX\bI\r"), QByteArray("\r\nSIM800 R14.18\r\n\r\nOK\r\n"));
}

void tst_SimPassThrough::carriageReturnHeldOnlyBriefly()
{
    ModemTerminal sim;
    QCOMPARE(sim.feed("AT\r"), QByteArray("AT"));
    QCOMPARE(sim.tick(5), QByteArray());
    QCOMPARE(sim.tick(20), QByteArray("\r\r\nOK\r\n"));
}

void tst_SimPassThrough::framesOtherThanModeAreText()
{
    ModemTerminal sim;
    const QByteArray read = programFrame(readParam(8));
    // The modem echoes the frame and sees no command in it.
    QCOMPARE(type(sim, read), read);
    QCOMPARE(sim.workMode(), quint8(2));
}

void tst_SimPassThrough::modeCommandLeavesPassThrough()
{
    ModemTerminal sim;
    sim.feed("AT+CS"); // half a command, forgotten when the mode changes
    QCOMPARE(sim.feed(programFrame(setMode(1))), terminalFrame(cmdSetMode, QByteArray(1, 1)));
    QCOMPARE(sim.workMode(), quint8(1));
    QCOMPARE(sim.feed(programFrame(readParam(8))), terminalFrame(8, sim.readValue(8)));
    // Back in the modem mode, the old half command is gone.
    sim.feed(programFrame(setMode(2)));
    QCOMPARE(type(sim, "Q\r"), QByteArray("Q\r\r\nERROR\r\n"));
}

void tst_SimPassThrough::nmeaSentencesOncePerSecond()
{
    SimTerminal sim;
    sim.setEpoch(epoch());
    sim.feed(programFrame(setMode(3)));
    QCOMPARE(sim.tick(999), QByteArray());
    const QByteArray second = sim.tick(1);
    QVERIFY(second.startsWith("$GPGGA,083001.00,5545.1320,N,03736.9360,E,1,09,"));
    const QList<QByteArray> lines = second.trimmed().split('\n');
    QStringList kinds;
    for (const QByteArray &l : lines)
        kinds << QString::fromLatin1(l.mid(1, 5));
    QCOMPARE(kinds, (QStringList{"GPGGA", "GPRMC", "GPGSA", "GPGSV", "GPGSV", "GPGSV"}));
    QVERIFY(lines.at(1).startsWith("$GPRMC,083001.00,A,5545.1320,N,03736.9360,E,0.0,0.0,120326,"));
    QCOMPARE(sim.tick(2000).count("$GPGGA"), 2);
    // Leaving the mode stops the stream.
    sim.feed(programFrame(setMode(1)));
    QCOMPARE(sim.tick(3000), QByteArray());
}

void tst_SimPassThrough::nmeaChecksums()
{
    // A sentence from a receiver's manual, checked by hand.
    QCOMPARE(SimNavReceiver::sentence("GPGLL,4916.45,N,12311.12,W,225444,A"), QByteArray("$GPGLL,4916.45,N,12311.12,W,225444,A*31\r\n"));
    SimTerminal sim;
    for (const QByteArray &line : sim.navReceiver().burst(epoch()).split('\n')) {
        if (line.isEmpty())
            continue;
        const qsizetype star = line.indexOf('*');
        QVERIFY(line.startsWith('$') && star > 0);
        quint8 crc = 0;
        for (char c : line.mid(1, star - 1))
            crc ^= quint8(c);
        QCOMPARE(line.mid(star + 1, 2), QByteArray::number(crc, 16).toUpper().rightJustified(2, '0'));
    }
}

void tst_SimPassThrough::nmeaReadByQtPositioning()
{
    SimTerminal sim;
    sim.setEpoch(epoch());
    QBuffer buffer;
    buffer.setData(sim.navReceiver().burst(epoch()) + sim.navReceiver().burst(epoch().addSecs(1)));
    buffer.open(QIODevice::ReadOnly);
    QNmeaPositionInfoSource source(QNmeaPositionInfoSource::SimulationMode);
    source.setDevice(&buffer);
    source.setUserEquivalentRangeError(5.0);
    QList<QGeoPositionInfo> got;
    connect(&source, &QNmeaPositionInfoSource::positionUpdated, this, [&](const QGeoPositionInfo &i) { got << i; });
    source.startUpdates();
    QTRY_VERIFY_WITH_TIMEOUT(!got.isEmpty(), 3000);
    QCOMPARE(qRound(got.first().coordinate().latitude() * 1e4), 557522);
    QCOMPARE(qRound(got.first().coordinate().longitude() * 1e4), 376156);

    QBuffer sats;
    sats.setData(sim.navReceiver().burst(epoch()) + sim.navReceiver().burst(epoch().addSecs(1)));
    sats.open(QIODevice::ReadOnly);
    QNmeaSatelliteInfoSource satSource(QNmeaSatelliteInfoSource::UpdateMode::SimulationMode);
    satSource.setDevice(&sats);
    qsizetype inView = 0, inUse = 0;
    connect(&satSource, &QNmeaSatelliteInfoSource::satellitesInViewUpdated, this, [&](const auto &l) { inView = l.size(); });
    connect(&satSource, &QNmeaSatelliteInfoSource::satellitesInUseUpdated, this, [&](const auto &l) { inUse = l.size(); });
    satSource.startUpdates();
    QTRY_VERIFY_WITH_TIMEOUT(inView > 0 && inUse > 0, 3000);
    QCOMPARE(inView, 11);
    QCOMPARE(inUse, 9);
}

void tst_SimPassThrough::noFixReported()
{
    SimTerminal sim;
    sim.navReceiver().fix().valid = false;
    const QByteArray burst = sim.navReceiver().burst(epoch());
    QVERIFY(burst.contains("$GPRMC,083000.00,V,"));
    QVERIFY(burst.contains("$GPGGA,083000.00,,,,,0,"));
    QVERIFY(burst.contains("$GPGSA,A,1,"));
}

QTEST_GUILESS_MAIN(tst_SimPassThrough)
#include "tst_simpassthrough.moc"
