// The tool as a user runs it: the taviron-cli executable against taviron-sim
// over its pseudo-terminal, through the system's serial port. The link's
// debug output shows every frame the tool put on the line.
#include "HexImageText.h"
#include "link/Commands.h"
#include "settings/XmlStore.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

namespace {
const QString Baud = QStringLiteral("115200");

struct Run
{
    int status = -1;
    QString out;
    QString err;       // without the link's frame trace
    QStringList sent;  // request bodies in hex, as written
};

// The request bodies of the link's "tx" trace lines (either framing); the
// rest of stderr is what the user sees. A trace line may follow a prompt or
// the progress bar (which redraws its line with CR) on the same line.
void splitTrace(const QString &stderrText, Run &r)
{
    static const QString Trace = QStringLiteral("taviron.link: ");
    static const QRegularExpression tx(
        QStringLiteral("^tx (?:0d 0a 2a 3e|aa 77 aa 77) ((?:[0-9a-f]{2} )*[0-9a-f]{2}) [0-9a-f]{2}$"));
    for (const QString &line : stderrText.split(QRegularExpression(QStringLiteral("[\r\n]")))) {
        const qsizetype at = line.indexOf(Trace);
        const QString user = at < 0 ? line : line.left(at);
        if (!user.isEmpty())
            r.err += user + QLatin1Char('\n');
        if (at < 0)
            continue;
        const QRegularExpressionMatch m = tx.match(line.mid(at + Trace.size()));
        if (m.hasMatch())
            r.sent << m.captured(1);
    }
}

QString hexCode(quint8 code)
{
    return QStringLiteral("%1").arg(code, 2, 16, QLatin1Char('0'));
}

QString writeCodeOf(const char *name)
{
    for (const Commands::ParamCode &p : Commands::paramCodes())
        if (qstrcmp(p.name, name) == 0)
            return hexCode(p.writeCode);
    return {};
}
} // namespace

class tst_CliPty : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void readThenWriteItsOwnOutputRoundTrips();
    void saveKeepsTheValuesInTheSettingsFile();
    void badWriteFileSendsNothing();
    void inputsModeAndFuel();
    void logForOneSecond();
    void logStopsOnSignal_data();
    void logStopsOnSignal();
    void selfTestWithScriptedAnswers();
    void flashReachesTheTerminal();

private:
    QProcess *start(const QStringList &args);
    Run finish(QProcess *p, const QByteArray &stdinText = {});
    Run cli(const QStringList &args, const QByteArray &stdinText = {}) { return finish(start(args), stdinText); }
    QString file(const QString &name, const QByteArray &content);

    QProcess m_sim;
    QString m_pty;
    QTemporaryDir m_dir;
};

void tst_CliPty::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_sim.start(QStringLiteral(TAVIRON_SIM), {"--baud", Baud, "--log-rate", "20"});
    QVERIFY(m_sim.waitForStarted(5000));
    QElapsedTimer t;
    t.start();
    while (!m_sim.canReadLine() && t.elapsed() < 5000)
        m_sim.waitForReadyRead(100);
    m_pty = QString::fromLocal8Bit(m_sim.readLine()).trimmed();
    QVERIFY2(m_pty.startsWith("/dev/pts/"), qPrintable(m_pty));
}

void tst_CliPty::cleanupTestCase()
{
    m_sim.terminate();
    QVERIFY(m_sim.waitForFinished(5000));
    QCOMPARE(m_sim.exitCode(), 0);
}

QProcess *tst_CliPty::start(const QStringList &args)
{
    auto *p = new QProcess(this);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_LOGGING_RULES", "taviron.link.debug=true");
    env.insert("QT_MESSAGE_PATTERN", "%{category}: %{message}");
    p->setProcessEnvironment(env);
    p->start(QStringLiteral(TAVIRON_CLI),
             QStringList{"--settings", m_dir.filePath("tvConfigC.xml"), "--port", m_pty, "--baud", Baud} + args);
    p->waitForStarted(5000);
    return p;
}

Run tst_CliPty::finish(QProcess *p, const QByteArray &stdinText)
{
    p->write(stdinText);
    p->closeWriteChannel();
    Run r;
    if (p->waitForFinished(60000) && p->exitStatus() == QProcess::NormalExit)
        r.status = p->exitCode();
    r.out = QString::fromUtf8(p->readAllStandardOutput());
    splitTrace(QString::fromUtf8(p->readAllStandardError()), r);
    p->deleteLater();
    return r;
}

QString tst_CliPty::file(const QString &name, const QByteArray &content)
{
    QFile f(m_dir.filePath(name));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(content);
    return f.fileName();
}

