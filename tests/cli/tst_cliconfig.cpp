// read, write, save and inputs against the simulated terminal: the JSON, the
// requests on the wire and their order, round trips, and write files that are
// refused before anything is sent.
#include "CliBench.h"
#include "CliScratch.h"

#include "settings/XmlStore.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {
// The simulated terminal's factory configuration as the page shows it.
const QString FactoryJson = QString::fromUtf8(R"json({
  "ProgrammVersion": "TAV-GL 2.1 rev.B",
  "FirmwareVersion": "TAV-FW 3.4.17 (12.03.2026)",
  "SIMCCID": "89701012417293358106",
  "IMEI": "861230045678903",
  "ADCFactor": 12,
  "SerialNumber": "A 12 123456",
  "BasePhone": "+79161234567",
  "BasePassword": "1234",
  "OwnerPhone": "+79037654321",
  "OwnerPassword": "0000",
  "DialingPhone": "+79161234500",
  "IPAddr": "85.143.20.17",
  "IPPort": 20332,
  "APN": "internet.mts.ru",
  "APN_Login": "mts",
  "APN_Password": "mts",
  "Timer": "00/01/00/00",
  "Distance": 5000,
  "PerimeterLatitude": 55.752,
  "PerimeterLongitude": 37.616,
  "PerimeterRadius": 500,
  "Speed": 110,
  "VoltageMAX": 30,
  "VoltageMIN": 10.5,
  "ParkingTime": "00/00/15/00",
  "ActivationProp": {"sms":false,"gprs":true,"sms_owner":false},
  "ReloadProp": {"sms":false,"gprs":true,"sms_owner":true},
  "TimerProp": {"sms":false,"gprs":true,"sms_owner":false},
  "DistanceProp": {"sms":false,"gprs":false,"sms_owner":false},
  "VoltageMaxProp": {"sms":true,"gprs":false,"sms_owner":false},
  "VoltageMinProp": {"sms":true,"gprs":false,"sms_owner":true},
  "SpeedProp": {"sms":true,"gprs":true,"sms_owner":false},
  "PerimetrINProp": {"sms":false,"gprs":true,"sms_owner":false},
  "PerimetrOUTProp": {"sms":false,"gprs":true,"sms_owner":false},
  "ParkingProp": {"sms":false,"gprs":true,"sms_owner":false},
  "AlarmProp": {"sms":true,"gprs":true,"sms_owner":true},
  "DSensorsProp": {"sms":false,"gprs":true,"sms_owner":false},
  "DSensor": {"DS1":true,"DS2":false,"DS3":true,"DS4":false,"DS1Name":"Датчик 1","DS2Name":"Датчик 2","DS3Name":"Датчик 3","DS4Name":"Датчик 4"}
}
)json");

// "Прочитать": 38 objects, six of them read twice, in the page's order.
const QStringList ReadRequests = {
    "01", "7d", "0c", "29", "25", "26", "02", "03", "04", "05", "06", "07", "08", "08", "09",
    "0a", "0b", "0d", "0f", "0f", "11", "12", "13", "13", "19", "19", "17", "17", "15", "15",
    "1b", "0e", "1d", "1e", "10", "18", "16", "1a", "27", "28", "1c", "20", "2c", "2b"};

QJsonObject parse(const QString &text)
{
    return QJsonDocument::fromJson(text.toUtf8()).object();
}
} // namespace

class tst_CliConfig : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void readPrintsThePageAsJson();
    void readToFile();
    void writeThenReadRoundTrips();
    void writeSendsOnlyPresentKeysInPageOrder();
    void writeIgnoresIdentityButNotSerialNumber();
    void badWriteFileSendsNothing_data();
    void badWriteFileSendsNothing();
    void unansweredRequestStopsThere_data();
    void unansweredRequestStopsThere();
    void saveKeepsParamsAndShowsStoredNames();
    void inputsPrintsTheirState();

private:

    std::unique_ptr<CliScratch> m_scratch;
};

void tst_CliConfig::init()
{
    m_scratch = std::make_unique<CliScratch>(QStringLiteral("config.json"));
}



void tst_CliConfig::readPrintsThePageAsJson()
{
    CliBench b;
    QCOMPARE(b.run(m_scratch->args({"read"})), 0);
    QCOMPARE(b.out, FactoryJson);
    QVERIFY2(b.err.isEmpty(), qPrintable(b.err));
    QCOMPARE(b.requests(), ReadRequests);
    // A reading leaves no settings file behind.
    QVERIFY(!QFile::exists(m_scratch->settings()));
}

