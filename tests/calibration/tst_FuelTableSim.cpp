// The fuel table protocol against the simulated terminal: what the program
// writes is what the terminal keeps, and reading gives it back.
#include "ConnectLink.h"
#include "ScriptedPort.h"
#include "ScriptedSim.h"
#include "VirtualPump.h"

#include "calibration/FuelTable.h"
#include "link/Link.h"
#include "sim/SimTerminal.h"

#include <QTest>

Q_DECLARE_METATYPE(QList<FuelRow>)

namespace {
struct Bench
{
    VirtualPump pump;
    Link link{pump};
    ScriptedPort port{pump};
    SimTerminal sim{7};
    ScriptedSim host{pump, port, sim};
    FuelTable table{link};

    Bench()
    {
        connectLink(link, port);
    }
};

QString simTable(SimTerminal &sim)
{
    QStringList parts;
    for (const SimFuelTable::Point &p : sim.fuelTable().points())
        parts << QStringLiteral("%1=%2").arg(p.adc).arg(p.litres100);
    return parts.join(' ');
}

QString readBack(const FuelTable &table)
{
    QStringList parts;
    for (const TFuelPoint &p : table.TablePoints())
        parts << QStringLiteral("%1=%2").arg(p.AdcValue).arg(p.Litres100);
    return parts.join(' ');
}
} // namespace

class tst_FuelTableSim : public QObject
{
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void clearEmptiesTheTerminal();
    void liveReading();
};

void tst_FuelTableSim::roundTrip_data()
{
    QTest::addColumn<QList<FuelRow>>("rows");
    QTest::addColumn<QString>("stored");

    QTest::newRow("one row") << QList<FuelRow>{{410, 0.0}} << "410=0";
    QTest::newRow("three rows") << QList<FuelRow>{{410, 0.0}, {980, 12.5}, {70000, 0.125}} << "410=0 980=1250 4464=12";
    QList<FuelRow> ten;
    QStringList tenStored;
    for (int i = 0; i < FuelTable::MaxPoints; ++i) {
        ten.append({300 * (i + 1), 6.5 * i});
        tenStored << QStringLiteral("%1=%2").arg(300 * (i + 1)).arg(650 * i);
    }
    QTest::newRow("ten rows") << ten << tenStored.join(' ');
}

void tst_FuelTableSim::roundTrip()
{
    QFETCH(QList<FuelRow>, rows);
    QFETCH(QString, stored);
    Bench b;

    QCOMPARE(b.table.WritePoints(rows), QString());
    QCOMPARE(simTable(b.sim), stored);

    b.table.ReadPoints();
    QCOMPARE(readBack(b.table), stored);
}

void tst_FuelTableSim::clearEmptiesTheTerminal()
{
    Bench b;
    QCOMPARE(b.table.WritePoints({{100, 1.0}, {200, 2.0}}), QString());

    b.table.Clear();

    QCOMPARE(simTable(b.sim), QString());
    b.table.ReadPoints();
    QCOMPARE(readBack(b.table), QString());
}

void tst_FuelTableSim::liveReading()
{
    Bench b;
    QCOMPARE(b.table.WritePoints({{1000, 10.0}, {2000, 30.0}}), QString());
    b.sim.setFuelAdc(1500);

    QVERIFY(b.table.ReadCurrentValues());

    QCOMPARE(int(b.table.CurrentAdc), 1500);
    QCOMPARE(int(b.table.CurrentFuel), 2000); // halfway between the two points
}

QTEST_GUILESS_MAIN(tst_FuelTableSim)
#include "tst_FuelTableSim.moc"
