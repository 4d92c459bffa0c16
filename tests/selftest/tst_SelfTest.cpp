#include "ConnectLink.h"
#include "LineLog.h"
#include "ScriptedOperator.h"
#include "ScriptedPort.h"
#include "VirtualPump.h"

#include "link/Commands.h"
#include "link/Link.h"
#include "selftest/SelfTest.h"
#include "selftest/TestFinishedEvent.h"

#include <QCoreApplication>
#include <QTest>

namespace {
const QTime FixedTime(7, 5, 9);
const QString EndLine = QStringLiteral("07:05:09 Тестирование окончено!");

using O = Operator;

// What the terminal answers, by request body; a body not listed stays unanswered.
using Replies = QMap<QByteArray, QByteArray>;

struct Rig
{
    VirtualPump pump;
    Link link { pump };
    ScriptedPort port { pump };
    ScriptedOperator op;
    LineLog log;
    SelfTest selfTest { link, op, log };
    Replies replies;
    QStringList events; // questions and the ADC dialog, in the order they came
    bool calibrated = false;

    Rig()
    {
        connectLink(link, port);
        link.HandleTestFrame = [this] { selfTest.HandleTestFrame(); };
        port.device = [this](const QByteArray &frame) {
            const QByteArray body = frame.mid(4, frame.size() - 5);
            if (replies.contains(body))
                port.reply(terminalFrame(quint8(body.at(0)), replies.value(body)));
        };
        selfTest.setTimeSource([] { return FixedTime; });
        selfTest.interactive().CalibrateADC = [this] {
            events << QStringLiteral("ADC");
            return calibrated;
        };
        op.whileAsking = [this] { events << op.asked.last().text.left(12); };
    }

    // The request bodies the program sent, in order.
    QList<QByteArray> requests() const
    {
        QList<QByteArray> bodies;
        for (const QByteArray &frame : port.written)
            bodies << frame.mid(4, frame.size() - 5);
        return bodies;
    }
};

QByteArray one(quint8 b)
{
    return QByteArray(1, char(b));
}

const QByteArray RelaysOn = Commands::setRelays(3);
const QByteArray RelaysQuery = Commands::readRelays();
const QByteArray RelaysOffRequest = Commands::setRelays(0);

// A terminal that switches both relays on and off as asked.
Replies workingRelays()
{
    return { { RelaysOn, one(3) }, { RelaysQuery, one(3) }, { RelaysOffRequest, one(0) } };
}

const QString A1 = QStringLiteral("Нажмите кноп");
const QString A2 = QStringLiteral("Трубка снята");
const QString C1 = QStringLiteral("Нажмите и уд");
const QString C2 = QStringLiteral("Вызов на тел");
const QString R1 = QStringLiteral("Оба реле вкл");
const QString R2 = QStringLiteral("Оба реле вык");
const QString Adc = QStringLiteral("ADC");

const QString AudioPassed = QStringLiteral("[Аудиотракт] Тест пройден!");
const QString AudioFailed = QStringLiteral("[Аудиотракт] Тест не пройден!");
const QString CallPassed = QStringLiteral("[Исходящий звонок] Тест пройден!");
const QString CallFailed = QStringLiteral("[Исходящий звонок] Тест не пройден!");
const QString RelaysPassed = QStringLiteral("[Реле] Тест пройден!");
const QString RelaysFailed = QStringLiteral("[Реле] Тест не пройден!");
const QString Calibrated = QStringLiteral("[АЦП] Калибровка выполнена");
const QString NotCalibrated = QStringLiteral("[АЦП] Калибровка не выполнена");
} // namespace

Q_DECLARE_METATYPE(Replies)

class tst_SelfTest : public QObject
{
    Q_OBJECT
private slots:
    void startRequest_data();
    void startRequest();
    void startReply_data();
    void startReply();
    void sequence_data();
    void sequence();
    void dialogs();
    void endOfRunRunsFromTheQueue();
    void nestedEndOfRunIgnored();
    void button1SwitchesRelaysOff();
};

void tst_SelfTest::startRequest_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("sent");
    QTest::newRow("all seven") << 0xDF << 0x17;
    QTest::newRow("only audio") << 0x08 << 0x00;
    QTest::newRow("only operator tests") << 0xC8 << 0x00;
    QTest::newRow("gps and flash") << 0x11 << 0x11;
    QTest::newRow("nothing") << 0x00 << 0x00;
}

