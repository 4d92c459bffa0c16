#include "FakeTerminal.h"

#include "config/CellMap.h"
#include "config/CellNumbers.h"
#include "config/ConfigProgress.h"
#include "config/ConfigReader.h"
#include "config/ConfigWriter.h"
#include "config/IdentityText.h"
#include "config/ParamsFile.h"
#include "config/TerminalParams.h"
#include "settings/XmlStore.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <cstring>
#include <memory>

namespace {
QByteArray floatBytes(float f)
{
    QByteArray b(4, '\0');
    std::memcpy(b.data(), &f, 4);
    return b;
}
QString floatHex(float f)
{
    return QString::fromLatin1(floatBytes(f).toHex(' ').toUpper());
}

// The 44 read requests of one reading, in order.
const QStringList ReadOrder = { "01", "7D", "0C", "29", "25", "26", "02", "03", "04", "05", "06", "07", "08", "08", "09", "0A",
    "0B", "0D", "0F", "0F", "11", "12", "13", "13", "19", "19", "17", "17", "15", "15", "1B", "0E", "1D", "1E", "10", "18", "16",
    "1A", "27", "28", "1C", "20", "2C", "2B" };

// The 64 keys of the section "Params", in the order they are written.
QStringList storedKeys()
{
    QStringList keys = { "ProgrammVersion", "BasePhone", "BasePassword", "OwnerPhone", "OwnerPassword", "DialingPhone", "IPAddr",
        "IPPort", "APN", "APN_Login", "APN_Password", "Timer", "Distance", "PerimeterLatitude", "PerimeterLongitude",
        "PerimeterRadius", "Speed", "VoltageMIN", "VoltageMAX", "ParkingTime" };
    for (const char *prop : { "ActivationProp", "ReloadProp", "TimerProp", "DistanceProp", "VoltageMaxProp", "VoltageMinProp",
             "SpeedProp", "PerimetrINProp", "PerimetrOUTProp", "ParkingProp", "AlarmProp", "DSensorsProp" })
        for (const char *suffix : { "_sms", "_gprs", "_sms_owner" })
            keys << QString::fromLatin1(prop) + QString::fromLatin1(suffix);
    for (int i = 1; i <= 4; ++i)
        keys << QStringLiteral("DSensor_DS%1").arg(i) << QStringLiteral("DSensor_DS%1Name").arg(i);
    return keys;
}

QStringList sectionKeys(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    QStringList keys;
    bool inParams = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("Params"))
            inParams = true;
        else if (xml.isEndElement() && xml.name() == QLatin1String("Params"))
            inParams = false;
        else if (xml.isStartElement() && inParams)
            keys << xml.name().toString();
    }
    return keys;
}
QStringList sectionValues(XmlStore &store)
{
    QStringList values;
    store.open();
    for (const QString &key : storedKeys())
        values << store.readString("Params", key, "(missing)");
    store.close();
    return values;
}
} // namespace

// Reading, writing and the parameter file as sequences of requests on the
// wire and values in the cells.
class tst_ConfigSequences : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void readSendsTheRequestsInOrder();
    void readShowsValues();
    void silentTerminal();
    void stopEndsAfterCurrentRequest();
    void writeAfterRead_data();
    void writeAfterRead();
    void writeFresh_data();
    void writeFresh();
    void writeRefusesBadCell_data();
    void writeRefusesBadCell();
    void saveLoadRoundTrip();
    void missingSection();
    void saveRefusesBadCell();
    void windowsToolFile();
    void gridConversions_data();
    void gridConversions();
    void decodeCCID_data();
    void decodeCCID();

private:
    void fillTerminal();
    std::unique_ptr<FakeTerminal> term;
    std::unique_ptr<TerminalParams> params;
    QList<int> positions;
    ConfigProgress progress();
};

void tst_ConfigSequences::init()
{
    term = std::make_unique<FakeTerminal>();
    params = std::make_unique<TerminalParams>(nullptr, [this](const TBuf &r) { return term->transact(r); });
    positions.clear();
}

ConfigProgress tst_ConfigSequences::progress()
{
    return ConfigProgress(params->ParamCount, [this](int p) { positions << p; });
}

