#include "ConnectLink.h"
#include "ScriptedOperator.h"
#include "ScriptedPort.h"
#include "ScriptedSim.h"
#include "VirtualPump.h"

#include "config/ParamRegistry.h"
#include "config/TDigitalSensorParam.h"
#include "link/Link.h"
#include "selftest/SelfTest.h"
#include "selftest/TestFinishedEvent.h"
#include "selftest/TestMemo.h"
#include "selftest/TestPage.h"
#include "sim/SimTerminal.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>

// "Старт" with every test ticked, against the simulated terminal: its own
// reports, the end of its run arriving through the queue, then the operator's
// tests switching the simulated relays. The result view is checked line by line.
class tst_SelfTestSim : public QObject
{
    Q_OBJECT

private slots:
    void wholeRunAgainstTheTerminal_data();
    void wholeRunAgainstTheTerminal();
};

namespace {
using O = Operator;

struct Rig
{
    VirtualPump pump;
    Link link { pump };
    ScriptedPort port { pump };
    SimTerminal terminal;
    ScriptedSim sim { pump, port, terminal };
    ParamRegistry registry { [this](const TBuf &request) { return link.Transact(request); } };
    TDigitalSensorParam InputsState { registry, 0, 45 };
    ScriptedOperator op;
    TestPage page { link, op, InputsState };

    Rig()
    {
        terminal.setEpoch(QDateTime(QDate(2026, 3, 14), QTime(9, 26, 53), Qt::UTC));
        connectLink(link, port);
        link.HandleTestFrame = [this] { page.selfTest().HandleTestFrame(); };
        page.selfTest().setTimeSource([] { return QTime(10, 0, 1); });
        page.selfTest().interactive().CalibrateADC = [] { return true; };
    }

    void start()
    {
        for (QCheckBox *item : page.findChild<QGroupBox *>(QStringLiteral("CBTestGroup"))->findChildren<QCheckBox *>())
            item->setChecked(true);
        page.findChild<QPushButton *>(QStringLiteral("cxButton1"))->click();
    }

    // Runs the terminal's tests to their end and the operator's sequence that follows.
    void runToTheEnd()
    {
        for (int waited = 0; waited < 10000; waited += 100) {
            pump.advance(100);
            sim.sync();
        }
        QCoreApplication::sendPostedEvents(&page.selfTest(), WM_TEST_FINISHED);
    }
};
} // namespace

void tst_SelfTestSim::wholeRunAgainstTheTerminal_data()
{
    QTest::addColumn<quint8>("failing");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<quint8>("relaysAfter");

    const QString started = QStringLiteral("10:00:01 Процесс самотестирования запущен");
    const QStringList gsm { QStringLiteral("[GSM] CCID ОК"), QStringLiteral("[GSM] CCID SIM карты:89701012417293358106"),
                            QStringLiteral("[GSM] IMEI ОК"), QStringLiteral("[GSM] IMEI:861230045678903") };
    const QStringList sram { QStringLiteral("[SRAM] 1 банк ОК"), QStringLiteral("[SRAM] 2 банк ОК") };
    const QString end = QStringLiteral("10:00:01 Тестирование окончено!");

    QTest::newRow("everything passes")
        << quint8(0) << QList<int> { O::IdOk, O::IdYes, O::IdOk, O::IdYes, O::IdYes, O::IdYes }
        << (QStringList { started,
                          QStringLiteral("[GPS] Получены данные"),
                          QStringLiteral("[GPS] Время и дата:2026 3 14 9:26:54"),
                          QStringLiteral("[GPS] Широта:55.7522010803223"),
                          QStringLiteral("[GPS] Долгота:37.6156005859375"),
                          QStringLiteral("[GPS] Высота:156 м."),
                          QStringLiteral("[GPS] Кол-во спутников:9"),
                          QStringLiteral("[GPS] Скорость на земле:0 Км/ч."),
                          QStringLiteral("[GPS] Курс:0"),
                          QStringLiteral("[GPS] Данные верны.") }
            + gsm
            + QStringList { QStringLiteral("[FLASH] ОК"), QStringLiteral("[FLASH] Контрольная структура записана"),
                            QStringLiteral("[FLASH] Память работает исправно") }
            + sram
            + QStringList { QStringLiteral("[Аудиотракт] Тест пройден!"), QStringLiteral("[Исходящий звонок] Тест пройден!"),
                            QStringLiteral("[Реле] Тест пройден!"), QStringLiteral("[АЦП] Калибровка выполнена"), end })
        << quint8(0);

    // A receiver without a fix and a memory error; the operator gives up on
    // the audio path and sees no relay switch on, which leaves them on.
    QTest::newRow("receiver and memory fail, operator refuses")
        << quint8(SimSelfTest::Gps | SimSelfTest::Flash) << QList<int> { O::IdCancel, O::IdNo }
        << (QStringList { started,
                          QStringLiteral("[GPS] Ошибка"),
                          QStringLiteral("[GPS] Время и дата:0 0 0 0:0:0"),
                          QStringLiteral("[GPS] Широта:0"),
                          QStringLiteral("[GPS] Долгота:0"),
                          QStringLiteral("[GPS] Высота:0 м."),
                          QStringLiteral("[GPS] Кол-во спутников:0"),
                          QStringLiteral("[GPS] Скорость на земле:0 Км/ч."),
                          QStringLiteral("[GPS] Курс:0"),
                          QStringLiteral("[GPS] Данные не верны.") }
            + gsm
            + QStringList { QStringLiteral("[FLASH] Ошибка"), QStringLiteral("[FLASH] Ошибка памяти.") }
            + sram
            + QStringList { QStringLiteral("[Аудиотракт] Тест не пройден!"), QStringLiteral("[Реле] Тест не пройден!"),
                            QStringLiteral("[АЦП] Калибровка выполнена"), end })
        << quint8(3);
}

void tst_SelfTestSim::wholeRunAgainstTheTerminal()
{
    QFETCH(quint8, failing);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, lines);
    QFETCH(quint8, relaysAfter);

    Rig rig;
    rig.terminal.selfTest().failing = failing;
    rig.op.answers = answers;
    rig.start();
    rig.runToTheEnd();

    const QStringList shown = rig.page.memo()->toPlainText().split(u'\n');
    for (int i = 0; i < qMin(shown.size(), lines.size()); ++i)
        QCOMPARE(shown.at(i), lines.at(i));
    QCOMPARE(shown.size(), lines.size());
    QVERIFY(rig.op.answers.isEmpty()); // every scripted answer was asked for
    QCOMPARE(rig.terminal.relays(), relaysAfter);
}

QTEST_MAIN(tst_SelfTestSim)
#include "tst_SelfTestSim.moc"