void tst_CliPty::readThenWriteItsOwnOutputRoundTrips()
{
    const Run first = cli({"read", "-o", m_dir.filePath("base.json")});
    QCOMPARE(first.status, 0);
    QVERIFY2(first.err.isEmpty(), qPrintable(first.err));
    QCOMPARE(first.sent.size(), 44);
    QFile base(m_dir.filePath("base.json"));
    QVERIFY(base.open(QIODevice::ReadOnly));
    const QByteArray baseText = base.readAll();
    QJsonObject config = QJsonDocument::fromJson(baseText).object();
    QCOMPARE(config["SerialNumber"].toString(), QString("A 12 123456"));

    // The file read, written back unchanged, is taken as it is.
    const Run same = cli({"write", base.fileName()});
    QCOMPARE(same.status, 0);
    QVERIFY2(same.err.isEmpty(), qPrintable(same.err));
    QVERIFY(same.sent.size() > 20);

    // Edited, written, and read again: the terminal holds the edits.
    config["APN"] = QStringLiteral("интернет");
    config["Speed"] = 90;
    config["VoltageMIN"] = 11.2;
    config["SerialNumber"] = QStringLiteral("B 07 654321");
    const Run write = cli({"write", file("edited.json", QJsonDocument(config).toJson())});
    QCOMPARE(write.status, 0);
    QVERIFY2(write.err.isEmpty(), qPrintable(write.err));
    QCOMPARE(write.sent.size(), same.sent.size());
    const QString apnCode = writeCodeOf("APN");
    QVERIFY(!apnCode.isEmpty());
    // Windows-1251 on the wire.
    QVERIFY2(std::any_of(write.sent.begin(), write.sent.end(),
                         [&](const QString &s) { return s.startsWith(apnCode) && s.endsWith("e8 ed f2 e5 f0 ed e5 f2"); }),
             qPrintable(write.sent.join('|')));

    const Run again = cli({"read"});
    QCOMPARE(again.status, 0);
    QCOMPARE(QJsonDocument::fromJson(again.out.toUtf8()).object(), config);

    // Back to the factory values for the other tests.
    QCOMPARE(cli({"write", base.fileName()}).status, 0);
}

void tst_CliPty::saveKeepsTheValuesInTheSettingsFile()
{
    const Run r = cli({"save"});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.sent.size(), 44);
    QCOMPARE(QJsonDocument::fromJson(r.out.toUtf8()).object()["IMEI"].toString(), QString("861230045678903"));
    XmlStore store(m_dir.filePath("tvConfigC.xml"));
    store.open();
    QCOMPARE(store.readString("Params", "APN"), QString("internet.mts.ru"));
    QCOMPARE(store.readString("Params", "Speed"), QString("110"));
}

void tst_CliPty::badWriteFileSendsNothing()
{
    const Run range = cli({"write", file("bad.json", R"({"APN": "internet", "Speed": 500})")});
    QCOMPARE(range.status, 2);
    QVERIFY2(range.err.contains("Speed: 500 is out of range"), qPrintable(range.err));
    QVERIFY(range.sent.isEmpty());
    QVERIFY(range.out.isEmpty());

    const Run syntax = cli({"write", file("broken.json", "{\"APN\": \"internet\",\n  \"Speed\" 90}")});
    QCOMPARE(syntax.status, 2);
    QVERIFY2(syntax.err.contains("broken.json:2:"), qPrintable(syntax.err));
    QVERIFY(syntax.sent.isEmpty());
}

void tst_CliPty::inputsModeAndFuel()
{
    const Run inputs = cli({"inputs"});
    QCOMPARE(inputs.status, 0);
    QCOMPARE(inputs.sent, QStringList{"2d"});
    QCOMPARE(inputs.out, QString("{\"DS1\":false,\"DS2\":true,\"DS3\":false,\"DS4\":false}\n"));

    const Run mode = cli({"mode", "4"});
    QCOMPARE(mode.status, 0);
    QCOMPARE(mode.out, QString("4\n"));
    QCOMPARE(mode.sent, QStringList{"7f 01 04"});

    const Run level = cli({"fuel", "level"});
    QCOMPARE(level.status, 0);
    const QJsonObject reading = QJsonDocument::fromJson(level.out.toUtf8()).object();
    QVERIFY2(reading.contains("litres") && reading["adc"].toInt() == 1850, qPrintable(level.out));

    // A table written, read back, cleared.
    const QByteArray points = R"([{"adc": 120, "litres": 0}, {"adc": 3000, "litres": 47.5}])";
    const Run write = cli({"fuel", "write", file("table.json", points)});
    QCOMPARE(write.status, 0);
    // Last point first; the first and the last frame of the table say so.
    QCOMPARE(write.sent, QStringList({"93 06 8e 12 b8 0b 00 01", "93 06 00 00 78 00 02 00"}));
    const Run table = cli({"fuel", "read"});
    QCOMPARE(table.status, 0);
    QCOMPARE(QJsonDocument::fromJson(table.out.toUtf8()), QJsonDocument::fromJson(points));
    const Run clear = cli({"fuel", "clear"});
    QCOMPARE(clear.status, 0);
    QCOMPARE(clear.sent, QStringList{"93 06 00 00 00 00 04 00"});
    QCOMPARE(QJsonDocument::fromJson(cli({"fuel", "read"}).out.toUtf8()).array().size(), 0);

    QCOMPARE(cli({"mode", "1"}).status, 0);
}