void tst_ConfigSequences::fillTerminal()
{
    auto &v = term->values;
    v[0x01] = "HW-2";
    v[0x7D] = "1.2.7";
    v[0x0C] = "98700110325476981032"; // pairs swapped
    v[0x29] = "356938035643809";
    v[0x25] = floatBytes(1.02351f);
    v[0x26] = "A12123456";
    v[0x02] = "+79001234567";
    v[0x03] = "1234";
    v[0x04] = "+79007654321";
    v[0x05] = "4321";
    v[0x06] = "+79005550000";
    v[0x07] = hex("C0 A8 01 0A");
    v[0x08] = hex("90 1F");
    v[0x09] = "internet";
    v[0x0A] = "gdata";
    v[0x0B] = "gdata";
    v[0x0D] = hex("40 E2 01 00");
    v[0x0F] = hex("10 27 00 00");
    v[0x11] = floatBytes(55.123f);
    v[0x12] = floatBytes(37.5f);
    v[0x13] = hex("F4 01");
    v[0x19] = hex("3C 00");
    v[0x17] = hex("E8 2E");
    v[0x15] = hex("70 17");
    v[0x1B] = hex("FF FF FF FF");
    const char *flags[] = { "83", "03", "8B", "81", "82", "88", "80", "0B", "89", "8A", "84", "85" };
    const quint8 codes[] = { 0x0E, 0x1D, 0x1E, 0x10, 0x18, 0x16, 0x1A, 0x27, 0x28, 0x1C, 0x20, 0x2C };
    for (int i = 0; i < 12; ++i)
        v[codes[i]] = hex(flags[i]);
    v[0x2B] = hex("09");
}

void tst_ConfigSequences::readSendsTheRequestsInOrder()
{
    fillTerminal();
    CellMap cells;
    ConfigProgress bar = progress();
    for (int run = 0; run < 2; ++run) {
        term->requests.clear();
        QCOMPARE(ConfigReader::run(*params, cells, bar).outcome, ConfigResult::Done);
        QCOMPARE(term->requestsHex(), ReadOrder);
    }
    QCOMPARE(bar.stepSize(), 3);
    QCOMPARE(positions.first(), 0);
    QCOMPARE(positions.last(), 0);
    QCOMPARE(*std::max_element(positions.begin(), positions.end()), 100);
}

void tst_ConfigSequences::readShowsValues()
{
    fillTerminal();
    CellMap cells;
    cells.setCaption({ "erDigitalSensors", 1 }, QStringLiteral("Дверь"));
    ConfigProgress bar = progress();
    ConfigReader::run(*params, cells, bar);

    auto cell = [&](const char *row, int e = 0) { return cells.value({ QString::fromLatin1(row), e }); };
    QCOMPARE(cell("erVersion"), QVariant("HW-2"));
    QCOMPARE(cell("erFirmvareVersion"), QVariant("1.2.7"));
    QCOMPARE(cell("erSIMCCID"), QVariant("89071001234567890123"));
    QCOMPARE(cell("erIMEI"), QVariant("356938035643809"));
    QCOMPARE(cell("erADCCalibrationFactor").toDouble(), 1.024);
    QCOMPARE(cell("erSerialNumber"), QVariant("A 12 123456"));
    QCOMPARE(cell("erOwner", 1), QVariant("4321"));
    QCOMPARE(cell("erIP"), QVariant("192.168.1.10"));
    QCOMPARE(cell("erIP", 1), QVariant("8080"));
    QCOMPARE(cell("erAPN", 0), QVariant("internet"));
    QCOMPARE(cell("erTimer"), QVariant("01/10/17/36"));
    QCOMPARE(cell("erDistance").toLongLong(), 10000);
    QCOMPARE(cell("erPerimetr", 0).toDouble(), 55.123);
    QCOMPARE(cell("erPerimetr", 2).toLongLong(), 500);
    QCOMPARE(cell("erSpeed").toLongLong(), 60);
    QCOMPARE(cell("erVoltageMAX").toDouble(), 12.008);
    QCOMPARE(cell("erVoltageMIN").toDouble(), 6.0);
    QCOMPARE(cell("erParkingTime"), QVariant("00/00/00/00"));
    // TimerProp 0x83, ActivationProp 0x03 (bit 7 clear), ReloadProp 0x8B.
    QCOMPARE(cell("erTimerEvent", 0), QVariant(true));
    QCOMPARE(cell("erTimerEvent", 2), QVariant(false));
    QCOMPARE(cell("erActivationEvent", 0), QVariant(false));
    QCOMPARE(cell("erReloadEvent", 2), QVariant(true));
    QCOMPARE(cell("erDigitalSensors", 0), QVariant(true));
    QCOMPARE(cell("erDigitalSensors", 3), QVariant(true));
    QCOMPARE(cell("erDigitalSensors", 1), QVariant(false));
    QCOMPARE(cells.caption({ "erDigitalSensors", 1 }), QStringLiteral("Дверь")); // reading leaves the names
}

