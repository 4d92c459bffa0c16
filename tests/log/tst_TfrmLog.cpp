#include "ConnectLink.h"
#include "ScriptedPort.h"
#include "VirtualPump.h"

#include "link/Commands.h"
#include "link/Link.h"
#include "log/LogFindBar.h"
#include "log/LogView.h"
#include "log/MessageCatalogue.h"
#include "log/TfrmLog.h"
#include "settings/XmlStore.h"

#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {
const QRect MainGeometry(100, 50, 913, 986);

struct Rig
{
    QTemporaryDir dir;
    VirtualPump pump;
    Link link{pump};
    ScriptedPort port{pump};
    MessageCatalogue messages;
    XmlStore store{dir.filePath("tvConfigC.xml")};
    int restartTimerStarts = 0;
    std::unique_ptr<TfrmLog> form;

    Rig()
    {
        messages.LoadText("M_START, // Старт\nCLEAR, //\nM_GSM, // {AT+CSQ OK}\nM_NUM, // Номер \n");
        connectLink(link, port);
        create();
    }

    void create()
    {
        form = std::make_unique<TfrmLog>(TfrmLog::Context{link, messages, store, [this] { ++restartTimerStarts; },
                                                          [] { return MainGeometry; }});
    }

    // A log frame from the terminal, through the receiver.
    void frame(quint16 number, const QByteArray &data = {})
    {
        QByteArray payload;
        payload.append(char(number & 0xFF));
        payload.append(char(number >> 8));
        port.inject(terminalFrame(Commands::cmdLog, payload + data));
    }

    QStringList lines() const
    {
        const QString text = form->log()->toPlainText();
        return text.isEmpty() ? QStringList{} : text.split(QLatin1Char('\n'));
    }

    void click(const char *button) { QTest::mouseClick(form->findChild<QToolButton *>(button), Qt::LeftButton); }
};

struct Frame
{
    quint16 number;
    QByteArray data;
};
} // namespace

Q_DECLARE_METATYPE(QList<Frame>)

class tst_TfrmLog : public QObject
{
    Q_OBJECT
private slots:
    void lines_data();
    void lines();
    void logInfoPanel();
    void logOnOffCommands_data();
    void logOnOffCommands();
    void logInfoPlacement();
    void autoscrollOnePageDown();
    void noAutoscrollKeepsView();
    void showsBesideMainWindow();
    void placementSavedInLogForm();
    void destroyedWindowGetsNoFrames();
    void clearButton();
    void findWrapsAround();
    void saveLogAsUtf8();
};

void tst_TfrmLog::lines_data()
{
    QTest::addColumn<QList<Frame>>("frames");
    QTest::addColumn<bool>("clearOnReboot");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("restarts");

    QTest::newRow("lines in order") << QList<Frame>{{0, "1"}, {2, {}}, {3, "A\r\nB"}} << true
                                    << QStringList{"Старт1", "{AT+CSQ OK}", "НомерA B"} << 0;
    QTest::newRow("unknown number and short frame dropped")
        << QList<Frame>{{0, {}}, {4, "x"}, {1000, {}}} << true << QStringList{"Старт"} << 0;
    QTest::newRow("CLEAR with the box") << QList<Frame>{{0, {}}, {1, {}}} << true << QStringList{} << 1;
    QTest::newRow("CLEAR without the box")
        << QList<Frame>{{0, {}}, {1, {}}} << false << QStringList{"Старт", "CLEAR"} << 1;
    QTest::newRow("lines after CLEAR") << QList<Frame>{{0, {}}, {1, {}}, {2, {}}} << true << QStringList{"{AT+CSQ OK}"} << 1;
    QTest::newRow("CLEARx is an ordinary line") << QList<Frame>{{0, {}}, {1, "x"}} << true << QStringList{"Старт", "CLEARx"} << 0;
}

