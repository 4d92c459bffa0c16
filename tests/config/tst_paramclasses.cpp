#include "FakeTerminal.h"

#include "config/ParamError.h"
#include "config/TerminalParams.h"
#include "config/Win1251.h"
#include "link/Commands.h"
#include "settings/XmlStore.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The parameter classes against a terminal on a virtual clock: what a reply
// becomes, what a value sends, and when a write is sent at all.
class tst_ParamClasses : public QObject
{
    Q_OBJECT

private slots:
    void decode_data();
    void decode();
    void encode_data();
    void encode();
    void floatReadWrite();
    void propRead_data();
    void propRead();
    void propFlags_data();
    void propFlags();
    void digitalInputs();
    void writeRule_data();
    void writeRule();
    void doubleReads();
    void storeBinding();
    void storeWithoutKey();
    void cyrillicRoundTrip();
    void terminalParamsOrder();

private:
    FakeTerminal term;
    ParamRegistry registry { [this](const TBuf &r) { return term.transact(r); } };
    void reset()
    {
        term.requests.clear();
        term.values.clear();
        registry.ParamList.clear();
    }
    std::unique_ptr<TNAVParam> make(
        const QString &kind, quint8 set, quint8 get, XmlStore *store = nullptr, const QString &key = {});
};

std::unique_ptr<TNAVParam> tst_ParamClasses::make(
    const QString &kind, quint8 set, quint8 get, XmlStore *store, const QString &key)
{
    const QString section = key.isEmpty() ? QString() : QStringLiteral("Params");
    if (kind == QLatin1String("string"))
        return std::make_unique<TStringParam>(registry, set, get, store, section, key);
    if (kind == QLatin1String("ip"))
        return std::make_unique<TIPAddr>(registry, set, get, store, section, key);
    if (kind == QLatin1String("word"))
        return std::make_unique<TWordParam>(registry, set, get, store, section, key);
    if (kind == QLatin1String("dword"))
        return std::make_unique<TDWordParam>(registry, set, get, store, section, key);
    if (kind == QLatin1String("single"))
        return std::make_unique<TSingleParam>(registry, set, get, store, section, key);
    if (kind == QLatin1String("timer"))
        return std::make_unique<TTimerParam>(registry, set, get, store, section, key);
    qFatal("unknown kind");
}

void tst_ParamClasses::decode_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("reply"); // hex; "-" for no answer
    QTest::addColumn<QByteArray>("value");

    QTest::newRow("string") << "string" << QByteArray("61 62 63") << QByteArray("abc");
    QTest::newRow("string keeps zero bytes") << "string" << QByteArray("61 00 62 00") << QByteArray("a\0b\0", 4);
    QTest::newRow("string empty reply") << "string" << QByteArray("") << QByteArray("");
    QTest::newRow("string silent") << "string" << QByteArray("-") << QByteArray("");
    QTest::newRow("ip") << "ip" << QByteArray("C0 A8 01 0A") << QByteArray("192.168.1.10");
    QTest::newRow("ip zeros") << "ip" << QByteArray("00 00 00 00") << QByteArray("0.0.0.0");
    QTest::newRow("ip 3 bytes") << "ip" << QByteArray("C0 A8 01") << QByteArray("");
    QTest::newRow("ip 5 bytes") << "ip" << QByteArray("C0 A8 01 0A 0B") << QByteArray("");
    QTest::newRow("word") << "word" << QByteArray("90 1F") << QByteArray("8080");
    QTest::newRow("word max") << "word" << QByteArray("FF FF 01") << QByteArray("65535");
    QTest::newRow("word one byte") << "word" << QByteArray("90") << QByteArray("0");
    QTest::newRow("word silent") << "word" << QByteArray("-") << QByteArray("0");
    QTest::newRow("dword") << "dword" << QByteArray("40 E2 01 00") << QByteArray("123456");
    QTest::newRow("dword above int range") << "dword" << QByteArray("00 00 00 80") << QByteArray("2147483648");
    QTest::newRow("dword max") << "dword" << QByteArray("FF FF FF FF") << QByteArray("4294967295");
    QTest::newRow("dword 3 bytes") << "dword" << QByteArray("40 E2 01") << QByteArray("0");
    QTest::newRow("single one") << "single" << QByteArray("00 00 80 3F") << QByteArray("1");
    QTest::newRow("single 55.123") << "single" << QByteArray("F4 7D 5C 42") << QByteArray("55.1230010986328");
    QTest::newRow("single short") << "single" << QByteArray("00 80 3F") << QByteArray("0");
    QTest::newRow("single NaN") << "single" << QByteArray("00 00 C0 7F") << QByteArray("0");
    QTest::newRow("timer") << "timer" << QByteArray("40 E2 01 00") << QByteArray("01/10/17/36");
    QTest::newRow("timer FF FF 00 00") << "timer" << QByteArray("FF FF 00 00") << QByteArray("00/00/00/00");
    QTest::newRow("timer FF FF FF FF") << "timer" << QByteArray("FF FF FF FF") << QByteArray("00/00/00/00");
    QTest::newRow("timer 7F 7F 7F 7F") << "timer" << QByteArray("7F 7F 7F 7F") << QByteArray("24757/15/55/43");
    QTest::newRow("timer FF 00 00 00") << "timer" << QByteArray("FF 00 00 00") << QByteArray("00/00/04/15");
    QTest::newRow("timer short") << "timer" << QByteArray("40 E2 01") << QByteArray("00/00/00/00");
    QTest::newRow("timer silent") << "timer" << QByteArray("-") << QByteArray("00/00/00/00");
}

