// The pass-through terminal view: what it shows of the bytes it gets, its
// scrollback, and what it sends for the user's keys.
#include "ScriptedPort.h"
#include "VirtualPump.h"
#include "app/TerminalView.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>

namespace {
TerminalView::Options navigationOptions()
{
    TerminalView::Options o;
    o.rows = 50;
    o.wrap = true;
    return o;
}

QStringList nonEmpty(const QStringList &lines)
{
    QStringList out;
    for (const QString &l : lines) {
        if (!l.isEmpty())
            out << l;
    }
    return out;
}
} // namespace

class tst_TerminalView : public QObject
{
    Q_OBJECT
private slots:
    void showsText_data();
    void showsText();
    void longLines_data();
    void longLines();
    void navigationKeepsFiftyRows();
    void scrollbackKeepsTheNewest5000Lines();
    void keysAndPaste_data();
    void keysAndPaste();
    void copiesTheSelection();
};

void tst_TerminalView::showsText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("modem answer") << QByteArray("AT\r\r\nOK\r\n") << QStringList{"AT", "OK"};
    QTest::newRow("windows-1251") << QByteArray("\xcf\xf0\xe8\xe2\xe5\xf2\r\n") << QStringList{"Привет"};
    QTest::newRow("cursor addressing") << QByteArray("ABC\x1b[1;1HX") << QStringList{"XBC"};
    QTest::newRow("clear screen") << QByteArray("old\r\n\x1b[2J\x1b[Hnew") << QStringList{"new"};
    QTest::newRow("colours are ignored") << QByteArray("\x1b[31mred\x1b[0m") << QStringList{"red"};
}

void tst_TerminalView::showsText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    TerminalView view({});
    view.resize(700, 400);
    QSignalSpy shown(&view, &TerminalView::bytesShown);
    view.portBytes(bytes);
    QCOMPARE(nonEmpty(view.lines()), lines);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0][0].toByteArray(), bytes);
}

void tst_TerminalView::longLines_data()
{
    QTest::addColumn<bool>("wrap");
    QTest::addColumn<QStringList>("lines");
    const QString digits = QStringLiteral("0123456789").repeated(8);
    QTest::newRow("wrapped") << true << QStringList{digits, QStringLiteral("ABCDE")};
    // Without wrapping every character past the edge lands in the last column.
    QTest::newRow("not wrapped") << false << QStringList{digits.left(79) + QLatin1Char('E')};
}

void tst_TerminalView::longLines()
{
    QFETCH(bool, wrap);
    QFETCH(QStringList, lines);
    TerminalView::Options o;
    o.rows = 10;
    o.wrap = wrap;
    TerminalView view(o);
    view.portBytes(QByteArray("0123456789").repeated(8) + "ABCDE");
    QCOMPARE(nonEmpty(view.lines()), lines);
}

void tst_TerminalView::navigationKeepsFiftyRows()
{
    TerminalView view(navigationOptions());
    view.resize(600, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCOMPARE(view.rows(), 50);
    QCOMPARE(view.columns(), 80);
    // The modem view follows its height instead.
    TerminalView modem({});
    modem.resize(600, 200);
    modem.show();
    QVERIFY(QTest::qWaitForWindowExposed(&modem));
    const int small = modem.rows();
    modem.resize(600, 500);
    QTRY_VERIFY(modem.rows() > small);
}

void tst_TerminalView::scrollbackKeepsTheNewest5000Lines()
{
    TerminalView view(navigationOptions());
    QByteArray bytes;
    for (int i = 1; i <= 6000; ++i)
        bytes += "$GPGGA," + QByteArray::number(i) + "\r\n";
    view.portBytes(bytes);
    QCOMPARE(view.scrollbackLines(), 5000);
    const QStringList lines = view.lines();
    // 6000 lines and the empty line under the cursor: 50 on the screen.
    QCOMPARE(lines.first(), QStringLiteral("$GPGGA,952"));
    QCOMPARE(lines.at(lines.size() - 2), QStringLiteral("$GPGGA,6000"));
}

void tst_TerminalView::keysAndPaste_data()
{
    QTest::addColumn<bool>("attached");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("attached") << true << "AT+CSQ\n" << QByteArray("at\r\b\x1b[AAT+CSQ\r");
    QTest::newRow("cyrillic pasted as windows-1251") << true << "Да" << QByteArray("at\r\b\x1b[A\xc4\xe0");
    QTest::newRow("unencodable paste refused") << true << "日本" << QByteArray("at\r\b\x1b[A");
    QTest::newRow("not attached") << false << "AT" << QByteArray();
}

void tst_TerminalView::keysAndPaste()
{
    QFETCH(bool, attached);
    QFETCH(QString, clipboard);
    QFETCH(QByteArray, written);
    VirtualPump pump;
    ScriptedPort port(pump);
    port.open();
    TerminalView view({});
    view.setPort(&port);
    if (attached)
        port.attachSink(&view);
    QTest::keyClicks(&view, QStringLiteral("at"));
    QTest::keyClick(&view, Qt::Key_Return);
    QTest::keyClick(&view, Qt::Key_Backspace);
    QTest::keyClick(&view, Qt::Key_Up);
    QApplication::clipboard()->setText(clipboard);
    QTest::keyClick(&view, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(port.written.join(), written);
}

void tst_TerminalView::copiesTheSelection()
{
    TerminalView view({});
    view.resize(700, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.portBytes("first line\r\nsecond line\r\n");
    const QFontMetrics fm(view.font());
    const int cw = fm.horizontalAdvance(QLatin1Char('M'));
    const int lh = fm.height();
    // From column 6 of the first line to column 6 of the second.
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, QPoint(6 * cw + 1, lh / 2));
    QMouseEvent move(QEvent::MouseMove, QPointF(6 * cw + 1, lh + lh / 2), view.viewport()->mapToGlobal(QPointF(6 * cw + 1, lh + lh / 2)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &move);
    QCOMPARE(view.selectedText(), QStringLiteral("line\nsecond"));
    QApplication::clipboard()->clear();
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("line\nsecond"));
}

QTEST_MAIN(tst_TerminalView)
#include "tst_TerminalView.moc"