void tst_SelfTest::startRequest()
{
    QFETCH(int, selected);
    QFETCH(int, sent);
    Rig rig;
    rig.replies[Commands::startTests(quint8(sent))] = one(0xF1);
    rig.selfTest.StartSelfTest(quint8(selected));
    QCOMPARE(rig.requests(), QList<QByteArray> { QByteArray::fromHex("7b01") + char(sent) });
    // The operator's bits stay in the mask for the end of the run.
    QCOMPARE(int(rig.selfTest.TestMask), selected);
}

void tst_SelfTest::startReply_data()
{
    QTest::addColumn<bool>("answered");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QStringList>("lines");
    const QStringList started { QStringLiteral("07:05:09 Процесс самотестирования запущен") };
    QTest::newRow("started") << true << one(0xF1) << started;
    QTest::newRow("started with more bytes") << true << QByteArray("\xF1\x00", 2) << started;
    QTest::newRow("refused") << true << one(0x00) << QStringList();
    QTest::newRow("empty payload") << true << QByteArray() << QStringList();
    QTest::newRow("silent") << false << QByteArray() << QStringList();
}

void tst_SelfTest::startReply()
{
    QFETCH(bool, answered);
    QFETCH(QByteArray, reply);
    QFETCH(QStringList, lines);
    Rig rig;
    rig.log.lines = QStringList { QStringLiteral("old result") };
    if (answered)
        rig.replies[Commands::startTests(0x01)] = reply;
    rig.selfTest.StartSelfTest(0x01);
    QCOMPARE(rig.log.clears, 1);
    QCOMPARE(rig.log.lines, lines);
    QVERIFY(rig.op.asked.isEmpty());
}

