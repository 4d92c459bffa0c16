#include "ConnectLink.h"
#include "FakeBootDevice.h"
#include "HexImageText.h"
#include "ScriptedPort.h"
#include "VirtualPump.h"

#include "firmware/Bootloader.h"
#include "link/Commands.h"
#include "link/Link.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using Answer = FakeBootDevice::Answer;
using RunResult = Bootloader::RunResult;
Q_DECLARE_METATYPE(RunResult)

namespace {
const QByteArray DataRecord = ":10010000214601360121470136007EFE09D2190140";
const QByteArray DataBytes = QByteArray::fromHex("214601360121470136007EFE09D21901");

// n data records of 16 bytes each, every byte different from its neighbours.
QByteArray dataRecords(int n)
{
    QByteArray text;
    for (int i = 0; i < n; ++i) {
        QByteArray hex = QByteArray::number(0x10, 16) + QByteArray::number(0x1000 + i * 16, 16).right(4).rightJustified(4, '0')
            + "00";
        for (int b = 0; b < 16; ++b)
            hex += QByteArray::number((i * 16 + b) & 0xFF, 16).rightJustified(2, '0');
        text += HexImageText::record(hex) + "\r\n";
    }
    return text;
}

QList<int> codes(const QList<TBuf> &bodies)
{
    QList<int> out;
    for (const TBuf &b : bodies)
        out.append(b.isEmpty() ? -1 : static_cast<quint8>(b[0]));
    return out;
}

// A link on a scripted port with a bootloader device behind it, in virtual time.
struct Rig
{
    VirtualPump pump;
    Link link{pump};
    ScriptedPort port{pump};
    FakeBootDevice device{port, pump};
    Bootloader boot{link};
    QTemporaryDir dir;
    QStringList errors;
    QStringList questions;
    bool answer = true;
    QStringList status;
    QList<Bootloader::Progress> progress;
    QList<qint32> shownErrCnt;

    Rig()
    {
        connectLink(link, port);
        link.ShowTransferErrors = [this](const QString &text) { status.append(text); };
        boot.clock = [this] { return pump.now(); };
        boot.showError = [this](const QString &text) { errors.append(text); };
        boot.ask = [this](const QString &text) {
            questions.append(text);
            return answer;
        };
        boot.onProgress = [this](const Bootloader::Progress &p) { progress.append(p); };
        boot.onErrCnt = [this](qint32 n) { shownErrCnt.append(n); };
    }

    QString file(const QByteArray &text)
    {
        const QString path = dir.filePath(QStringLiteral("fw.hex"));
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(text);
        return path;
    }

    // Opens the window's session and returns the number of frames it wrote.
    qsizetype open()
    {
        boot.Open();
        return device.frames.size();
    }

    QList<int> codesFrom(qsizetype first) const { return codes(device.bodies().mid(first)); }
};

constexpr int F0 = Commands::cmdBootBlock;
constexpr int F1 = Commands::cmdBootImageDone;
constexpr int F2 = Commands::cmdBootLeave;
constexpr int F3 = Commands::cmdBootEnter;
} // namespace

class TestBootloader : public QObject
{
    Q_OBJECT
private slots:
    void wholeRunOnTheWire();
    void switchNotAnswered();
    void blockRetries_data();
    void blockRetries();
    void entryFails_data();
    void entryFails();
    void exitButton_data();
    void exitButton();
    void portLostMidRun();
    void nothingToSend_data();
    void nothingToSend();
    void imageQuestions_data();
    void imageQuestions();
    void refusedImageSendsNothing_data();
    void refusedImageSendsNothing();
    void realSizeImage();
};

