#include "ConnectLink.h"
#include "ScriptedOperator.h"
#include "ScriptedPort.h"
#include "VirtualPump.h"

#include "config/ParamRegistry.h"
#include "config/TDigitalSensorParam.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "selftest/DigitalInputsGroup.h"
#include "selftest/SelfTest.h"
#include "selftest/SensorRadioGroup.h"
#include "selftest/TestHighlighter.h"
#include "selftest/TestMemo.h"
#include "selftest/TestPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace {
struct Rig
{
    VirtualPump pump;
    Link link { pump };
    ScriptedPort port { pump };
    ParamRegistry registry { [this](const TBuf &request) { return link.Transact(request); } };
    TDigitalSensorParam InputsState { registry, 0, 45 };
    ScriptedOperator op;
    TestPage page { link, op, InputsState };
    // The answer to the next inputs read; empty: the terminal stays silent.
    QByteArray inputs;

    Rig()
    {
        connectLink(link, port);
        port.device = [this](const QByteArray &frame) {
            const QByteArray body = frame.mid(4, frame.size() - 5);
            if (body == Commands::readParam(45) && !inputs.isEmpty())
                port.reply(terminalFrame(45, inputs));
            if (body.startsWith(char(Commands::cmdStartTests)))
                port.reply(terminalFrame(Commands::cmdStartTests, QByteArray(1, char(0xF1))));
        };
    }

    QList<QCheckBox *> items() const
    {
        return page.findChild<QGroupBox *>(QStringLiteral("CBTestGroup"))->findChildren<QCheckBox *>();
    }
    QPushButton *button(const QString &name) const { return page.findChild<QPushButton *>(name); }

    QStringList shownInputs() const
    {
        QStringList shown;
        for (int i = 0; i < 4; ++i)
            shown << page.inputs()->sensor(i)->shownText();
        return shown;
    }
};

const QString Closed = QStringLiteral("Замкнут");
const QString Open = QStringLiteral("Разомкнут");

// The format the highlighter gave the character at pos of the only line.
QTextCharFormat formatAt(const QString &line, int pos)
{
    QTextDocument document;
    TestHighlighter highlighter(&document);
    document.setPlainText(line);
    highlighter.rehighlight(); // a new highlighter waits for the event loop otherwise
    for (const QTextLayout::FormatRange &range : document.firstBlock().layout()->formats()) {
        if (pos >= range.start && pos < range.start + range.length)
            return range.format;
    }
    return {};
}
} // namespace

class tst_TestPage : public QObject
{
    Q_OBJECT
private slots:
    void layout();
    void startSendsTickedTerminalTests_data();
    void startSendsTickedTerminalTests();
    void digitalInputs_data();
    void digitalInputs();
    void highlighter_data();
    void highlighter();
};

void tst_TestPage::layout()
{
    Rig rig;
    const QList<QCheckBox *> items = rig.items();
    const QStringList captions { QStringLiteral("Проверка ГЛОНАСС/GPS"), QStringLiteral("Проверка GSM CCID"),
        QStringLiteral("Проверка GSM IMEI"), QStringLiteral("Аудиотракт"), QStringLiteral("Проверка FLASH памяти"),
        QStringLiteral("Проверка управления реле"), QStringLiteral("Калибровка АЦП") };
    QCOMPARE(items.size(), captions.size());
    auto *grid = qobject_cast<QGridLayout *>(rig.page.findChild<QGroupBox *>(QStringLiteral("CBTestGroup"))->layout());
    QVERIFY(grid);
    QCOMPARE(grid->columnCount(), 2);
    for (int i = 0; i < items.size(); ++i) {
        QCOMPARE(items.at(i)->text(), captions.at(i));
        QVERIFY(!items.at(i)->isChecked());
    }
    QCOMPARE(rig.button(QStringLiteral("cxButton1"))->text(), QStringLiteral("Старт"));
    QVERIFY(rig.button(QStringLiteral("Button1"))->isHidden());
    QCOMPARE(rig.button(QStringLiteral("cxButton2"))->text(), QStringLiteral("Прочитать"));
    QCOMPARE(rig.page.inputs()->title(), QStringLiteral(" Тест цифровых входов "));
    QCOMPARE(rig.shownInputs(), QStringList(4, Closed));
    QVERIFY(rig.page.memo()->isReadOnly());
    QVERIFY(QFontInfo(rig.page.memo()->font()).fixedPitch());
}

void tst_TestPage::startSendsTickedTerminalTests_data()
{
    QTest::addColumn<QList<int>>("ticked");
    QTest::addColumn<int>("sent");
    QTest::addColumn<int>("mask");
    QTest::newRow("all seven") << QList<int> { 0, 1, 2, 3, 4, 5, 6 } << 0x17 << 0xDF;
    QTest::newRow("only audio") << QList<int> { 3 } << 0x00 << 0x08;
    QTest::newRow("gsm imei and relays") << QList<int> { 2, 5 } << 0x04 << 0x44;
}