void tst_SelfTest::sequence_data()
{
    QTest::addColumn<int>("mask");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<Replies>("replies");
    QTest::addColumn<bool>("calibrated");
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QList<QByteArray>>("requests");
    QTest::addColumn<QStringList>("lines");

    const QList<QByteArray> none;
    const QList<QByteArray> fullRelays { RelaysOn, RelaysQuery, RelaysOffRequest };

    QTest::newRow("nothing selected") << 0x00 << QList<int> {} << Replies {} << false << QStringList {} << none
                                      << QStringList { EndLine };
    QTest::newRow("terminal tests only") << 0x17 << QList<int> {} << Replies {} << false << QStringList {} << none
                                         << QStringList { EndLine };

    QTest::newRow("audio and call pass") << 0x08 << QList<int> { O::IdOk, O::IdYes, O::IdOk, O::IdYes } << Replies {} << false
                                         << QStringList { A1, A2, C1, C2 } << none
                                         << QStringList { AudioPassed, CallPassed, EndLine };
    QTest::newRow("audio cancelled at A1") << 0x08 << QList<int> { O::IdCancel } << Replies {} << false << QStringList { A1 }
                                           << none << QStringList { AudioFailed, EndLine };
    QTest::newRow("audio No at A2") << 0x08 << QList<int> { O::IdOk, O::IdNo } << Replies {} << false << QStringList { A1, A2 }
                                    << none << QStringList { AudioFailed, EndLine };
    QTest::newRow("call cancelled at C1") << 0x08 << QList<int> { O::IdOk, O::IdYes, O::IdCancel } << Replies {} << false
                                          << QStringList { A1, A2, C1 } << none
                                          << QStringList { AudioPassed, CallFailed, EndLine };
    QTest::newRow("call No at C2") << 0x08 << QList<int> { O::IdOk, O::IdYes, O::IdOk, O::IdNo } << Replies {} << false
                                   << QStringList { A1, A2, C1, C2 } << none << QStringList { AudioPassed, CallFailed, EndLine };
    QTest::newRow("Yes is no answer to an instruction") << 0x08 << QList<int> { O::IdYes } << Replies {} << false
                                                        << QStringList { A1 } << none << QStringList { AudioFailed, EndLine };

    QTest::newRow("relays pass") << 0x40 << QList<int> { O::IdYes, O::IdYes } << workingRelays() << false
                                 << QStringList { R1, R2 } << fullRelays << QStringList { RelaysPassed, EndLine };
    QTest::newRow("relays No at R1 leaves them on")
        << 0x40 << QList<int> { O::IdNo } << workingRelays() << false << QStringList { R1 }
        << QList<QByteArray> { RelaysOn, RelaysQuery } << QStringList { RelaysFailed, EndLine };
    QTest::newRow("relays No at R2") << 0x40 << QList<int> { O::IdYes, O::IdNo } << workingRelays() << false
                                     << QStringList { R1, R2 } << fullRelays << QStringList { RelaysFailed, EndLine };
    QTest::newRow("relays OK is no answer to a question")
        << 0x40 << QList<int> { O::IdOk } << workingRelays() << false << QStringList { R1 }
        << QList<QByteArray> { RelaysOn, RelaysQuery } << QStringList { RelaysFailed, EndLine };

    Replies oneRelay = workingRelays();
    oneRelay[RelaysQuery] = one(1);
    QTest::newRow("relays not both on: no verdict") << 0x40 << QList<int> {} << oneRelay << false << QStringList {}
                                                    << QList<QByteArray> { RelaysOn, RelaysQuery } << QStringList { EndLine };
    Replies stuck = workingRelays();
    stuck[RelaysOffRequest] = one(2);
    QTest::newRow("relays not off: no verdict")
        << 0x40 << QList<int> { O::IdYes } << stuck << false << QStringList { R1 } << fullRelays << QStringList { EndLine };

    // Eleven frames of each unanswered request, then the run ends without a word.
    const auto tries = [](const QByteArray &r) { return QList<QByteArray>(Link::MaxFrames, r); };
    QTest::newRow("relays silent terminal writes nothing")
        << 0x40 << QList<int> {} << Replies {} << false << QStringList {} << tries(RelaysOn) << QStringList {};
    Replies noState = workingRelays();
    noState.remove(RelaysQuery);
    QTest::newRow("relays state unanswered") << 0xC0 << QList<int> {} << noState << true << QStringList {}
                                             << QList<QByteArray> { RelaysOn } + tries(RelaysQuery) << QStringList {};
    Replies noOff = workingRelays();
    noOff.remove(RelaysOffRequest);
    QTest::newRow("relays off unanswered") << 0xC0 << QList<int> { O::IdYes } << noOff << true << QStringList { R1 }
                                           << QList<QByteArray> { RelaysOn, RelaysQuery } + tries(RelaysOffRequest)
                                           << QStringList {};

    QTest::newRow("adc cancelled") << 0x80 << QList<int> {} << Replies {} << false << QStringList { Adc } << none
                                   << QStringList { NotCalibrated, EndLine };
    QTest::newRow("adc saved") << 0x80 << QList<int> {} << Replies {} << true << QStringList { Adc } << none
                               << QStringList { Calibrated, EndLine };

    QTest::newRow("audio, relays, adc in order")
        << 0xC8 << QList<int> { O::IdOk, O::IdYes, O::IdOk, O::IdYes, O::IdYes, O::IdYes } << workingRelays() << true
        << QStringList { A1, A2, C1, C2, R1, R2, Adc } << fullRelays
        << QStringList { AudioPassed, CallPassed, RelaysPassed, Calibrated, EndLine };
    QTest::newRow("audio fails, relays silent: audio line only")
        << 0xC8 << QList<int> { O::IdCancel } << Replies {} << true << QStringList { A1 } << tries(RelaysOn)
        << QStringList { AudioFailed };
}

void tst_SelfTest::sequence()
{
    QFETCH(int, mask);
    QFETCH(QList<int>, answers);
    QFETCH(Replies, replies);
    QFETCH(bool, calibrated);
    QFETCH(QStringList, events);
    QFETCH(QList<QByteArray>, requests);
    QFETCH(QStringList, lines);
    Rig rig;
    rig.op.answers = answers;
    rig.replies = replies;
    rig.calibrated = calibrated;
    rig.selfTest.TestMask = quint8(mask);
    rig.selfTest.RunInteractiveTests();
    QCOMPARE(rig.events, events);
    QCOMPARE(rig.requests(), requests);
    QCOMPARE(rig.log.lines, lines);
    QVERIFY(!rig.selfTest.interactive().running());
}

