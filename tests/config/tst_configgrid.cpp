#include "ConnectLink.h"
#include "ScriptedPort.h"
#include "ScriptedSim.h"
#include "VirtualPump.h"

#include "config/ConfigActions.h"
#include "config/ConfigGrid.h"
#include "config/GridCell.h"
#include "config/GridRow.h"
#include "config/ParamsFile.h"
#include "config/TerminalParams.h"
#include "link/Link.h"
#include "sim/SimTerminal.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

// The configuration grid as the user meets it: rows, captions, editors,
// Null cells, the copy menu, and a reading from the simulated terminal.
class tst_ConfigGrid : public QObject
{
    Q_OBJECT

private slots:
    void rowsFollowTheTable();
    void categoriesFold();
    void nullStaysApartFromEmpty();
    void copyMenu();
    void numbersOutsideTheEditorLimits_data();
    void numbersOutsideTheEditorLimits();
    void spinLimitsHoldForTheUser();
    void maskedCellTakesOnlyCompleteText();
    void inputNamesAndStates();
    void readFromSimulator();
    void writeErrorIsShown();
    void stopButtonEndsTheReading();
};

void tst_ConfigGrid::rowsFollowTheTable()
{
    ConfigGrid grid;
    QCOMPARE(grid.headerWidth(), 316);
    QCOMPARE(grid.rows().size(), ConfigRows::rows().size());
    for (int i = 0; i < grid.rows().size(); ++i) {
        const GridRow *row = grid.rows().at(i);
        const RowDef &def = ConfigRows::rows().at(i);
        QCOMPARE(row->objectName(), def.name);
        QCOMPARE(row->cellCount(), def.editors.size());
        for (int e = 0; e < def.editors.size(); ++e)
            QCOMPARE(row->caption(e), def.editors.at(e).caption);
    }
    QCOMPARE(grid.row("crGeneral")->caption(0), QStringLiteral("Общие"));
    QCOMPARE(grid.caption({ "erIP", 1 }), QStringLiteral("Порт"));
    QCOMPARE(grid.caption({ "erAlarmProp", 2 }), QStringLiteral("SMS владельцу"));
    QVERIFY(!grid.isRowShown("crAutoTransfer"));
    QVERIFY(grid.isRowShown("erDigitalSensors"));
    // Editors by kind: the firmware version is a label, the events check boxes,
    // the inputs two radio buttons.
    QVERIFY(grid.cell("erFirmvareVersion", 0)->findChild<QLineEdit *>() == nullptr);
    QVERIFY(grid.cell("erVersion", 0)->findChild<QLineEdit *>());
    QVERIFY(grid.cell("erReloadEvent", 1)->findChild<QCheckBox *>());
    const QList<QRadioButton *> radios = grid.cell("erDigitalSensors", 0)->findChildren<QRadioButton *>();
    QCOMPARE(radios.size(), 2);
    QCOMPARE(radios.at(0)->text(), QStringLiteral("Замкнут"));
    QCOMPARE(radios.at(1)->text(), QStringLiteral("Разомкнут"));
}

void tst_ConfigGrid::categoriesFold()
{
    ConfigGrid grid;
    GridRow *connection = grid.row("crConnection");
    connection->setExpanded(false);
    QVERIFY(!grid.isRowShown("erAPN"));
    QVERIFY(grid.isRowShown("crParameters"));
    connection->setExpanded(true);
    QVERIFY(grid.isRowShown("erAPN"));
    grid.row("crParameters")->setExpanded(false);
    QVERIFY(!grid.isRowShown("erPerimetr")); // two levels down
    // The event categories have no button: they stay open.
    grid.row("crTimer")->setExpanded(false);
    QVERIFY(grid.isRowShown("erTimerEvent"));
}

void tst_ConfigGrid::nullStaysApartFromEmpty()
{
    ConfigGrid grid;
    QVERIFY(!grid.value({ "erIMEI", 0 }).isValid());
    QVERIFY(!grid.value({ "erSerialNumber", 0 }).isValid());
    QCOMPARE(grid.value({ "erVersion", 0 }), QVariant(QString()));
    QCOMPARE(grid.value({ "erIP", 1 }), QVariant("0"));
    QCOMPARE(grid.value({ "erVoltageMAX", 0 }).toDouble(), 12.0);
    QCOMPARE(grid.value({ "erVoltageMIN", 0 }).toDouble(), 6.0);

    grid.setValue({ "erIP", 0 }, QVariant());
    QVERIFY(!grid.value({ "erIP", 0 }).isValid());
    QTest::keyClicks(grid.cell("erIP", 0)->findChild<QLineEdit *>(), "1");
    QCOMPARE(grid.value({ "erIP", 0 }), QVariant("1"));
    QTest::keyClick(grid.cell("erIP", 0)->findChild<QLineEdit *>(), Qt::Key_Backspace);
    QCOMPARE(grid.value({ "erIP", 0 }), QVariant(QString())); // typed away: empty, no longer Null
}