void tst_ConfigSequences::silentTerminal()
{
    term->silent = true;
    params->TimerProp.Sms = true;
    params->DSensor.DS2 = true;
    CellMap cells;
    ConfigProgress bar = progress();
    ConfigReader::run(*params, cells, bar);

    QCOMPARE(term->requests.size(), 44 * Link::MaxFrames);
    for (const char *row :
        { "erVersion", "erFirmvareVersion", "erSIMCCID", "erIMEI", "erSerialNumber", "erBase", "erIP", "erAPN" })
        QCOMPARE(cells.value({ QString::fromLatin1(row), 0 }), QVariant(QString()));
    QCOMPARE(cells.value({ "erIP", 1 }), QVariant("0"));
    for (const CellRef &c : { CellRef { "erDistance", 0 }, CellRef { "erPerimetr", 2 }, CellRef { "erSpeed", 0 } })
        QCOMPARE(cells.value(c).toLongLong(), 0);
    for (const CellRef &c : { CellRef { "erVoltageMAX", 0 }, CellRef { "erVoltageMIN", 0 }, CellRef { "erPerimetr", 0 },
             CellRef { "erPerimetr", 1 }, CellRef { "erADCCalibrationFactor", 0 } })
        QCOMPARE(cells.value(c).toDouble(), 0.0);
    QCOMPARE(cells.value({ "erTimer", 0 }), QVariant("00/00/00/00"));
    QCOMPARE(cells.value({ "erParkingTime", 0 }), QVariant("00/00/00/00"));
    QCOMPARE(cells.value({ "erTimerEvent", 0 }), QVariant(true)); // the object's earlier flags
    QCOMPARE(cells.value({ "erDigitalSensors", 1 }), QVariant(true));
    QCOMPARE(positions.last(), 0);
}

void tst_ConfigSequences::stopEndsAfterCurrentRequest()
{
    fillTerminal();
    CellMap cells;
    int steps = 0;
    ConfigProgress bar(params->ParamCount, {}, [&] { return ++steps == 3; });
    QCOMPARE(ConfigReader::run(*params, cells, bar).outcome, ConfigResult::Stopped);
    // Three cells shown (the firmware version rides with the first): 01 7D 0C 29.
    QCOMPARE(term->requestsHex(), ReadOrder.mid(0, 4));
    QCOMPARE(cells.value({ "erIMEI", 0 }), QVariant("356938035643809"));
    QVERIFY(!cells.value({ "erSerialNumber", 0 }).isValid());

    steps = 0;
    term->requests.clear();
    cells.setValue({ "erVersion", 0 }, "HW-9");
    ConfigProgress writeBar(params->ParamCount, {}, [&] { return ++steps == 2; });
    QCOMPARE(ConfigWriter::run(*params, cells, writeBar).outcome, ConfigResult::Stopped);
    // The version, then the step of the serial number (its cell still Null).
    QCOMPARE(term->requestsHex(), QStringList { "80 04 48 57 2D 39" });
}

void tst_ConfigSequences::writeAfterRead_data()
{
    QTest::addColumn<float>("latitude");
    QTest::addColumn<float>("longitude");
    QTest::addColumn<QString>("editRow");
    QTest::addColumn<QVariant>("edit");
    QTest::addColumn<QStringList>("before"); // requests ahead of the 13 always sent

    QTest::newRow("unchanged, three decimals") << 55.123f << 37.5f << "" << QVariant() << QStringList();
    QTest::newRow("more decimals are cut and written")
        << 55.12345f << -37.1234f << "" << QVariant()
        << QStringList { "90 04 " + floatHex(55.123f), "91 04 " + floatHex(-37.123f) };
    QTest::newRow("negative three decimals unchanged") << 55.123f << -37.122f << "" << QVariant() << QStringList();
    QTest::newRow("half a thousandth rounds up")
        << 55.1235f << 37.5f << "" << QVariant() << QStringList { "90 04 " + floatHex(55.124f) };
    QTest::newRow("speed 60 to 90") << 55.123f << 37.5f << "erSpeed" << QVariant(qint64(90)) << QStringList { "98 02 5A 00" };
    QTest::newRow("port as text") << 55.123f << 37.5f << "erIP/1" << QVariant("8081") << QStringList { "87 02 91 1F" };
    QTest::newRow("voltage 13.8") << 55.123f << 37.5f << "erVoltageMAX" << QVariant(13.8) << QStringList { "96 02 E8 35" };
    QTest::newRow("voltage 12.3456") << 55.123f << 37.5f << "erVoltageMAX" << QVariant(12.3456) << QStringList { "96 02 3A 30" };
    QTest::newRow("serial number") << 55.123f << 37.5f << "erSerialNumber" << QVariant("B 34 654321")
                                   << QStringList { "A5 09 42 33 34 36 35 34 33 32 31" };
    QTest::newRow("empty address") << 55.123f << 37.5f << "erIP" << QVariant(QString()) << QStringList { "86 04 00 00 00 00" };
}

