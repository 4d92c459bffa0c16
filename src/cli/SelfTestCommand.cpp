#include "SelfTestCommand.h"

#include "CliCommand.h"
#include "CliConfig.h"
#include "CliContext.h"
#include "CliError.h"
#include "ConsoleOperator.h"
#include "calibration/AdcCalibration.h"
#include "selftest/SelfTest.h"
#include "selftest/TestItems.h"
#include "selftest/TestOutput.h"

#include <QCommandLineParser>
#include <QMutexLocker>

#include <algorithm>

namespace {

const QCommandLineOption TimeoutOption(QStringLiteral("timeout"),
                                       QStringLiteral("Give up after S seconds without the end line (default 120)."),
                                       QStringLiteral("S"));
constexpr int DefaultTimeoutSeconds = 120;
const QString EndLine = QStringLiteral(" Тестирование окончено!");
const QString RelaysPassed = QStringLiteral("[Реле] Тест пройден!");
// The dialog's limit for the measured voltage.
constexpr double MaxVoltageMv = 100000;

struct TestName
{
    const char *name;
    quint8 bit;
};
// The seven items of the selection, in its order.
constexpr TestName TestNames[] = {
    {"gps", TestItems::Gps},     {"ccid", TestItems::GsmCcid},  {"imei", TestItems::GsmImei}, {"audio", TestItems::Audio},
    {"flash", TestItems::Flash}, {"relays", TestItems::Relays}, {"adc", TestItems::Adc},
};

QString namesList()
{
    QStringList names;
    for (const TestName &t : TestNames)
        names << QString::fromLatin1(t.name);
    return names.join(QLatin1Char(','));
}

quint8 parseTests(const QString &list)
{
    quint8 mask = 0;
    for (const QString &item : list.split(QLatin1Char(','))) {
        const auto *t = std::find_if(std::begin(TestNames), std::end(TestNames),
                                     [&](const TestName &n) { return item.trimmed() == QLatin1String(n.name); });
        if (t == std::end(TestNames))
            throw CliError::usage(QStringLiteral("selftest: unknown test '%1'; the tests are %2").arg(item, namesList()));
        mask |= t->bit;
    }
    return mask;
}

// The result view on the console: every line at once.
class ConsoleTestOutput : public TestOutput
{
public:
    explicit ConsoleTestOutput(QTextStream &out)
        : m_out(out)
    {
    }
    void clearLines() override {}
    void appendLine(const QString &text) override
    {
        m_out << text << Qt::endl;
        ++lines;
        if (text.endsWith(EndLine))
            finished = true;
        if (text == RelaysPassed)
            relaysPassed = true;
    }
    int lines = 0;
    bool finished = false;
    bool relaysPassed = false;

private:
    QTextStream &m_out;
};

// The ADC step as the calibration dialog does it: the terminal's reading,
// the voltage the operator measured, the factor computed from both and
// written. Refusing to give a voltage leaves the factor alone.
bool calibrateOnConsole(CliConfig &config, ConsoleOperator &op, QTextStream &err)
{
    const quint16 adc = config.params.ADCValue.ReadWord();
    const float factor = config.params.ADCFactor.ReadFloat();
    err << Qt::endl
        << QStringLiteral("ADC calibration: the terminal's ADC reads %1 mV, its factor is %2").arg(adc).arg(double(factor))
        << Qt::endl;
    for (;;) {
        const std::optional<QString> answer = op.askLine(QStringLiteral("Measured supply voltage in mV (empty: skip): "));
        if (!answer || answer->isEmpty())
            return false;
        bool ok = false;
        const double mv = answer->toDouble(&ok);
        if (!ok || mv <= 0 || mv > MaxVoltageMv) {
            err << QStringLiteral("'%1' is not a voltage in mV (above 0, at most %2)").arg(*answer).arg(MaxVoltageMv)
                << Qt::endl;
            continue;
        }
        const std::optional<float> newFactor = AdcCalibration::Factor(mv, adc);
        if (!newFactor) {
            err << "the terminal's ADC reads 0 mV: no factor can be computed" << Qt::endl;
            return false;
        }
        config.params.ADCFactor.WriteFloat(*newFactor);
        err << QStringLiteral("new factor %1 written").arg(double(*newFactor)) << Qt::endl;
        return true;
    }
}

// The link's self-test hook for as long as the command runs.
class TestFrameHook
{
public:
    TestFrameHook(Link &link, SelfTest &test)
        : m_link(link)
    {
        QMutexLocker lock(&m_link.LinkLock);
        m_link.HandleTestFrame = [&test] { test.HandleTestFrame(); };
    }
    ~TestFrameHook()
    {
        QMutexLocker lock(&m_link.LinkLock);
        m_link.HandleTestFrame = nullptr;
    }
    TestFrameHook(const TestFrameHook &) = delete;
    TestFrameHook &operator=(const TestFrameHook &) = delete;

private:
    Link &m_link;
};

} // namespace

