#include "ConnectLink.h"
#include "FuelDevice.h"
#include "ScriptedPort.h"
#include "VirtualPump.h"

#include "calibration/FuelTable.h"
#include "link/Commands.h"
#include "link/Link.h"

#include <QRegularExpression>
#include <QTest>

Q_DECLARE_METATYPE(FuelDevice::Script)
Q_DECLARE_METATYPE(QList<FuelRow>)

namespace {
struct Rig
{
    VirtualPump pump;
    Link link{pump};
    ScriptedPort port{pump};
    FuelDevice device{port};
    FuelTable table{link};

    Rig()
    {
        connectLink(link, port);
    }
};

// "adc=litres100 ..." of the points the table shows.
QString shown(const FuelTable &table)
{
    QStringList parts;
    for (const TFuelPoint &p : table.TablePoints())
        parts << QStringLiteral("%1=%2").arg(p.AdcValue).arg(p.Litres100);
    return parts.join(' ');
}

FuelDevice::Script points(std::initializer_list<QByteArray> replies)
{
    FuelDevice::Script s;
    for (const QByteArray &r : replies)
        s.append(r);
    return s;
}

FuelDevice::Script repeated(int n, const QByteArray &reply)
{
    return FuelDevice::Script(n, reply);
}

const QByteArray Accepted(1, '\0');
const QByteArray Refused(1, '\1');
} // namespace

class tst_FuelTable : public QObject
{
    Q_OBJECT
private slots:
    void read_data();
    void read();
    void readAsksFirstThenNext();
    void rereadForgetsOldPoints();
    void write_data();
    void write();
    void writeRefusesVolumeOutOfRange_data();
    void writeRefusesVolumeOutOfRange();
    void writeRetries_data();
    void writeRetries();
    void clear();
    void currentValues_data();
    void currentValues();
};

void tst_FuelTable::read_data()
{
    using P = FuelDevice;
    QTest::addColumn<FuelDevice::Script>("replies");
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("frames");

    QTest::newRow("state 3 first") << points({P::point(0, 0, 3, 0)}) << "" << 1;
    QTest::newRow("three points, last marked on the third")
        << points({P::point(1000, 100, 0, 0), P::point(2000, 200, 1, 1), P::point(3000, 300, 2, 2)})
        << "100=1000 200=2000 300=3000" << 3;
    QTest::newRow("indexes 0 and 2 only")
        << points({P::point(1000, 100, 0, 0)}) + P::silence() + points({P::point(3000, 300, 2, 2)}) << "100=1000"
        << 1 + Link::MaxFrames + 1;
    QTest::newRow("index above 9 passed over")
        << points({P::point(1000, 100, 0, 0), P::point(5000, 500, 0, 12), P::point(2000, 200, 2, 1)})
        << "100=1000 200=2000" << 3;
    QTest::newRow("short and long replies passed over")
        << points({QByteArray::fromHex("e803640000"), QByteArray::fromHex("e80364000000ff"), P::point(1000, 100, 2, 0)})
        << "100=1000" << 3;
    QTest::newRow("no answer at all") << FuelDevice::Script{} << "" << 10 * Link::MaxFrames;
    QTest::newRow("ten points without an end mark")
        << points({P::point(0, 10, 0, 0), P::point(1, 11, 0, 1), P::point(2, 12, 0, 2), P::point(3, 13, 0, 3),
               P::point(4, 14, 0, 4), P::point(5, 15, 0, 5), P::point(6, 16, 0, 6), P::point(7, 17, 0, 7),
               P::point(8, 18, 0, 8), P::point(65535, 65535, 1, 9)})
        << "10=0 11=1 12=2 13=3 14=4 15=5 16=6 17=7 18=8 65535=65535" << 10;
    QTest::newRow("last mark on index 0 hides a later point")
        << points({P::point(2000, 200, 0, 1), P::point(1000, 100, 2, 0)}) << "100=1000" << 2;
}

void tst_FuelTable::read()
{
    QFETCH(FuelDevice::Script, replies);
    QFETCH(QString, table);
    QFETCH(int, frames);
    Rig rig;
    rig.device.pointReplies = replies;

    rig.table.ReadPoints();

    QCOMPARE(shown(rig.table), table);
    QCOMPARE(rig.device.bodies.size(), frames);
}