void tst_ConfigSequences::writeAfterRead()
{
    QFETCH(float, latitude);
    QFETCH(float, longitude);
    QFETCH(QString, editRow);
    QFETCH(QVariant, edit);
    QFETCH(QStringList, before);
    fillTerminal();
    term->values[0x11] = floatBytes(latitude);
    term->values[0x12] = floatBytes(longitude);
    CellMap cells;
    ConfigProgress bar = progress();
    ConfigReader::run(*params, cells, bar);
    if (!editRow.isEmpty()) {
        const QStringList parts = editRow.split('/');
        cells.setValue({ parts.at(0), parts.value(1, "0").toInt() }, edit);
    }
    term->requests.clear();
    QCOMPARE(ConfigWriter::run(*params, cells, bar).outcome, ConfigResult::Done);

    // The flags go back as the booleans make them: a byte read with bit 7
    // clear returns as 00.
    const QStringList always = { "9C 01 00", "9D 01 8B", "8D 01 83", "8F 01 81", "97 01 82", "95 01 88", "99 01 00", "A6 01 00",
        "A7 01 89", "9B 01 8A", "9F 01 00", "AB 01 81", "AA 01 09" };
    QCOMPARE(term->requestsHex(), before + always);
}

void tst_ConfigSequences::writeFresh_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<int>("editor");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("request");

    QTest::newRow("Null address") << "erIP" << 0 << QVariant() << "86 04 00 00 00 00";
    QTest::newRow("Null phone") << "erBase" << 0 << QVariant() << "81 00";
    QTest::newRow("serial number") << "erSerialNumber" << 0 << QVariant("A 12 123456") << "A5 09 41 31 32 31 32 33 34 35 36";
    QTest::newRow("Cyrillic APN") << "erAPN" << 0 << QVariant(QStringLiteral("Тест")) << "88 04 D2 E5 F1 F2";
    QTest::newRow("distance above 2^31") << "erDistance" << 0 << QVariant(qint64(3000000000)) << "8E 04 00 5E D0 B2";
    QTest::newRow("gprs only") << "erActivationEvent" << 1 << QVariant(true) << "9C 01 82";
    QTest::newRow("flags as text") << "erVoltageMinEvent" << 0 << QVariant("True") << "95 01 81";
    QTest::newRow("inputs 1 and 4") << "erDigitalSensors" << 0 << QVariant(true) << "AA 01 09";
}

void tst_ConfigSequences::writeFresh()
{
    QFETCH(QString, row);
    QFETCH(int, editor);
    QFETCH(QVariant, value);
    QFETCH(QString, request);
    CellMap cells;
    cells.setValue({ "erDigitalSensors", 3 }, true);
    cells.setValue({ row, editor }, value);
    ConfigProgress bar = progress();
    QCOMPARE(ConfigWriter::run(*params, cells, bar).outcome, ConfigResult::Done);
    const QStringList sent = term->requestsHex();
    QVERIFY2(sent.contains(request), qPrintable(sent.join(" | ")));
    // Nothing read yet: every value goes out; the serial number only when set.
    QCOMPARE(sent.size(), row == "erSerialNumber" ? 34 : 33);
    QVERIFY(!params->ProgrammVersion.Synced);
    if (row == "erIP" && !value.isValid())
        QCOMPARE(params->IPAddr.Value, QByteArray("0.0.0.0"));
}