void tst_ParamClasses::decode()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, reply);
    QFETCH(QByteArray, value);
    reset();
    auto param = make(kind, 0x80, 0x01);
    param->Value = "stale";
    if (reply != "-")
        term.values.insert(0x01, hex(reply.constData()));
    param->ReadFromDevice();
    QCOMPARE(param->Value, value);
    QVERIFY(param->Synced);
    QCOMPARE(term.requests.first(), QByteArray("\x01"));
    if (reply != "-")
        QCOMPARE(term.requests.size(), 1);
}

void tst_ParamClasses::encode_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<quint8>("setCode");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("request"); // empty: refused, nothing sent

    const QByteArray long255(255, 'x');
    QTest::newRow("string") << "string" << quint8(128) << QByteArray("abc") << "80 03 61 62 63";
    QTest::newRow("string zero bytes") << "string" << quint8(128) << QByteArray("a\0b", 3) << "80 03 61 00 62";
    QTest::newRow("string empty") << "string" << quint8(129) << QByteArray() << "81 00";
    QTest::newRow("string 255") << "string" << quint8(128) << long255
                                << "80 FF " + QString::fromLatin1(long255.toHex(' ').toUpper());
    QTest::newRow("string 256 refused") << "string" << quint8(128) << QByteArray(256, 'x') << "";
    QTest::newRow("ip") << "ip" << quint8(134) << QByteArray("192.168.1.10") << "86 04 C0 A8 01 0A";
    QTest::newRow("ip empty") << "ip" << quint8(134) << QByteArray() << "86 04 00 00 00 00";
    QTest::newRow("ip three parts") << "ip" << quint8(134) << QByteArray("1.2.3") << "86 04 01 02 00 00";
    QTest::newRow("ip double dot") << "ip" << quint8(134) << QByteArray("1..2.3.4") << "86 04 01 02 03 04";
    QTest::newRow("ip trailing dot") << "ip" << quint8(134) << QByteArray("1.2.3.4.") << "86 04 01 02 03 04";
    QTest::newRow("ip part 256 refused") << "ip" << quint8(134) << QByteArray("192.168.1.256") << "";
    QTest::newRow("ip five parts refused") << "ip" << quint8(134) << QByteArray("1.2.3.4.5") << "";
    QTest::newRow("ip letters refused") << "ip" << quint8(134) << QByteArray("1.2.x.4") << "";
    QTest::newRow("ip dropped part checked") << "ip" << quint8(134) << QByteArray("1.2.x") << "";
    QTest::newRow("ip negative refused") << "ip" << quint8(134) << QByteArray("1.-2.3.4") << "";
    QTest::newRow("word") << "word" << quint8(135) << QByteArray("8080") << "87 02 90 1F";
    QTest::newRow("word max") << "word" << quint8(135) << QByteArray("65535") << "87 02 FF FF";
    QTest::newRow("word 65536 refused") << "word" << quint8(135) << QByteArray("65536") << "";
    QTest::newRow("word negative refused") << "word" << quint8(135) << QByteArray("-1") << "";
    QTest::newRow("word text refused") << "word" << quint8(135) << QByteArray("80a") << "";
    QTest::newRow("dword") << "dword" << quint8(142) << QByteArray("123456") << "8E 04 40 E2 01 00";
    QTest::newRow("dword max") << "dword" << quint8(142) << QByteArray("4294967295") << "8E 04 FF FF FF FF";
    QTest::newRow("dword 2^32 refused") << "dword" << quint8(142) << QByteArray("4294967296") << "";
    QTest::newRow("timer") << "timer" << quint8(140) << QByteArray("01/10/17/36") << "8C 04 40 E2 01 00";
    QTest::newRow("timer two parts") << "timer" << quint8(140) << QByteArray("1/2") << "8C 04 A0 6D 01 00";
    QTest::newRow("timer empty") << "timer" << quint8(140) << QByteArray() << "8C 04 00 00 00 00";
    QTest::newRow("timer 255 days") << "timer" << quint8(140) << QByteArray("255/23/59/59") << "8C 04 FF 7F 51 01";
    QTest::newRow("timer part 256 refused") << "timer" << quint8(140) << QByteArray("00/256/00/00") << "";
    QTest::newRow("timer five parts refused") << "timer" << quint8(140) << QByteArray("1/2/3/4/5") << "";
    QTest::newRow("timer huge part refused") << "timer" << quint8(140) << QByteArray("99999999999999999999") << "";
}

