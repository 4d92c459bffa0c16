#include "ConnectLink.h"
#include "FuelDevice.h"
#include "ScriptedPort.h"
#include "VirtualPump.h"

#include "calibration/AdcCellEditor.h"
#include "calibration/CalcEdit.h"
#include "calibration/CalcPopup.h"
#include "calibration/FuelChart.h"
#include "calibration/TSensorFrame.h"
#include "config/ParamRegistry.h"
#include "config/TDigitalSensorParam.h"
#include "link/Commands.h"
#include "link/Link.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTest>
#include <QToolButton>

Q_DECLARE_METATYPE(FuelDevice::Script)

namespace {
struct Rig
{
    VirtualPump pump;
    Link link{pump};
    ScriptedPort port{pump};
    FuelDevice device{port};
    TSensorFrame frame{link};
    QStringList errors;

    Rig()
    {
        connectLink(link, port);
        frame.ShowError = [this](const QString &text) { errors << text; };
    }

    // The cells of a column as the table shows them.
    QString column(int col) const
    {
        QStringList cells;
        for (int r = 0; r < frame.View->rowCount(); ++r) {
            const QModelIndex index = frame.View->index(r, col);
            auto *delegate = qobject_cast<QStyledItemDelegate *>(frame.grid->itemDelegateForIndex(index));
            cells << delegate->displayText(index.data(Qt::DisplayRole), QLocale::c());
        }
        return cells.join(' ');
    }
    QString chart() const
    {
        QStringList points;
        for (const QPointF &p : frame.Chart1->Ser->points())
            points << QStringLiteral("%1:%2").arg(p.x()).arg(p.y());
        return points.join(' ');
    }
    void setRow(int row, const QVariant &adc, const QVariant &litres)
    {
        frame.View->setData(frame.View->index(row, TSensorFrame::Voltage), adc);
        frame.View->setData(frame.View->index(row, TSensorFrame::Fuel), litres);
    }
    void addRows(int n)
    {
        for (int i = 0; i < n; ++i)
            frame.AInsertPoint->trigger();
    }
};

FuelDevice::Script script(std::initializer_list<QByteArray> replies)
{
    FuelDevice::Script s;
    for (const QByteArray &r : replies)
        s.append(r);
    return s;
}
} // namespace

class tst_SensorFrame : public QObject
{
    Q_OBJECT
private slots:
    void loadTable_data();
    void loadTable();
    void removeRenumbers();
    void enabling_data();
    void enabling();
    void saveTable();
    void saveTableRefusesVolume();
    void saveTableCommitsOpenEditor();
    void clearKeepsChart();
    void refreshLabels();
    void cellRefreshFillsFocusedRow();
    void calculatorFillsVolume();
    void namesBeforeFirstEntry();
    void namesSaved();
    void unsavedNamesReplacedOnEntry();
    void entryKeepsRows();
};

void tst_SensorFrame::loadTable_data()
{
    using P = FuelDevice;
    QTest::addColumn<FuelDevice::Script>("replies");
    QTest::addColumn<QString>("numbers");
    QTest::addColumn<QString>("adc");
    QTest::addColumn<QString>("litres");
    QTest::addColumn<QString>("chart");

    QTest::newRow("state 3 first") << script({P::point(0, 0, 3, 0)}) << "" << "" << "" << "";
    QTest::newRow("three points, chart in ADC order")
        << script({P::point(3000, 300, 0, 0), P::point(1050, 100, 1, 1), P::point(2000, 200, 2, 2)}) << "1 2 3"
        << "300 100 200" << "30.0000 10.5000 20.0000" << "100:10.5 200:20 300:30";
    QTest::newRow("indexes 0 and 2 only")
        << script({P::point(1000, 100, 0, 0)}) + P::silence() + script({P::point(3000, 300, 2, 2)}) << "1" << "100"
        << "10.0000" << "100:10";
}

