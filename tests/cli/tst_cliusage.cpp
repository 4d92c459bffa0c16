// The command line itself: help, bad usage (exit 2 before any port is
// opened), the settings file's defaults, and a port that will not open.
#include "CliBench.h"
#include "cli/Cli.h"
#include "cli/CliCommand.h"

#include <QTemporaryDir>
#include <QtTest>

class tst_CliUsage : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void badUsage_data();
    void badUsage();
    void toolHelpListsEveryCommand();
    void commandHelp_data();
    void commandHelp();
    void portFromSettingsFile();
    void portThatWillNotOpen();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_settings;
};

void tst_CliUsage::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_settings = m_dir->filePath(QStringLiteral("tvConfigC.xml"));
}

void tst_CliUsage::badUsage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");

    QTest::newRow("no command") << QStringList{} << "no command";
    QTest::newRow("unknown command") << QStringList{"frobnicate"} << "unknown command 'frobnicate'";
    QTest::newRow("unknown tool option") << QStringList{"--colour", "read"} << "colour";
    QTest::newRow("port without value") << QStringList{"--port"} << "port";
    QTest::newRow("empty port") << QStringList{"--port", "", "ports"} << "port name is empty";
    QTest::newRow("baud not a number") << QStringList{"--baud", "fast", "ports"} << "'fast' is not a bit rate";
    QTest::newRow("baud zero") << QStringList{"--baud", "0", "ports"} << "'0' is not a bit rate";
    QTest::newRow("baud negative") << QStringList{"--baud", "-9600", "ports"} << "is not a bit rate";
    QTest::newRow("unknown command option") << QStringList{"ports", "--fast"} << "fast";
    QTest::newRow("extra argument") << QStringList{"ports", "all"} << "expected no arguments";
}

void tst_CliUsage::badUsage()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    CliBench b;
    QCOMPARE(b.run(QStringList{"--settings", m_settings} + args), 2);
    QVERIFY2(b.err.contains(message), qPrintable(b.err));
    QVERIFY(b.out.isEmpty());
    QVERIFY(!b.portOpened);
    QVERIFY(b.written.isEmpty());
    QVERIFY(!QFile::exists(m_settings));
}

void tst_CliUsage::toolHelpListsEveryCommand()
{
    CliBench b;
    QCOMPARE(b.run({"--help"}), 0);
    QVERIFY(b.out.startsWith("Usage: taviron-cli [--port NAME] [--baud RATE] [--messages FILE] [--settings FILE] COMMAND"));
    for (const QString option : {"--port <NAME>", "--baud <RATE>", "--messages <FILE>", "--settings <FILE>"})
        QVERIFY2(b.out.contains(option), qPrintable(option));
    for (const CliCommand &c : Cli::commands())
        QVERIFY2(b.out.contains("  " + c.synopsis + "  "), qPrintable(c.synopsis));
    QVERIFY(b.err.isEmpty());
    QVERIFY(!b.portOpened);
}

void tst_CliUsage::commandHelp_data()
{
    QTest::addColumn<QString>("command");
    for (const CliCommand &c : Cli::commands())
        QTest::newRow(qPrintable(c.name)) << c.name;
}

void tst_CliUsage::commandHelp()
{
    QFETCH(QString, command);
    const CliCommand *c = nullptr;
    for (const CliCommand &candidate : Cli::commands())
        if (candidate.name == command)
            c = &candidate;
    QVERIFY(c);
    // Both spellings: after the command, and the tool's --help before it.
    for (const QStringList &args : {QStringList{command, "--help"}, QStringList{"--help", command}}) {
        CliBench b;
        QCOMPARE(b.run(args), 0);
        QVERIFY2(b.out.startsWith("Usage: taviron-cli [OPTIONS] " + c->synopsis + "\n\n" + c->description),
                 qPrintable(b.out));
        for (const QCommandLineOption &o : c->options)
            QVERIFY2(b.out.contains("--" + o.names().constLast()), qPrintable(o.names().constLast()));
        QVERIFY(!b.portOpened);
    }
}

void tst_CliUsage::portFromSettingsFile()
{
    QFile f(m_settings);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<FORMS>\n<Setup>\n<Com value=\"/dev/ttyS7\"/>\n"
            "<BaudRate value=\"abc\"/>\n</Setup>\n</FORMS>\n");
    f.close();
    CliBench b;
    b.failOpen = true;
    // The failure message names the port the settings file chose.
    QCOMPARE(b.run({"--settings", m_settings, "mode", "1"}), 1);
    QVERIFY2(b.err.contains("cannot open port /dev/ttyS7: Access denied"), qPrintable(b.err));
}

void tst_CliUsage::portThatWillNotOpen()
{
    CliBench b;
    b.failOpen = true;
    QCOMPARE(b.run({"--settings", m_settings, "--port", "/dev/ttyUSB9", "mode", "1"}), 1);
    QVERIFY2(b.err.contains("cannot open port /dev/ttyUSB9"), qPrintable(b.err));
    QVERIFY(b.out.isEmpty());
    QVERIFY(b.written.isEmpty());
    QVERIFY(!QFile::exists(m_settings));
}

QTEST_GUILESS_MAIN(tst_CliUsage)
#include "tst_cliusage.moc"