void tst_ParamClasses::encode()
{
    QFETCH(QString, kind);
    QFETCH(quint8, setCode);
    QFETCH(QByteArray, value);
    QFETCH(QString, request);
    reset();
    auto param = make(kind, setCode, setCode - 127);
    param->Value = "before";
    if (request.isEmpty()) {
        QVERIFY_THROWS_EXCEPTION(ParamError, param->WriteToDevice(value));
        QCOMPARE(term.requests.size(), 0);
        QCOMPARE(param->Value, QByteArray("before"));
        return;
    }
    param->WriteToDevice(value);
    QCOMPARE(term.requestsHex(), QStringList { request });
    QCOMPARE(param->Value, value);
}

void tst_ParamClasses::floatReadWrite()
{
    reset();
    TSingleParam factor(registry, 164, 37);
    term.values.insert(37, hex("00 00 80 3F"));
    QCOMPARE(factor.ReadFloat(), 1.0f);
    QCOMPARE(factor.GetText(), QByteArray("1"));
    factor.WriteFloat(1.0f); // read and unchanged: nothing goes out
    QCOMPARE(term.requestsHex(), QStringList { "25" });
    factor.WriteFloat(2.5f);
    QCOMPARE(term.requestsHex(), (QStringList { "25", "A4 04 00 00 20 40" }));
    QCOMPARE(factor.GetFloat(), 2.5f);
}

void tst_ParamClasses::propRead_data()
{
    QTest::addColumn<QByteArray>("reply"); // "-": no answer
    QTest::addColumn<bool>("sms");
    QTest::addColumn<bool>("gprs");
    QTest::addColumn<bool>("owner");

    QTest::newRow("0x83 sms gprs") << QByteArray("83") << true << true << false;
    QTest::newRow("0x03 bit 7 clear") << QByteArray("03") << false << false << false;
    QTest::newRow("0x8B all") << QByteArray("8B") << true << true << true;
    QTest::newRow("0x84 bit 2 ignored") << QByteArray("84") << false << false << false;
    QTest::newRow("0x0B bit 7 clear") << QByteArray("0B") << false << false << false;
    // With no answer the flags keep what they were: all set, from the store.
    QTest::newRow("silent keeps") << QByteArray("-") << true << true << true;
}

void tst_ParamClasses::propRead()
{
    QFETCH(QByteArray, reply);
    QFETCH(bool, sms);
    QFETCH(bool, gprs);
    QFETCH(bool, owner);
    reset();
    TPropParam prop(registry, 156, 29);
    prop.Sms = prop.Gprs = prop.SmsOwner = true;
    if (reply != "-")
        term.values.insert(29, hex(reply.constData()));
    prop.ReadFromDevice();
    QCOMPARE(term.requests.first(), QByteArray("\x1D"));
    QCOMPARE(prop.Sms, sms);
    QCOMPARE(prop.Gprs, gprs);
    QCOMPARE(prop.SmsOwner, owner);
    if (reply != "-")
        QCOMPARE(prop.FlagsByte, quint8(hex(reply.constData()).at(0)));
}