void tst_CliConfig::readToFile()
{
    CliBench b;
    const QString name = m_scratch->filePath("out.json");
    QCOMPARE(b.run(m_scratch->args({"read", "-o", name})), 0);
    QVERIFY(b.out.isEmpty());
    QFile f(name);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(f.readAll()), FactoryJson);

    // An output path that cannot be written is found before anything is sent.
    QCOMPARE(b.run(m_scratch->args({"read", "-o", m_scratch->filePath("missing/out.json")})), 2);
    QVERIFY(b.written.isEmpty());
}

void tst_CliConfig::writeThenReadRoundTrips()
{
    CliBench b;
    QJsonObject wanted = parse(FactoryJson);
    wanted["ProgrammVersion"] = "TAV-GL 2.2";
    wanted["SerialNumber"] = "B 34 567890";
    wanted["BasePhone"] = "+70000000001";
    wanted["IPAddr"] = "10.0.0.254";
    wanted["IPPort"] = 65535;
    wanted["APN"] = "интернет"; // Windows-1251 on the wire
    wanted["APN_Password"] = "";
    wanted["Timer"] = "03/23/59/58";
    wanted["Distance"] = 4294967295.0;
    wanted["PerimeterLatitude"] = -37.123;
    wanted["PerimeterLongitude"] = 179.999;
    wanted["PerimeterRadius"] = 1;
    wanted["Speed"] = 300;
    wanted["VoltageMAX"] = 13.8;
    wanted["VoltageMIN"] = 6;
    wanted["ParkingTime"] = "00/00/00/01";
    wanted["AlarmProp"] = QJsonObject{{"sms", false}, {"gprs", false}, {"sms_owner", false}};
    wanted["TimerProp"] = QJsonObject{{"sms", true}, {"gprs", false}, {"sms_owner", true}};
    QJsonObject inputs = wanted["DSensor"].toObject();
    inputs["DS1"] = false;
    inputs["DS4"] = true;
    wanted["DSensor"] = inputs;

    QCOMPARE(b.run(m_scratch->args({"write", m_scratch->file(QJsonDocument(wanted).toJson())})), 0);
    QVERIFY2(b.err.isEmpty(), qPrintable(b.err));
    QVERIFY(b.out.isEmpty());
    // Identity keys are not written: 21 values, the 12 event bytes, the inputs.
    QCOMPARE(b.written.size(), 34);
    QCOMPARE(b.sim.parameters().value(9), QByteArray("\xE8\xED\xF2\xE5\xF0\xED\xE5\xF2"));
    QCOMPARE(b.sim.parameters().value(23), QByteArray("\xE8\x35", 2)); // 13800 mV
    QCOMPARE(b.sim.parameters().value(32), QByteArray(1, '\0'));
    QCOMPARE(b.sim.parameters().value(43), QByteArray(1, '\x0C')); // inputs 3 and 4

    QCOMPARE(b.run(m_scratch->args({"read"})), 0);
    QCOMPARE(parse(b.out), wanted);
}

void tst_CliConfig::writeSendsOnlyPresentKeysInPageOrder()
{
    CliBench b;
    const QString name =
        m_scratch->file(R"({"TimerProp": {"sms":false,"gprs":true,"sms_owner":false}, "Speed": 90, "APN_Login": "x"})");
    QCOMPARE(b.run(m_scratch->args({"write", name})), 0);
    QCOMPARE(b.requests(), QStringList({"89 01 78", "98 02 5a 00", "8d 01 82"}));
}

void tst_CliConfig::writeIgnoresIdentityButNotSerialNumber()
{
    CliBench b;
    const QString name = m_scratch->file(R"({"FirmwareVersion": 3, "SIMCCID": "1", "IMEI": null, "ADCFactor": "x",
                                  "SerialNumber": "B 34 567890"})");
    QCOMPARE(b.run(m_scratch->args({"write", name})), 0);
    QCOMPARE(b.requests(), QStringList{"a5 09 42 33 34 35 36 37 38 39 30"});

    // A terminal without a serial number reads as an empty text; writing that
    // file leaves the next terminal's number alone.
    QCOMPARE(b.run(m_scratch->args({"write", m_scratch->file(R"({"SerialNumber": ""})")})), 0);
    QVERIFY(b.written.isEmpty());
    QCOMPARE(b.sim.parameters().value(38), QByteArray("B34567890"));
}

