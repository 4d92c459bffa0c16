#include "MainFixture.h"

#include "link/Commands.h"
#include "selftest/SelfTest.h"
#include "selftest/TestFinishedEvent.h"
#include "selftest/TestMemo.h"
#include "selftest/TestPage.h"

#include <QTest>

// The testing page inside the main window: the link's self-test frames reach
// its result view, and the end of the terminal's tests runs from the queue.
class tst_MainSelfTest : public QObject
{
    Q_OBJECT

private slots:
    void framesReachTheTestingPage();
};

void tst_MainSelfTest::framesReachTheTestingPage()
{
    MainFixture f;
    TfrmMain &w = f.start();
    QVERIFY(w.testPage);
    QCOMPARE(w.testPage->parentWidget(), w.TS4);

    f.port().inject(terminalFrame(Commands::cmdTestReport, QByteArray("\x10\x00\x04", 3)));
    f.port().inject(terminalFrame(Commands::cmdTestReport, QByteArray("\x00\xF2", 2)));
    const QStringList shown{ QStringLiteral("[FLASH] ОК"), QStringLiteral("[FLASH] Память работает исправно") };
    QCOMPARE(w.testPage->memo()->toPlainText().split(u'\n'), shown);

    // No operator tests were chosen: the end of the run only writes the end line.
    QCoreApplication::sendPostedEvents(&w.testPage->selfTest(), WM_TEST_FINISHED);
    const QStringList lines = w.testPage->memo()->toPlainText().split(u'\n');
    QCOMPARE(lines.size(), 3);
    QVERIFY2(lines.last().endsWith(QStringLiteral(" Тестирование окончено!")), qPrintable(lines.last()));
}

QTEST_MAIN(tst_MainSelfTest)
#include "tst_MainSelfTest.moc"