void tst_ParamClasses::propFlags_data()
{
    QTest::addColumn<bool>("sms");
    QTest::addColumn<bool>("gprs");
    QTest::addColumn<bool>("owner");
    QTest::addColumn<QString>("request");

    QTest::newRow("sms only") << true << false << false << "9C 01 81";
    QTest::newRow("gprs only") << false << true << false << "9C 01 82";
    QTest::newRow("owner only") << false << false << true << "9C 01 88";
    QTest::newRow("all") << true << true << true << "9C 01 8B";
    QTest::newRow("none") << false << false << false << "9C 01 00";
}

void tst_ParamClasses::propFlags()
{
    QFETCH(bool, sms);
    QFETCH(bool, gprs);
    QFETCH(bool, owner);
    QFETCH(QString, request);
    reset();
    TPropParam prop(registry, 156, 29);
    prop.FlagsByte = 0x7F; // stale
    prop.SetSms(sms);
    prop.SetGprs(gprs);
    prop.SetSmsOwner(owner);
    prop.WriteToDevice();
    prop.WriteToDevice(); // flags are always sent, changed or not
    QCOMPARE(term.requestsHex(), (QStringList { request, request }));
}

void tst_ParamClasses::digitalInputs()
{
    reset();
    TDigitalSensorParam inputs(registry, 170, 43);
    term.values.insert(43, hex("05"));
    inputs.ReadFromDevice();
    QCOMPARE(QList<bool>({ inputs.DS1, inputs.DS2, inputs.DS3, inputs.DS4 }), QList<bool>({ true, false, true, false }));
    QCOMPARE(inputs.StateByte, quint8(0x05));

    term.values.remove(43);
    inputs.ReadFromDevice(); // no answer: the states stay
    QVERIFY(inputs.DS1 && inputs.DS3);

    for (int i = 0; i < 4; ++i)
        inputs.SetState(i, i == 1 || i == 3);
    QCOMPARE(inputs.StateByte, quint8(0x0A));
    inputs.SetState(4, true); // no fifth input
    inputs.SetState(-1, true);
    QCOMPARE(inputs.StateByte, quint8(0x0A));

    inputs.SetState(0, true);
    inputs.SetState(1, false);
    inputs.SetState(2, false);
    inputs.SetState(3, true);
    term.requests.clear();
    inputs.WriteToDevice();
    QCOMPARE(term.requestsHex(), QStringList { "AA 01 09" });

    inputs.SetName(2, QStringLiteral("Дверь"));
    inputs.SetName(9, QStringLiteral("никуда"));
    QCOMPARE(inputs.Name3, QStringLiteral("Дверь"));
    QCOMPARE(inputs.name(9), QString());
}

void tst_ParamClasses::writeRule_data()
{
    QTest::addColumn<bool>("readFirst");
    QTest::addColumn<bool>("loadAfterRead");
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<QStringList>("sent");

    const QStringList read { "01" };
    QTest::newRow("read, same value") << true << false << QByteArray("abc") << read;
    QTest::newRow("read, changed") << true << false << QByteArray("abd") << QStringList { "01", "80 03 61 62 64" };
    QTest::newRow("read, then loaded") << true << true << QByteArray("abc") << QStringList { "01", "80 03 61 62 63" };
    QTest::newRow("never read") << false << false << QByteArray("abc") << QStringList { "80 03 61 62 63" };
}

void tst_ParamClasses::writeRule()
{
    QFETCH(bool, readFirst);
    QFETCH(bool, loadAfterRead);
    QFETCH(QByteArray, written);
    QFETCH(QStringList, sent);
    reset();
    TStringParam version(registry, 128, 1);
    version.Value = "abc";
    term.values.insert(1, "abc");
    if (readFirst)
        version.ReadFromDevice();
    if (loadAfterRead) {
        version.LoadFromStore(); // no store: the value stays, the read is forgotten
        QCOMPARE(version.Value, QByteArray("abc"));
        QVERIFY(!version.Synced);
    }
    version.WriteToDevice(written);
    QCOMPARE(term.requestsHex(), sent);
    QCOMPARE(version.Value, written);
}

