// flash against the simulated terminal: the image arrives byte for byte in
// the window's order of requests, the progress bar goes to stderr, and an
// image that is damaged, declined or refused by the terminal fails.
#include "CliBench.h"
#include "CliScratch.h"

#include "HexImageText.h"
#include "link/Commands.h"

#include <QtTest>

class tst_CliFlash : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void imageReachesTheTerminal();
    void imageQuestionAskedOnTheConsole_data();
    void imageQuestionAskedOnTheConsole();
    void badImageSendsNothing_data();
    void badImageSendsNothing();
    void terminalThatRefusesExitsOne_data();
    void terminalThatRefusesExitsOne();
    void stopRequestEndsTheImageCleanly();

private:
    std::unique_ptr<CliScratch> m_scratch;
};

void tst_CliFlash::init()
{
    m_scratch = std::make_unique<CliScratch>(QStringLiteral("fw.hex"));
}



void tst_CliFlash::imageReachesTheTerminal()
{
    const HexImageText image = HexImageText::random(1024, 16, 5);
    CliBench b;
    QCOMPARE(b.run(m_scratch->args({"flash", m_scratch->file(image.text)})), 0);
    QVERIFY(b.sim.bootloader().image() == image.blockData);
    QVERIFY(b.sim.bootloader().imageDone());
    QVERIFY(!b.sim.bootloader().active());

    // The window's order: 7E, the switch, F3 on opening, F3 at the start of
    // the run, one F0 block a record (the end record too), F1, F2.
    const QStringList r = b.requests();
    QCOMPARE(r.mid(0, 3), QStringList({"7e 01 01", "f3", "f3"}));
    QCOMPARE(r.size(), 3 + image.records + 2);
    QCOMPARE(r.mid(r.size() - 2), QStringList({"f1", "f2"}));
    for (const QString &block : r.mid(3, r.size() - 5))
        QVERIFY2(block.startsWith("f0 "), qPrintable(block));

    // The bar, redrawn in place, ends at every byte of the image.
    const QString total = QString::number(image.blockData.size());
    QVERIFY2(b.err.contains(QStringLiteral("] 100%  %1/%1 bytes  0:00 left").arg(total)), qPrintable(b.err));
    QVERIFY(b.err.contains(QStringLiteral("[..............................]   0%  0/%1 bytes  -:-- left").arg(total)));
    QVERIFY(b.out.isEmpty());
}

void tst_CliFlash::imageQuestionAskedOnTheConsole_data()
{
    QTest::addColumn<QByteArray>("typed");
    QTest::addColumn<int>("status");
    QTest::newRow("yes") << QByteArray("y\n") << 0;
    QTest::newRow("no") << QByteArray("n\n") << 2;
    QTest::newRow("no answer") << QByteArray() << 2;
}

void tst_CliFlash::imageQuestionAskedOnTheConsole()
{
    QFETCH(QByteArray, typed);
    QFETCH(int, status);
    // A record with a wrong checksum: the window asks whether to go on.
    QList<QByteArray> lines = HexImageText::random(64, 16, 9).text.split('\n');
    QByteArray &record = lines[2];
    record[record.size() - 2] = record.endsWith("0\r") ? '1' : '0';
    CliBench b;
    QCOMPARE(b.run(m_scratch->args({"flash", m_scratch->file(lines.join('\n'))}), typed), status);
    QVERIFY2(b.err.contains(QStringLiteral("Контрольная сумма строки 3 неверна. Продолжить?")), qPrintable(b.err));
    if (status == 0) {
        QVERIFY(b.sim.bootloader().imageDone());
    } else {
        QVERIFY2(b.err.contains("declined; nothing was sent"), qPrintable(b.err));
        QVERIFY(b.written.isEmpty());
    }
}

void tst_CliFlash::badImageSendsNothing_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::newRow("damaged record") << QByteArray(":10000000ZZ\r\n:00000001FF\r\n") << "Файл прошивки повреждён, ничего не отправлено.";
    QTest::newRow("missing file") << QByteArray() << "fw-missing.hex";
}

void tst_CliFlash::badImageSendsNothing()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    CliBench b;
    const QString path = content.isEmpty() ? m_scratch->filePath("fw-missing.hex") : m_scratch->file(content);
    QCOMPARE(b.run(m_scratch->args({"flash", path})), 2);
    QVERIFY2(b.err.contains(message), qPrintable(b.err));
    QVERIFY(!b.portOpened);
    QVERIFY(b.written.isEmpty());
}

void tst_CliFlash::terminalThatRefusesExitsOne_data()
{
    QTest::addColumn<quint8>("silent");
    QTest::addColumn<QString>("message");
    QTest::newRow("no bootloader") << quint8(Commands::cmdBootEnter) << "the bootloader did not confirm entry";
    QTest::newRow("blocks unanswered") << quint8(Commands::cmdBootBlock) << "a block was refused on every attempt";
}

void tst_CliFlash::terminalThatRefusesExitsOne()
{
    QFETCH(quint8, silent);
    QFETCH(QString, message);
    CliBench b;
    b.sim.faults().silentCodes = {silent};
    QCOMPARE(b.run(m_scratch->args({"flash", m_scratch->file(HexImageText::random(64, 16, 3).text)})), 1);
    QVERIFY2(b.err.contains(message), qPrintable(b.err));
    QVERIFY(b.sim.bootloader().image().isEmpty());
    // Leaving the bootloader is the last thing sent, as "Выход" does.
    QCOMPARE(b.requests().last(), QString("f2"));
}

void tst_CliFlash::stopRequestEndsTheImageCleanly()
{
    const HexImageText image = HexImageText::random(4096, 16, 4);
    CliBench b;
    int polls = 0;
    b.interrupted = [&] { return ++polls > 10; };
    QCOMPARE(b.run(m_scratch->args({"flash", m_scratch->file(image.text)})), 1);
    QVERIFY2(b.err.contains("stopped before the end of the image"), qPrintable(b.err));
    const QStringList r = b.requests();
    QVERIFY(r.size() < 3 + image.records);
    QCOMPARE(r.mid(r.size() - 2), QStringList({"f1", "f2"}));
}

QTEST_GUILESS_MAIN(tst_CliFlash)
#include "tst_cliflash.moc"
