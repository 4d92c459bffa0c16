#include "InteractiveTests.h"

#include "Operator.h"
#include "SelfTestLog.h"
#include "TestItems.h"
#include "TestOutput.h"

#include "link/Commands.h"
#include "link/Link.h"

#include <QScopedValueRollback>

namespace {
QString mode(const QString &name)
{
    return QStringLiteral("Режим \"%1\"").arg(name);
}

const QString AudioCaption = mode(QStringLiteral("Проверка аудиотракта"));
const QString CallCaption = mode(QStringLiteral("Исходящий голосовой звонок"));
const QString RelayCaption = mode(QStringLiteral("Тестирование реле"));

const QString A1 = QStringLiteral("Нажмите кнопку ОК и позвоните на терминал!\r\n"
                                  "Как услышите входящий звонок нажмите кнопку для снятия трубки");
const QString A2 = QStringLiteral("Трубка снята, связь установлена, голосовой канал работает?");
const QString C1 = QStringLiteral("Нажмите и удерживайте кнопку гарнитуры в течении 5 секунд.\r\n"
                                  "Терминал позвонит на телефон дозвона.");
const QString C2 = QStringLiteral("Вызов на телефоне дозвона есть, голосовой канал работает?");
const QString R1 = QStringLiteral("Оба реле включились?");
const QString R2 = QStringLiteral("Оба реле выключились?");

const QString AudioPassed = QStringLiteral("[Аудиотракт] Тест пройден!");
const QString AudioFailed = QStringLiteral("[Аудиотракт] Тест не пройден!");
const QString CallPassed = QStringLiteral("[Исходящий звонок] Тест пройден!");
const QString CallFailed = QStringLiteral("[Исходящий звонок] Тест не пройден!");
const QString RelaysPassed = QStringLiteral("[Реле] Тест пройден!");
const QString RelaysFailed = QStringLiteral("[Реле] Тест не пройден!");

constexpr quint8 BothRelays = 0x03;
constexpr quint8 NoRelays = 0x00;
} // namespace

InteractiveTests::InteractiveTests(Link &link, Operator &op, TestOutput &output)
    : m_link(link)
    , m_operator(op)
    , m_output(output)
{
}

bool InteractiveTests::ask(const QString &text, const QString &caption, int style)
{
    const int pass = style == Operator::Question ? Operator::IdYes : Operator::IdOk;
    return m_operator.AskOperator(text, caption, style) == pass;
}

void InteractiveTests::RunInteractiveTests(quint8 mask)
{
    if (m_running) {
        qCDebug(lcSelfTest) << "end of tests reported again while the operator is busy; ignored";
        return;
    }
    QScopedValueRollback busy(m_running, true);
    if (mask & TestItems::Audio)
        testAudio();
    if ((mask & TestItems::Relays) && !testRelays())
        return;
    if (mask & TestItems::Adc)
        testAdc();
    m_output.appendLine(LongTimeText(now()) + QStringLiteral(" Тестирование окончено!"));
}

void InteractiveTests::testAudio()
{
    if (!ask(A1, AudioCaption, Operator::Instruction) || !ask(A2, AudioCaption, Operator::Question)) {
        m_output.appendLine(AudioFailed);
        return;
    }
    m_output.appendLine(AudioPassed);
    if (!ask(C1, CallCaption, Operator::Instruction)) {
        m_output.appendLine(CallFailed);
        return;
    }
    m_output.appendLine(ask(C2, CallCaption, Operator::Question) ? CallPassed : CallFailed);
}

bool InteractiveTests::testRelays()
{
    if (m_link.Transact(Commands::setRelays(BothRelays)).isEmpty())
        return false;
    const TBuf state = m_link.Transact(Commands::readRelays());
    if (state.isEmpty())
        return false;
    // The terminal did not switch them: there is nothing for the operator to judge.
    if (static_cast<quint8>(state.at(0)) != BothRelays)
        return true;
    if (!ask(R1, RelayCaption, Operator::Question)) {
        m_output.appendLine(RelaysFailed);
        return true;
    }
    const TBuf off = m_link.Transact(Commands::setRelays(NoRelays));
    if (off.isEmpty())
        return false;
    if (static_cast<quint8>(off.at(0)) != NoRelays)
        return true;
    m_output.appendLine(ask(R2, RelayCaption, Operator::Question) ? RelaysPassed : RelaysFailed);
    return true;
}

void InteractiveTests::testAdc()
{
    const bool calibrated = CalibrateADC && CalibrateADC();
    m_output.appendLine(
        calibrated ? QStringLiteral("[АЦП] Калибровка выполнена") : QStringLiteral("[АЦП] Калибровка не выполнена"));
}

void InteractiveTests::RelaysOff()
{
    m_link.Transact(Commands::setRelays(NoRelays));
}
