#include "ConnectLink.h"
#include "ScriptedPort.h"
#include "ScriptedSim.h"
#include "VirtualPump.h"
#include "config/CellMap.h"
#include "config/ConfigProgress.h"
#include "config/ConfigReader.h"
#include "config/ConfigWriter.h"
#include "config/TCustomNAVParam.h"
#include "config/TerminalParams.h"
#include "link/Link.h"
#include "sim/SimTerminal.h"

#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTest>

#include <cstring>
#include <memory>

namespace {

// One terminal on its own line: the link, a scripted port in virtual time
// and the simulated terminal behind it.
struct Line
{
    VirtualPump pump;
    Link link{pump};
    ScriptedPort port{pump};
    SimTerminal terminal;
    std::unique_ptr<ScriptedSim> host;

    explicit Line(quint32 seed)
        : terminal(seed)
    {
        connectLink(link, port);
        host = std::make_unique<ScriptedSim>(pump, port, terminal);
    }
    TerminalParams::TransactFn transact()
    {
        return [this](const TBuf &r) { return link.Transact(r); };
    }
};

QByteArray word(quint32 v, int n)
{
    QByteArray b;
    for (int i = 0; i < n; ++i)
        b.append(char((v >> (8 * i)) & 0xFF));
    return b;
}

QByteArray floatBytes(float f)
{
    QByteArray b(4, '\0');
    std::memcpy(b.data(), &f, 4);
    return b;
}

QByteArray cp1251(const QString &s)
{
    QStringEncoder e("windows-1251");
    return e.encode(s);
}

// A random configuration that the grid shows without loss: floats with at
// most three decimals, voltages within the editors' limits, canonical flags.
void randomConfiguration(SimParameters &p, QRandomGenerator &rng)
{
    const QStringList names = {QStringLiteral("Иванов"), QStringLiteral("Fleet-7"), QStringLiteral("Склад №2"), QString()};
    auto text = [&] { return cp1251(names[int(rng.bounded(names.size()))] + QString::number(rng.bounded(1000))); };
    for (quint8 n : {2, 3, 4, 5, 6, 9, 10, 11})
        p.setValue(n, text());
    p.setValue(1, cp1251(QStringLiteral("HW-%1").arg(rng.bounded(10))));
    p.setValue(7, word(rng.generate(), 4));
    p.setValue(8, word(rng.bounded(1, 65536), 2));
    p.setValue(13, word(rng.bounded(0, 255 * 86400), 4));
    p.setValue(27, word(rng.bounded(0, 255 * 86400), 4));
    p.setValue(15, word(rng.bounded(100, 1000000), 4));
    p.setValue(17, floatBytes(float(rng.bounded(-720, 720)) / 8.0f));
    p.setValue(18, floatBytes(float(rng.bounded(-1440, 1440)) / 8.0f));
    p.setValue(19, word(rng.bounded(1, 65536), 2));
    p.setValue(25, word(rng.bounded(0, 301), 2));
    p.setValue(21, word(rng.bounded(6000, 50001), 2));
    p.setValue(23, word(rng.bounded(6000, 50001), 2));
    p.setValue(38, QByteArray("A") + QByteArray::number(rng.bounded(10000000, 99999999)));
    for (quint8 n : {14, 16, 22, 24, 26, 28, 29, 30, 32, 39, 40, 44}) {
        const quint8 flags = quint8(rng.bounded(8));
        const quint8 byte = (flags & 1 ? 1 : 0) | (flags & 2 ? 2 : 0) | (flags & 4 ? 8 : 0);
        p.setValue(n, QByteArray(1, char(byte ? (byte | 0x80) : 0)));
    }
    p.setValue(43, QByteArray(1, char(rng.bounded(16))));
}

// What a write sends: everything with a write code but the calibration factor.
const QList<quint8> Written = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 14, 15, 16, 17, 18, 19, 21, 22, 23,
                               24, 25, 26, 27, 28, 29, 30, 32, 38, 39, 40, 43, 44};

void faulty(SimTerminal &t)
{
    t.faults().nakRate = 0.10;
    t.faults().crcErrorRate = 0.10;
    t.faults().dropRate = 0.05;
    t.faults().noiseRate = 0.10;
}

} // namespace