void tst_ConfigGrid::copyMenu()
{
    ConfigGrid grid;
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText("before");
    grid.IMEI1Click(); // Null: nothing to copy, the clipboard stays usable
    QCOMPARE(clipboard->text(), QStringLiteral("before"));
    grid.setValue({ "erIMEI", 0 }, "356938035643809");
    grid.IMEI1Click();
    QCOMPARE(clipboard->text(), QStringLiteral("356938035643809"));
    grid.setValue({ "erSerialNumber", 0 }, "A 12 123456");
    grid.N3Click();
    QCOMPARE(clipboard->text(), QStringLiteral("A 12 123456"));
    grid.setValue({ "erSIMCCID", 0 }, "89071001234567890123");
    grid.SIMCCID1Click();
    QCOMPARE(clipboard->text(), QStringLiteral("89071001234567890123"));
    QStringList items;
    for (QAction *a : grid.PMCopyParams->actions())
        items << a->text();
    QCOMPARE(items, (QStringList { "Копировать SIMCCID", "Копировать IMEI", "Копировать серийный номер" }));
}

void tst_ConfigGrid::numbersOutsideTheEditorLimits_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<int>("editor");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("shown");

    QTest::newRow("distance 0 below 100") << "erDistance" << 0 << QVariant(qint64(0)) << "0";
    QTest::newRow("distance 2^32-1") << "erDistance" << 0 << QVariant(qint64(4294967295)) << "4294967295";
    QTest::newRow("speed 400 above 300") << "erSpeed" << 0 << QVariant(qint64(400)) << "400";
    QTest::newRow("voltage 0 below 6") << "erVoltageMAX" << 0 << QVariant(0.0) << "0";
    QTest::newRow("voltage 12") << "erVoltageMAX" << 0 << QVariant(12.0) << "12";
    QTest::newRow("voltage 12.346") << "erVoltageMIN" << 0 << QVariant(12.346) << "12.346";
    QTest::newRow("latitude cut") << "erPerimetr" << 0 << QVariant(55.124) << "55.124";
    QTest::newRow("longitude negative") << "erPerimetr" << 1 << QVariant(-37.123) << "-37.123";
}

void tst_ConfigGrid::numbersOutsideTheEditorLimits()
{
    QFETCH(QString, row);
    QFETCH(int, editor);
    QFETCH(QVariant, value);
    QFETCH(QString, shown);
    ConfigGrid grid;
    grid.setValue({ row, editor }, value);
    grid.commitEdits();
    QCOMPARE(grid.value({ row, editor }), value);
    QCOMPARE(grid.cell(row, editor)->displayText(), shown);
    QCOMPARE(grid.cell(row, editor)->findChild<QLineEdit *>()->text(), shown);
}

void tst_ConfigGrid::spinLimitsHoldForTheUser()
{
    ConfigGrid grid;
    grid.setValue({ "erSpeed", 0 }, qint64(0));
    auto *speed = grid.cell("erSpeed", 0)->findChild<QAbstractSpinBox *>();
    speed->findChild<QLineEdit *>()->selectAll();
    QTest::keyClicks(speed, "350"); // the last digit would pass 300: refused
    QTest::keyClick(speed, Qt::Key_Enter);
    QCOMPARE(grid.value({ "erSpeed", 0 }), QVariant(qint64(35)));
    // A distance shown below its minimum: what the user enters is held to it.
    grid.setValue({ "erDistance", 0 }, qint64(0));
    auto *distance = grid.cell("erDistance", 0)->findChild<QAbstractSpinBox *>();
    distance->stepUp();
    QCOMPARE(grid.value({ "erDistance", 0 }), QVariant(qint64(100)));
    distance->findChild<QLineEdit *>()->selectAll();
    QTest::keyClicks(distance, "50");
    QTest::keyClick(distance, Qt::Key_Enter);
    QCOMPARE(grid.value({ "erDistance", 0 }), QVariant(qint64(100)));
}

void tst_ConfigGrid::maskedCellTakesOnlyCompleteText()
{
    ConfigGrid grid;
    QLineEdit *serial = grid.cell("erSerialNumber", 0)->findChild<QLineEdit *>();
    QTest::keyClicks(serial, "A 1");
    grid.commitEdits();
    QVERIFY(!grid.value({ "erSerialNumber", 0 }).isValid()); // half a number is dropped
    QCOMPARE(serial->text(), QString());
    QTest::keyClicks(serial, "A 12 123456");
    grid.commitEdits();
    QCOMPARE(grid.value({ "erSerialNumber", 0 }), QVariant("A 12 123456"));

    QLineEdit *timer = grid.cell("erTimer", 0)->findChild<QLineEdit *>();
    QTest::keyClicks(timer, "01/2");
    grid.commitEdits();
    QCOMPARE(grid.value({ "erTimer", 0 }), QVariant(QString()));
    timer->clear();
    QTest::keyClicks(timer, "01/23/59/00");
    grid.commitEdits();
    QCOMPARE(grid.value({ "erTimer", 0 }), QVariant("01/23/59/00"));
}

