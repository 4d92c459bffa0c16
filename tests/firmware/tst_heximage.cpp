#include "firmware/HexImage.h"
#include "firmware/HexLineToBlock.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(HexOutcome)

namespace {
// A record line with its checksum computed, from the hex of count, address, type and data.
QByteArray record(const QByteArray &hex)
{
    const QByteArray bytes = QByteArray::fromHex(hex);
    quint8 sum = 0;
    for (char c : bytes)
        sum += static_cast<quint8>(c);
    return ':' + hex.toUpper() + QByteArray(1, static_cast<char>(-sum)).toHex().toUpper();
}
} // namespace

class TestHexImage : public QObject
{
    Q_OBJECT
private slots:
    void lineToBlock_data();
    void lineToBlock();
    void splitLines_data();
    void splitLines();
    void check_data();
    void check();
    void load_data();
    void load();
};

void TestHexImage::lineToBlock_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<HexOutcome>("outcome");
    QTest::addColumn<QByteArray>("block"); // hex

    const QByteArray dataBlock = "f010214601360121470136007efe09d21901";
    QTest::newRow("data record") << QByteArray(":10010000214601360121470136007EFE09D2190140") << HexOutcome::Block << dataBlock;
    QTest::newRow("lower case") << QByteArray(":10010000214601360121470136007efe09d2190140") << HexOutcome::Block << dataBlock;
    QTest::newRow("wrong checksum still sent") << QByteArray(":10010000214601360121470136007EFE09D2190141") << HexOutcome::Block
                                               << dataBlock;
    QTest::newRow("address not interpreted") << QByteArray(":10XYZW00214601360121470136007EFE09D2190140") << HexOutcome::Block
                                             << dataBlock;
    QTest::newRow("end of file") << QByteArray(":00000001FF") << HexOutcome::Block << QByteArray("f000");
    QTest::newRow("type 2 skipped") << QByteArray(":020000021000EC") << HexOutcome::Skip << QByteArray();
    QTest::newRow("type 2 with data cut short") << QByteArray(":0200000210") << HexOutcome::Skip << QByteArray();
    QTest::newRow("type 3") << QByteArray(":0400000300003800C1") << HexOutcome::Block << QByteArray("f00400003800");
    QTest::newRow("type 4") << QByteArray(":020000040800F2") << HexOutcome::Block << QByteArray("f0020800");
    QTest::newRow("type 5") << QByteArray(":04000005000000CD2A") << HexOutcome::Block << QByteArray("f004000000cd");
    QTest::newRow("comment") << QByteArray("; firmware 1.4") << HexOutcome::Skip << QByteArray();
    QTest::newRow("blank before colon") << QByteArray(" :00000001FF") << HexOutcome::Skip << QByteArray();
    QTest::newRow("empty line") << QByteArray() << HexOutcome::Stop << QByteArray();
    QTest::newRow("one character") << QByteArray(":") << HexOutcome::Stop << QByteArray();
    QTest::newRow("count only half there") << QByteArray(":1") << HexOutcome::Stop << QByteArray();
    QTest::newRow("short line") << QByteArray(":10010000214601") << HexOutcome::Stop << QByteArray();
    QTest::newRow("type missing") << QByteArray(":100100") << HexOutcome::Stop << QByteArray();
    QTest::newRow("count not hex") << QByteArray(":1G010000214601360121470136007EFE09D2190140") << HexOutcome::Stop << QByteArray();
    QTest::newRow("type not hex") << QByteArray(":100100X0214601360121470136007EFE09D2190140") << HexOutcome::Stop << QByteArray();
    QTest::newRow("data not hex") << QByteArray(":10010000214601360121470136007EFE09D2Z90140") << HexOutcome::Stop << QByteArray();
    QTest::newRow("sign in data") << QByteArray(":01000000-1FF") << HexOutcome::Stop << QByteArray();
    QTest::newRow("255 bytes") << record("ff000000" + QByteArray(255, 'a').replace('a', "5A")) << HexOutcome::Block
                               << "f0ff" + QByteArray(255, 'a').replace('a', "5a");
}

void TestHexImage::lineToBlock()
{
    QFETCH(QByteArray, line);
    QFETCH(HexOutcome, outcome);
    QFETCH(QByteArray, block);
    const HexLineResult r = HexLineToBlock(line);
    QCOMPARE(r.outcome, outcome);
    QCOMPARE(r.block.toHex(), block);
}

void TestHexImage::splitLines_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QList<QByteArray>>("lines");

    const QList<QByteArray> two{":00000001FF", "; end"};
    QTest::newRow("CR LF") << QByteArray(":00000001FF\r\n; end\r\n") << two;
    QTest::newRow("LF") << QByteArray(":00000001FF\n; end\n") << two;
    QTest::newRow("CR") << QByteArray(":00000001FF\r; end\r") << two;
    QTest::newRow("no final break") << QByteArray(":00000001FF\r\n; end") << two;
    QTest::newRow("mixed") << QByteArray(":00000001FF\r; end\n") << two;
    QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << QList<QByteArray>{"a", "", "b"};
    QTest::newRow("empty line kept") << QByteArray("a\r\n\r\nb") << QList<QByteArray>{"a", "", "b"};
    QTest::newRow("two final breaks") << QByteArray("a\n\n") << QList<QByteArray>{"a", ""};
    QTest::newRow("empty file") << QByteArray() << QList<QByteArray>{};
    QTest::newRow("only a break") << QByteArray("\n") << QList<QByteArray>{""};
    QTest::newRow("NUL ends the text") << QByteArray("a\nb\0c\nd", 7) << QList<QByteArray>{"a", "b"};
    QTest::newRow("nothing trimmed") << QByteArray(" :00 \t\n") << QList<QByteArray>{" :00 \t"};
}