void tst_FuelTable::readAsksFirstThenNext()
{
    Rig rig;
    rig.device.pointReplies = FuelDevice::silence() + points({FuelDevice::point(1, 2, 0, 0), FuelDevice::point(3, 4, 2, 1)});

    rig.table.ReadPoints();

    const QList<QByteArray> sent = rig.device.bodies;
    QCOMPARE(sent.size(), Link::MaxFrames + 2);
    // The link repeats the first request as it is; only the next request moves on.
    for (int i = 0; i < Link::MaxFrames; ++i)
        QCOMPARE(sent[i].toHex(' '), QByteArray("14 01 00"));
    QCOMPARE(sent[Link::MaxFrames].toHex(' '), QByteArray("14 01 01"));
    QCOMPARE(sent[Link::MaxFrames + 1].toHex(' '), QByteArray("14 01 01"));
}

void tst_FuelTable::rereadForgetsOldPoints()
{
    Rig rig;
    rig.device.pointReplies = points({FuelDevice::point(1000, 100, 0, 0), FuelDevice::point(2000, 200, 2, 1)});
    rig.table.ReadPoints();
    QCOMPARE(shown(rig.table), QString("100=1000 200=2000"));

    rig.device.pointReplies = points({FuelDevice::point(0, 0, 3, 0)});
    rig.table.ReadPoints();
    QCOMPARE(shown(rig.table), QString());
}

void tst_FuelTable::write_data()
{
    QTest::addColumn<QList<FuelRow>>("rows");
    QTest::addColumn<QList<QByteArray>>("sent"); // hex bodies, in order

    QTest::newRow("two rows: last first") << QList<FuelRow>{{100, 1.0}, {200, 2.0}}
                                          << QList<QByteArray>{"93 06 c8 00 c8 00 00 01", "93 06 64 00 64 00 02 00"};
    QTest::newRow("three rows") << QList<FuelRow>{{100, 1.0}, {200, 2.0}, {300, 3.0}}
                                << QList<QByteArray>{"93 06 2c 01 2c 01 00 02", "93 06 c8 00 c8 00 01 01",
                                       "93 06 64 00 64 00 02 00"};
    QTest::newRow("one row") << QList<FuelRow>{{100, 1.0}} << QList<QByteArray>{"93 06 64 00 64 00 02 00"};
    QTest::newRow("empty volume in the last row")
        << QList<FuelRow>{{100, 1.0}, {200, 2.0}, {300, std::nullopt}}
        << QList<QByteArray>{"93 06 c8 00 c8 00 01 01", "93 06 64 00 64 00 02 00"};
    QTest::newRow("empty ADC value in a middle row")
        << QList<FuelRow>{{100, 1.0}, {std::nullopt, 2.0}, {300, 3.0}}
        << QList<QByteArray>{"93 06 2c 01 2c 01 00 02", "93 06 64 00 64 00 02 00"};
    QTest::newRow("0.125 l goes to the even neighbour") << QList<FuelRow>{{1, 0.125}}
                                                        << QList<QByteArray>{"93 06 0c 00 01 00 02 00"};
    QTest::newRow("0.375 l goes to the even neighbour") << QList<FuelRow>{{1, 0.375}}
                                                        << QList<QByteArray>{"93 06 26 00 01 00 02 00"};
    QTest::newRow("12.5 l") << QList<FuelRow>{{1, 12.5}} << QList<QByteArray>{"93 06 e2 04 01 00 02 00"};
    QTest::newRow("ADC 70000 sends its low 16 bits") << QList<FuelRow>{{70000, 0.0}}
                                                     << QList<QByteArray>{"93 06 00 00 70 11 02 00"};
    QTest::newRow("655.35 l is the largest volume") << QList<FuelRow>{{65535, 655.35}}
                                                    << QList<QByteArray>{"93 06 ff ff ff ff 02 00"};
    QTest::newRow("no rows") << QList<FuelRow>{} << QList<QByteArray>{};
}

void tst_FuelTable::write()
{
    QFETCH(QList<FuelRow>, rows);
    QFETCH(QList<QByteArray>, sent);
    Rig rig;

    QCOMPARE(rig.table.WritePoints(rows), QString());

    QList<QByteArray> hex;
    for (const QByteArray &b : rig.device.bodies)
        hex << b.toHex(' ');
    QCOMPARE(hex, sent);
}

void tst_FuelTable::writeRefusesVolumeOutOfRange_data()
{
    QTest::addColumn<QList<FuelRow>>("rows");
    QTest::addColumn<QString>("row");

    QTest::newRow("655.36 l in row 2") << QList<FuelRow>{{100, 1.0}, {200, 655.36}, {300, 3.0}} << "Строка 2:";
    QTest::newRow("negative volume in row 1") << QList<FuelRow>{{100, -0.01}, {200, 2.0}} << "Строка 1:";
    QTest::newRow("huge volume in the last row") << QList<FuelRow>{{100, 1.0}, {200, 2.0}, {300, 1e9}} << "Строка 3:";
}

