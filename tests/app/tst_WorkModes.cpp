// The pages choose the terminal's work mode: the mode command 100 ms after a
// change, the port handed to the terminal views, the actions' enabling, the
// restart timer and shutdown.
#include "MainFixture.h"

#include "app/TerminalView.h"
#include "link/Commands.h"

#include <QAction>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QTabWidget>
#include <QTest>

namespace {
constexpr int ModeSettledMs = 1000;

QByteArray replyFrame()
{
    return terminalFrame(0x05, QByteArrayLiteral("\x01\x02"));
}
} // namespace

class tst_WorkModes : public QObject
{
    Q_OBJECT
private slots:
    void pageChoosesModeAndConsumer_data();
    void pageChoosesModeAndConsumer();
    void leavingAViewGivesThePortBackAtOnce();
    void twoChangesWithin100msSendOneCommand();
    void passThroughBytesReachOnlyTheView_data();
    void passThroughBytesReachOnlyTheView();
    void typedKeysGoToThePortOnlyWhileAttached();
    void modemPortThatDoesNotReopen();
    void actionsFollowModeAndPort_data();
    void actionsFollowModeAndPort();
    void restartTimer_data();
    void restartTimer();
    void restartTimerWaitsForAClosedPort();
    void closeStopsSendingBeforeThePortCloses();
};

void tst_WorkModes::pageChoosesModeAndConsumer_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QString>("consumer");
    QTest::newRow("modem") << 1 << 2 << QByteArray("0d 0a 2a 3e 7f 01 02 7c") << "MComTerminal";
    QTest::newRow("navigation") << 2 << 3 << QByteArray("0d 0a 2a 3e 7f 01 03 7d") << "GComTerminal";
    QTest::newRow("testing") << 3 << 4 << QByteArray("0d 0a 2a 3e 7f 01 04 7a") << "";
    QTest::newRow("sensors") << 4 << 4 << QByteArray("0d 0a 2a 3e 7f 01 04 7a") << "";
}

void tst_WorkModes::pageChoosesModeAndConsumer()
{
    QFETCH(int, page);
    QFETCH(int, mode);
    QFETCH(QByteArray, frame);
    QFETCH(QString, consumer);
    MainFixture f;
    TfrmMain &w = f.start();
    w.PC->setCurrentIndex(page);
    // The mode follows the page at once; the terminal hears of it later.
    QCOMPARE(int(f.link.WorkMode), mode);
    QVERIFY(w.tmrMode.isActive());
    QCOMPARE(f.modeCommands(), QList<quint8>{1});
    QTRY_COMPARE_WITH_TIMEOUT(f.modeCommands().size(), 2, ModeSettledMs);
    QCOMPARE(f.port().written.last().toHex(' '), frame);
    QVERIFY(!w.tmrMode.isActive());
    QVERIFY(f.port().isOpen());
    auto *sink = dynamic_cast<QObject *>(f.port().sink());
    QCOMPARE(sink ? sink->objectName() : QString(), consumer);
}

void tst_WorkModes::leavingAViewGivesThePortBackAtOnce()
{
    MainFixture f;
    TfrmMain &w = f.start();
    w.PC->setCurrentIndex(2);
    QTRY_VERIFY_WITH_TIMEOUT(f.port().sink() == w.GComTerminal, ModeSettledMs);
    w.PC->setCurrentIndex(0);
    QVERIFY(f.port().sink() == nullptr);
    const int before = f.link.PendingReplies;
    f.port().inject(replyFrame());
    QCOMPARE(f.link.PendingReplies, before + 1);
    QTRY_COMPARE_WITH_TIMEOUT(f.modeCommands(), (QList<quint8>{1, 3, 1}), ModeSettledMs);
}

void tst_WorkModes::twoChangesWithin100msSendOneCommand()
{
    MainFixture f;
    TfrmMain &w = f.start();
    QElapsedTimer clock;
    clock.start();
    w.PC->setCurrentIndex(1);
    w.PC->setCurrentIndex(3);
    QTRY_COMPARE_WITH_TIMEOUT(f.modeCommands().size(), 2, ModeSettledMs);
    QVERIFY2(clock.elapsed() >= 95, qPrintable(QString::number(clock.elapsed())));
    QTest::qWait(250);
    QCOMPARE(f.modeCommands(), (QList<quint8>{1, 4}));
    QVERIFY(f.port().sink() == nullptr);
}