void TestBootloader::wholeRunOnTheWire()
{
    Rig rig;
    rig.link.NakCount = 4;
    rig.link.CrcErrorCount = 2;
    const QString path = rig.file("; build 77\r\n:020000021000EC\r\n" + DataRecord + "\r\n:020000040800F2\r\n:00000001FF\r\n");

    rig.open();
    QVERIFY(rig.link.BootloaderMode);
    QCOMPARE(rig.boot.Run(path), RunResult::Finished);
    rig.boot.Close();
    QVERIFY(!rig.link.BootloaderMode);

    const QList<QByteArray> expected{
        QByteArray::fromHex("0d0a2a3e7e01017e"),
        QByteArray::fromHex("aa77aa77f3f3"),
        QByteArray::fromHex("aa77aa77f3f3"),
        QByteArray::fromHex("aa77aa77f010214601360121470136007efe09d21901a3"),
        QByteArray::fromHex("aa77aa77f0020800fa"),
        QByteArray::fromHex("aa77aa77f000f0"),
        QByteArray::fromHex("aa77aa77f1f1"),
        QByteArray::fromHex("aa77aa77f2f2"),
    };
    QCOMPARE(rig.port.written.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i)
        QCOMPARE(rig.port.written[i].toHex(' '), expected[i].toHex(' '));
    QCOMPARE(rig.device.image, DataBytes + QByteArray::fromHex("0800"));

    // The named waits: 500 ms before the framing switch, 2000 ms after entry
    // (each frame also carries its own 50 ms pause).
    const auto &f = rig.device.frames;
    QVERIFY2(f[1].at - f[0].at >= 550 && f[1].at - f[0].at < 600, qPrintable(QString::number(f[1].at - f[0].at)));
    QVERIFY2(f[3].at - f[2].at >= 2050 && f[3].at - f[2].at < 2100, qPrintable(QString::number(f[3].at - f[2].at)));

    QCOMPARE(rig.status, QStringList{QStringLiteral("Ошибок передачи:0 CRC:0")});
    QCOMPARE(rig.link.NakCount, 0);
    QCOMPARE(rig.boot.ErrCnt, 0);
    QVERIFY(rig.errors.isEmpty());
    const Bootloader::Progress last = rig.progress.constLast();
    QCOMPARE(last.linesDone, 5);
    QCOMPARE(last.linesTotal, 5);
    QCOMPARE(last.bytesSent, 18);
    QCOMPARE(last.bytesTotal, 18);
    QCOMPARE(last.msLeft, 0);
}

void TestBootloader::switchNotAnswered()
{
    Rig rig;
    rig.device.answerSwitch = false;
    rig.open();
    // The request is repeated like any other, its reply is never relied on.
    QCOMPARE(rig.codesFrom(0), (QList<int>(Link::MaxFrames, Commands::cmdBootloader) << F3));
    QVERIFY(rig.device.frames.constLast().bootFraming);
    QVERIFY(rig.link.BootloaderMode);
}

void TestBootloader::blockRetries_data()
{
    QTest::addColumn<QList<Answer>>("answers"); // to the blocks, in order
    QTest::addColumn<int>("errCnt");
    QTest::addColumn<int>("blockFrames");
    QTest::addColumn<RunResult>("result");

    QTest::newRow("accepted at once") << QList<Answer>{} << 0 << 2 << RunResult::Finished;
    QTest::newRow("NAKed once") << QList<Answer>{Answer::Nak} << 1 << 3 << RunResult::Finished;
    QTest::newRow("refused once") << QList<Answer>{Answer::Refuse} << 1 << 3 << RunResult::Finished;
    QTest::newRow("empty reply once") << QList<Answer>{Answer::Empty} << 1 << 3 << RunResult::Finished;
    QTest::newRow("refused twice") << QList<Answer>{Answer::Refuse, Answer::Refuse} << 2 << 4 << RunResult::Finished;
    QTest::newRow("NAKed, then refused") << QList<Answer>{Answer::Nak, Answer::Refuse} << 2 << 4 << RunResult::Finished;
    QTest::newRow("one frame lost") << QList<Answer>{Answer::Silent} << 0 << 3 << RunResult::Finished;
    QTest::newRow("refused every time") << QList<Answer>(Bootloader::BlockAttempts, Answer::Refuse) << 10 << 11
                                        << RunResult::BlockFailed;
    QTest::newRow("NAKed every time") << QList<Answer>(Bootloader::BlockAttempts * Link::MaxFrames, Answer::Nak)
                                      << Bootloader::BlockAttempts * Link::MaxFrames + 10 << 121 << RunResult::BlockFailed;
}

void TestBootloader::blockRetries()
{
    QFETCH(QList<Answer>, answers);
    QFETCH(int, errCnt);
    QFETCH(int, blockFrames);
    QFETCH(RunResult, result);

    Rig rig;
    rig.device.script[F0] = answers;
    const qsizetype opened = rig.open();
    QCOMPARE(rig.boot.Run(rig.file(DataRecord + "\n:00000001FF\n")), result);

    QCOMPARE(rig.boot.ErrCnt, errCnt);
    QCOMPARE(rig.shownErrCnt.constLast(), errCnt); // what lerrCnt shows once the line ends
    QCOMPARE(rig.device.count(F0), blockFrames);
    // Negative replies raise the run's count, not the status bar.
    QCOMPARE(rig.status.size(), 1);
    QCOMPARE(rig.codesFrom(opened).mid(rig.device.frames.size() - opened - 2), (QList<int>{F1, F2}));
    const bool failed = result == RunResult::BlockFailed;
    QCOMPARE(rig.errors, failed ? QStringList{QStringLiteral("Ошибка прошивки!")} : QStringList{});
    QCOMPARE(rig.device.image.isEmpty(), failed);
}