void TestHexImage::splitLines()
{
    QFETCH(QByteArray, text);
    QFETCH(QList<QByteArray>, lines);
    QCOMPARE(HexImage::splitLines(text), lines);
}

void TestHexImage::check_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("refusal");       // the fault sentence after the first line, or empty
    QTest::addColumn<QStringList>("questions"); // the start of each question
    QTest::addColumn<int>("blocks");
    QTest::addColumn<int>("bytes");

    const QByteArray seg = ":020000021000EC\n";
    const QByteArray data = ":10010000214601360121470136007EFE09D2190140\n";
    const QByteArray eof = ":00000001FF\n";
    const QStringList none;

    QTest::newRow("valid image") << ("; title\n" + seg + data + data + eof) << QString() << none << 3 << 32;
    QTest::newRow("empty image") << QByteArray() << QString() << none << 0 << 0;
    QTest::newRow("data not hex") << (data + data + ":10010000214601360121470136007EFE09D23G0140\n" + eof)
                                  << QStringLiteral("Строка 3: поле «данные» не шестнадцатеричное: «3G».") << none << 0 << 0;
    QTest::newRow("count not hex") << (data + ":1Z010000214601360121470136007EFE09D2190140\n")
                                   << QStringLiteral("Строка 2: поле «длина записи» не шестнадцатеричное: «1Z».") << none << 0
                                   << 0;
    QTest::newRow("address not hex") << QByteArray(":10 10000214601360121470136007EFE09D2190140\n")
                                     << QStringLiteral("Строка 1: поле «адрес» не шестнадцатеричное: « 100».") << none << 0 << 0;
    QTest::newRow("type 2 checked too") << QByteArray(":02000002Q000EC\n")
                                        << QStringLiteral("Строка 1: поле «данные» не шестнадцатеричное: «Q0».") << none << 0 << 0;
    QTest::newRow("short record") << (data + ":1001000021460136") << QStringLiteral("Строка 2: запись обрывается, не хватает поля «данные».")
                                  << none << 0 << 0;
    QTest::newRow("checksum missing") << QByteArray(":00000001\n")
                                      << QStringLiteral("Строка 1: запись обрывается, не хватает поля «контрольная сумма».") << none
                                      << 0 << 0;
    QTest::newRow("checksum not hex") << QByteArray(":00000001FX\n")
                                      << QStringLiteral("Строка 1: поле «контрольная сумма» не шестнадцатеричное: «FX».") << none
                                      << 0 << 0;
    QTest::newRow("bad checksum asked once")
        << (data + ":10010000214601360121470136007EFE09D2190141\n" + ":00000001FE\n") << QString()
        << QStringList{QStringLiteral("Контрольная сумма строки 2 неверна. Продолжить?")} << 3 << 32;
    QTest::newRow("trailing empty line") << (data + eof + "\n") << QString() << none << 2 << 16;
    QTest::newRow("empty line before records") << (data + "\n" + data + eof) << QString()
                                               << QStringList{QStringLiteral("Строка 2 пустая или из одного символа")} << 1 << 16;
    QTest::newRow("faults after the end are never sent") << (data + "\n; notes\nnot a record: 3G\n") << QString() << none << 1
                                                         << 16;
    QTest::newRow("record after a blank") << (data + " " + data + eof) << QString()
                                          << QStringList{QStringLiteral("Строка 2 похожа на запись")} << 2 << 16;
}

void TestHexImage::check()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, refusal);
    QFETCH(QStringList, questions);
    QFETCH(int, blocks);
    QFETCH(int, bytes);

    const HexImage::Check c = HexImage(text).check();
    if (refusal.isEmpty()) {
        QVERIFY2(c.refusal.isEmpty(), qPrintable(c.refusal));
        QCOMPARE(c.blocks, blocks);
        QCOMPARE(c.dataBytes, bytes);
    } else {
        QCOMPARE(c.refusal.section(QLatin1Char('\n'), 1), refusal);
    }
    QCOMPARE(c.questions.size(), questions.size());
    for (int i = 0; i < questions.size(); ++i)
        QVERIFY2(c.questions[i].startsWith(questions[i]), qPrintable(c.questions[i]));
}

void TestHexImage::load_data()
{
    QTest::addColumn<QString>("name"); // in a fresh folder; "" names the folder itself
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("error"); // start of the message, or empty for success
    QTest::addColumn<int>("lines");

    QTest::newRow("image") << "fw.hex" << QByteArray(":00000001FF\r\n") << QString() << 1;
    QTest::newRow("missing") << "none.hex" << QByteArray() << QStringLiteral("Файл прошивки не найден") << 0;
    QTest::newRow("folder") << "" << QByteArray() << QStringLiteral("Указана папка") << 0;
    QTest::newRow("too large") << "big.hex" << QByteArray(HexImage::MaxFileSize + 1, ';')
                               << QStringLiteral("Файл слишком велик") << 0;
}

void TestHexImage::load()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, error);
    QFETCH(int, lines);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = name.isEmpty() ? dir.path() : dir.filePath(name);
    if (!content.isEmpty()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    HexImage image(":00000001FF\n"); // a failed load leaves no stale lines behind
    QString why;
    const bool ok = image.load(path, &why);
    QCOMPARE(ok, error.isEmpty());
    QVERIFY2(why.startsWith(error), qPrintable(why));
    QCOMPARE(image.lines().size(), lines);
}

QTEST_GUILESS_MAIN(TestHexImage)
#include "tst_heximage.moc"