void tst_ParamClasses::doubleReads()
{
    reset();
    TWordParam port(registry, 135, 8);
    TDWordParam distance(registry, 142, 15);
    term.values.insert(8, hex("90 1F"));
    term.values.insert(15, hex("00 00 00 80"));
    QCOMPARE(port.ReadWord(), quint16(8080));
    QCOMPARE(distance.ReadDWord(), quint32(2147483648u));
    QCOMPARE(term.requestsHex(), (QStringList { "08", "08", "0F", "0F" }));
}

void tst_ParamClasses::storeBinding()
{
    QTemporaryDir dir;
    XmlStore store(dir.filePath(QStringLiteral("store.xml")));
    store.open();
    store.writeString("Params", "Lat", "abc");
    store.writeString("Params", "Lon", "-37.5");
    store.writeString("Params", "Ev_sms", "1");
    store.writeString("Params", "Ev_gprs", "true"); // only "1" is true
    store.writeString("Params", "Ev_sms_owner", "1");
    store.writeString("Params", "In_DS2", "1");
    store.writeString("Params", "In_DS3Name", QStringLiteral("Дверь"));
    reset();

    TSingleParam lat(registry, 144, 17, &store, "Params", "Lat");
    TSingleParam lon(registry, 145, 18, &store, "Params", "Lon");
    TPropParam event(registry, 156, 29, &store, "Params", "Ev");
    TDigitalSensorParam inputs(registry, 170, 43, &store, "Params", "In");
    QCOMPARE(lat.FloatValue, 0.0f);
    QCOMPARE(lon.FloatValue, -37.5f);
    QVERIFY(lon.Value.isEmpty());
    QCOMPARE(QList<bool>({ event.Sms, event.Gprs, event.SmsOwner }), QList<bool>({ true, false, true }));
    QCOMPARE(event.FlagsByte, quint8(0)); // loading leaves the byte to the setters
    QCOMPARE(QList<bool>({ inputs.DS1, inputs.DS2, inputs.DS3, inputs.DS4 }), QList<bool>({ false, true, false, false }));
    QCOMPARE(QStringList({ inputs.Name1, inputs.Name2, inputs.Name3, inputs.Name4 }),
        QStringList(
            { QStringLiteral("Датчик 1"), QStringLiteral("Датчик 2"), QStringLiteral("Дверь"), QStringLiteral("Датчик 4") }));
    QCOMPARE(registry.ParamList.size(), 4);

    lat.SetFloat(55.123f);
    lat.SaveToStore();
    event.SetGprs(true);
    event.SaveToStore();
    inputs.SaveToStore();
    QCOMPARE(store.readString("Params", "Lat"), QStringLiteral("55.1230010986328"));
    QCOMPARE(store.readString("Params", "Ev_gprs"), QStringLiteral("1"));
    QCOMPARE(store.readString("Params", "In_DS1"), QStringLiteral("0"));
    QCOMPARE(store.readString("Params", "In_DS4Name"), QStringLiteral("Датчик 4"));
    store.close();
}

void tst_ParamClasses::storeWithoutKey()
{
    QTemporaryDir dir;
    XmlStore store(dir.filePath(QStringLiteral("store.xml")));
    store.open();
    store.writeString("Params", "", "x");
    reset();
    TStringParam noKey(registry, 128, 1, &store, "Params", "");
    TStringParam noSection(registry, 128, 1, &store, "", "ProgrammVersion");
    term.values.insert(1, "abc");
    noKey.ReadFromDevice();
    noKey.SaveToStore();
    noSection.Value = "v";
    noSection.SaveToStore();
    QCOMPARE(store.readString("", "ProgrammVersion", "none"), QStringLiteral("none"));
    noKey.LoadFromStore();
    QCOMPARE(noKey.Value, QByteArray("abc"));
    term.requests.clear();
    noKey.WriteToDevice("abc"); // the load made it unsynced: sent again
    QCOMPARE(term.requestsHex(), QStringList { "80 03 61 62 63" });
    store.close();
}

