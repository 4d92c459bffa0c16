// selftest against the simulated terminal: the lines the test page shows,
// the operator's answers typed on the console, the ADC factor computed from
// the voltage typed in, and the ways a run ends without its end line.
#include "CliBench.h"
#include "CliScratch.h"

#include "calibration/AdcCalibration.h"
#include "link/Commands.h"

#include <QtTest>

namespace {
const QString StartLine = QStringLiteral(" Процесс самотестирования запущен");
const QString EndLine = QStringLiteral(" Тестирование окончено!");

QStringList lines(const QString &text)
{
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
} // namespace

class tst_CliSelfTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void operatorAnswersOnTheConsole_data();
    void operatorAnswersOnTheConsole();
    void adcFactorFromTheTypedVoltage();
    void badTestListSendsNothing_data();
    void badTestListSendsNothing();
    void runWithoutEndExitsOne_data();
    void runWithoutEndExitsOne();

private:
    std::unique_ptr<CliScratch> m_scratch;
};

void tst_CliSelfTest::init()
{
    m_scratch = std::make_unique<CliScratch>();
}


void tst_CliSelfTest::operatorAnswersOnTheConsole_data()
{
    QTest::addColumn<QString>("tests");
    QTest::addColumn<QByteArray>("typed");
    QTest::addColumn<QString>("startRequest");
    QTest::addColumn<QStringList>("operatorLines");

    // Enter confirms an instruction, y a question.
    QTest::newRow("all passed") << "ccid,audio,relays" << QByteArray("\ny\n\ny\ny\ny\n") << "7b 01 02"
                                << QStringList{"[Аудиотракт] Тест пройден!", "[Исходящий звонок] Тест пройден!",
                                               "[Реле] Тест пройден!"};
    QTest::newRow("operator says no") << "audio,relays,imei" << QByteArray("\nn\nn\n") << "7b 01 04"
                                      << QStringList{"[Аудиотракт] Тест не пройден!", "[Реле] Тест не пройден!"};
    QTest::newRow("answers that are neither are asked again")
        << "relays" << QByteArray("maybe\nY\nyes\n") << "7b 01 00" << QStringList{"[Реле] Тест пройден!"};
    QTest::newRow("input ends: cancel and no") << "audio,relays,adc" << QByteArray() << "7b 01 00"
                                               << QStringList{"[Аудиотракт] Тест не пройден!", "[Реле] Тест не пройден!",
                                                              "[АЦП] Калибровка не выполнена"};
}

void tst_CliSelfTest::operatorAnswersOnTheConsole()
{
    QFETCH(QString, tests);
    QFETCH(QByteArray, typed);
    QFETCH(QString, startRequest);
    QFETCH(QStringList, operatorLines);

    CliBench b;
    QCOMPARE(b.run(m_scratch->args({"selftest", tests}), typed), 0);
    QCOMPARE(b.requests().value(0), startRequest);
    const QStringList printed = lines(b.out);
    QVERIFY2(printed.size() >= 2, qPrintable(b.out));
    QVERIFY2(printed.first().endsWith(StartLine), qPrintable(printed.first()));
    QVERIFY2(printed.last().endsWith(EndLine), qPrintable(printed.last()));
    // The operator's verdicts come after the terminal's own lines, in order.
    QCOMPARE(printed.mid(printed.size() - 1 - operatorLines.size(), operatorLines.size()), operatorLines);
    // Questions go to stderr, never into the results.
    QVERIFY(!b.out.contains("?"));
    // Whatever the operator saw, the tool leaves both relays off.
    QCOMPARE(b.sim.relays(), quint8(0));
}

void tst_CliSelfTest::adcFactorFromTheTypedVoltage()
{
    CliBench b;
    const quint16 adc = b.sim.adcMillivolts();
    QCOMPARE(b.run(m_scratch->args({"selftest", "adc"}), "twelve\n0\n12650.5\n"), 0);
    const QStringList printed = lines(b.out);
    QCOMPARE(printed.value(printed.size() - 2), QString("[АЦП] Калибровка выполнена"));
    QVERIFY2(b.err.contains("'twelve' is not a voltage in mV") && b.err.contains("'0' is not a voltage in mV"),
             qPrintable(b.err));
    QCOMPARE(b.sim.parameters().adcFactor(), *AdcCalibration::Factor(12650.5, adc));
    // The reading (asked twice, as the dialog's reading does), the factor,
    // then the new factor: nothing else.
    const QStringList r = b.requests();
    QCOMPARE(r.mid(1, 3), QStringList({"24", "24", "25"}));
    QCOMPARE(r.size(), 5);
    QVERIFY(r.at(4).startsWith("a4 04"));
}

void tst_CliSelfTest::badTestListSendsNothing_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown test") << QStringList{"selftest", "gps,sram"}
                                  << "selftest: unknown test 'sram'; the tests are gps,ccid,imei,audio,flash,relays,adc";
    QTest::newRow("empty item") << QStringList{"selftest", "gps,"} << "selftest: unknown test ''";
    QTest::newRow("no list") << QStringList{"selftest"} << "selftest: expected TESTS";
    QTest::newRow("bad timeout") << QStringList{"selftest", "gps", "--timeout", "-5"}
                                 << "selftest: --timeout: '-5' is not a whole number above 0";
}

void tst_CliSelfTest::badTestListSendsNothing()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    CliBench b;
    QCOMPARE(b.run(m_scratch->args(arguments)), 2);
    QVERIFY2(b.err.contains(message), qPrintable(b.err));
    QVERIFY(b.written.isEmpty());
}

void tst_CliSelfTest::runWithoutEndExitsOne_data()
{
    QTest::addColumn<QString>("tests");
    QTest::addColumn<quint8>("silent");
    QTest::addColumn<int>("stopAtMs");
    QTest::addColumn<QString>("message");
    QTest::newRow("start unanswered") << "gps" << quint8(Commands::cmdStartTests) << -1
                                      << "the terminal did not start its self-test";
    QTest::newRow("silent during the relays") << "relays" << quint8(Commands::cmdSetRelays) << -1
                                              << "the terminal stopped answering during the operator's tests";
    QTest::newRow("timed out") << "gps --timeout 1" << quint8(0) << -1 << "the self-test did not end within 1 s";
    QTest::newRow("interrupted") << "gps,flash" << quint8(0) << 1000 << "self-test interrupted";
}

void tst_CliSelfTest::runWithoutEndExitsOne()
{
    QFETCH(QString, tests);
    QFETCH(quint8, silent);
    QFETCH(int, stopAtMs);
    QFETCH(QString, message);
    CliBench b;
    if (silent)
        b.sim.faults().silentCodes = {silent};
    if (stopAtMs >= 0)
        b.interrupted = [&] { return b.pump.now() >= stopAtMs; };
    QCOMPARE(b.run(m_scratch->args(QStringList{"selftest"} + tests.split(' ')), "y\ny\n"), 1);
    QVERIFY2(b.err.contains(message), qPrintable(b.err));
    QVERIFY(!b.out.contains(EndLine));
}

QTEST_GUILESS_MAIN(tst_CliSelfTest)
#include "tst_cliselftest.moc"