void tst_WorkModes::passThroughBytesReachOnlyTheView_data()
{
    QTest::addColumn<int>("page");
    QTest::newRow("modem") << 1;
    QTest::newRow("navigation") << 2;
}

void tst_WorkModes::passThroughBytesReachOnlyTheView()
{
    QFETCH(int, page);
    MainFixture f;
    TfrmMain &w = f.start();
    w.PC->setCurrentIndex(page);
    TerminalView *view = page == 1 ? w.MComTerminal : w.GComTerminal;
    TerminalView *other = page == 1 ? w.GComTerminal : w.MComTerminal;
    QTRY_VERIFY_WITH_TIMEOUT(f.port().sink() == view, ModeSettledMs);
    const int pending = f.link.PendingReplies;
    f.port().inject(QByteArrayLiteral("+CSQ: 21,0\r\n") + replyFrame());
    QCOMPARE(f.link.PendingReplies, pending);
    QVERIFY(view->lines().join(QLatin1Char('\n')).contains(QStringLiteral("+CSQ: 21,0")));
    QVERIFY(!other->lines().join(QString()).contains(QStringLiteral("CSQ")));
}

void tst_WorkModes::typedKeysGoToThePortOnlyWhileAttached()
{
    MainFixture f;
    TfrmMain &w = f.start();
    w.PC->setCurrentIndex(1);
    QTRY_VERIFY_WITH_TIMEOUT(f.port().sink() == w.MComTerminal, ModeSettledMs);
    f.port().written.clear();
    QTest::keyClicks(w.MComTerminal, QStringLiteral("AT"));
    QTest::keyClick(w.MComTerminal, Qt::Key_Return);
    QCOMPARE(f.port().written.join(), QByteArray("AT\r"));

    w.PC->setCurrentIndex(0);
    f.port().written.clear();
    QTest::keyClicks(w.MComTerminal, QStringLiteral("AT"));
    QTest::keyClicks(w.GComTerminal, QStringLiteral("AT"));
    QVERIFY(f.port().written.isEmpty());
}

void tst_WorkModes::modemPortThatDoesNotReopen()
{
    MainFixture f;
    TfrmMain &w = f.start();
    w.PC->setCurrentIndex(1);
    f.port().failOpen = true;
    QTRY_COMPARE_WITH_TIMEOUT(f.errorsShown.size(), 1, ModeSettledMs);
    QVERIFY(!f.port().isOpen());
    QVERIFY(f.port().sink() == w.MComTerminal);
    // Still connected: a later reopening makes the program work again.
    QVERIFY(f.link.PortConnected);
    w.PC->setCurrentIndex(0);
    w.ALUpdate();
    QVERIFY(!w.AReadConfig->isEnabled());
    QVERIFY(!w.AWriteConfig->isEnabled());
    QVERIFY(!w.AFlash->isEnabled());

    f.port().failOpen = false;
    w.PC->setCurrentIndex(1);
    QTRY_VERIFY_WITH_TIMEOUT(f.port().isOpen(), ModeSettledMs);
    QCOMPARE(f.errorsShown.size(), 1);
}

void tst_WorkModes::actionsFollowModeAndPort_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("bootloader");
    QTest::addColumn<bool>("portOpen");
    QTest::addColumn<bool>("configEnabled");
    QTest::addColumn<bool>("flashEnabled");
    QTest::newRow("configuration page") << 0 << false << true << true << true;
    QTest::newRow("modem page") << 1 << false << true << false << false;
    QTest::newRow("navigation page") << 2 << false << true << false << false;
    QTest::newRow("testing page") << 3 << false << true << false << false;
    QTest::newRow("sensors page") << 4 << false << true << false << false;
    QTest::newRow("bootloader") << 0 << true << true << false << true;
    QTest::newRow("port closed") << 0 << false << false << false << false;
}

void tst_WorkModes::actionsFollowModeAndPort()
{
    QFETCH(int, page);
    QFETCH(bool, bootloader);
    QFETCH(bool, portOpen);
    QFETCH(bool, configEnabled);
    QFETCH(bool, flashEnabled);
    MainFixture f;
    TfrmMain &w = f.start();
    w.PC->setCurrentIndex(page);
    f.link.BootloaderMode = bootloader;
    if (!portOpen)
        f.port().close();
    // Before the terminal has confirmed anything: the refresh when the event
    // loop goes idle decides.
    QEventLoop idle;
    QTimer::singleShot(20, &idle, &QEventLoop::quit);
    idle.exec();
    QCOMPARE(w.AReadConfig->isEnabled(), configEnabled);
    QCOMPARE(w.AWriteConfig->isEnabled(), configEnabled);
    QCOMPARE(w.AFlash->isEnabled(), flashEnabled);
    for (QAction *always : {w.ALogForm, w.AMessages, w.ADbgLog, w.ALoadParams, w.ASaveParams})
        QVERIFY(always->isEnabled());
}

