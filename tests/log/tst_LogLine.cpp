#include "log/LogLine.h"
#include "log/MessageCatalogue.h"

#include <QTest>

#include <optional>

namespace {
// A catalogue whose entry i reads "M<i>".
MessageCatalogue catalogue(int count)
{
    QByteArray header;
    for (int i = 0; i < count; ++i)
        header += "MSG_" + QByteArray::number(i) + ", // M" + QByteArray::number(i) + "\n";
    MessageCatalogue c;
    c.LoadText(header);
    return c;
}
} // namespace

class tst_LogLine : public QObject
{
    Q_OBJECT
private slots:
    void format_data();
    void format();
    void restartMarker_data();
    void restartMarker();
};

void tst_LogLine::format_data()
{
    QTest::addColumn<int>("messages");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("line");

    QTest::newRow("261 from 05 01") << 300 << QByteArray::fromHex("0501") << true << "M261";
    QTest::newRow("2-byte payload") << 10 << QByteArray::fromHex("0300") << true << "M3";
    QTest::newRow("1-byte payload") << 10 << QByteArray::fromHex("03") << false << "";
    QTest::newRow("empty payload") << 10 << QByteArray() << false << "";
    QTest::newRow("number = count") << 10 << QByteArray::fromHex("0a00") << false << "";
    QTest::newRow("number = count - 1") << 10 << QByteArray::fromHex("0900") << true << "M9";
    QTest::newRow("high byte counts 256") << 256 << QByteArray::fromHex("0001") << false << "";
    QTest::newRow("256 in a catalogue of 257") << 257 << QByteArray::fromHex("0001") << true << "M256";
    QTest::newRow("largest number") << 10 << QByteArray::fromHex("ffff") << false << "";
    QTest::newRow("empty catalogue") << 0 << QByteArray::fromHex("0000") << false << "";
    QTest::newRow("A CR LF B") << 10 << QByteArray::fromHex("0000410d0a42") << true << "M0A B";
    QTest::newRow("data follows without a blank") << 10 << QByteArray("\x02\x00" "12", 4) << true << "M212";
    QTest::newRow("LF LF") << 10 << QByteArray::fromHex("01000a0a") << true << "M1  ";
    QTest::newRow("Windows-1251 data") << 10 << QByteArray::fromHex("0100c0e1b9") << true << "M1Аб№";
    QTest::newRow("253 data characters")
        << 10 << QByteArray::fromHex("0400") + QByteArray(253, 'x') << true << "M4" + QString(253, u'x');
}

void tst_LogLine::format()
{
    QFETCH(int, messages);
    QFETCH(QByteArray, payload);
    QFETCH(bool, shown);
    QFETCH(QString, line);

    const std::optional<QString> got = LogLine::format(payload, catalogue(messages));
    QCOMPARE(got.has_value(), shown);
    if (shown)
        QCOMPARE(*got, line);
}

void tst_LogLine::restartMarker_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("marker");

    QTest::newRow("CLEAR") << "CLEAR" << true;
    QTest::newRow("CLEARx") << "CLEARx" << false;
    QTest::newRow("lower case") << "clear" << false;
    QTest::newRow("leading blank") << " CLEAR" << false;
    QTest::newRow("trailing blank") << "CLEAR " << false;
}

void tst_LogLine::restartMarker()
{
    QFETCH(QString, line);
    QFETCH(bool, marker);
    QCOMPARE(LogLine::isRestartMarker(line), marker);
}

QTEST_GUILESS_MAIN(tst_LogLine)
#include "tst_LogLine.moc"
