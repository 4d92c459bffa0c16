#include "log/MessageCatalogue.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

namespace {
QByteArray cp1251(const QString &text)
{
    return QStringEncoder("windows-1251").encode(text);
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// "index:name=text" for every entry, in array order.
QStringList entries(const MessageCatalogue &c)
{
    QStringList out;
    for (const TMessageString &m : c.MessageStrings)
        out << QStringLiteral("%1:%2=%3").arg(m.Index).arg(m.Name, m.Text);
    return out;
}
} // namespace

class tst_MessageCatalogue : public QObject
{
    Q_OBJECT
private slots:
    void grammar_data();
    void grammar();
    void numberingByPosition_data();
    void numberingByPosition();
    void encodings_data();
    void encodings();
    void loadFromFolder();
    void missingFile();
    void unreadableFileKeepsCatalogue();
};

void tst_MessageCatalogue::grammar_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("qualifies");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");

    QTest::newRow("comma and one blank") << "MSG_START, // Старт терминала" << true << "MSG_START" << "Старт терминала";
    QTest::newRow("comma and two blanks") << "MSG_START,  // Старт" << false << "" << "";
    QTest::newRow("two blanks, later word before slashes")
        << "MSG_START,  // see x// y" << true << "MSG_START" << "see x// y";
    QTest::newRow("no blank, no comma") << "MSG_A//Текст" << true << "MSG_A" << "Текст";
    QTest::newRow("empty comment") << "MSG_EMPTY,//" << true << "MSG_EMPTY" << "MSG_EMPTY";
    QTest::newRow("only a tab in the comment") << "MSG_TAB,\t//\t" << true << "MSG_TAB" << "MSG_TAB";
    QTest::newRow("identifier then slashes and blanks") << "\tMSG_BLANK //   " << true << "MSG_BLANK" << "MSG_BLANK";
    QTest::newRow("explicit value") << "MSG_SEVEN = 7, // Семь" << true << "MSG_SEVEN" << "Семь";
    QTest::newRow("preprocessor with comment") << "#define MAX_LEN 10 // предел" << true << "define" << "предел";
    QTest::newRow("preprocessor without comment") << "#define MAX_LEN 10" << false << "" << "";
    QTest::newRow("comment holding slashes") << "MSG_URL, // http://host//path" << true << "MSG_URL"
                                             << "http://host//path";
    QTest::newRow("comment-only line") << "// Сообщения терминала" << false << "" << "";
    QTest::newRow("comment-only, word before second slashes")
        << "// note // more" << true << "note" << "note // more";
    QTest::newRow("Cyrillic word before slashes") << "СООБЩЕНИЕ, // текст" << false << "" << "";
    QTest::newRow("digit before slashes") << "{ 0x10, // hex" << true << "0x10" << "hex";
    QTest::newRow("vertical tab is no blank") << "MSG_VT,\v// text" << false << "" << "";
    QTest::newRow("form feed is a blank") << "MSG_FF,\f// text" << true << "MSG_FF" << "text";
    QTest::newRow("control characters trimmed") << "MSG_CTRL, //\x01 text \x02" << true << "MSG_CTRL" << "text";
    QTest::newRow("brace") << "{" << false << "" << "";
    QTest::newRow("blank line") << "" << false << "" << "";
}

void tst_MessageCatalogue::grammar()
{
    QFETCH(QString, line);
    QFETCH(bool, qualifies);
    QFETCH(QString, name);
    QFETCH(QString, text);

    QCOMPARE(MessageCatalogue::isMessageLine(line), qualifies);
    MessageCatalogue c;
    c.LoadText(line.toUtf8());
    QCOMPARE(c.MessageCount, qualifies ? 1 : 0);
    QCOMPARE(c.MessageStrings.size(), c.MessageCount);
    if (qualifies)
        QCOMPARE(c.MessageStrings.at(0), (TMessageString{0, name, text}));
}

