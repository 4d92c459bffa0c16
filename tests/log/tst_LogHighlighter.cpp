#include "log/LogHighlighter.h"
#include "log/LogView.h"

#include <QColor>
#include <QPlainTextDocumentLayout>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace {
// The colour and weight drawn at a position: "default" outside every range,
// otherwise "#rrggbb" with " bold" for bold text.
QString styleAt(const QTextBlock &block, int pos)
{
    const QList<QTextLayout::FormatRange> ranges = block.layout()->formats();
    QString style = QStringLiteral("default");
    // Later ranges are drawn over earlier ones.
    for (const QTextLayout::FormatRange &r : ranges) {
        if (pos >= r.start && pos < r.start + r.length) {
            style = r.format.foreground().color().name();
            if (r.format.fontWeight() == QFont::Bold)
                style += QStringLiteral(" bold");
        }
    }
    return style;
}

struct Probe
{
    int line;
    QString at; // the text whose first character is checked
    int occurrence;
    QString style;
};

const QString Navy = QStringLiteral("#000080 bold");
const QString Blue = QStringLiteral("#0000ff bold");
const QString RedBold = QStringLiteral("#ff0000 bold");
const QString Teal = QStringLiteral("#008080");
const QString BlackBold = QStringLiteral("#000000 bold");
const QString Red = QStringLiteral("#ff0000");
const QString Default = QStringLiteral("default");
} // namespace

Q_DECLARE_METATYPE(QList<Probe>)

class tst_LogHighlighter : public QObject
{
    Q_OBJECT
private slots:
    void formats_data();
    void formats();
    void appendingKeepsOldLines();
};

void tst_LogHighlighter::formats_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QList<Probe>>("probes");

    QTest::newRow("plain line") << QStringList{"Старт терминала OK 12"}
                                << QList<Probe>{{0, "Старт", 0, Default}, {0, "OK", 0, Default}, {0, "12", 0, Default}};
    QTest::newRow("modem range with keywords")
        << QStringList{"GSM: {AT+CREG? OK ERROR} OK"}
        << QList<Probe>{{0, "GSM", 0, Default}, {0, "{", 0, Navy},  {0, "AT", 0, Navy},   {0, "OK", 0, Blue},
                        {0, "ERROR", 0, RedBold}, {0, "}", 0, Navy}, {0, "OK", 1, Default}};
    QTest::newRow("keywords are whole words")
        << QStringList{"{OKAY ERRORS OK_1 OK, OK1 XOK ОКOK OK}"}
        << QList<Probe>{{0, "OKAY", 0, Navy}, {0, "ERRORS", 0, Navy}, {0, "OK_1", 0, Navy}, {0, "OK,", 0, Blue},
                        {0, "OK1", 0, Navy}, {0, "XOK", 0, Navy}, {0, "OK OK}", 0, Navy}, {0, "OK}", 0, Blue}};
    QTest::newRow("modem range over lines")
        << QStringList{"ответ модема {+CSQ: 17", "OK", "ERROR} конец", "после"}
        << QList<Probe>{{0, "ответ", 0, Default}, {0, "+CSQ", 0, Navy}, {1, "OK", 0, Blue},
                        {2, "ERROR", 0, RedBold}, {2, "}", 0, Navy},  {2, " конец", 0, Default},
                        {3, "после", 0, Default}};
    QTest::newRow("info range")
        << QStringList{"GSM *** Информация: сеть 25 {x}", "следующая 7"}
        << QList<Probe>{{0, "GSM", 0, Default}, {0, "***", 0, Teal}, {0, "сеть", 0, Teal}, {0, "2", 0, BlackBold},
                        {0, "5", 0, BlackBold}, {0, "{", 0, Teal}, {1, "7", 0, Default}};
    QTest::newRow("TCP packet range")
        << QStringList{"-> TCP пакет символов=12 OK {", "дальше"}
        << QList<Probe>{{0, "->", 0, Default}, {0, "TCP", 0, Red}, {0, "12", 0, Red}, {0, "OK", 0, Red},
                        {0, "{", 0, Red}, {1, "дальше", 0, Default}};
    QTest::newRow("info after a closed modem range")
        << QStringList{"{OK} *** Информация 3"}
        << QList<Probe>{{0, "OK", 0, Blue}, {0, "***", 0, Teal}, {0, "3", 0, BlackBold}};
    QTest::newRow("openers inside a modem range are text")
        << QStringList{"{ *** Информация 5 TCP пакет символов=1 }"}
        << QList<Probe>{{0, "***", 0, Navy}, {0, "5", 0, Navy}, {0, "TCP", 0, Navy}};
}

void tst_LogHighlighter::formats()
{
    QFETCH(QStringList, lines);
    QFETCH(QList<Probe>, probes);

    QTextDocument doc;
    doc.setDocumentLayout(new QPlainTextDocumentLayout(&doc)); // as in the log view
    LogHighlighter highlighter(&doc);
    doc.setPlainText(lines.join(QLatin1Char('\n')));
    QCoreApplication::processEvents(); // the highlighter's first pass is deferred
    for (const Probe &p : probes) {
        const QTextBlock block = doc.findBlockByNumber(p.line);
        int pos = -1;
        for (int i = 0; i <= p.occurrence; ++i)
            pos = block.text().indexOf(p.at, pos + 1);
        QVERIFY2(pos >= 0, qPrintable(p.at));
        QVERIFY2(styleAt(block, pos) == p.style,
                 qPrintable(QStringLiteral("line %1 at \"%2\": %3, expected %4").arg(p.line).arg(p.at, styleAt(block, pos), p.style)));
    }
}

void tst_LogHighlighter::appendingKeepsOldLines()
{
    // Adding a line at the end highlights that line and looks again at the one
    // before it (where the line break went in), however long the log.
    LogView view;
    struct Counting : LogHighlighter
    {
        using LogHighlighter::LogHighlighter;
        int calls = 0;
        void highlightBlock(const QString &text) override
        {
            ++calls;
            LogHighlighter::highlightBlock(text);
        }
    } highlighter(view.document());
    for (int i = 0; i < 1000; ++i)
        view.appendLine(QStringLiteral("строка %1 {OK}").arg(i));
    QCoreApplication::processEvents();
    QVERIFY(highlighter.calls >= 1000);
    highlighter.calls = 0;
    for (int i = 0; i < 100; ++i)
        view.appendLine(QStringLiteral("новая %1").arg(i));
    QVERIFY(highlighter.calls >= 100);
    QVERIFY2(highlighter.calls <= 2 * 100, qPrintable(QString::number(highlighter.calls)));
}

QTEST_MAIN(tst_LogHighlighter)
#include "tst_LogHighlighter.moc"
