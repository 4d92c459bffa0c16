// fuel read / write / clear / level against the simulated terminal: the JSON
// printed, the table the terminal ends up with, and bad files that send nothing.
#include "CliBench.h"
#include "CliScratch.h"

#include <QtTest>

class tst_CliFuel : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void readPrintsTheTable();
    void writeThenReadRoundTrips();
    void clearEmptiesTheTable();
    void levelPrintsTheSensorReading();
    void silentTerminalExitsOne_data();
    void silentTerminalExitsOne();
    void badTableFileSendsNothing_data();
    void badTableFileSendsNothing();

private:

    std::unique_ptr<CliScratch> m_scratch;
};

void tst_CliFuel::init()
{
    m_scratch = std::make_unique<CliScratch>(QStringLiteral("table.json"));
}



void tst_CliFuel::readPrintsTheTable()
{
    CliBench b;
    b.sim.fuelTable().setPoints({{0, 100}, {1250, 900}, {6000, 3100}});
    QCOMPARE(b.run(m_scratch->args({"fuel", "read"})), 0);
    QCOMPARE(b.out, QString("[\n  {\"adc\":100,\"litres\":0},\n  {\"adc\":900,\"litres\":12.5},\n"
                            "  {\"adc\":3100,\"litres\":60}\n]\n"));
    QVERIFY2(b.err.isEmpty(), qPrintable(b.err));
    QCOMPARE(b.requests().first(), QString("14 01 00"));
}

void tst_CliFuel::writeThenReadRoundTrips()
{
    CliBench b;
    const QString name = m_scratch->file(R"([{"adc": 120, "litres": 0}, {"adc": 1500, "litres": 20.125}, {"adc": 3000, "litres": 47.5}])");
    QCOMPARE(b.run(m_scratch->args({"fuel", "write", name})), 0);
    QVERIFY2(b.err.isEmpty(), qPrintable(b.err));
    // Last row first; 20.125 l is 2012 hundredths (the half goes to the even one).
    QCOMPARE(b.requests(), QStringList({"93 06 8e 12 b8 0b 00 02", "93 06 dc 07 dc 05 01 01", "93 06 00 00 78 00 02 00"}));
    const QList<SimFuelTable::Point> expected{{0, 120}, {2012, 1500}, {4750, 3000}};
    QCOMPARE(b.sim.fuelTable().points(), expected);

    QCOMPARE(b.run(m_scratch->args({"fuel", "read"})), 0);
    QCOMPARE(b.out, QString("[\n  {\"adc\":120,\"litres\":0},\n  {\"adc\":1500,\"litres\":20.12},\n"
                            "  {\"adc\":3000,\"litres\":47.5}\n]\n"));
}

void tst_CliFuel::clearEmptiesTheTable()
{
    CliBench b;
    b.sim.fuelTable().setPoints({{0, 100}, {1250, 900}});
    QCOMPARE(b.run(m_scratch->args({"fuel", "clear"})), 0);
    QCOMPARE(b.requests(), QStringList{"93 06 00 00 00 00 04 00"});
    QVERIFY(b.sim.fuelTable().points().isEmpty());
    QVERIFY(b.out.isEmpty());
}

void tst_CliFuel::levelPrintsTheSensorReading()
{
    CliBench b;
    b.sim.fuelTable().setPoints({{0, 0}, {10000, 4000}});
    b.sim.setFuelAdc(1000);
    QCOMPARE(b.run(m_scratch->args({"fuel", "level"})), 0);
    QCOMPARE(b.out, QString("{\"litres\":25,\"adc\":1000}\n"));
    QCOMPARE(b.requests(), QStringList{"21 01"});
}

void tst_CliFuel::silentTerminalExitsOne_data()
{
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<quint8>("code");
    QTest::newRow("read") << QStringList{"fuel", "read"} << quint8(0x14);
    QTest::newRow("clear") << QStringList{"fuel", "clear"} << quint8(0x93);
    QTest::newRow("level") << QStringList{"fuel", "level"} << quint8(0x21);
}

void tst_CliFuel::silentTerminalExitsOne()
{
    QFETCH(QStringList, command);
    QFETCH(quint8, code);
    CliBench b;
    b.sim.faults().silentCodes.insert(code);
    QCOMPARE(b.run(m_scratch->args(command)), 1);
    QVERIFY(b.out.isEmpty());
    QVERIFY2(b.err.contains("did not"), qPrintable(b.err));
}

void tst_CliFuel::badTableFileSendsNothing_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::newRow("syntax") << QByteArray("[{\"adc\":1,\"litres\":2},\n {\"adc\" 3}]") << "table.json:2:10: not valid JSON: missing name separator";
    QTest::newRow("object instead of array") << QByteArray(R"({"adc": 1, "litres": 2})") << "expected an array";
    QTest::newRow("one point") << QByteArray(R"([{"adc": 1, "litres": 2}])") << "2 to 10 points, this one has 1";
    QTest::newRow("eleven points") << QByteArray("[" + QByteArray(R"({"adc": 1, "litres": 2},)").repeated(10)
                                                 + R"({"adc": 1, "litres": 2}])")
                                   << "this one has 11";
    QTest::newRow("point not an object") << QByteArray(R"([{"adc": 1, "litres": 2}, 5])") << "[1]: expected an object";
    QTest::newRow("adc as text") << QByteArray(R"([{"adc": 1, "litres": 2}, {"adc": "7", "litres": 2}])") << "[1].adc";
    QTest::newRow("adc fraction") << QByteArray(R"([{"adc": 1.5, "litres": 2}, {"adc": 7, "litres": 2}])") << "[0].adc";
    QTest::newRow("adc above 16 bits") << QByteArray(R"([{"adc": 1, "litres": 2}, {"adc": 70000, "litres": 2}])")
                                       << "[1].adc: expected a whole number from 0 to 65535";
    QTest::newRow("negative litres") << QByteArray(R"([{"adc": 1, "litres": -0.01}, {"adc": 7, "litres": 2}])")
                                     << "[0].litres";
    QTest::newRow("litres too many") << QByteArray(R"([{"adc": 1, "litres": 2}, {"adc": 7, "litres": 655.36}])")
                                     << "[1].litres: expected a volume from 0 to 655.35";
    QTest::newRow("litres missing") << QByteArray(R"([{"adc": 1, "litres": 2}, {"adc": 7}])") << "[1].litres";
    QTest::newRow("unknown key") << QByteArray(R"([{"adc": 1, "litres": 2, "volts": 3}, {"adc": 7, "litres": 2}])")
                                 << "[0].volts: unknown key";
}

void tst_CliFuel::badTableFileSendsNothing()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    CliBench b;
    b.sim.fuelTable().setPoints({{0, 100}, {1250, 900}});
    QCOMPARE(b.run(m_scratch->args({"fuel", "write", m_scratch->file(content)})), 2);
    QVERIFY2(b.err.contains(message), qPrintable(b.err));
    QVERIFY(!b.portOpened);
    QVERIFY(b.written.isEmpty());
    QCOMPARE(b.sim.fuelTable().points().size(), 2);
}

QTEST_GUILESS_MAIN(tst_CliFuel)
#include "tst_clifuel.moc"
