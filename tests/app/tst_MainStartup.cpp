// Start-up of the main window: the stored port settings, the port loop and
// the first frame on the line.
#include "MainFixture.h"

#include "app/PortCatalog.h"
#include "sim/SimMessageHeader.h"
#include "link/Commands.h"

#include <QLabel>
#include <QTabWidget>
#include <QTest>

class tst_MainStartup : public QObject
{
    Q_OBJECT
private slots:
    void firstRunWithoutSettingsFile();
    void damagedSettingsFile_data();
    void damagedSettingsFile();
    void storedBaudRate_data();
    void storedBaudRate();
    void chosenSpeedIsStoredOnlyFromTheTable_data();
    void chosenSpeedIsStoredOnlyFromTheTable();
    void cancelOpensWithThePrefilledSettings();
    void commandLinePortPrefillsTheDialog();
    void messageHeaderOfTheTerminal_data();
    void messageHeaderOfTheTerminal();
    void noShowsTheDialogAgainWithTheReason();
    void yesEndsWithoutSendingAnything();
    void firstFrameIsTheMainMode();
    void windowAsItStarts();
};

void tst_MainStartup::firstRunWithoutSettingsFile()
{
    MainFixture f;
    f.dialogAnswer = [](Port::Settings &s, int) {
        s.name = QStringLiteral("COM3");
        s.baudRate = 115200;
        s.parity = QSerialPort::EvenParity;
        return true;
    };
    f.start();
    QCOMPARE(f.dialogShown.size(), 1);
    QCOMPARE(f.dialogShown[0].name, PortCatalog::defaultPortName());
    QCOMPARE(f.dialogShown[0].baudRate, 9600);
    QVERIFY(f.port().isOpen());
    QCOMPARE(f.port().settings().parity, QSerialPort::EvenParity);
    QCOMPARE(f.readSetting(QStringLiteral("Setup"), QStringLiteral("Com")), QStringLiteral("COM3"));
    QCOMPARE(f.readSetting(QStringLiteral("Setup"), QStringLiteral("BaudRate")), QStringLiteral("115200"));
    QCOMPARE(f.readSetting(QStringLiteral("Setup"), QStringLiteral("Parity")), QStringLiteral("<absent>"));

    // The next start offers what the first one stored, and only that.
    MainFixture again;
    QVERIFY(QFile::copy(f.settingsFile(), again.settingsFile()));
    again.start();
    QCOMPARE(again.dialogShown[0].name, QStringLiteral("COM3"));
    QCOMPARE(again.dialogShown[0].baudRate, 115200);
    QCOMPARE(again.dialogShown[0].parity, QSerialPort::NoParity);
}

void tst_MainStartup::damagedSettingsFile_data()
{
    QTest::addColumn<QByteArray>("content");
    const QByteArray good = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Config>\n  <Setup>\n"
                            "    <Com Value=\"COM3\"/>\n    <BaudRate Value=\"115200\"/>\n  </Setup>\n</Config>\n";
    QTest::newRow("cut in a tag") << good.left(good.indexOf("BaudRate") + 4);
    QTest::newRow("cut before the root ends") << good.left(good.indexOf("</Config>"));
    QTest::newRow("not XML at all") << QByteArray("\x89PNG\r\n\x1a\n\x00\x00\x00\rIHDR\xff\xfe", 18);
}

void tst_MainStartup::damagedSettingsFile()
{
    QFETCH(QByteArray, content);
    MainFixture f;
    {
        QFile file(f.settingsFile());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    f.dialogAnswer = [](Port::Settings &, int) { return true; };
    f.start();

    // The program starts with defaults, says so once, and keeps the damaged file.
    QVERIFY(f.port().isOpen());
    QCOMPARE(f.dialogShown.size(), 1);
    QCOMPARE(f.dialogShown[0].baudRate, 9600);
    QCOMPARE(f.errorsShown.size(), 1);
    QVERIFY2(f.errorsShown[0].contains(QStringLiteral(".bak")), qPrintable(f.errorsShown[0]));
    QFile backup(f.settingsFile() + QStringLiteral(".bak"));
    QVERIFY(backup.open(QIODevice::ReadOnly));
    QCOMPARE(backup.readAll(), content);
    // What this run stores is readable by the next one.
    QCOMPARE(f.readSetting(QStringLiteral("Setup"), QStringLiteral("BaudRate")), QStringLiteral("9600"));
}

void tst_MainStartup::storedBaudRate_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("expected");
    QTest::newRow("zero means 9600") << "0" << 9600;
    QTest::newRow("not in the table") << "12345" << 9600;
    QTest::newRow("not a number") << "fast" << 9600;
    QTest::newRow("empty") << "" << 9600;
    QTest::newRow("in the table") << "57600" << 57600;
    QTest::newRow("lowest") << "110" << 110;
    QTest::newRow("highest") << "256000" << 256000;
}