void tst_MessageCatalogue::numberingByPosition_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("enum with noise")
        << QByteArray("#ifndef MESSAGES_H\n#define MESSAGES_H\n// Messages\nenum {\n"
                      "  M_ZERO = 5, // zero\n\n  M_ONE, // one\n  M_SKIP,  // two blanks\n  M_TWO, // two\n};\n#endif\n")
        << QStringList{"0:M_ZERO=zero", "1:M_ONE=one", "2:M_TWO=two"};
    QTest::newRow("CR, LF and CR LF line ends")
        << QByteArray("A, // a\rB, // b\r\nC, // c\nD, // d")
        << QStringList{"0:A=a", "1:B=b", "2:C=c", "3:D=d"};
    QTest::newRow("nothing qualifies") << QByteArray("// only\n#define X 1\n") << QStringList{};
}

void tst_MessageCatalogue::numberingByPosition()
{
    QFETCH(QByteArray, header);
    QFETCH(QStringList, expected);

    MessageCatalogue c;
    c.LoadText(header);
    QCOMPARE(entries(c), expected);
    QCOMPARE(c.MessageCount, expected.size());
}

void tst_MessageCatalogue::encodings_data()
{
    QTest::addColumn<QByteArray>("bytes");

    const QString line = QStringLiteral("MSG_GSM, // Модем: нет сети ©");
    QTest::newRow("windows-1251") << cp1251(line);
    QTest::newRow("utf-8") << line.toUtf8();
    QTest::newRow("utf-8 with BOM") << QByteArray("\xEF\xBB\xBF") + line.toUtf8();
}

void tst_MessageCatalogue::encodings()
{
    QFETCH(QByteArray, bytes);

    MessageCatalogue c;
    c.LoadText(bytes);
    QCOMPARE(entries(c), QStringList{"0:MSG_GSM=Модем: нет сети ©"});
}

void tst_MessageCatalogue::loadFromFolder()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(writeFile(dir.filePath("messages.h"), cp1251("M_A, // Включение\nM_B, // CLEAR\nCLEAR, //\n")));

    MessageCatalogue c;
    QVERIFY(c.LoadMessages(dir.path() + QLatin1Char('/')));
    QCOMPARE(entries(c), (QStringList{"0:M_A=Включение", "1:M_B=CLEAR", "2:CLEAR=CLEAR"}));

    // An empty folder names the file in the current directory.
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    MessageCatalogue current;
    const bool loaded = current.LoadMessages(QString());
    QDir::setCurrent(before);
    QVERIFY(loaded);
    QCOMPARE(current.MessageCount, 3);
}

void tst_MessageCatalogue::missingFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // The folder is glued to the name as it stands: without the separator the
    // name is "<dir>messages.h", which does not exist.
    QVERIFY(writeFile(dir.filePath("messages.h"), "M_A, // a\n"));
    MessageCatalogue c;
    QVERIFY(c.LoadMessages(dir.path()));
    QCOMPARE(c.MessageCount, 0);
    QVERIFY(c.MessageStrings.isEmpty());
    QVERIFY(c.errorString().isEmpty());

    const QString before = QDir::currentPath();
    QTemporaryDir empty;
    QVERIFY(QDir::setCurrent(empty.path()));
    const bool loaded = c.LoadMessages(QString());
    QDir::setCurrent(before);
    QVERIFY(loaded);
    QCOMPARE(c.MessageCount, 0);
}

void tst_MessageCatalogue::unreadableFileKeepsCatalogue()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir("messages.h"));

    MessageCatalogue c;
    c.LoadText("M_A, // a\n");
    QVERIFY(!c.LoadMessages(dir.path() + QLatin1Char('/')));
    QVERIFY(!c.errorString().isEmpty());
    QCOMPARE(entries(c), QStringList{"0:M_A=a"});
}

QTEST_GUILESS_MAIN(tst_MessageCatalogue)
#include "tst_MessageCatalogue.moc"