void tst_SensorFrame::loadTable()
{
    QFETCH(FuelDevice::Script, replies);
    QFETCH(QString, numbers);
    QFETCH(QString, adc);
    QFETCH(QString, litres);
    QFETCH(QString, chart);
    Rig rig;
    rig.addRows(2); // rows from before the read are replaced
    bool disabledWhileReading = false;
    rig.device.pointReplies = replies;
    auto device = rig.port.device;
    rig.port.device = [&](const QByteArray &frame) {
        disabledWhileReading = !rig.frame.ALoadTable->isEnabled();
        device(frame);
    };

    rig.frame.ALoadTable->trigger();

    QVERIFY(disabledWhileReading);
    QVERIFY(rig.frame.ALoadTable->isEnabled());
    QCOMPARE(rig.column(TSensorFrame::RNum), numbers);
    QCOMPARE(rig.column(TSensorFrame::Voltage), adc);
    QCOMPARE(rig.column(TSensorFrame::Fuel), litres);
    QCOMPARE(rig.frame.PointCount, rig.frame.View->rowCount());
    QCOMPARE(rig.chart(), chart);
}

void tst_SensorFrame::removeRenumbers()
{
    Rig rig;
    rig.addRows(4);
    for (int r = 0; r < 4; ++r)
        rig.setRow(r, 100 * (r + 1), r + 1.0);
    rig.frame.grid->setCurrentIndex(rig.frame.View->index(1, TSensorFrame::Voltage));

    rig.frame.ARemovePoint->trigger();

    QCOMPARE(rig.column(TSensorFrame::RNum), QString("1 2 3"));
    QCOMPARE(rig.column(TSensorFrame::Voltage), QString("100 300 400"));
    QCOMPARE(rig.frame.PointCount, 3);

    rig.frame.grid->setCurrentIndex(QModelIndex());
    rig.frame.ARemovePointExecute(); // no focused row: nothing happens
    QCOMPARE(rig.frame.PointCount, 3);
}

void tst_SensorFrame::enabling_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("insert");
    QTest::addColumn<bool>("remove");
    QTest::addColumn<bool>("save");

    QTest::newRow("empty") << 0 << true << false << false;
    QTest::newRow("one row") << 1 << true << true << false;
    QTest::newRow("two rows") << 2 << true << true << true;
    QTest::newRow("nine rows") << 9 << true << true << true;
    QTest::newRow("ten rows") << 10 << false << true << true;
}

void tst_SensorFrame::enabling()
{
    QFETCH(int, rows);
    QFETCH(bool, insert);
    QFETCH(bool, remove);
    QFETCH(bool, save);
    Rig rig;

    rig.addRows(rows);

    QCOMPARE(rig.frame.AInsertPoint->isEnabled(), insert);
    QCOMPARE(rig.frame.ARemovePoint->isEnabled(), remove);
    QCOMPARE(rig.frame.ASaveTable->isEnabled(), save);
    rig.frame.AInsertPointExecute(); // even when called directly, never an eleventh row
    QVERIFY(rig.frame.View->rowCount() <= FuelTable::MaxPoints);
    QCOMPARE(rig.frame.PointCount, rig.frame.View->rowCount());
}

void tst_SensorFrame::saveTable()
{
    Rig rig;
    rig.addRows(3);
    rig.setRow(0, 100, 1.0);
    rig.setRow(1, 70000, 12.5);
    rig.setRow(2, 300, QVariant()); // empty volume: passed over, so no row carries the last flag
    bool disabledWhileWriting = false;
    auto device = rig.port.device;
    rig.port.device = [&](const QByteArray &frame) {
        disabledWhileWriting = !rig.frame.ASaveTable->isEnabled();
        device(frame);
    };

    rig.frame.ASaveTable->trigger();

    QList<QByteArray> sent;
    for (const QByteArray &b : rig.device.bodies)
        sent << b.toHex(' ');
    QCOMPARE(sent, (QList<QByteArray>{"93 06 e2 04 70 11 01 01", "93 06 64 00 64 00 02 00"}));
    QVERIFY(disabledWhileWriting);
    QVERIFY(rig.frame.ASaveTable->isEnabled());
    QVERIFY(rig.errors.isEmpty());
}