void tst_ParamClasses::cyrillicRoundTrip()
{
    QTemporaryDir dir;
    XmlStore store(dir.filePath(QStringLiteral("store.xml")));
    store.open();
    store.writeString("Params", "APN", QStringLiteral("Интернет"));
    store.writeString("Params", "Bad", QStringLiteral("中文"));
    reset();
    TStringParam apn(registry, 136, 9, &store, "Params", "APN");
    TStringParam bad(registry, 128, 1, &store, "Params", "Bad");
    QCOMPARE(apn.Value, QByteArray("\xC8\xED\xF2\xE5\xF0\xED\xE5\xF2"));
    QVERIFY(bad.Value.isEmpty()); // cannot be held in Windows-1251: not loaded
    apn.WriteToDevice(apn.Value);
    QCOMPARE(term.requestsHex(), QStringList { "88 08 C8 ED F2 E5 F0 ED E5 F2" });
    apn.SaveToStore();
    QCOMPARE(store.readString("Params", "APN"), QStringLiteral("Интернет"));
    store.close();

    QCOMPARE(Win1251::encode(QStringLiteral("№ €")), QByteArray("\xB9\x20\x88"));
    QVERIFY_THROWS_EXCEPTION(ParamError, Win1251::encode(QStringLiteral("a☺")));
    QVERIFY_THROWS_EXCEPTION(ParamError, Win1251::encode(QStringLiteral("\U0001F600")));
}

void tst_ParamClasses::terminalParamsOrder()
{
    TerminalParams params(nullptr, [this](const TBuf &r) { return term.transact(r); });
    struct Row
    {
        const char *name;
        quint8 get, set;
        bool stored;
    };
    const Row expected[] = {
        { "ProgrammVersion", 1, 128, true },
        { "BasePhone", 2, 129, true },
        { "BasePassword", 3, 130, true },
        { "OwnerPhone", 4, 131, true },
        { "OwnerPassword", 5, 132, true },
        { "DialingPhone", 6, 133, true },
        { "IPAddr", 7, 134, true },
        { "IPPort", 8, 135, true },
        { "APN", 9, 136, true },
        { "APN_Login", 10, 137, true },
        { "APN_Password", 11, 138, true },
        { "Timer", 13, 140, true },
        { "Distance", 15, 142, true },
        { "PerimeterLatitude", 17, 144, true },
        { "PerimeterLongitude", 18, 145, true },
        { "PerimeterRadius", 19, 146, true },
        { "Speed", 25, 152, true },
        { "VoltageMIN", 21, 148, true },
        { "VoltageMAX", 23, 150, true },
        { "ParkingTime", 27, 154, true },
        { "ActivationProp", 29, 156, true },
        { "ReloadProp", 30, 157, true },
        { "TimerProp", 14, 141, true },
        { "DistanceProp", 16, 143, true },
        { "VoltageMaxProp", 24, 151, true },
        { "VoltageMinProp", 22, 149, true },
        { "SpeedProp", 26, 153, true },
        { "PerimetrINProp", 39, 166, true },
        { "PerimetrOUTProp", 40, 167, true },
        { "ParkingProp", 28, 155, true },
        { "AlarmProp", 32, 159, true },
        { "DSensorsProp", 44, 171, true },
        { "DSensor", 43, 170, true },
        { "InputsState", 45, 0, false },
        { "SIMCCID", 12, 0, false },
        { "IMEI", 41, 0, false },
        { "ADCFactor", 37, 164, false },
        { "SerialNumber", 38, 165, false },
        { "FirmwareVersion", 125, 0, false },
        { "ADCValue", 36, 0, false },
    };
    QCOMPARE(params.ParamCount, 40);
    QCOMPARE(params.ParamList.size(), 40);
    for (int i = 0; i < 40; ++i) {
        const TCustomNAVParam *p = params.ParamList.at(i);
        const Row &row = expected[i];
        QCOMPARE(p->GetCode, row.get);
        QCOMPARE(p->SetCode, row.set);
        QCOMPARE(p->Key, row.stored ? QString::fromLatin1(row.name) : QString());
        QCOMPARE(p->Section, row.stored ? QStringLiteral("Params") : QString());
    }
    QCOMPARE(params.ParamList.at(32), &params.DSensor);
    QCOMPARE(params.ParamList.at(39), &params.ADCValue);
}

QTEST_GUILESS_MAIN(tst_ParamClasses)
#include "tst_paramclasses.moc"