void tst_FuelTable::writeRefusesVolumeOutOfRange()
{
    QFETCH(QList<FuelRow>, rows);
    QFETCH(QString, row);
    Rig rig;

    const QString error = rig.table.WritePoints(rows);

    QVERIFY2(error.startsWith(row), qPrintable(error));
    QVERIFY(rig.device.bodies.isEmpty()); // nothing is sent, not even the valid rows
}

void tst_FuelTable::writeRetries_data()
{
    QTest::addColumn<FuelDevice::Script>("replies");
    QTest::addColumn<int>("lastRowFrames");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("retryPauses");

    QTest::newRow("refused three times") << repeated(3, Refused) << 4 << true << 3;
    QTest::newRow("empty reply counts as refused") << repeated(2, QByteArray()) << 3 << true << 2;
    QTest::newRow("refused 19 times") << repeated(19, Refused) << 20 << true << 19;
    QTest::newRow("refused 20 times") << repeated(20, Refused) << 20 << false << 19;
    QTest::newRow("never answered") << FuelDevice::Script(20 * Link::MaxFrames, std::nullopt) << 20 * Link::MaxFrames
                                    << false << 19;
}

void tst_FuelTable::writeRetries()
{
    QFETCH(FuelDevice::Script, replies);
    QFETCH(int, lastRowFrames);
    QFETCH(bool, accepted);
    QFETCH(int, retryPauses);
    Rig rig;
    rig.device.writeReplies = replies;
    if (!accepted)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("given up after 20 tries"));

    const QString error = rig.table.WritePoints({{100, 1.0}, {200, 2.0}});

    const QList<QByteArray> sent = rig.device.bodies;
    QCOMPARE(sent.size(), lastRowFrames + (accepted ? 1 : 0));
    for (int i = 0; i < lastRowFrames; ++i)
        QCOMPARE(sent[i].toHex(' '), QByteArray("93 06 c8 00 c8 00 00 01"));
    // Every frame has its own pause before it; a refused try adds the retry pause.
    QCOMPARE(rig.pump.pausedMs(), qint64(sent.size()) * Link::FramePauseMs + qint64(retryPauses) * FuelTable::RetryPauseMs);
    if (accepted) {
        QCOMPARE(error, QString());
        QCOMPARE(sent.last().toHex(' '), QByteArray("93 06 64 00 64 00 02 00"));
    } else {
        // The write stops at the failed row, and the user learns which one.
        QVERIFY2(error.startsWith("Строка 2:"), qPrintable(error));
    }
}

void tst_FuelTable::clear()
{
    Rig rig;
    rig.device.pointReplies = points({FuelDevice::point(1000, 100, 2, 0)});
    rig.table.ReadPoints();
    rig.device.writeReplies = {std::nullopt}; // the answer does not matter

    rig.table.Clear();

    QCOMPARE(rig.device.bodies.last().toHex(' '), QByteArray("93 06 00 00 00 00 04 00"));
    QCOMPARE(shown(rig.table), QString());
}

void tst_FuelTable::currentValues_data()
{
    QTest::addColumn<FuelDevice::Script>("replies");
    QTest::addColumn<bool>("updated");
    QTest::addColumn<int>("fuel");
    QTest::addColumn<int>("adc");

    QTest::newRow("four bytes") << points({QByteArray::fromHex("d204a00f")}) << true << 1234 << 4000;
    QTest::newRow("further bytes ignored") << points({QByteArray::fromHex("ffffe803aabb")}) << true << 65535 << 1000;
    QTest::newRow("three bytes keep the last reading") << points({QByteArray::fromHex("d204a0")}) << false << 7 << 8;
    QTest::newRow("no answer keeps the last reading") << FuelDevice::Script{} << false << 7 << 8;
}

void tst_FuelTable::currentValues()
{
    QFETCH(FuelDevice::Script, replies);
    QFETCH(bool, updated);
    QFETCH(int, fuel);
    QFETCH(int, adc);
    Rig rig;
    rig.table.CurrentFuel = 7;
    rig.table.CurrentAdc = 8;
    rig.device.levelReplies = replies;

    QCOMPARE(rig.table.ReadCurrentValues(), updated);

    QCOMPARE(rig.device.bodies.first().toHex(' '), QByteArray("21 01"));
    QCOMPARE(int(rig.table.CurrentFuel), fuel);
    QCOMPARE(int(rig.table.CurrentAdc), adc);
}

QTEST_GUILESS_MAIN(tst_FuelTable)
#include "tst_FuelTable.moc"