void tst_ConfigSequences::writeRefusesBadCell_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<int>("editor");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("sentBefore");
    QTest::addColumn<QStringList>("message"); // parts the message must name

    QTest::newRow("text over 255") << "erVersion" << 0 << QVariant(QString(256, 'x')) << 0
                                   << QStringList { "Версия аппаратной платформы", "255" };
    QTest::newRow("address part 300") << "erIP" << 0 << QVariant("10.0.0.300") << 6 << QStringList { "IP адрес", "300", "255" };
    QTest::newRow("five address parts") << "erIP" << 0 << QVariant("1.2.3.4.5") << 6 << QStringList { "IP адрес", "1.2.3.4.5" };
    QTest::newRow("port 70000") << "erIP" << 1 << QVariant("70000") << 7 << QStringList { "Порт", "70000", "65535" };
    QTest::newRow("port not a number") << "erIP" << 1 << QVariant("80a") << 7 << QStringList { "Порт", "80a" };
    QTest::newRow("character outside 1251") << "erAPN" << 1 << QVariant(QStringLiteral("互联网")) << 9
                                            << QStringList { "Login", "互" };
    QTest::newRow("timer part 300") << "erTimer" << 0 << QVariant("01/300/00/00") << 11 << QStringList { "Таймер", "300" };
    QTest::newRow("negative distance") << "erDistance" << 0 << QVariant(qint64(-5)) << 12
                                       << QStringList { "Дистанция (метры)", "-5", "4294967295" };
    QTest::newRow("radius 70000") << "erPerimetr" << 2 << QVariant(qint64(70000)) << 15
                                  << QStringList { "Радиус (м)", "70000", "65535" };
    QTest::newRow("voltage 70 V") << "erVoltageMAX" << 0 << QVariant(70.0) << 17
                                  << QStringList { "Максимальное напряжение (В)", "70000" };
}

void tst_ConfigSequences::writeRefusesBadCell()
{
    QFETCH(QString, row);
    QFETCH(int, editor);
    QFETCH(QVariant, value);
    QFETCH(int, sentBefore);
    QFETCH(QStringList, message);
    CellMap cells;
    cells.setValue({ row, editor }, value);
    ConfigProgress bar = progress();
    const ConfigResult result = ConfigWriter::run(*params, cells, bar);
    QCOMPARE(result.outcome, ConfigResult::Failed);
    for (const QString &part : message)
        QVERIFY2(result.error.contains(part), qPrintable(result.error));
    QCOMPARE(term->requests.size(), sentBefore);
    if (sentBefore > 0)
        QVERIFY(positions.last() > 0); // the bar shows how far it got
}

void tst_ConfigSequences::saveLoadRoundTrip()
{
    QTemporaryDir dir;
    XmlStore store(dir.filePath("tvConfigC.xml"));
    params = std::make_unique<TerminalParams>(&store, [this](const TBuf &r) { return term->transact(r); });
    CellMap cells;
    const QList<QPair<CellRef, QVariant>> values = {
        { { "erVersion", 0 }, "HW-3" },
        { { "erBase", 0 }, "+7900" },
        { { "erBase", 1 }, QStringLiteral("пароль") },
        { { "erOwner", 0 }, "+7901" },
        { { "erOwner", 1 }, "77" },
        { { "erDialing", 0 }, "+7902" },
        { { "erIP", 0 }, "10.1.2.3" },
        { { "erIP", 1 }, "9000" },
        { { "erAPN", 0 }, "apn" },
        { { "erAPN", 1 }, "login" },
        { { "erAPN", 2 }, "secret" },
        { { "erTimer", 0 }, "00/01/00/00" },
        { { "erDistance", 0 }, qint64(4000000000) },
        { { "erPerimetr", 0 }, 55.123 },
        { { "erPerimetr", 1 }, -37.122 },
        { { "erPerimetr", 2 }, qint64(300) },
        { { "erSpeed", 0 }, qint64(90) },
        { { "erVoltageMAX", 0 }, 13.8 },
        { { "erVoltageMIN", 0 }, 10.5 },
        { { "erParkingTime", 0 }, "00/00/10/00" },
        { { "erSpeedEvent", 1 }, true },
        { { "erAlarmProp", 2 }, true },
        { { "erDigitalSensors", 2 }, true },
    };
    for (const auto &[cell, value] : values)
        cells.setValue(cell, value);
    cells.setCaption({ "erDigitalSensors", 0 }, QStringLiteral("Дверь"));
    QVERIFY(ParamsFile::SaveParams(*params, cells).ok());
    QCOMPARE(sectionKeys(store.fileName()), storedKeys());
    store.open();
    QCOMPARE(store.readString("Params", "PerimeterLatitude"), QStringLiteral("55.1230010986328"));
    QCOMPARE(store.readString("Params", "VoltageMAX"), QStringLiteral("13800"));
    QCOMPARE(store.readString("Params", "Distance"), QStringLiteral("4000000000"));
    QCOMPARE(store.readString("Params", "SpeedProp_gprs"), QStringLiteral("1"));
    store.close();

    const QStringList savedValues = sectionValues(store);
    QVERIFY(ParamsFile::SaveParams(*params, cells).ok());
    QCOMPARE(sectionValues(store), savedValues); // saving again writes the same 64 values

    // Read from the terminal, edit, then load: the file's values come back,
    // the identity rows keep the reading, and every value is unsynced.
    fillTerminal();
    ConfigProgress bar = progress();
    ConfigReader::run(*params, cells, bar);
    cells.setValue({ "erAPN", 0 }, "other");
    cells.setCaption({ "erDigitalSensors", 0 }, QStringLiteral("Капот"));
    QVERIFY(ParamsFile::LoadParams(*params, cells).ok());
    for (const auto &[cell, value] : values)
        QVERIFY2(cells.value(cell) == value || qFuzzyCompare(cells.value(cell).toDouble(), value.toDouble()),
            qPrintable(cell.row + QString::number(cell.editor) + " " + cells.value(cell).toString()));
    QCOMPARE(cells.value({ "erSpeedEvent", 0 }), QVariant(false));
    QCOMPARE(cells.caption({ "erDigitalSensors", 0 }), QStringLiteral("Дверь"));
    QCOMPARE(cells.value({ "erIMEI", 0 }), QVariant("356938035643809"));
    for (TCustomNAVParam *p : params->ParamList)
        QVERIFY(!p->Synced);
}