CliCommand selfTestCommand()
{
    CliCommand c;
    c.name = QStringLiteral("selftest");
    c.synopsis = QStringLiteral("selftest TESTS [--timeout S]");
    c.arguments = {QStringLiteral("TESTS")};
    c.summary = QStringLiteral("run the self-test (TESTS: a comma list of %1)").arg(namesList());
    c.description =
        QStringLiteral(
            "Runs the selected tests (a comma list of %1) and prints the lines the test page shows. The tests only a "
            "person can judge (audio, relays, adc) ask on the console: y or n (Enter confirms an instruction), and "
            "for the ADC the supply voltage measured in mV, from which the new calibration factor is computed and "
            "written. Ends after the line \"%2\"; without it after S seconds (default %3) with exit status 1.")
            .arg(namesList(), EndLine.trimmed())
            .arg(DefaultTimeoutSeconds);
    c.options = {TimeoutOption};
    c.run = [](CliContext &ctx, const QCommandLineParser &parser) {
        const quint8 mask = parseTests(parser.positionalArguments().at(0));
        const qint64 timeoutMs = qint64(parser.isSet(TimeoutOption) ? CliOptions::positiveNumber(
                                            parser.value(TimeoutOption), QStringLiteral("selftest: --timeout"))
                                                                   : DefaultTimeoutSeconds)
            * 1000;

        CliSession &session = ctx.session();
        CliConfig config(session, nullptr);
        ConsoleOperator op(ctx.in(), ctx.err());
        ConsoleTestOutput output(ctx.out());
        SelfTest test(session.link(), op, output);
        test.interactive().CalibrateADC = [&] { return calibrateOnConsole(config, op, ctx.err()); };
        // The window posts the end of the terminal's tests to its event queue
        // and runs the operator's tests from there; here the command's own
        // loop is that queue.
        bool terminalDone = false;
        test.frames().PostTestFinished = [&] { terminalDone = true; };
        const TestFrameHook hook(session.link(), test);

        test.StartSelfTest(mask);
        if (output.lines == 0)
            throw CliError::device(QStringLiteral("the terminal did not start its self-test"));
        switch (ctx.wait(timeoutMs, [&] { return terminalDone; })) {
        case CliContext::WaitEnd::Done:
            break;
        case CliContext::WaitEnd::TimedOut:
            throw CliError::device(QStringLiteral("the self-test did not end within %1 s").arg(timeoutMs / 1000));
        case CliContext::WaitEnd::Interrupted:
            throw CliError::device(QStringLiteral("self-test interrupted"));
        case CliContext::WaitEnd::PortLost:
            throw CliError::device(QStringLiteral("the port went away: %1").arg(session.lostReason()));
        }
        test.RunInteractiveTests();
        // The window leaves relays the operator did not see switch off to
        // its "relays off" button; the tool has none, and a terminal must not
        // be left with both relays on after it exits.
        if ((mask & TestItems::Relays) && !output.relaysPassed)
            test.Button1Click();
        if (!output.finished)
            throw CliError::device(QStringLiteral("the terminal stopped answering during the operator's tests"));
        return int(ExitDone);
    };
    return c;
}
