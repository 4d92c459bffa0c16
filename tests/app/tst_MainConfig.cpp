#include "MainFixture.h"

#include "config/ConfigActions.h"
#include "config/ConfigGrid.h"
#include "config/TerminalParams.h"

#include <QAction>
#include <QDir>
#include <QProgressBar>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

// The configuration page inside the main window: the stored configuration
// shown at start-up, the toolbar's reading and the parameter file.
class tst_MainConfig : public QObject
{
    Q_OBJECT

private slots:
    void startupShowsTheStoredConfiguration();
    void readShowsTheTerminal();
    void saveThenLoad();
};

void tst_MainConfig::startupShowsTheStoredConfiguration()
{
    MainFixture f;
    f.writeSetting("Params", "APN", QStringLiteral("Интернет"));
    f.writeSetting("Params", "Speed", "90");
    f.writeSetting("Params", "DSensor_DS2Name", QStringLiteral("Дверь"));
    TfrmMain &w = f.start();
    QCOMPARE(w.ParamCount, 40);
    QCOMPARE(w.cxVGrid->parentWidget(), w.TS1);
    QCOMPARE(w.cxVGrid->value({ "erAPN", 0 }), QVariant(QStringLiteral("Интернет")));
    QCOMPARE(w.cxVGrid->value({ "erSpeed", 0 }).toLongLong(), 90);
    QCOMPARE(w.cxVGrid->caption({ "erDigitalSensors", 1 }), QStringLiteral("Дверь"));
    QCOMPARE(w.cxVGrid->caption({ "erDigitalSensors", 0 }), QStringLiteral("Датчик 1"));
    QVERIFY(!w.params().APN.Synced);
    QVERIFY(!w.configActions->btnStop->isVisibleTo(w.SB));
}

void tst_MainConfig::readShowsTheTerminal()
{
    MainFixture f;
    TfrmMain &w = f.start();
    w.ALUpdate();
    QVERIFY(w.AReadConfig->isEnabled());
    f.port().written.clear();
    w.AReadConfig->trigger();
    // The fixture's terminal answers only the firmware version.
    QCOMPARE(w.cxVGrid->value({ "erFirmvareVersion", 0 }), QVariant("1.0.5"));
    QCOMPARE(w.cxVGrid->value({ "erTimer", 0 }), QVariant("00/00/00/00"));
    QCOMPARE(w.PB->value(), 0);
    QCOMPARE(static_cast<quint8>(f.port().written.first().at(4)), quint8(0x01));
    QCOMPARE(static_cast<quint8>(f.port().written.last().at(4)), quint8(0x2B));
    QVERIFY(w.params().ProgrammVersion.Synced);

    const QString dir = qEnvironmentVariable("TAVIRON_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        QVERIFY(w.grab().save(QDir(dir).filePath("main-config.png")));
}

void tst_MainConfig::saveThenLoad()
{
    MainFixture f;
    TfrmMain &w = f.start();
    w.cxVGrid->setValue({ "erAPN", 0 }, "internet");
    w.cxVGrid->setCaption({ "erDigitalSensors", 3 }, QStringLiteral("Капот"));
    w.ASaveParams->trigger();
    QCOMPARE(f.readSetting("Params", "APN"), QStringLiteral("internet"));
    QCOMPARE(f.readSetting("Params", "DSensor_DS4Name"), QStringLiteral("Капот"));
    w.cxVGrid->setValue({ "erAPN", 0 }, "other");
    w.ALoadParams->trigger();
    QCOMPARE(w.cxVGrid->value({ "erAPN", 0 }), QVariant("internet"));
}

QTEST_MAIN(tst_MainConfig)
#include "tst_MainConfig.moc"