// Every question exactly as the operator sees it.
void tst_SelfTest::dialogs()
{
    Rig rig;
    rig.op.answers = { O::IdOk, O::IdYes, O::IdOk, O::IdYes, O::IdYes, O::IdYes };
    rig.replies = workingRelays();
    rig.selfTest.TestMask = 0x48;
    rig.selfTest.RunInteractiveTests();

    const QString audio = QStringLiteral("Режим \"Проверка аудиотракта\"");
    const QString call = QStringLiteral("Режим \"Исходящий голосовой звонок\"");
    const QString relay = QStringLiteral("Режим \"Тестирование реле\"");
    const QList<ScriptedOperator::Question> expected {
        { QStringLiteral("Нажмите кнопку ОК и позвоните на терминал!\r\n"
                         "Как услышите входящий звонок нажмите кнопку для снятия трубки"),
            audio, 0x41 },
        { QStringLiteral("Трубка снята, связь установлена, голосовой канал работает?"), audio, 0x24 },
        { QStringLiteral("Нажмите и удерживайте кнопку гарнитуры в течении 5 секунд.\r\n"
                         "Терминал позвонит на телефон дозвона."),
            call, 0x41 },
        { QStringLiteral("Вызов на телефоне дозвона есть, голосовой канал работает?"), call, 0x24 },
        { QStringLiteral("Оба реле включились?"), relay, 0x24 },
        { QStringLiteral("Оба реле выключились?"), relay, 0x24 },
    };
    QCOMPARE(rig.op.asked.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(rig.op.asked.at(i).text, expected.at(i).text);
        QCOMPARE(rig.op.asked.at(i).caption, expected.at(i).caption);
        QCOMPARE(rig.op.asked.at(i).flags, expected.at(i).flags);
    }
}

// The receiver only posts; the operator is asked once the queue is served,
// and with the mask of the last start.
void tst_SelfTest::endOfRunRunsFromTheQueue()
{
    Rig rig;
    rig.replies[Commands::startTests(0x00)] = one(0xF1);
    rig.selfTest.StartSelfTest(0x08);
    rig.op.answers = { O::IdCancel };
    rig.port.inject(terminalFrame(Commands::cmdTestReport, QByteArray("\x00\xF2", 2)));
    QVERIFY(rig.op.asked.isEmpty());
    QCOMPARE(rig.log.lines.size(), 1);

    QCoreApplication::sendPostedEvents(&rig.selfTest, WM_TEST_FINISHED);
    QCOMPARE(rig.log.lines, (QStringList { QStringLiteral("07:05:09 Процесс самотестирования запущен"), AudioFailed, EndLine }));

    // A second end of run repeats the sequence with the same mask.
    QCoreApplication::postEvent(&rig.selfTest, new QEvent(WM_TEST_FINISHED));
    QCoreApplication::sendPostedEvents(&rig.selfTest, WM_TEST_FINISHED);
    QCOMPARE(rig.op.asked.size(), 2);
    QCOMPARE(rig.log.lines.mid(3), (QStringList { AudioFailed, EndLine }));
}

// A modal question keeps the event loop running; an end of run reported
// meanwhile must not start a second sequence inside the first.
void tst_SelfTest::nestedEndOfRunIgnored()
{
    Rig rig;
    rig.selfTest.TestMask = 0x08;
    rig.op.answers = { O::IdOk, O::IdYes, O::IdOk, O::IdYes };
    rig.op.whileAsking = [&rig] {
        rig.port.inject(terminalFrame(Commands::cmdTestReport, QByteArray("\x00\xF2", 2)));
        QCoreApplication::sendPostedEvents(&rig.selfTest, WM_TEST_FINISHED);
    };
    QCoreApplication::postEvent(&rig.selfTest, new QEvent(WM_TEST_FINISHED));
    QCoreApplication::sendPostedEvents(&rig.selfTest, WM_TEST_FINISHED);
    QCOMPARE(rig.op.asked.size(), 4);
    QCOMPARE(rig.log.lines, (QStringList { AudioPassed, CallPassed, EndLine }));
}

void tst_SelfTest::button1SwitchesRelaysOff()
{
    Rig rig;
    rig.selfTest.Button1Click();
    // Unanswered: repeated like any request, and nothing is shown.
    QCOMPARE(rig.requests(), QList<QByteArray>(Link::MaxFrames, RelaysOffRequest));
    QVERIFY(rig.log.lines.isEmpty());
}

QTEST_GUILESS_MAIN(tst_SelfTest)
#include "tst_SelfTest.moc"