// Whole configuration cycles over a bad line, and lines that go away.
class tst_Soak : public QObject
{
    Q_OBJECT

private slots:
    void readWriteCycleOverBadLine_data();
    void readWriteCycleOverBadLine();
    void portLostMidway_data();
    void portLostMidway();
};

void tst_Soak::readWriteCycleOverBadLine_data()
{
    QTest::addColumn<quint32>("seed");
    // TAVIRON_SOAK_SEEDS=1000 makes a long soak of the same test.
    const int seeds = qMax(8, qEnvironmentVariableIntValue("TAVIRON_SOAK_SEEDS"));
    for (quint32 seed = 1; seed <= quint32(seeds); ++seed)
        QTest::addRow("seed %u", seed) << seed;
}

void tst_Soak::readWriteCycleOverBadLine()
{
    QFETCH(quint32, seed);
    QRandomGenerator rng(seed);

    // Read a configured terminal over a bad line...
    Line source(seed);
    randomConfiguration(source.terminal.parameters(), rng);
    faulty(source.terminal);
    TerminalParams readParams(nullptr, source.transact());
    CellMap cells;
    ConfigProgress readBar(readParams.ParamCount);
    QVERIFY(ConfigReader::run(readParams, cells, readBar).ok());

    // ...and write it into a fresh one over another bad line: it must end up
    // holding exactly the same values.
    Line target(seed + 100);
    faulty(target.terminal);
    TerminalParams writeParams(nullptr, target.transact());
    ConfigProgress writeBar(writeParams.ParamCount);
    const ConfigResult written = ConfigWriter::run(writeParams, cells, writeBar);
    QVERIFY2(written.ok(), qPrintable(written.error));
    for (quint8 n : Written)
        QVERIFY2(target.terminal.parameters().value(n) == source.terminal.parameters().value(n),
                 qPrintable(QStringLiteral("parameter %1: %2 != %3")
                                .arg(n)
                                .arg(QString::fromLatin1(target.terminal.parameters().value(n).toHex(' ')),
                                     QString::fromLatin1(source.terminal.parameters().value(n).toHex(' ')))));

    // Reading the copy gives the same grid.
    CellMap again;
    TerminalParams checkParams(nullptr, target.transact());
    ConfigProgress checkBar(checkParams.ParamCount);
    QVERIFY(ConfigReader::run(checkParams, again, checkBar).ok());
    // The line really was bad, on both sides.
    const SimStats &a = source.terminal.stats();
    const SimStats &b = target.terminal.stats();
    QVERIFY(a.naks + b.naks > 0 && a.brokenChecksums + b.brokenChecksums > 0 && a.dropped + b.dropped > 0);
    QVERIFY(a.noiseBursts + b.noiseBursts > 0);
    for (int i = 0; i < checkParams.ParamList.size(); ++i) {
        const TCustomNAVParam *copy = checkParams.ParamList[i];
        if (Written.contains(copy->GetCode))
            QCOMPARE(copy->Value, readParams.ParamList[i]->Value);
    }
}

void tst_Soak::portLostMidway_data()
{
    QTest::addColumn<bool>("writing");
    QTest::newRow("read") << false;
    QTest::newRow("write") << true;
}

void tst_Soak::portLostMidway()
{
    QFETCH(bool, writing);
    Line line(11);
    TerminalParams params(nullptr, line.transact());
    CellMap cells;
    ConfigProgress bar(params.ParamCount);
    line.pump.schedule(700, [&] { line.port.vanish(); });
    const qint64 start = line.pump.now();
    if (writing)
        ConfigWriter::run(params, cells, bar);
    else
        ConfigReader::run(params, cells, bar);
    // Every request after the loss returns at once instead of retrying for 11 s.
    QVERIFY2(line.pump.now() - start < 3000, qPrintable(QString::number(line.pump.now() - start)));
    QVERIFY(!line.port.isOpen());
    const int frames = int(line.port.written.size());
    QVERIFY2(frames > 0 && frames < 20, qPrintable(QString::number(frames)));
}

QTEST_GUILESS_MAIN(tst_Soak)
#include "tst_soak.moc"