void tst_CliConfig::badWriteFileSendsNothing_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    const QByteArray ok = R"("Speed": 90, )";
    QTest::newRow("syntax") << QByteArray("{\"Speed\": 90,\n\"APN\": }") << "config.json:2:";
    QTest::newRow("array") << QByteArray("[1, 2]") << "expected a JSON object";
    QTest::newRow("unknown key") << QByteArray(R"({"Speed": 90, "Sped": 80})") << "Sped: unknown key";
    QTest::newRow("number as text") << QByteArray(R"({"Speed": "90"})") << R"(Speed: expected a number, found "90")";
    QTest::newRow("text as number") << QByteArray(R"({"BasePhone": 79161234567})") << "BasePhone: expected a text";
    QTest::newRow("text null") << QByteArray(R"({"APN": null})") << "APN: expected a text, found null";
    QTest::newRow("speed above") << QByteArray(R"({"Speed": 301})") << "Speed: 301 is out of range 0 to 300";
    QTest::newRow("speed fraction") << QByteArray(R"({"Speed": 90.5})") << "Speed: expected a whole number";
    QTest::newRow("distance below") << QByteArray(R"({"Distance": 99})") << "Distance: 99 is out of range 100";
    QTest::newRow("distance above") << QByteArray(R"({"Distance": 4294967296})") << "Distance: 4294967296 is out of range";
    QTest::newRow("radius zero") << QByteArray(R"({"PerimeterRadius": 0})") << "PerimeterRadius: 0 is out of range 1 to 65535";
    QTest::newRow("port above") << QByteArray(R"({"IPPort": 65536})") << "IPPort: 65536 is out of range 0 to 65535";
    QTest::newRow("volts above") << QByteArray(R"({"VoltageMAX": 50.001})") << "VoltageMAX: 50.001 is out of range 6 to 50";
    QTest::newRow("volts below") << QByteArray(R"({"VoltageMIN": 5.999})") << "VoltageMIN";
    QTest::newRow("latitude") << QByteArray(R"({"PerimeterLatitude": 90.5})") << "PerimeterLatitude: 90.5 is out of range -90 to 90";
    QTest::newRow("timer pattern") << QByteArray(R"({"Timer": "1/2/3/4"})") << "Timer: \"1/2/3/4\" does not match";
    QTest::newRow("parking hours") << QByteArray(R"({"ParkingTime": "00/24/00/00"})") << "ParkingTime";
    QTest::newRow("serial pattern") << QByteArray(R"({"SerialNumber": "A12123456"})") << "SerialNumber";
    QTest::newRow("not Windows-1251") << QByteArray(R"({"APN": "internet→"})") << "APN: «APN»";
    QTest::newRow("text over 255") << QByteArray("{\"APN_Login\": \"" + QByteArray(256, 'x') + "\"}") << "APN_Login: «Login»";
    QTest::newRow("address part") << QByteArray(R"({"IPAddr": "1.2.3.400"})") << "IPAddr: «IP адрес»";
    QTest::newRow("address parts") << QByteArray(R"({"IPAddr": "1.2.3.4.5"})") << "IPAddr";
    QTest::newRow("event flag missing") << QByteArray(R"({"SpeedProp": {"sms": true, "gprs": true}})") << "SpeedProp.sms_owner: missing";
    QTest::newRow("event flag number") << QByteArray(R"({"SpeedProp": {"sms":1,"gprs":true,"sms_owner":false}})")
                                       << "SpeedProp.sms: expected true or false, found 1";
    QTest::newRow("event extra") << QByteArray(R"({"SpeedProp": {"sms": true, "gprs": true, "sms_owner": false, "call": true}})")
                                 << "SpeedProp.call: unknown key";
    QTest::newRow("event not object") << QByteArray(R"({"AlarmProp": true})") << "AlarmProp: expected an object";
    QTest::newRow("input missing") << QByteArray(R"({"DSensor": {"DS1": true, "DS2": true, "DS3": true}})") << "DSensor.DS4: missing";
    QTest::newRow("input name number") << QByteArray(R"({"DSensor": {"DS1": true, "DS2": true, "DS3": true, "DS4": true, "DS1Name": 5}})")
                                       << "DSensor.DS1Name: expected a text";
    // One bad key spoils the file even when every other key is good.
    QTest::newRow("good keys and one bad") << QByteArray("{" + ok + R"("APN": "a", "VoltageMAX": 51})") << "VoltageMAX";
}