void TestBootloader::entryFails_data()
{
    QTest::addColumn<QList<Answer>>("answers"); // to the entry request of the run
    QTest::addColumn<bool>("connected");

    QTest::newRow("no reply") << QList<Answer>(Link::MaxFrames, Answer::Silent) << true;
    QTest::newRow("refused") << QList<Answer>{Answer::Refuse} << true;
    QTest::newRow("empty reply") << QList<Answer>{Answer::Empty} << true;
    QTest::newRow("NAKs only") << QList<Answer>(Link::MaxFrames, Answer::Nak) << true;
    QTest::newRow("link down") << QList<Answer>{} << false;
}

void TestBootloader::entryFails()
{
    QFETCH(QList<Answer>, answers);
    QFETCH(bool, connected);

    Rig rig;
    const qsizetype opened = rig.open();
    rig.device.script[F3] = answers;
    rig.link.PortConnected = connected;
    QCOMPARE(rig.boot.Run(rig.file(DataRecord + "\n")), RunResult::EnterFailed);

    QCOMPARE(rig.errors, QStringList{QStringLiteral("Ошибка перехода в режим bootloaderа!")});
    const QList<int> sent = rig.codesFrom(opened);
    QCOMPARE(sent, QList<int>(connected ? answers.size() : 0, F3));
}

void TestBootloader::exitButton_data()
{
    QTest::addColumn<int>("atFrame"); // the run's frame during whose wait "Выход" is pressed
    QTest::addColumn<int>("afterMs"); // that long after the frame went out
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QList<int>>("sent"); // by the run, "Выход" included

    QTest::newRow("entering") << 0 << 1 << true << QList<int>{F3, F2, F1, F2};
    QTest::newRow("waiting after entry") << 0 << 1000 << true << QList<int>{F3, F2, F1, F2};
    QTest::newRow("first line") << 1 << 1 << true << QList<int>{F3, F0, F2, F1, F2};
    QTest::newRow("second line") << 2 << 1 << true << QList<int>{F3, F0, F0, F2, F1, F2};
    QTest::newRow("third line") << 3 << 1 << false << QList<int>{F3, F0, F0, F0, F1, F2};
}

void TestBootloader::exitButton()
{
    QFETCH(int, atFrame);
    QFETCH(int, afterMs);
    QFETCH(bool, closes);
    QFETCH(QList<int>, sent);

    Rig rig;
    const qsizetype opened = rig.open();
    int seen = 0;
    int closeAsked = -1;
    rig.device.onFrame = [&](const FakeBootDevice::Frame &f) {
        if (seen++ == atFrame)
            rig.pump.schedule(afterMs, [&] { closeAsked = rig.boot.Exit(); });
        Q_UNUSED(f);
    };
    QCOMPARE(rig.boot.Run(rig.file(dataRecords(6))), RunResult::Stopped);
    QCOMPARE(closeAsked, closes ? 1 : 0);
    QCOMPARE(rig.codesFrom(opened), sent);
    QVERIFY(rig.errors.isEmpty());
}

void TestBootloader::portLostMidRun()
{
    Rig rig;
    const qsizetype opened = rig.open();
    qint64 lostAt = -1;
    qsizetype framesAtLoss = 0;
    rig.device.onFrame = [&](const FakeBootDevice::Frame &) {
        if (rig.device.count(F0) == 4 && lostAt < 0)
            rig.pump.schedule(2, [&] {
                lostAt = rig.pump.now();
                framesAtLoss = rig.device.frames.size();
                rig.port.vanish();
            });
    };
    QCOMPARE(rig.boot.Run(rig.file(dataRecords(10))), RunResult::PortLost);

    QCOMPARE(rig.errors, QStringList{QStringLiteral("Связь с терминалом потеряна, прошивка не закончена.")});
    QCOMPARE(rig.device.frames.size(), framesAtLoss);
    QCOMPARE(rig.codesFrom(opened), (QList<int>{F3, F0, F0, F0, F0}));
    QCOMPARE(rig.boot.ErrCnt, 0);
    // The block in flight waits out its one attempt; nothing is retried after that.
    QVERIFY2(rig.pump.now() - lostAt < 1500, qPrintable(QString::number(rig.pump.now() - lostAt)));
}

void TestBootloader::nothingToSend_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("comments only") << QByteArray("; firmware\r\n; nothing here\r\n");
    QTest::newRow("type 2 only") << QByteArray(":020000021000EC\n:020000022000DC\n");
}