void tst_TfrmLog::lines()
{
    QFETCH(QList<Frame>, frames);
    QFETCH(bool, clearOnReboot);
    QFETCH(QStringList, expected);
    QFETCH(int, restarts);

    Rig rig;
    rig.form->cbClearLogOnReboot()->setChecked(clearOnReboot);
    for (const Frame &f : frames)
        rig.frame(f.number, f.data);
    QCOMPARE(rig.lines(), expected);
    QCOMPARE(rig.restartTimerStarts, restarts);
}

void tst_TfrmLog::logInfoPanel()
{
    Rig rig;
    QFrame *panel = rig.form->pLogInfo();
    QVERIFY(!panel->isHidden());
    // A frame that shows nothing leaves the panel alone.
    rig.frame(42);
    QVERIFY(!panel->isHidden());
    // The first line hides it even though logging was never switched on here.
    rig.frame(0);
    QVERIFY(panel->isHidden());
    rig.click("btnDisableLog");
    QVERIFY(!panel->isHidden());
    rig.frame(0);
    QVERIFY(panel->isHidden());
}

void tst_TfrmLog::logOnOffCommands_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<bool>("on");
    QTest::addColumn<bool>("answered");

    QTest::newRow("on, answered") << QByteArray("btnEnableLog") << true << true;
    QTest::newRow("on, no answer") << QByteArray("btnEnableLog") << true << false;
    QTest::newRow("off, answered") << QByteArray("btnDisableLog") << false << true;
    QTest::newRow("off, no answer") << QByteArray("btnDisableLog") << false << false;
}

void tst_TfrmLog::logOnOffCommands()
{
    QFETCH(QByteArray, button);
    QFETCH(bool, on);
    QFETCH(bool, answered);

    Rig rig;
    if (answered)
        rig.port.device = [&](const QByteArray &) { rig.port.reply(terminalFrame(Commands::cmdLogOutput, QByteArray(1, '\0'))); };
    // Start from the opposite panel state, so the click has to change it.
    if (on)
        rig.form->pLogInfo()->show();
    else
        rig.form->pLogInfo()->hide();
    rig.click(button.constData());

    const QByteArray request = programFrame(Commands::logOutput(on));
    QVERIFY(!rig.port.written.isEmpty());
    QCOMPARE(rig.port.written.first(), request);
    QCOMPARE(rig.port.written.size(), answered ? 1 : Link::MaxFrames);
    QCOMPARE(rig.form->pLogInfo()->isHidden(), on);
}

void tst_TfrmLog::logInfoPlacement()
{
    Rig rig;
    rig.form->resize(700, 500);
    rig.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(rig.form.get()));
    for (const QSize size : {QSize(700, 500), QSize(431, 377)}) {
        rig.form->resize(size);
        QCoreApplication::processEvents();
        const LogView *log = rig.form->log();
        const QFrame *panel = rig.form->pLogInfo();
        QCOMPARE(panel->size(), QSize(185, 41));
        QCOMPARE(panel->pos(), QPoint(log->width() / 2 - 185 / 2, log->height() / 2));
    }
}

void tst_TfrmLog::autoscrollOnePageDown()
{
    Rig rig;
    rig.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(rig.form.get()));
    rig.form->CBScroll()->setChecked(false);
    for (int i = 0; i < 500; ++i)
        rig.frame(0);
    QCoreApplication::processEvents();
    QScrollBar *bar = rig.form->log()->verticalScrollBar();
    bar->setValue(0);
    QVERIFY(bar->maximum() > 3 * bar->pageStep());

    rig.form->CBScroll()->setChecked(true);
    rig.frame(0);
    // The scroll is posted: nothing moves until the event loop runs.
    QCOMPARE(bar->value(), 0);
    QCoreApplication::processEvents();
    QCOMPARE(bar->value(), bar->pageStep());
    rig.frame(0);
    rig.frame(0);
    QCoreApplication::processEvents();
    QCOMPARE(bar->value(), 3 * bar->pageStep());
}