void tst_CliPty::logForOneSecond()
{
    const Run r = cli({"--messages", SIM_DATA_DIR "/messages.h", "log", "--seconds", "1"});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.sent, QStringList({"7a 01 01", "7a 01 00"}));
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    // 20 records a second on the simulator's side.
    QVERIFY2(lines.size() >= 10, qPrintable(r.out));
    QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
}

void tst_CliPty::logStopsOnSignal_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGINT") << int(SIGINT);
    QTest::newRow("SIGTERM") << int(SIGTERM);
}

void tst_CliPty::logStopsOnSignal()
{
    QFETCH(int, signal);
    QProcess *p = start({"--messages", SIM_DATA_DIR "/messages.h", "log"});
    // Stopped once it prints: the interrupt then comes while the log runs.
    QElapsedTimer t;
    t.start();
    while (!p->canReadLine() && t.elapsed() < 10000)
        p->waitForReadyRead(100);
    QVERIFY(p->canReadLine());
    ::kill(pid_t(p->processId()), signal);
    const Run r = finish(p);
    QCOMPARE(r.status, 0);
    QCOMPARE(r.sent, QStringList({"7a 01 01", "7a 01 00"}));
    QVERIFY(t.elapsed() < 5000);
}

void tst_CliPty::selfTestWithScriptedAnswers()
{
    const Run r = cli({"selftest", "ccid,relays", "--timeout", "10"}, "n\n");
    QCOMPARE(r.status, 0);
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    QVERIFY2(lines.size() >= 3, qPrintable(r.out));
    QVERIFY(lines.first().endsWith(" Процесс самотестирования запущен"));
    QVERIFY2(lines.contains("[GSM] CCID SIM карты:89701012417293358106"), qPrintable(r.out));
    QCOMPARE(lines.value(lines.size() - 2), QString("[Реле] Тест не пройден!"));
    QVERIFY(lines.last().endsWith(" Тестирование окончено!"));
    QVERIFY2(r.err.contains("Оба реле включились?") && !r.err.contains("Оба реле выключились?"), qPrintable(r.err));
    // Only the SIM card test goes to the terminal; the relays are switched on
    // and read back, and switched off again although the operator did not
    // see them switch on.
    QVERIFY2(r.sent == QStringList({"7b 01 02", "a2 01 03", "23 00", "a2 01 00"}), qPrintable(r.sent.join('|') + '\n' + r.err));
}

void tst_CliPty::flashReachesTheTerminal()
{
    const HexImageText image = HexImageText::random(256, 16, 21);
    const Run r = cli({"flash", file("fw.hex", image.text)});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.err.contains(QStringLiteral("100%  %1/%1 bytes  0:00 left").arg(image.blockData.size())), qPrintable(r.err));
    QCOMPARE(r.sent.mid(0, 3), QStringList({"7e 01 01", "f3", "f3"}));
    QVERIFY2(r.sent.mid(r.sent.size() - 2) == QStringList({"f1", "f2"}), qPrintable(r.sent.join('|') + '\n' + r.err));
    // Every block once (none refused, none repeated), holding the image's
    // bytes in order.
    QByteArray blocks;
    const QStringList sentBlocks = r.sent.mid(3, r.sent.size() - 5);
    QCOMPARE(sentBlocks.size(), image.records); // the end record travels as an empty block
    for (const QString &b : sentBlocks) {
        const QByteArray body = QByteArray::fromHex(b.toLatin1());
        QCOMPARE(quint8(body.at(0)), quint8(Commands::cmdBootBlock));
        QCOMPARE(body.size(), 2 + quint8(body.at(1)));
        blocks += body.mid(2);
    }
    QVERIFY(blocks == image.blockData);
    // F2 restarted the terminal into its firmware: it answers again.
    QTest::qWait(1500);
    QCOMPARE(cli({"mode", "1"}).status, 0);
}

QTEST_GUILESS_MAIN(tst_CliPty)
#include "tst_clipty.moc"
