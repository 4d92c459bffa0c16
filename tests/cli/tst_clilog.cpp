// log against the simulated terminal: the lines printed are the log window's
// lines, the log output is switched on and off again, and every way the
// command ends sends the switch-off first.
#include "CliBench.h"
#include "CliScratch.h"

#include "link/Commands.h"
#include "link/Link.h"
#include "log/LogLine.h"
#include "log/MessageCatalogue.h"
#include "ScriptedPort.h"

#include <QFile>
#include <QtTest>

namespace {
const QString Messages = QStringLiteral(SIM_DATA_DIR "/messages.h");
const QStringList OnThenOff = {"7a 01 01", "7a 01 00"};

QStringList lines(const QString &text)
{
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// What the log window adds for the records a terminal like the bench's sends
// in its first ms of log output: the same formatter over a twin terminal.
QStringList windowLines(quint32 seed, double rate, int ms)
{
    MessageCatalogue catalogue;
    QFile header(Messages);
    if (header.open(QIODevice::ReadOnly))
        catalogue.LoadText(header.readAll());
    VirtualPump pump;
    Link link(pump);
    QStringList added;
    link.HandleLogFrame = [&] {
        if (const auto line = LogLine::format(link.LastFrameData, catalogue))
            added << *line;
    };
    const auto receive = [&](const QByteArray &bytes) {
        for (char c : bytes)
            link.ReceiveByte(quint8(c));
    };
    SimTerminal twin(seed);
    twin.logOutput().setRate(rate);
    receive(twin.feed(programFrame(Commands::logOutput(true))));
    for (int t = 0; t < ms; t += 10)
        receive(twin.tick(10));
    return added;
}
} // namespace

class tst_CliLog : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void printsTheWindowsLinesForNSeconds();
    void stopRequestSwitchesTheLogOff();
    void badUsageSendsNothing_data();
    void badUsageSendsNothing();
    void simulatedTerminalBringsItsHeader();
    void silentTerminalExitsOne();

private:
    QStringList args(const QStringList &command) const;
    std::unique_ptr<CliScratch> m_scratch;
};

void tst_CliLog::init()
{
    m_scratch = std::make_unique<CliScratch>();
}

QStringList tst_CliLog::args(const QStringList &command) const
{
    return m_scratch->args(QStringList{"--messages", Messages} + command);
}

void tst_CliLog::printsTheWindowsLinesForNSeconds()
{
    CliBench b;
    b.sim.logOutput().setRate(5);
    QCOMPARE(b.run(args({"log", "--seconds", "3"})), 0);
    QVERIFY2(b.err.isEmpty(), qPrintable(b.err));
    QCOMPARE(b.requests(), OnThenOff);
    QVERIFY(!b.sim.logEnabled());
    QVERIFY2(b.pump.now() >= 3000 && b.pump.now() < 3500, qPrintable(QString::number(b.pump.now())));

    const QStringList printed = lines(b.out);
    QVERIFY2(printed.size() >= 12 && printed.size() <= 16, qPrintable(b.out));
    QCOMPARE(printed, windowLines(7, 5, 4000).mid(0, printed.size()));
}

void tst_CliLog::stopRequestSwitchesTheLogOff()
{
    CliBench b;
    b.interrupted = [&] { return b.pump.now() >= 1500; };
    QCOMPARE(b.run(args({"log"})), 0);
    QCOMPARE(b.requests(), OnThenOff);
    QVERIFY(!b.sim.logEnabled());
    QVERIFY(b.pump.now() < 2000);
    QVERIFY(!b.out.isEmpty());
}

void tst_CliLog::badUsageSendsNothing_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("seconds not a number") << QStringList{"log", "--seconds", "x"} << "log: --seconds: 'x' is not a whole number above 0";
    QTest::newRow("zero seconds") << QStringList{"log", "--seconds", "0"} << "log: --seconds: '0' is not a whole number above 0";
    QTest::newRow("stray argument") << QStringList{"log", "now"} << "log: expected no arguments";
    QTest::newRow("no message header")
        << QStringList{"--port", "/dev/ttyUSB0", "--messages", "no-such-folder/messages.h", "log"}
                                       << "cannot read the message header no-such-folder/messages.h";
    QTest::newRow("header without messages") << QStringList{"--messages", "HEADER", "log"} << "holds no messages";
}

void tst_CliLog::badUsageSendsNothing()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    // A header that is there but names no message.
    const QString header = m_scratch->file("#define VERSION 3\n", QStringLiteral("messages.h"));
    arguments.replaceInStrings(QRegularExpression("^HEADER$"), header);
    CliBench b;
    QCOMPARE(b.run(args(arguments)), 2);
    QVERIFY2(b.err.contains(message), qPrintable(b.err));
    QVERIFY(b.written.isEmpty());
    QVERIFY(b.out.isEmpty());
}

void tst_CliLog::simulatedTerminalBringsItsHeader()
{
    CliBench b;
    b.sim.logOutput().setRate(5);
    QCOMPARE(b.run(m_scratch->args({"--messages", m_scratch->filePath("messages.h"), "log", "--seconds", "2"})), 0);
    const QStringList printed = lines(b.out);
    QVERIFY2(printed.size() >= 8, qPrintable(b.out + b.err));
    QCOMPARE(printed, windowLines(7, 5, 3000).mid(0, printed.size()));
}

void tst_CliLog::silentTerminalExitsOne()
{
    CliBench b;
    b.sim.faults().silentCodes = {Commands::cmdLogOutput};
    QCOMPARE(b.run(args({"log", "--seconds", "1"})), 1);
    QVERIFY2(b.err.contains("did not answer the request to turn its log on"), qPrintable(b.err));
    // Nothing is waited for after the refusal.
    QVERIFY(b.out.isEmpty());
}

QTEST_GUILESS_MAIN(tst_CliLog)
#include "tst_clilog.moc"