void tst_ConfigGrid::inputNamesAndStates()
{
    TerminalParams params(nullptr);
    params.DSensor.SetName(0, QStringLiteral("Дверь"));
    params.DSensor.SetState(3, true);
    ConfigGrid grid;
    ParamsFile::ParamsToGrid(params, grid);
    QCOMPARE(grid.caption({ "erDigitalSensors", 0 }), QStringLiteral("Дверь"));
    QVERIFY(grid.cell("erDigitalSensors", 3)->findChildren<QRadioButton *>().at(1)->isChecked());
    grid.cell("erDigitalSensors", 1)->findChildren<QRadioButton *>().at(1)->click();
    grid.setCaption({ "erDigitalSensors", 2 }, QStringLiteral("Капот"));
    ParamsFile::GridToParams(params, grid);
    QCOMPARE(params.DSensor.StateByte, quint8(0x0A));
    QCOMPARE(params.DSensor.Name3, QStringLiteral("Капот"));
}

void tst_ConfigGrid::readFromSimulator()
{
    VirtualPump pump;
    Link link(pump);
    ScriptedPort port(pump);
    SimTerminal sim;
    ScriptedSim host(pump, port, sim);
    connectLink(link, port);

    TerminalParams params(nullptr, [&](const TBuf &r) { return link.Transact(r); });
    ConfigGrid grid;
    grid.resize(760, 1500);
    QProgressBar bar;
    bar.setRange(0, 100);
    QList<int> positions;
    connect(&bar, &QProgressBar::valueChanged, this, [&](int v) { positions << v; });
    ConfigActions actions(params, grid, &bar);
    actions.readConfig();

    QVERIFY(!positions.isEmpty());
    QCOMPARE(positions.last(), 0);
    QCOMPARE(bar.value(), 0);
    QVERIFY(!actions.btnStop->isVisible());
    QVERIFY(!actions.busy());
    QVERIFY(!grid.value({ "erVersion", 0 }).toString().isEmpty());
    QVERIFY(!grid.value({ "erIMEI", 0 }).toString().isEmpty());
    QCOMPARE(grid.value({ "erSerialNumber", 0 }).toString().size(), 11);
    QCOMPARE(grid.value({ "erSIMCCID", 0 }).toString().size() >= 19, true);

    grid.show();
    const QString dir = qEnvironmentVariable("TAVIRON_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        QVERIFY(grid.grab().save(QDir(dir).filePath("config-grid.png")));
}

void tst_ConfigGrid::writeErrorIsShown()
{
    int sent = 0;
    TerminalParams params(nullptr, [&](const TBuf &) {
        ++sent;
        return TBuf();
    });
    ConfigGrid grid;
    QProgressBar bar;
    ConfigActions actions(params, grid, &bar);
    QStringList shown;
    actions.showError = [&](const QString &text) { shown << text; };
    grid.setValue({ "erIP", 1 }, "65536");
    actions.writeConfig();
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown.first().contains(QStringLiteral("«Порт»")));
    QVERIFY(shown.first().contains("65536"));
    QCOMPARE(sent, 7);
    QVERIFY(bar.value() > 0); // the bar stays where the writing stopped
    QVERIFY(!actions.busy());
}

void tst_ConfigGrid::stopButtonEndsTheReading()
{
    ConfigGrid grid;
    QProgressBar bar;
    std::unique_ptr<ConfigActions> actions;
    QList<QByteArray> requests;
    bool stopShown = false;
    TerminalParams params(nullptr, [&](const TBuf &request) {
        requests << request;
        stopShown = stopShown || !actions->btnStop->isHidden();
        if (requests.size() == 3)
            actions->btnStop->click(); // the user, while the third request waits
        return TBuf("x");
    });
    actions = std::make_unique<ConfigActions>(params, grid, &bar);
    actions->readConfig();
    QVERIFY(stopShown);
    QCOMPARE(requests.size(), 3); // 01, 7D, 0C: nothing after the request in flight
    QCOMPARE(grid.value({ "erVersion", 0 }), QVariant("x"));
    QVERIFY(!grid.value({ "erIMEI", 0 }).isValid());
    QVERIFY(actions->btnStop->isHidden());
    QCOMPARE(bar.value(), 0);
    actions->readConfig(); // a new reading starts afresh
    QCOMPARE(requests.size(), 3 + 44);
}

QTEST_MAIN(tst_ConfigGrid)
#include "tst_configgrid.moc"