void TestBootloader::nothingToSend()
{
    QFETCH(QByteArray, image);
    Rig rig;
    const qsizetype opened = rig.open();
    QCOMPARE(rig.boot.Run(rig.file(image)), RunResult::Finished);
    QCOMPARE(rig.codesFrom(opened), (QList<int>{F3, F1, F2}));
}

void TestBootloader::imageQuestions_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<QString>("question");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<RunResult>("result");
    QTest::addColumn<QList<int>>("sent");

    const QByteArray badSum = ":10010000214601360121470136007EFE09D2190141\n";
    const QString sumQuestion = QStringLiteral("Контрольная сумма строки 2 неверна. Продолжить?");
    QTest::newRow("bad checksum, no") << (DataRecord + "\n" + badSum) << sumQuestion << false << RunResult::Refused
                                      << QList<int>{};
    QTest::newRow("bad checksum, yes") << (DataRecord + "\n" + badSum) << sumQuestion << true << RunResult::Finished
                                       << QList<int>{F3, F0, F0, F1, F2};
    const QByteArray gap = DataRecord + "\n\n" + DataRecord + "\n";
    const QString gapQuestion = QStringLiteral("Строка 2 пустая или из одного символа: на ней передача закончится, "
                                               "и записи после неё не будут отправлены. Продолжить?");
    QTest::newRow("empty line, no") << gap << gapQuestion << false << RunResult::Refused << QList<int>{};
    QTest::newRow("empty line, yes") << gap << gapQuestion << true << RunResult::LineStopped << QList<int>{F3, F0, F1, F2};
}

void TestBootloader::imageQuestions()
{
    QFETCH(QByteArray, image);
    QFETCH(QString, question);
    QFETCH(bool, answer);
    QFETCH(RunResult, result);
    QFETCH(QList<int>, sent);

    Rig rig;
    rig.answer = answer;
    const qsizetype opened = rig.open();
    QCOMPARE(rig.boot.Run(rig.file(image)), result);
    QCOMPARE(rig.questions, QStringList{question});
    QCOMPARE(rig.codesFrom(opened), sent);
}

void TestBootloader::refusedImageSendsNothing_data()
{
    QTest::addColumn<QByteArray>("image"); // empty: no file at all
    QTest::addColumn<QString>("message");

    QTest::newRow("missing file") << QByteArray() << QStringLiteral("Файл прошивки не найден");
    QTest::newRow("data not hex") << (DataRecord + "\n:02000000ZZ00FE\n")
                                  << QStringLiteral("Файл прошивки повреждён, ничего не отправлено.\nСтрока 2: поле «данные»");
    QTest::newRow("short record") << (DataRecord + "\n" + DataRecord.left(20) + "\n" + DataRecord + "\n")
                                  << QStringLiteral("Файл прошивки повреждён, ничего не отправлено.\nСтрока 2: запись обрывается");
}

void TestBootloader::refusedImageSendsNothing()
{
    QFETCH(QByteArray, image);
    QFETCH(QString, message);

    Rig rig;
    const qsizetype opened = rig.open();
    const QString path = image.isEmpty() ? rig.dir.filePath(QStringLiteral("none.hex")) : rig.file(image);
    QCOMPARE(rig.boot.Run(path), RunResult::Refused);
    QCOMPARE(rig.errors.size(), 1);
    QVERIFY2(rig.errors[0].startsWith(message), qPrintable(rig.errors[0]));
    QCOMPARE(rig.device.frames.size(), opened);
    QCOMPARE(rig.status.size(), 1); // the counts are reset before the image is looked at
}

void TestBootloader::realSizeImage()
{
    // 64 KB in 16-byte records with random contents, as a linker writes them.
    const HexImageText image = HexImageText::random(65536, 16, 7);
    Rig rig;
    rig.open();
    QCOMPARE(rig.boot.Run(rig.file(image.text)), RunResult::Finished);
    QCOMPARE(rig.device.image, image.blockData);
    QCOMPARE(rig.progress.constLast().bytesSent, 2 + 65536);

    // Equal blocks take equal time, so halfway the estimate is the time spent so far.
    const Bootloader::Progress half = rig.progress[2049];
    QCOMPARE(half.linesDone, 2049);
    const qint64 perBlock = rig.device.frames[10].at - rig.device.frames[9].at;
    QVERIFY2(qAbs(half.msLeft - 2049 * perBlock) <= 2 * perBlock, qPrintable(QString::number(half.msLeft)));
}

QTEST_GUILESS_MAIN(TestBootloader)
#include "tst_bootloader.moc"