void tst_ConfigSequences::missingSection()
{
    QTemporaryDir dir;
    XmlStore store(dir.filePath("tvConfigC.xml"));
    params = std::make_unique<TerminalParams>(&store);
    CellMap cells;
    cells.setValue({ "erTimerEvent", 0 }, true);
    ParamsFile::ParamsToGrid(*params, cells);
    QCOMPARE(cells.value({ "erBase", 0 }), QVariant(QString()));
    QCOMPARE(cells.value({ "erIP", 1 }), QVariant("0"));
    QCOMPARE(cells.value({ "erDistance", 0 }).toLongLong(), 0);
    QCOMPARE(cells.value({ "erPerimetr", 0 }).toDouble(), 0.0);
    QCOMPARE(cells.value({ "erVoltageMAX", 0 }).toDouble(), 0.0);
    QCOMPARE(cells.value({ "erTimer", 0 }), QVariant(QString()));
    QCOMPARE(cells.value({ "erTimerEvent", 0 }), QVariant(false));
    for (int i = 0; i < 4; ++i)
        QCOMPARE(cells.caption({ "erDigitalSensors", i }), QStringLiteral("Датчик %1").arg(i + 1));
}

void tst_ConfigSequences::saveRefusesBadCell()
{
    QTemporaryDir dir;
    XmlStore store(dir.filePath("tvConfigC.xml"));
    params = std::make_unique<TerminalParams>(&store);
    CellMap cells;
    cells.setValue({ "erIP", 1 }, "port");
    const ConfigResult result = ParamsFile::SaveParams(*params, cells);
    QCOMPARE(result.outcome, ConfigResult::Failed);
    QVERIFY(result.error.contains(QStringLiteral("Порт")));
    QCOMPARE(sectionKeys(store.fileName()), QStringList()); // nothing reached the file
}