void tst_MainStartup::storedBaudRate()
{
    QFETCH(QString, stored);
    QFETCH(int, expected);
    MainFixture f;
    f.writeSetting(QStringLiteral("Setup"), QStringLiteral("Com"), QStringLiteral("COM7"));
    f.writeSetting(QStringLiteral("Setup"), QStringLiteral("BaudRate"), stored);
    f.start();
    QCOMPARE(f.dialogShown[0].name, QStringLiteral("COM7"));
    QCOMPARE(f.dialogShown[0].baudRate, expected);
    QCOMPARE(f.port().settings().baudRate, expected);
    // Cancelled, so the port opened with what was offered, and it is stored.
    QCOMPARE(f.readSetting(QStringLiteral("Setup"), QStringLiteral("BaudRate")), QString::number(expected));
}

void tst_MainStartup::chosenSpeedIsStoredOnlyFromTheTable_data()
{
    QTest::addColumn<int>("chosen");
    QTest::addColumn<QString>("stored");
    QTest::newRow("table speed") << 38400 << "38400";
    QTest::newRow("custom speed") << 12345 << "19200";
}

void tst_MainStartup::chosenSpeedIsStoredOnlyFromTheTable()
{
    QFETCH(int, chosen);
    QFETCH(QString, stored);
    MainFixture f;
    f.writeSetting(QStringLiteral("Setup"), QStringLiteral("BaudRate"), QStringLiteral("19200"));
    f.dialogAnswer = [chosen](Port::Settings &s, int) {
        s.baudRate = chosen;
        return true;
    };
    f.start();
    QCOMPARE(f.port().settings().baudRate, chosen);
    QVERIFY(f.port().isOpen());
    QCOMPARE(f.readSetting(QStringLiteral("Setup"), QStringLiteral("BaudRate")), stored);
}

void tst_MainStartup::cancelOpensWithThePrefilledSettings()
{
    MainFixture f;
    f.writeSetting(QStringLiteral("Setup"), QStringLiteral("Com"), QStringLiteral("ttyUSB3"));
    f.writeSetting(QStringLiteral("Setup"), QStringLiteral("BaudRate"), QStringLiteral("115200"));
    f.dialogAnswer = [](Port::Settings &s, int) {
        s.name = QStringLiteral("COM9"); // typed, then cancelled
        return false;
    };
    f.start();
    QCOMPARE(f.ports.size(), 1);
    QCOMPARE(f.port().settings().name, QStringLiteral("ttyUSB3"));
    QVERIFY(f.port().isOpen());
    QCOMPARE(f.readSetting(QStringLiteral("Setup"), QStringLiteral("Com")), QStringLiteral("ttyUSB3"));
    QCOMPARE(f.readSetting(QStringLiteral("Setup"), QStringLiteral("BaudRate")), QStringLiteral("115200"));
}

void tst_MainStartup::commandLinePortPrefillsTheDialog()
{
    MainFixture f;
    f.writeSetting(QStringLiteral("Setup"), QStringLiteral("Com"), QStringLiteral("COM5"));
    f.portOverride = QStringLiteral("sim");
    f.dialogAnswer = [](Port::Settings &, int) { return true; };
    f.start();
    QCOMPARE(f.dialogShown[0].name, QStringLiteral("sim"));
    QCOMPARE(f.readSetting(QStringLiteral("Setup"), QStringLiteral("Com")), QStringLiteral("sim"));
}

void tst_MainStartup::messageHeaderOfTheTerminal_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<bool>("ownHeader"); // a header file of the firmware team in the messages folder
    QTest::addColumn<int>("messages");
    QTest::newRow("simulated terminal, no header file: the one it comes with") << "sim" << false << SimMessageHeader().count();
    QTest::newRow("simulated terminal, header file: the file") << "sim" << true << 2;
    QTest::newRow("real terminal, no header file: none") << "/dev/ttyUSB0" << false << 0;
}