void tst_SensorFrame::saveTableRefusesVolume()
{
    Rig rig;
    rig.addRows(2);
    rig.setRow(0, 100, 1.0);
    rig.setRow(1, 200, 700.0);

    rig.frame.ASaveTable->trigger();

    QVERIFY(rig.device.bodies.isEmpty());
    QCOMPARE(rig.errors.size(), 1);
    QVERIFY2(rig.errors.first().startsWith("Строка 2:"), qPrintable(rig.errors.first()));
}

void tst_SensorFrame::saveTableCommitsOpenEditor()
{
    Rig rig;
    rig.frame.show();
    rig.addRows(2);
    rig.setRow(0, 100, 1.0);
    rig.setRow(1, 200, 2.0);
    const QModelIndex cell = rig.frame.View->index(1, TSensorFrame::Fuel);
    rig.frame.grid->setCurrentIndex(cell);
    rig.frame.grid->edit(cell);
    auto *editor = qobject_cast<CalcEdit *>(rig.frame.grid->indexWidget(cell));
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, "12.5");

    rig.frame.ASaveTable->trigger();

    QCOMPARE(rig.device.bodies.first().toHex(' '), QByteArray("93 06 e2 04 c8 00 00 01"));
}

void tst_SensorFrame::clearKeepsChart()
{
    Rig rig;
    rig.device.pointReplies = script({FuelDevice::point(1000, 100, 0, 0), FuelDevice::point(2000, 200, 2, 1)});
    rig.frame.ALoadTable->trigger();

    rig.frame.ToolButton7->click();

    QCOMPARE(rig.frame.View->rowCount(), 0);
    QCOMPARE(rig.frame.PointCount, 0);
    QCOMPARE(rig.device.bodies.last().toHex(' '), QByteArray("93 06 00 00 00 00 04 00"));
    QCOMPARE(rig.chart(), QString("100:10 200:20"));
}

void tst_SensorFrame::refreshLabels()
{
    Rig rig;
    QCOMPARE(rig.frame.lFuel->text(), QString("0"));
    QCOMPARE(rig.frame.lSensor->text(), QString("0"));
    rig.device.levelReplies = script({QByteArray::fromHex("d204a00f")});

    rig.frame.btnRefresh->click();
    QCOMPARE(rig.frame.lFuel->text(), QString("12.34"));
    QCOMPARE(rig.frame.lSensor->text(), QString("4000"));

    rig.device.levelReplies = script({QByteArray::fromHex("0000")}); // too short: the last reading stays
    rig.frame.btnRefresh->click();
    QCOMPARE(rig.frame.lFuel->text(), QString("12.34"));
    QCOMPARE(rig.frame.lSensor->text(), QString("4000"));
}

void tst_SensorFrame::cellRefreshFillsFocusedRow()
{
    Rig rig;
    rig.frame.show();
    rig.addRows(2);
    rig.setRow(0, 100, 1.0);
    rig.setRow(1, 200, 2.0);
    const QModelIndex cell = rig.frame.View->index(1, TSensorFrame::Voltage);
    rig.frame.grid->setCurrentIndex(cell);
    rig.frame.grid->edit(cell);
    auto *editor = qobject_cast<AdcCellEditor *>(rig.frame.grid->indexWidget(cell));
    QVERIFY(editor);
    rig.device.levelReplies = script({QByteArray::fromHex("d204a00f")});

    editor->button->click();

    QCOMPARE(editor->edit->text(), QString("4000"));
    QCOMPARE(rig.column(TSensorFrame::Voltage), QString("100 4000"));
    QCOMPARE(rig.column(TSensorFrame::Fuel), QString("1.0000 2.0000")); // the volume stays
}

