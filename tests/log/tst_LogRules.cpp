#include "log/LogRules.h"

#include <QColor>
#include <QTest>
#include <QTextLayout>

namespace {
// The colour and weight drawn at a position: "default" outside every range,
// otherwise "#rrggbb" with " bold" for bold text.
QString styleAt(const QList<QTextLayout::FormatRange> &ranges, int pos)
{
    QString style = QStringLiteral("default");
    for (const QTextLayout::FormatRange &r : ranges) {
        if (pos >= r.start && pos < r.start + r.length) {
            if (style != QStringLiteral("default"))
                return QStringLiteral("overlapping");
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

class tst_LogRules : public QObject
{
    Q_OBJECT
private slots:
    void formats_data();
    void formats();
    void stateCarried_data();
    void stateCarried();
};

void tst_LogRules::formats_data()
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

void tst_LogRules::formats()
{
    QFETCH(QStringList, lines);
    QFETCH(QList<Probe>, probes);

    // Each line is coloured knowing only what the line before it left open.
    QList<QList<QTextLayout::FormatRange>> formats;
    LogRules::State state = LogRules::Outside;
    for (const QString &line : lines) {
        formats.append(QList<QTextLayout::FormatRange>());
        state = LogRules::highlight(line, state, &formats.last());
    }
    for (const Probe &p : probes) {
        const QString &line = lines.at(p.line);
        qsizetype pos = -1;
        for (int i = 0; i <= p.occurrence; ++i)
            pos = line.indexOf(p.at, pos + 1);
        QVERIFY2(pos >= 0, qPrintable(p.at));
        const QString got = styleAt(formats.at(p.line), int(pos));
        QVERIFY2(got == p.style, qPrintable(QStringLiteral("line %1 at \"%2\": %3, expected %4").arg(p.line).arg(p.at, got, p.style)));
    }
}

void tst_LogRules::stateCarried_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");

    QTest::newRow("plain") << "text" << 0 << 0;
    QTest::newRow("opens") << "a {b" << 0 << 1;
    QTest::newRow("opens and closes") << "a {b} c" << 0 << 0;
    QTest::newRow("stays open") << "no brace" << 1 << 1;
    QTest::newRow("closes") << "x} y" << 1 << 0;
    QTest::newRow("closes and opens again") << "x} y {z" << 1 << 1;
    QTest::newRow("brace in an info line") << "*** Информация {" << 0 << 0;
    QTest::newRow("brace in a TCP line") << "TCP пакет символов=3 {" << 0 << 0;
    QTest::newRow("empty line keeps it open") << "" << 1 << 1;
}

void tst_LogRules::stateCarried()
{
    QFETCH(QString, line);
    QFETCH(int, before);
    QFETCH(int, after);
    QCOMPARE(int(LogRules::highlight(line, LogRules::State(before), nullptr)), after);
}

QTEST_MAIN(tst_LogRules)
#include "tst_LogRules.moc"