void tst_ConfigSequences::windowsToolFile()
{
    QTemporaryDir dir;
    const QString name = dir.filePath("tvConfigC.xml");
    const QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n<FORMS>\r\n<Params>\r\n"
                                        "<APN value=\"Интернет\"/>\r\n<DSensor_DS1 value=\"1\"/>\r\n"
                                        "<DSensor_DS1Name value=\"Дверь водителя\"/>\r\n<DSensor_DS3Name value=\"Капот\"/>\r\n"
                                        "<PerimeterLatitude value=\"55.1230010986328\"/>\r\n<Speed value=\"90\"/>\r\n"
                                        "</Params>\r\n</FORMS>\r\n");
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringEncoder("windows-1251").encode(text));
    file.close();

    XmlStore store(name);
    params = std::make_unique<TerminalParams>(&store);
    CellMap cells;
    ParamsFile::ParamsToGrid(*params, cells);
    QCOMPARE(cells.caption({ "erDigitalSensors", 0 }), QStringLiteral("Дверь водителя"));
    QCOMPARE(cells.caption({ "erDigitalSensors", 1 }), QStringLiteral("Датчик 2"));
    QCOMPARE(cells.caption({ "erDigitalSensors", 2 }), QStringLiteral("Капот"));
    QCOMPARE(cells.value({ "erDigitalSensors", 0 }), QVariant(true));
    QCOMPARE(cells.value({ "erAPN", 0 }), QVariant(QStringLiteral("Интернет")));
    QCOMPARE(params->APN.Value, QByteArray("\xC8\xED\xF2\xE5\xF0\xED\xE5\xF2"));
    QCOMPARE(cells.value({ "erPerimetr", 0 }).toDouble(), 55.123);
    QCOMPARE(cells.value({ "erSpeed", 0 }).toLongLong(), 90);
}

void tst_ConfigSequences::gridConversions_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<double>("in");
    QTest::addColumn<double>("out");

    QTest::newRow("cut 55.1235") << "cut" << double(55.1235f) << 55.124;
    QTest::newRow("cut -37.1234") << "cut" << double(-37.1234f) << -37.123;
    QTest::newRow("cut -37.1235 away from zero") << "cut" << double(-37.1235f) << -37.124;
    // A shown value, stored as a float and shown again, stays where it was.
    QTest::newRow("cut -37.122 stays") << "cut" << double(-37.122f) << -37.122;
    QTest::newRow("cut -0.0004") << "cut" << double(-0.0004f) << 0.0;
    QTest::newRow("cut 55.12345") << "cut" << double(55.12345f) << 55.123;
    QTest::newRow("round 1.0235 ties to even") << "round" << 1.0235 << 1.024;
    QTest::newRow("round 1.0225 ties to even") << "round" << 1.0225 << 1.022;
    QTest::newRow("volts 12.3456") << "mv" << 12.3456 << 12346.0;
    QTest::newRow("volts 13.8") << "mv" << 13.8 << 13800.0;
    QTest::newRow("volts 6.0005 ties to even") << "mv" << 6.0005 << 6000.0;
    QTest::newRow("millivolts 12346") << "v" << 12346.0 << 12.346;
    QTest::newRow("millivolts 12008") << "v" << 12008.0 << 12.008;
}

void tst_ConfigSequences::gridConversions()
{
    QFETCH(QString, kind);
    QFETCH(double, in);
    QFETCH(double, out);
    double got = 0;
    if (kind == "cut")
        got = CellNumbers::cutTo3(in);
    else if (kind == "round")
        got = CellNumbers::roundTo3(in);
    else if (kind == "mv")
        got = double(CellNumbers::voltsToMillivolts(in));
    else
        got = CellNumbers::millivoltsToVolts(quint16(in));
    QCOMPARE(got, out);
}

void tst_ConfigSequences::decodeCCID_data()
{
    QTest::addColumn<QString>("wire");
    QTest::addColumn<QString>("number");

    QTest::newRow("20 digits") << "98700110325476981032"
                               << "89071001234567890123";
    QTest::newRow("19 digits and a filler") << "9870011032547698103F"
                                            << "8907100123456789013";
    QTest::newRow("tail beyond 20 kept") << "9870011032547698103212"
                                         << "8907100123456789012312";
    QTest::newRow("too short") << "9870011032547698103"
                               << "";
    QTest::newRow("empty") << ""
                           << "";
}

void tst_ConfigSequences::decodeCCID()
{
    QFETCH(QString, wire);
    QFETCH(QString, number);
    QCOMPARE(DecodeCCID(wire), number);
    if (wire.size() == 20)
        QCOMPARE(ConvertSerialNumber(SerialDirection::FromTerminal, QStringLiteral("A12123456")), QStringLiteral("A 12 123456"));
    QCOMPARE(ConvertSerialNumber(SerialDirection::ToTerminal, QStringLiteral("A 12 123456")), QStringLiteral("A12123456"));
    QCOMPARE(ConvertSerialNumber(SerialDirection::FromTerminal, QString()), QString());
}

QTEST_GUILESS_MAIN(tst_ConfigSequences)
#include "tst_configsequences.moc"