void tst_TestPage::startSendsTickedTerminalTests()
{
    QFETCH(QList<int>, ticked);
    QFETCH(int, sent);
    QFETCH(int, mask);
    Rig rig;
    rig.page.memo()->appendLine(QStringLiteral("old result"));
    for (int i : ticked)
        rig.items().at(i)->setChecked(true);
    QTest::mouseClick(rig.button(QStringLiteral("cxButton1")), Qt::LeftButton);
    QCOMPARE(rig.port.written, QList<QByteArray> { programFrame(Commands::startTests(quint8(sent))) });
    QCOMPARE(int(rig.page.selfTest().TestMask), mask);
    const QStringList shown = rig.page.memo()->toPlainText().split(u'\n');
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.first().endsWith(QStringLiteral(" Процесс самотестирования запущен")), qPrintable(shown.first()));
}

void tst_TestPage::digitalInputs_data()
{
    QTest::addColumn<QByteArray>("earlier");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("0x05") << QByteArray() << QByteArray("\x05") << QStringList { Open, Closed, Open, Closed };
    QTest::newRow("upper bits ignored") << QByteArray() << QByteArray("\xF2") << QStringList { Closed, Open, Closed, Closed };
    QTest::newRow("0x00 after 0x0F") << QByteArray("\x0F") << QByteArray(1, '\0') << QStringList(4, Closed);
    QTest::newRow("silent after 0x0F") << QByteArray("\x0F") << QByteArray() << QStringList(4, Open);
    QTest::newRow("silent from the start") << QByteArray() << QByteArray() << QStringList(4, Closed);
}

void tst_TestPage::digitalInputs()
{
    QFETCH(QByteArray, earlier);
    QFETCH(QByteArray, reply);
    QFETCH(QStringList, shown);
    Rig rig;
    QPushButton *read = rig.button(QStringLiteral("cxButton2"));
    if (!earlier.isEmpty()) {
        rig.inputs = earlier;
        QTest::mouseClick(read, Qt::LeftButton);
    }
    rig.inputs = reply;
    rig.port.written.clear();
    QTest::mouseClick(read, Qt::LeftButton);
    QCOMPARE(rig.port.written.first(), programFrame(Commands::readParam(45)));
    QCOMPARE(rig.shownInputs(), shown);
}

void tst_TestPage::highlighter_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("at");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<bool>("bold");

    const QColor blue(0, 0, 255), green(0, 128, 0), red(255, 0, 0), plain;
    QTest::newRow("label") << QStringLiteral("[GPS] Широта:56.3") << QStringLiteral("GPS") << blue << false;
    QTest::newRow("text after the label") << QStringLiteral("[GPS] Широта:56.3") << QStringLiteral("56.3") << blue << false;
    QTest::newRow("before the bracket") << QStringLiteral("12:00 [x] OK") << QStringLiteral("12") << plain << false;
    QTest::newRow("no bracket, no colour") << QStringLiteral("07:05:09 Тестирование окончено! OK") << QStringLiteral("OK")
                                           << plain << false;
    QTest::newRow("Latin OK") << QStringLiteral("[x] OK") << QStringLiteral("OK") << green << true;
    QTest::newRow("Cyrillic ОК") << QStringLiteral("[SRAM] 1 банк ОК") << QStringLiteral("ОК") << green << true;
    QTest::newRow("OK inside a word") << QStringLiteral("[x] ОКНО") << QStringLiteral("ОКНО") << blue << false;
    QTest::newRow("underscore joins words") << QStringLiteral("[x] OK_1") << QStringLiteral("OK") << blue << false;
    QTest::newRow("punctuation delimits") << QStringLiteral("[x] (OK)") << QStringLiteral("OK") << green << true;
    QTest::newRow("Ошибка") << QStringLiteral("[FLASH] Ошибка памяти.") << QStringLiteral("Ошибка") << red << true;
    QTest::newRow("ошибка") << QStringLiteral("[SRAM] 1 банк ошибка") << QStringLiteral("ошибка") << red << true;
    QTest::newRow("ОШИБКА") << QStringLiteral("[GSM] CCID ОШИБКА") << QStringLiteral("ОШИБКА") << red << true;
    QTest::newRow("GPS valid") << QStringLiteral("[GPS] Данные верны.") << QStringLiteral("верны.") << green << true;
    QTest::newRow("GPS not valid") << QStringLiteral("[GPS] Данные не верны.") << QStringLiteral("верны.") << red << true;
    QTest::newRow("test failed") << QStringLiteral("[Реле] Тест не пройден!") << QStringLiteral("пройден") << red << true;
    QTest::newRow("test passed") << QStringLiteral("[Реле] Тест пройден!") << QStringLiteral("Тест") << green << true;
    QTest::newRow("not calibrated") << QStringLiteral("[АЦП] Калибровка не выполнена") << QStringLiteral("выполнена") << red
                                    << true;
    QTest::newRow("calibrated") << QStringLiteral("[АЦП] Калибровка выполнена") << QStringLiteral("выполнена") << green << true;
}

void tst_TestPage::highlighter()
{
    QFETCH(QString, line);
    QFETCH(QString, at);
    QFETCH(QColor, colour);
    QFETCH(bool, bold);
    const int pos = int(line.indexOf(at));
    QVERIFY(pos >= 0);
    const QTextCharFormat format = formatAt(line, pos);
    if (!colour.isValid()) {
        QVERIFY(!format.hasProperty(QTextFormat::ForegroundBrush));
        return;
    }
    QCOMPARE(format.foreground().color(), colour);
    QCOMPARE(format.background().color(), QColor(Qt::white));
    QCOMPARE(format.fontWeight() == QFont::Bold, bold);
}

QTEST_MAIN(tst_TestPage)
#include "tst_TestPage.moc"