void tst_MainStartup::messageHeaderOfTheTerminal()
{
    QFETCH(QString, port);
    QFETCH(bool, ownHeader);
    QFETCH(int, messages);
    MainFixture f;
    f.writeSetting(QStringLiteral("Setup"), QStringLiteral("MessagesPath"), f.dir.path() + QLatin1Char('/'));
    if (ownHeader) {
        QFile header(f.dir.filePath(QStringLiteral("messages.h")));
        QVERIFY(header.open(QIODevice::WriteOnly));
        header.write("MSG_A, // first\nMSG_B, // second\n");
    }
    f.portOverride = port;
    f.dialogAnswer = [](Port::Settings &, int) { return true; };
    TfrmMain &w = f.start();
    QCOMPARE(w.Messages.MessageCount, messages);
}

void tst_MainStartup::noShowsTheDialogAgainWithTheReason()
{
    MainFixture f;
    f.failOpen = true;
    f.quitAnswers = {false, false};
    f.dialogAnswer = [&f](Port::Settings &, int showing) {
        f.failOpen = showing < 3; // the third try finds the port free
        return true;
    };
    f.start();
    QCOMPARE(f.dialogShown.size(), 3);
    QCOMPARE(f.quitAsked, 2);
    QVERIFY(f.dialogProblems[0].isEmpty());
    QVERIFY(!f.dialogProblems[1].isEmpty());
    QVERIFY(f.dialogProblems[1].contains(f.dialogShown[0].name));
    QVERIFY(!f.main->terminateRequested());
    QVERIFY(f.link.PortConnected);
    QCOMPARE(f.modeCommands(), QList<quint8>{1});
}

void tst_MainStartup::yesEndsWithoutSendingAnything()
{
    MainFixture f;
    f.writeSetting(QStringLiteral("Setup"), QStringLiteral("Com"), QStringLiteral("COM4"));
    f.failOpen = true;
    f.quitAnswers = {true};
    f.dialogAnswer = [](Port::Settings &s, int) {
        s.name = QStringLiteral("COM8");
        return true;
    };
    f.start();
    QVERIFY(f.main->terminateRequested());
    QCOMPARE(f.dialogShown.size(), 1);
    QVERIFY(!f.link.PortConnected);
    // Ports replaced during the loop are gone; the one kept saw nothing, and
    // PortConnected (false above) gates every frame.
    QVERIFY(f.port().written.isEmpty());
    // A failed opening stores nothing.
    QCOMPARE(f.readSetting(QStringLiteral("Setup"), QStringLiteral("Com")), QStringLiteral("COM4"));
}

void tst_MainStartup::firstFrameIsTheMainMode()
{
    MainFixture f;
    f.start();
    QVERIFY(!f.port().written.isEmpty());
    QCOMPARE(f.port().written.first(), programFrame(QByteArrayLiteral("\x7F\x01\x01")));
    QCOMPARE(f.port().written.first().toHex(' '), QByteArray("0d 0a 2a 3e 7f 01 01 7f"));
    QCOMPARE(f.port().written.size(), 1);
    QCOMPARE(f.link.WorkMode, quint8(1));
    QCOMPARE(f.link.NakCount, 0);
}

void tst_MainStartup::windowAsItStarts()
{
    MainFixture f;
    TfrmMain &w = f.start();
    QCOMPARE(w.windowTitle(), QStringLiteral("Тавирон Конфигуратор(1.2.2.0)"));
    QCOMPARE(w.size(), QSize(913, 986));
    QCOMPARE(w.PC->count(), 5);
    const QStringList captions{QStringLiteral("Конфигуратор"), QStringLiteral("Модем"), QStringLiteral("Навигационный приемник"),
                               QStringLiteral("Тестирование"), QStringLiteral("Датчики")};
    for (int i = 0; i < 5; ++i)
        QCOMPARE(w.PC->tabText(i), captions[i]);
    QCOMPARE(w.PC->currentIndex(), 0);
    QCOMPARE(w.SBPanel4->text(), QStringLiteral("Ошибок передачи 0  CRC 0"));
    QVERIFY(!w.tmr.isActive());
    QVERIFY(!w.tmrMode.isActive());
    QCOMPARE(w.tmr.interval(), 15000);
    QCOMPARE(w.tmrMode.interval(), 100);
}

QTEST_MAIN(tst_MainStartup)
#include "tst_MainStartup.moc"
