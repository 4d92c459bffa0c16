#include "log/LogView.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>

class tst_LogView : public QObject
{
    Q_OBJECT
private slots:
    void scrollRange_data();
    void scrollRange();
    void selectAndCopy();
    void findGoesRound_data();
    void findGoesRound();
    void clearForgetsEverything();
};

void tst_LogView::scrollRange_data()
{
    QTest::addColumn<int>("shortLines");
    QTest::addColumn<int>("longLineChars");
    QTest::addColumn<bool>("lastLineAtTop");

    QTest::newRow("short lines only") << 200 << 0 << false;
    QTest::newRow("a last line taller than the view") << 200 << 20000 << true;
    QTest::newRow("fewer lines than the view holds") << 3 << 0 << false;
}

void tst_LogView::scrollRange()
{
    QFETCH(int, shortLines);
    QFETCH(int, longLineChars);
    QFETCH(bool, lastLineAtTop);

    LogView view;
    view.resize(400, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    for (int i = 0; i < shortLines; ++i)
        view.appendLine(QStringLiteral("строка %1").arg(i));
    if (longLineChars > 0)
        view.appendLine(QString(longLineChars, u'ж'));
    QCoreApplication::processEvents();

    const QScrollBar *bar = view.verticalScrollBar();
    const int count = int(view.lineCount());
    const int fit = bar->pageStep(); // lines of one screen
    QVERIFY(fit > 3);
    if (lastLineAtTop)
        QCOMPARE(bar->maximum(), count - 1);
    else
        QCOMPARE(bar->maximum(), qMax(0, count - fit));
}

void tst_LogView::selectAndCopy()
{
    LogView view;
    view.resize(400, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    for (const char *line : {"первая", "вторая", "третья"})
        view.appendLine(QString::fromUtf8(line));
    QCoreApplication::processEvents();

    const int lineHeight = QFontMetrics(view.font()).lineSpacing();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(20, 4 + lineHeight + lineHeight / 2));
    QCOMPARE(view.selectedText(), QString("вторая"));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ShiftModifier, QPoint(20, 4 + 2 * lineHeight + lineHeight / 2));
    QCOMPARE(view.selectedText(), QString("вторая\nтретья"));
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString("первая\nвторая\nтретья"));
}

void tst_LogView::findGoesRound_data()
{
    QTest::addColumn<bool>("backward");
    QTest::addColumn<QList<int>>("lines");

    // Lines: 0 "abc", 1 "x", 2 "ABC abc", 3 "y"; matches at (0,0), (2,0), (2,4).
    QTest::newRow("forward") << false << QList<int>{0, 2, 2, 0};
    QTest::newRow("backward") << true << QList<int>{2, 2, 0, 2};
}

void tst_LogView::findGoesRound()
{
    QFETCH(bool, backward);
    QFETCH(QList<int>, lines);

    LogView view;
    for (const char *line : {"abc", "x", "ABC abc", "y"})
        view.appendLine(QString::fromLatin1(line));
    for (int expected : lines) {
        QVERIFY(view.find("abc", backward));
        QCOMPARE(view.matchLine(), expected);
    }
    QVERIFY(!view.find("zzz", backward));
}

void tst_LogView::clearForgetsEverything()
{
    LogView view;
    view.resize(400, 300);
    for (int i = 0; i < 100; ++i)
        view.appendLine("{open");
    view.selectAll();
    view.clear();
    QCOMPARE(view.lineCount(), 0);
    QCOMPARE(view.selectedText(), QString());
    QCOMPARE(view.verticalScrollBar()->maximum(), 0);
    QCOMPARE(view.toPlainText(), QString());
    view.appendLine("after");
    QCOMPARE(view.toPlainText(), QString("after"));
}

QTEST_MAIN(tst_LogView)
#include "tst_LogView.moc"
