#include "settings/XmlStore.h"

#include <QFile>
#include <QLoggingCategory>
#include <QScopeGuard>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class tst_XmlStore : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void roundTrip();
    void missingFileCreatedAtLastClose();
    void countedOpenClose();
    void unreadableFileKeptAsBackup_data();
    void unreadableFileKeptAsBackup();
    void truncatedAtEveryOffset();
    void windows1251File();
    void linesOutsideRootKept();
    void integers_data();
    void integers();

private:
    QTemporaryDir m_dir;
    QString m_file;
};

void tst_XmlStore::init()
{
    QVERIFY(m_dir.isValid());
    m_file = m_dir.filePath(QStringLiteral("tvConfigC.xml"));
    QFile::remove(m_file);
    QFile::remove(m_file + QStringLiteral(".bak"));
}

void tst_XmlStore::roundTrip()
{
    XmlStore store(m_file);
    store.open();
    store.writeString(QStringLiteral("Setup"), QStringLiteral("Com"), QStringLiteral("COM3"));
    store.writeString(QStringLiteral("Params"), QStringLiteral("APN"), QStringLiteral("internet.мтс & <co>\""));
    store.writeInteger(QStringLiteral("Setup"), QStringLiteral("BaudRate"), 115200);
    QVERIFY(store.close());

    const QByteArray text = readAll(m_file);
    QVERIFY(text.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    QVERIFY(text.contains("<Com value=\"COM3\"/>"));

    XmlStore again(m_file);
    again.open();
    QCOMPARE(again.readString(QStringLiteral("Setup"), QStringLiteral("Com")), QStringLiteral("COM3"));
    QCOMPARE(again.readString(QStringLiteral("Params"), QStringLiteral("APN")), QStringLiteral("internet.мтс & <co>\""));
    QCOMPARE(again.readInteger(QStringLiteral("Setup"), QStringLiteral("BaudRate"), 0), 115200);
    QCOMPARE(again.readString(QStringLiteral("Setup"), QStringLiteral("Missing"), QStringLiteral("dflt")), QStringLiteral("dflt"));
    again.close();
}

void tst_XmlStore::missingFileCreatedAtLastClose()
{
    XmlStore store(m_file);
    store.open();
    QCOMPARE(store.readString(QStringLiteral("Setup"), QStringLiteral("Com"), QStringLiteral("COM1")), QStringLiteral("COM1"));
    QVERIFY(!QFile::exists(m_file));
    QVERIFY(store.close());
    QVERIFY(readAll(m_file).contains("<FORMS"));
}

void tst_XmlStore::countedOpenClose()
{
    XmlStore store(m_file);
    store.open();
    store.open();
    store.writeString(QStringLiteral("Setup"), QStringLiteral("Com"), QStringLiteral("COM7"));
    store.close();
    QVERIFY(!QFile::exists(m_file)); // still open once: nothing written yet
    QVERIFY(store.isOpen());
    store.close();
    QVERIFY(!store.isOpen());
    QVERIFY(readAll(m_file).contains("COM7"));

    // The next first open reads the file anew, with changes made meanwhile.
    writeAll(m_file, "<?xml version=\"1.0\"?><FORMS><Setup><Com value=\"COM9\"/></Setup></FORMS>");
    store.open();
    QCOMPARE(store.readString(QStringLiteral("Setup"), QStringLiteral("Com")), QStringLiteral("COM9"));
    store.close();
    // Nothing written: the file stays byte for byte.
    QCOMPARE(readAll(m_file), QByteArray("<?xml version=\"1.0\"?><FORMS><Setup><Com value=\"COM9\"/></Setup></FORMS>"));
}

void tst_XmlStore::unreadableFileKeptAsBackup_data()
{
    QTest::addColumn<QByteArray>("content");
    const QByteArray good = "<?xml version=\"1.0\"?>\n<FORMS>\n<Setup>\n<Com value=\"COM3\"/>\n</Setup>\n</FORMS>\n";
    QTest::newRow("not xml") << QByteArray("this is not a settings file\x01\x02");
    QTest::newRow("truncated in a tag") << good.left(40);
    QTest::newRow("truncated in the root") << good.left(good.indexOf("</Setup>"));
    QTest::newRow("binary") << QByteArray::fromHex("00FFFE00414243");
}

void tst_XmlStore::unreadableFileKeptAsBackup()
{
    QFETCH(QByteArray, content);
    writeAll(m_file, content);
    QStringList warnings;
    XmlStore store(m_file);
    store.onWarning = [&](const QString &w) { warnings << w; };
    store.open();
    QCOMPARE(warnings.size(), 1);
    QVERIFY(warnings.first().contains(QStringLiteral(".bak")));
    QCOMPARE(readAll(m_file + QStringLiteral(".bak")), content);
    QCOMPARE(store.readString(QStringLiteral("Setup"), QStringLiteral("Com"), QStringLiteral("COM1")), QStringLiteral("COM1"));
    store.writeString(QStringLiteral("Setup"), QStringLiteral("Com"), QStringLiteral("COM2"));
    QVERIFY(store.close());
    QCOMPARE(readAll(m_file + QStringLiteral(".bak")), content);

    XmlStore again(m_file);
    again.onWarning = [&](const QString &w) { warnings << w; };
    again.open();
    QCOMPARE(again.readString(QStringLiteral("Setup"), QStringLiteral("Com")), QStringLiteral("COM2"));
    again.close();
    QCOMPARE(warnings.size(), 1);
}

void tst_XmlStore::truncatedAtEveryOffset()
{
    // A settings file as the program writes it, cut short at every byte (a
    // crash of some other writer, a full disk): the store never fails to start,
    // always keeps what it could not read, and always leaves a readable file.
    XmlStore writer(m_file);
    writer.open();
    writer.writeString(QStringLiteral("Setup"), QStringLiteral("Com"), QStringLiteral("/dev/ttyUSB0"));
    writer.writeInteger(QStringLiteral("Setup"), QStringLiteral("BaudRate"), 115200);
    writer.writeString(QStringLiteral("Params"), QStringLiteral("DSensor_DS1Name"), QStringLiteral("Дверь водителя"));
    writer.writeString(QStringLiteral("MainForm"), QStringLiteral("NormalPos"), QStringLiteral("10,20,923,1006"));
    QVERIFY(writer.close());
    const QByteArray full = readAll(m_file);

    QLoggingCategory::setFilterRules(QStringLiteral("taviron.settings.warning=false"));
    auto restoreLogging = qScopeGuard([] { QLoggingCategory::setFilterRules(QString()); });
    for (qsizetype cut = 0; cut < full.size(); ++cut) {
        const QByteArray part = full.left(cut);
        writeAll(m_file, part);
        QFile::remove(m_file + QStringLiteral(".bak"));
        int warnings = 0;
        XmlStore store(m_file);
        store.onWarning = [&](const QString &) { ++warnings; };
        store.open();
        const bool blank = part.trimmed().isEmpty() || part.trimmed() == full.left(full.indexOf('\n')).trimmed();
        if (warnings) {
            QCOMPARE(readAll(m_file + QStringLiteral(".bak")), part);
        } else {
            QVERIFY2(blank || store.readString(QStringLiteral("Setup"), QStringLiteral("Com")) == QStringLiteral("/dev/ttyUSB0"),
                     qPrintable(QStringLiteral("cut at %1").arg(cut)));
        }
        store.writeString(QStringLiteral("Setup"), QStringLiteral("Com"), QStringLiteral("COM5"));
        QVERIFY(store.close());

        XmlStore reread(m_file);
        reread.onWarning = [&](const QString &w) { QFAIL(qPrintable(w)); };
        reread.open();
        QCOMPARE(reread.readString(QStringLiteral("Setup"), QStringLiteral("Com")), QStringLiteral("COM5"));
        reread.close();
    }
}

void tst_XmlStore::windows1251File()
{
    QStringEncoder cp1251("windows-1251");
    const QByteArray bytes = cp1251.encode(QStringLiteral("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n"
                                                          "<FORMS><Params><DSensor_DS1Name value=\"Датчик двери\"/></Params></FORMS>\n"));
    writeAll(m_file, bytes);
    XmlStore store(m_file);
    store.open();
    QCOMPARE(store.readString(QStringLiteral("Params"), QStringLiteral("DSensor_DS1Name")), QStringLiteral("Датчик двери"));
    store.writeString(QStringLiteral("Params"), QStringLiteral("APN"), QStringLiteral("инет"));
    QVERIFY(store.close());

    const QByteArray saved = readAll(m_file);
    QVERIFY(saved.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    QVERIFY(saved.contains(QStringLiteral("Датчик двери").toUtf8()));
    QVERIFY(saved.contains(QStringLiteral("инет").toUtf8()));
}

void tst_XmlStore::linesOutsideRootKept()
{
    writeAll(m_file, "<?xml version=\"1.0\"?>\n<!-- written by hand -->\n<FORMS>\n  <Setup>\n    <Com value=\"COM3\"/>\n  </Setup>\n</FORMS>\n"
                     "<!-- trailer -->\n");
    XmlStore store(m_file);
    store.open();
    store.writeString(QStringLiteral("Setup"), QStringLiteral("BaudRate"), QStringLiteral("9600"));
    QVERIFY(store.close());
    const QByteArray saved = readAll(m_file);
    QVERIFY2(saved.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- written by hand -->\n<FORMS>"), saved.constData());
    QVERIFY(saved.endsWith("</FORMS>\n<!-- trailer -->\n"));
    QVERIFY(saved.contains("<Com value=\"COM3\"/>"));
    QVERIFY(saved.contains("<BaudRate value=\"9600\"/>"));
}

void tst_XmlStore::integers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("number") << QStringLiteral("115200") << 115200;
    QTest::newRow("zero") << QStringLiteral("0") << 0;
    QTest::newRow("blanks") << QStringLiteral(" 9600 ") << 9600;
    QTest::newRow("not a number counts as absent") << QStringLiteral("fast") << -1;
    QTest::newRow("fraction counts as absent") << QStringLiteral("9600.5") << -1;
    QTest::newRow("empty counts as absent") << QString() << -1;
}

void tst_XmlStore::integers()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    XmlStore store(m_file);
    store.open();
    store.writeString(QStringLiteral("Setup"), QStringLiteral("BaudRate"), text);
    QCOMPARE(store.readInteger(QStringLiteral("Setup"), QStringLiteral("BaudRate"), -1), expected);
    store.close();
}

QTEST_GUILESS_MAIN(tst_XmlStore)
#include "tst_xmlstore.moc"