void tst_WorkModes::restartTimer_data()
{
    QTest::addColumn<bool>("bootloader");
    QTest::addColumn<QByteArray>("firmware");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("panel3");
    QTest::addColumn<QList<quint8>>("modes");
    QTest::newRow("from the testing page") << false << QByteArray("NAV 2.31") << 3 << "NAV 2.31" << QList<quint8>{1, 4, 1};
    QTest::newRow("already on the configuration page") << false << QByteArray("NAV 2.31") << 0 << "NAV 2.31"
                                                       << QList<quint8>{1};
    QTest::newRow("no answer") << false << QByteArray() << 3 << "" << QList<quint8>{1, 4, 1};
    QTest::newRow("bootloader window open") << true << QByteArray("NAV 2.31") << 3 << "old" << QList<quint8>{1, 4};
}

void tst_WorkModes::restartTimer()
{
    QFETCH(bool, bootloader);
    QFETCH(QByteArray, firmware);
    QFETCH(int, page);
    QFETCH(QString, panel3);
    QFETCH(QList<quint8>, modes);
    MainFixture f;
    f.firmware = firmware;
    TfrmMain &w = f.start();
    w.SBPanel3->setText(QStringLiteral("old"));
    w.PC->setCurrentIndex(page);
    QTRY_VERIFY_WITH_TIMEOUT(!w.tmrMode.isActive(), ModeSettledMs);
    f.link.BootloaderMode = bootloader;
    w.tmr.start();
    w.tmrTimer();
    QVERIFY(!w.tmr.isActive());
    QCOMPARE(w.SBPanel3->text(), panel3);
    QCOMPARE(w.PC->currentIndex(), bootloader ? page : 0);
    QTest::qWait(250);
    QCOMPARE(f.modeCommands(), modes);
}

void tst_WorkModes::restartTimerWaitsForAClosedPort()
{
    MainFixture f;
    TfrmMain &w = f.start();
    w.PC->setCurrentIndex(3);
    QTRY_VERIFY_WITH_TIMEOUT(!w.tmrMode.isActive(), ModeSettledMs);
    f.port().close();
    w.tmr.start();
    w.tmrTimer();
    QVERIFY(w.tmr.isActive());
    QCOMPARE(w.PC->currentIndex(), 3);
    f.port().open();
    w.tmrTimer();
    QVERIFY(!w.tmr.isActive());
    QCOMPARE(w.PC->currentIndex(), 0);
}

void tst_WorkModes::closeStopsSendingBeforeThePortCloses()
{
    MainFixture f;
    TfrmMain &w = f.start();
    w.show();
    ScriptedPort &port = f.port();
    // A receive event already queued when closing begins.
    bool openWhenDrained = false;
    bool connectedWhenDrained = true;
    QMetaObject::invokeMethod(
        &w,
        [&] {
            openWhenDrained = port.isOpen();
            connectedWhenDrained = f.link.PortConnected;
            port.inject(replyFrame());
        },
        Qt::QueuedConnection);
    const int pending = f.link.PendingReplies;
    const qint64 paused = f.pump.pausedMs();
    port.written.clear();
    QVERIFY(w.close());
    QVERIFY(openWhenDrained);
    QVERIFY(!connectedWhenDrained);
    QCOMPARE(f.link.PendingReplies, pending + 1);
    QVERIFY(f.pump.pausedMs() - paused >= 500);
    QVERIFY(!port.isOpen());
    QVERIFY(!f.link.PortConnected);
    QVERIFY(f.link.Transact(Commands::setMode(1)).isEmpty());
    QVERIFY(port.written.isEmpty());
    QVERIFY(f.readSetting(QStringLiteral("MainForm"), QStringLiteral("NormalPos")) != QStringLiteral("<absent>"));
}

QTEST_MAIN(tst_WorkModes)
#include "tst_WorkModes.moc"