void tst_TfrmLog::noAutoscrollKeepsView()
{
    Rig rig;
    rig.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(rig.form.get()));
    rig.form->CBScroll()->setChecked(false);
    for (int i = 0; i < 300; ++i)
        rig.frame(0);
    QCoreApplication::processEvents();
    QScrollBar *bar = rig.form->log()->verticalScrollBar();
    for (int at : {0, 17, bar->maximum()}) {
        bar->setValue(at);
        for (int i = 0; i < 50; ++i)
            rig.frame(0);
        QCoreApplication::processEvents();
        QCOMPARE(bar->value(), at);
    }
}

void tst_TfrmLog::showsBesideMainWindow()
{
    Rig rig;
    rig.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(rig.form.get()));
    QCOMPARE(rig.form->frameGeometry().topLeft(), QPoint(MainGeometry.x() + MainGeometry.width(), MainGeometry.y()));
    rig.form->hide();
    rig.form->move(5, 5);
    rig.form->show();
    QCOMPARE(rig.form->frameGeometry().topLeft(), QPoint(1013, 50));
}

void tst_TfrmLog::placementSavedInLogForm()
{
    Rig rig;
    QCOMPARE(rig.form->size(), QSize(856, 830));
    rig.form->setGeometry(30, 40, 600, 450);
    rig.form.reset();
    rig.store.open();
    QCOMPARE(rig.store.readString("LogForm", "NormalPos"), QString("30,40,630,490"));
    rig.store.close();

    rig.create();
    QCOMPARE(rig.form->size(), QSize(600, 450));
    // The check boxes are not part of the saved state.
    QVERIFY(rig.form->CBScroll()->isChecked());
    QVERIFY(rig.form->cbClearLogOnReboot()->isChecked());
}

void tst_TfrmLog::destroyedWindowGetsNoFrames()
{
    Rig rig;
    QVERIFY(rig.link.HandleLogFrame);
    rig.form.reset();
    QVERIFY(!rig.link.HandleLogFrame);
    rig.frame(0); // must not reach the destroyed window
    QCOMPARE(rig.link.CrcErrorCount, 0);
}

void tst_TfrmLog::clearButton()
{
    Rig rig;
    rig.frame(0);
    rig.frame(2);
    rig.click("ToolButton1");
    QCOMPARE(rig.lines(), QStringList{});
    rig.frame(3);
    QCOMPARE(rig.lines(), QStringList{"Номер"});
}

void tst_TfrmLog::findWrapsAround()
{
    Rig rig;
    rig.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(rig.form.get()));
    rig.frame(0, "-a");
    rig.frame(2);
    rig.frame(0, "-b");
    QTest::keyClick(rig.form->log(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(rig.form->findBar()->isVisible());
    QLineEdit *edit = rig.form->findBar()->edit();
    edit->setText("Старт-");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(rig.form->log()->line(rig.form->log()->matchLine()), QString("Старт-a"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(rig.form->log()->line(rig.form->log()->matchLine()), QString("Старт-b"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(rig.form->log()->line(rig.form->log()->matchLine()), QString("Старт-a"));

    QTest::keyClicks(edit, "zz");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(edit->styleSheet().contains("red"), true);
    QTest::keyClick(edit, Qt::Key_Escape);
    QVERIFY(!rig.form->findBar()->isVisible());
}

void tst_TfrmLog::saveLogAsUtf8()
{
    Rig rig;
    rig.frame(0, "\xC0");
    rig.frame(2);
    const QString path = rig.dir.filePath("log.txt");
    QString error;
    QVERIFY2(rig.form->saveLog(path, &error), qPrintable(error));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(f.readAll()), QString("СтартА\n{AT+CSQ OK}\n"));

    QVERIFY(!rig.form->saveLog(rig.dir.filePath("no/such/dir/log.txt"), &error));
    QVERIFY(!error.isEmpty());
}

QTEST_MAIN(tst_TfrmLog)
#include "tst_TfrmLog.moc"