void tst_SensorFrame::calculatorFillsVolume()
{
    Rig rig;
    rig.frame.show();
    rig.addRows(1);
    rig.setRow(0, 100, 12.5);
    const QModelIndex cell = rig.frame.View->index(0, TSensorFrame::Fuel);
    rig.frame.grid->setCurrentIndex(cell);
    rig.frame.grid->edit(cell);
    auto *editor = qobject_cast<CalcEdit *>(rig.frame.grid->indexWidget(cell));
    QVERIFY(editor);

    editor->showCalculator();
    for (const char *key : {"/", "3", "="})
        editor->popup->press(QString::fromLatin1(key));

    // The editor outlived the calculator and holds its result to four decimals.
    QCOMPARE(rig.frame.grid->indexWidget(cell), editor);
    QCOMPARE(editor->text(), QString("4.1667"));
    rig.frame.ASaveTableExecute();
    QCOMPARE(rig.column(TSensorFrame::Fuel), QString("4.1667"));
}

namespace {
struct Sensors
{
    ParamRegistry registry;
    TDigitalSensorParam DSensor{registry, 0xAA, 0x2B};
    Sensors()
    {
        const char *names[] = {"Бак", "Дверь", "Зажигание", "Датчик 4"};
        for (int k = 0; k < 4; ++k)
            DSensor.SetName(k, QString::fromUtf8(names[k]));
    }
};

QStringList fieldTexts(const TSensorFrame &frame)
{
    return {frame.eDT1->text(), frame.eDT2->text(), frame.eDT3->text(), frame.eDT4->text()};
}
} // namespace

void tst_SensorFrame::namesBeforeFirstEntry()
{
    Rig rig;
    QSignalSpy saved(&rig.frame, &TSensorFrame::sensorNamesSaved);

    rig.frame.btnSave->click();

    QCOMPARE(fieldTexts(rig.frame), (QStringList{"eDT1", "eDT2", "eDT3", "eDT4"}));
    QCOMPARE(saved.count(), 0);
}

void tst_SensorFrame::namesSaved()
{
    Rig rig;
    Sensors sensors;
    QSignalSpy saved(&rig.frame, &TSensorFrame::sensorNamesSaved);
    rig.frame.ShowSensorParam(sensors.DSensor);
    QCOMPARE(fieldTexts(rig.frame), (QStringList{"Бак", "Дверь", "Зажигание", "Датчик 4"}));

    rig.frame.eDT2->setText("Люк  ");
    rig.frame.btnSave->click();

    const QStringList names{"Бак", "Люк  ", "Зажигание", "Датчик 4"}; // texts unchanged, blanks kept
    QCOMPARE((QStringList{sensors.DSensor.Name1, sensors.DSensor.Name2, sensors.DSensor.Name3, sensors.DSensor.Name4}),
             names);
    QCOMPARE(saved.count(), 1);
    QCOMPARE(saved.first().first().toStringList(), names);
    QVERIFY(rig.device.bodies.isEmpty()); // names never go to the terminal
}

void tst_SensorFrame::unsavedNamesReplacedOnEntry()
{
    Rig rig;
    Sensors sensors;
    rig.frame.ShowSensorParam(sensors.DSensor);
    rig.frame.eDT1->setText("не сохранено");

    rig.frame.ShowSensorParam(sensors.DSensor);

    QCOMPARE(rig.frame.eDT1->text(), QString("Бак"));
    QCOMPARE(sensors.DSensor.Name1, QString("Бак"));
}

void tst_SensorFrame::entryKeepsRows()
{
    Rig rig;
    Sensors sensors;
    rig.addRows(3);

    rig.frame.ShowSensorParam(sensors.DSensor);
    rig.frame.AInsertPoint->trigger();

    QCOMPARE(rig.column(TSensorFrame::RNum), QString("1 2 3 4"));
    QCOMPARE(rig.frame.PointCount, 4);
}

QTEST_MAIN(tst_SensorFrame)
#include "tst_SensorFrame.moc"