void tst_CliConfig::badWriteFileSendsNothing()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    CliBench b;
    QCOMPARE(b.run(m_scratch->args({"write", m_scratch->file(content)})), 2);
    QVERIFY2(b.err.contains(message), qPrintable(b.err));
    QVERIFY(b.err.contains("config.json"));
    QVERIFY(!b.portOpened);
    QVERIFY(b.written.isEmpty());
}

void tst_CliConfig::unansweredRequestStopsThere_data()
{
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<quint8>("silent");
    QTest::addColumn<QStringList>("sent");
    QTest::addColumn<QString>("message");
    QTest::newRow("read") << QStringList{"read"} << quint8(0x0C) << QStringList({"01", "7d"}) + QStringList(11, "0c")
                          << "did not answer the reading of SIMCCID (request 0c)";
    QTest::newRow("write") << QStringList{"write", "{\"APN\": \"a\", \"Speed\": 90, \"DistanceProp\": "
                                                   "{\"sms\": true, \"gprs\": true, \"sms_owner\": true}}"}
                           << quint8(0x98) << QStringList({"88 01 61"}) + QStringList(11, "98 02 5a 00")
                           << "did not answer the writing of Speed (request 98)";
    QTest::newRow("inputs") << QStringList{"inputs"} << quint8(0x2D) << QStringList(11, "2d")
                            << "did not answer the reading of InputsState";
}

void tst_CliConfig::unansweredRequestStopsThere()
{
    QFETCH(QStringList, command);
    QFETCH(quint8, silent);
    QFETCH(QStringList, sent);
    QFETCH(QString, message);
    if (command.size() == 2)
        command[1] = m_scratch->file(command[1].toUtf8());
    CliBench b;
    b.sim.faults().silentCodes.insert(silent);
    QCOMPARE(b.run(m_scratch->args(command)), 1);
    QVERIFY(b.out.isEmpty());
    QVERIFY2(b.err.contains(message), qPrintable(b.err));
    QCOMPARE(b.requests(), sent);
}

void tst_CliConfig::saveKeepsParamsAndShowsStoredNames()
{
    {
        XmlStore store(m_scratch->settings());
        store.open();
        store.writeString("Params", "DSensor_DS2Name", "Дверь");
        store.writeString("Setup", "Com", "COM3");
        QVERIFY(store.close());
    }
    CliBench b;
    QCOMPARE(b.run(m_scratch->args({"save"})), 0);
    QCOMPARE(parse(b.out)["DSensor"].toObject()["DS2Name"].toString(), QString("Дверь"));
    QCOMPARE(b.requests(), ReadRequests);

    XmlStore store(m_scratch->settings());
    store.open();
    QCOMPARE(store.readString("Params", "APN"), QString("internet.mts.ru"));
    QCOMPARE(store.readString("Params", "Speed"), QString("110"));
    QCOMPARE(store.readString("Params", "VoltageMIN"), QString("10500"));
    QCOMPARE(store.readString("Params", "Timer"), QString("00/01/00/00"));
    QCOMPARE(store.readString("Params", "AlarmProp_sms_owner"), QString("1"));
    QCOMPARE(store.readString("Params", "DSensor_DS3"), QString("1"));
    QCOMPARE(store.readString("Params", "DSensor_DS2Name"), QString("Дверь"));
    QCOMPARE(store.readString("Setup", "Com"), QString("COM3"));
    // Identity values are never stored.
    QCOMPARE(store.readString("Params", "IMEI", "absent"), QString("absent"));
    store.close();

    // A failed reading leaves the file as it was.
    const QFileInfo before(m_scratch->settings());
    b.sim.faults().silentCodes.insert(0x01);
    QCOMPARE(b.run(m_scratch->args({"save"})), 1);
    QCOMPARE(QFileInfo(m_scratch->settings()).lastModified(), before.lastModified());
}

void tst_CliConfig::inputsPrintsTheirState()
{
    CliBench b;
    b.sim.setInputs(0x09);
    QCOMPARE(b.run(m_scratch->args({"inputs"})), 0);
    QCOMPARE(b.out, QString("{\"DS1\":true,\"DS2\":false,\"DS3\":false,\"DS4\":true}\n"));
    QCOMPARE(b.requests(), QStringList{"2d"});
}

QTEST_GUILESS_MAIN(tst_CliConfig)
#include "tst_cliconfig.moc"
