#include "LineLog.h"

#include "selftest/GeneralFloatText.h"
#include "selftest/TestFrameHandler.h"

#include <QTest>
#include <QtEndian>

#include <bit>
#include <limits>

namespace {
const QTime FixedTime(7, 5, 9);

struct Gps
{
    quint8 status = 0;
    quint16 year = 2009;
    quint8 month = 6, day = 15, hours = 8, minutes = 5, seconds = 0;
    char fix = 'A';
    float latitude = 56.3f, longitude = 37.6f, altitude = 150.5f, knots = 10.0f, course = 270.25f;
    quint8 satellites = 9;

    QByteArray payload() const
    {
        QByteArray p;
        p.append(char(TestFrameHandler::Gps)).append(char(status));
        const auto word = [&p](quint16 v) { p.append(char(v & 0xFF)).append(char(v >> 8)); };
        const auto real = [&p](float v) {
            char le[4];
            qToLittleEndian(std::bit_cast<quint32>(v), le);
            p.append(le, 4);
        };
        word(year);
        p.append(char(month)).append(char(day)).append(char(hours)).append(char(minutes)).append(char(seconds));
        p.append(fix);
        real(latitude);
        real(longitude);
        real(altitude);
        real(knots);
        real(course);
        p.append(char(satellites));
        return p;
    }
};

QByteArray frame(quint8 kind, quint8 status, const QByteArray &data = {})
{
    return QByteArray(1, char(kind)) + char(status) + data;
}

QByteArray flagged(quint8 flag, const QByteArray &text)
{
    return QByteArray(1, char(flag)) + text;
}

// The lines a GPS block writes after its status line, in their order.
QStringList gpsLines(const QString &date, const QString &verdict)
{
    return { QStringLiteral("[GPS] Время и дата:") + date, QStringLiteral("[GPS] Широта:56.2999992370605"),
        QStringLiteral("[GPS] Долгота:37.5999984741211"), QStringLiteral("[GPS] Высота:150.5 м."),
        QStringLiteral("[GPS] Кол-во спутников:9"), QStringLiteral("[GPS] Скорость на земле:18.52 Км/ч."),
        QStringLiteral("[GPS] Курс:270.25"), QStringLiteral("[GPS] ") + verdict };
}

const QString Valid = QStringLiteral("Данные верны.");
const QString NotValid = QStringLiteral("Данные не верны.");
} // namespace

class tst_TestFrameHandler : public QObject
{
    Q_OBJECT
private slots:
    void lines_data();
    void lines();
    void statusWords_data();
    void statusWords();
    void gpsValidity_data();
    void gpsValidity();
    void gpsNumbers_data();
    void gpsNumbers();
    void generalFormat_data();
    void generalFormat();
    void endOfRunIsPostedOnly_data();
    void endOfRunIsPostedOnly();
};

void tst_TestFrameHandler::lines_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QStringList>("expected");

    const QByteArray swappedCcid = "98070121142739531860"; // card 89701012417293358106
    const QString statusOk = QStringLiteral("[GSM] CCID ОК");

    QTest::newRow("empty") << QByteArray() << QStringList();
    QTest::newRow("kind only") << QByteArray(1, char(TestFrameHandler::Gps)) << QStringList();
    QTest::newRow("run started") << frame(TestFrameHandler::Run, TestFrameHandler::Started) << QStringList();
    QTest::newRow("run finished") << frame(TestFrameHandler::Run, TestFrameHandler::Finished) << QStringList();
    QTest::newRow("unknown kind") << frame(8, 0, "\x0F") << QStringList();

    QTest::newRow("gps full block") << Gps {}.payload()
                                    << QStringList { QStringLiteral("[GPS] ОК") }
            + gpsLines(QStringLiteral("2009 6 15 8:5:0"), Valid);
    Gps unknownStatus;
    unknownStatus.status = 99;
    QTest::newRow("gps unknown status writes the label alone")
        << unknownStatus.payload()
        << QStringList { QStringLiteral("[GPS] ") } + gpsLines(QStringLiteral("2009 6 15 8:5:0"), Valid);
    QTest::newRow("gps longer than the block") << Gps {}.payload()
            + "\xFF\xFF" << QStringList { QStringLiteral("[GPS] ОК") } + gpsLines(QStringLiteral("2009 6 15 8:5:0"), Valid);
    QTest::newRow("gps block one byte short") << Gps {}.payload().left(
        30) << QStringList { QStringLiteral("[GPS] ОК"), QStringLiteral("[GPS] Неполный блок данных (байт: 30 из 31)") };
    QTest::newRow("gps status only") << frame(TestFrameHandler::Gps, TestFrameHandler::Error)
                                     << QStringList { QStringLiteral("[GPS] Ошибка"),
                                            QStringLiteral("[GPS] Неполный блок данных (байт: 2 из 31)") };

    QTest::newRow("ccid 20 swapped digits") << frame(TestFrameHandler::Ccid, TestFrameHandler::CcidText,
        flagged(0, swappedCcid)) << QStringList { statusOk, QStringLiteral("[GSM] CCID SIM карты:89701012417293358106") };
    QTest::newRow("ccid with a filler letter")
        << frame(TestFrameHandler::Ccid, TestFrameHandler::CcidText, flagged(0, "98070121142739531860F"))
        << QStringList { statusOk, QStringLiteral("[GSM] CCID SIM карты:89701012417293358106") };
    QTest::newRow("ccid 19 characters") << frame(
        TestFrameHandler::Ccid, TestFrameHandler::CcidText, flagged(0, swappedCcid.left(19)))
                                        << QStringList { statusOk, QStringLiteral("[GSM] CCID SIM карты:") };
    QTest::newRow("ccid error flag") << frame(TestFrameHandler::Ccid, TestFrameHandler::CcidText, flagged(2, swappedCcid))
                                     << QStringList { QStringLiteral("[GSM] CCID ОШИБКА"),
                                            QStringLiteral("[GSM] CCID SIM карты:89701012417293358106") };
    QTest::newRow("ccid text under another status") << frame(TestFrameHandler::Ccid, TestFrameHandler::Info,
        flagged(0, swappedCcid)) << QStringList { QStringLiteral("[GSM] Информация ОК") };
    QTest::newRow("ccid without text") << frame(TestFrameHandler::Ccid, TestFrameHandler::CcidText, flagged(0, {}))
                                       << QStringList { statusOk };
    QTest::newRow("ccid without error flag")
        << frame(TestFrameHandler::Ccid, TestFrameHandler::CcidText) << QStringList { QStringLiteral("[GSM] CCID ОШИБКА") };

    QTest::newRow("imei shown despite error flag")
        << frame(TestFrameHandler::Imei, TestFrameHandler::ImeiText, flagged(1, "356938035643809"))
        << QStringList { QStringLiteral("[GSM] IMEI ОШИБКА"), QStringLiteral("[GSM] IMEI:356938035643809") };
    QTest::newRow("imei text kept as sent") << frame(TestFrameHandler::Imei, TestFrameHandler::ImeiText,
        flagged(0, "35-69 \xC0")) << QStringList { QStringLiteral("[GSM] IMEI ОК"), QStringLiteral("[GSM] IMEI:35-69 А") };
    QTest::newRow("imei text under another status") << frame(TestFrameHandler::Imei, TestFrameHandler::Warning,
        flagged(0, "356938035643809")) << QStringList { QStringLiteral("[GSM] Внимание ОК") };
    QTest::newRow("imei without error flag")
        << frame(TestFrameHandler::Imei, TestFrameHandler::ImeiText) << QStringList { QStringLiteral("[GSM] IMEI ОШИБКА") };

    QTest::newRow("flash 0x0C") << frame(TestFrameHandler::Flash, TestFrameHandler::Ok, "\x0C")
                                << QStringList { QStringLiteral("[FLASH] ОК"), QStringLiteral("[FLASH] Память работает исправно"),
                                       QStringLiteral("[FLASH] Ошибка памяти.") };
    QTest::newRow("flash every bit in order")
        << frame(TestFrameHandler::Flash, TestFrameHandler::Info, "\xFF")
        << QStringList { QStringLiteral("[FLASH] Информация"),
               QStringLiteral("[FLASH] Отсутствует контрольная структура на FRAM"),
               QStringLiteral("[FLASH] Контрольная структура записана"), QStringLiteral("[FLASH] Память работает исправно"),
               QStringLiteral("[FLASH] Ошибка памяти.") };
    QTest::newRow("flash no flags") << frame(TestFrameHandler::Flash, TestFrameHandler::Error, QByteArray(1, '\0'))
                                    << QStringList { QStringLiteral("[FLASH] Ошибка") };
    QTest::newRow("flash short") << frame(TestFrameHandler::Flash, TestFrameHandler::Ok) << QStringList();

    QTest::newRow("sram 0x05 without status line") << frame(TestFrameHandler::Sram, TestFrameHandler::Ok,
        "\x05") << QStringList { QStringLiteral("[SRAM] 1 банк ОК"), QStringLiteral("[SRAM] 2 банк ОК") };
    QTest::newRow("sram every bit in bank order")
        << frame(TestFrameHandler::Sram, TestFrameHandler::Error, "\x0F")
        << QStringList { QStringLiteral("[SRAM] Ошибка"), QStringLiteral("[SRAM] 1 банк ОК"), QStringLiteral("[SRAM] 2 банк ОК"),
               QStringLiteral("[SRAM] 1 банк ошибка"), QStringLiteral("[SRAM] 2 банк ошибка") };
    QTest::newRow("sram short") << frame(TestFrameHandler::Sram, TestFrameHandler::Error) << QStringList();
}

void tst_TestFrameHandler::lines()
{
    QFETCH(QByteArray, payload);
    QFETCH(QStringList, expected);
    LineLog log;
    TestFrameHandler handler(log);
    handler.now = [] { return FixedTime; };
    handler.HandleTestFrame(payload);
    QCOMPARE(log.lines, expected);
}

void tst_TestFrameHandler::statusWords_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("word");
    QTest::newRow("0") << 0 << QStringLiteral("ОК");
    QTest::newRow("1") << 1 << QStringLiteral("Информация");
    QTest::newRow("2") << 2 << QStringLiteral("Внимание");
    QTest::newRow("3") << 3 << QStringLiteral("Ошибка");
    QTest::newRow("4") << 4 << QStringLiteral("Получены данные");
    QTest::newRow("5") << 5 << QStringLiteral("CCID");
    QTest::newRow("6") << 6 << QStringLiteral("IMEI");
    QTest::newRow("7") << 7 << QString();
    QTest::newRow("240") << 240 << QString();
    QTest::newRow("241") << 241 << QStringLiteral("Тестирование запущено!");
    QTest::newRow("242") << 242 << QStringLiteral("07:05:09 Тестирование окончено!");
    QTest::newRow("255") << 255 << QString();
}

// Shown through a FLASH frame, whose status line is the label and the word.
void tst_TestFrameHandler::statusWords()
{
    QFETCH(int, status);
    QFETCH(QString, word);
    LineLog log;
    TestFrameHandler handler(log);
    handler.now = [] { return FixedTime; };
    handler.HandleTestFrame(frame(TestFrameHandler::Flash, quint8(status), QByteArray(1, '\0')));
    QCOMPARE(log.lines, QStringList { QStringLiteral("[FLASH] ") + word });
}

void tst_TestFrameHandler::gpsValidity_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<char>("fix");
    QTest::addColumn<QString>("verdict");
    QTest::newRow("2008 A") << 2008 << 'A' << NotValid;
    QTest::newRow("2009 V") << 2009 << 'V' << NotValid;
    QTest::newRow("2009 a") << 2009 << 'a' << NotValid;
    QTest::newRow("2009 zero") << 2009 << '\0' << NotValid;
    QTest::newRow("2009 A") << 2009 << 'A' << Valid;
    QTest::newRow("65535 A") << 65535 << 'A' << Valid;
    QTest::newRow("0 A") << 0 << 'A' << NotValid;
}

void tst_TestFrameHandler::gpsValidity()
{
    QFETCH(int, year);
    QFETCH(char, fix);
    QFETCH(QString, verdict);
    Gps gps;
    gps.year = quint16(year);
    gps.fix = fix;
    LineLog log;
    TestFrameHandler handler(log);
    handler.ShowGpsTestBlock(gps.payload());
    QCOMPARE(log.lines.size(), 8);
    QCOMPARE(log.lines.first(), QStringLiteral("[GPS] Время и дата:%1 6 15 8:5:0").arg(year));
    QCOMPARE(log.lines.last(), QStringLiteral("[GPS] ") + verdict);
}

void tst_TestFrameHandler::gpsNumbers_data()
{
    QTest::addColumn<float>("latitude");
    QTest::addColumn<float>("knots");
    QTest::addColumn<QString>("latitudeLine");
    QTest::addColumn<QString>("speedLine");
    const float nan = std::numeric_limits<float>::quiet_NaN();
    QTest::newRow("nearest 56.3, 10 knots") << 56.3f << 10.0f << QStringLiteral("[GPS] Широта:56.2999992370605")
                                            << QStringLiteral("[GPS] Скорость на земле:18.52 Км/ч.");
    QTest::newRow("south, standing") << -33.875f << 0.0f << QStringLiteral("[GPS] Широта:-33.875")
                                     << QStringLiteral("[GPS] Скорость на земле:0 Км/ч.");
    QTest::newRow("whole degrees, 1 knot") << 55.0f << 1.0f << QStringLiteral("[GPS] Широта:55")
                                           << QStringLiteral("[GPS] Скорость на земле:1.852 Км/ч.");
    // 0.1f is 0.100000001490116...; its product keeps the float's error.
    QTest::newRow("tenth of a knot") << 0.5f << 0.1f << QStringLiteral("[GPS] Широта:0.5")
                                     << QStringLiteral("[GPS] Скорость на земле:0.185200002759695 Км/ч.");
    QTest::newRow("no fix numbers") << nan << nan << QStringLiteral("[GPS] Широта:NAN")
                                    << QStringLiteral("[GPS] Скорость на земле:NAN Км/ч.");
}

void tst_TestFrameHandler::gpsNumbers()
{
    QFETCH(float, latitude);
    QFETCH(float, knots);
    QFETCH(QString, latitudeLine);
    QFETCH(QString, speedLine);
    Gps gps;
    gps.latitude = latitude;
    gps.knots = knots;
    LineLog log;
    TestFrameHandler handler(log);
    handler.ShowGpsTestBlock(gps.payload());
    QCOMPARE(log.lines.size(), 8);
    QCOMPARE(log.lines.at(1), latitudeLine);
    QCOMPARE(log.lines.at(5), speedLine);
}

void tst_TestFrameHandler::generalFormat_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << QStringLiteral("0");
    QTest::newRow("negative zero") << -0.0 << QStringLiteral("0");
    QTest::newRow("whole") << 100.0 << QStringLiteral("100");
    QTest::newRow("fraction") << -0.5 << QStringLiteral("-0.5");
    QTest::newRow("15 digits") << 123456789012345.0 << QStringLiteral("123456789012345");
    QTest::newRow("rounded to 15 digits") << 1.23456789012345678 << QStringLiteral("1.23456789012346");
    QTest::newRow("16 digits before the point") << 1e15 << QStringLiteral("1E15");
    QTest::newRow("large") << -1.5e20 << QStringLiteral("-1.5E20");
    QTest::newRow("smallest fixed") << 0.00001 << QStringLiteral("0.00001");
    QTest::newRow("small fixed") << 0.000123 << QStringLiteral("0.000123");
    QTest::newRow("below fixed") << 0.0000015 << QStringLiteral("1.5E-6");
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << QStringLiteral("INF");
    QTest::newRow("minus infinite") << -std::numeric_limits<double>::infinity() << QStringLiteral("-INF");
}

void tst_TestFrameHandler::generalFormat()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(GeneralFloatText(value), text);
}

void tst_TestFrameHandler::endOfRunIsPostedOnly_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<int>("posts");
    QTest::newRow("finished") << frame(TestFrameHandler::Run, TestFrameHandler::Finished) << 1;
    QTest::newRow("finished with data") << frame(TestFrameHandler::Run, TestFrameHandler::Finished, "\x01\x02") << 1;
    QTest::newRow("started") << frame(TestFrameHandler::Run, TestFrameHandler::Started) << 0;
    QTest::newRow("finished status of another kind") << frame(TestFrameHandler::Flash, TestFrameHandler::Finished, "\x04") << 0;
}

void tst_TestFrameHandler::endOfRunIsPostedOnly()
{
    QFETCH(QByteArray, payload);
    QFETCH(int, posts);
    LineLog log;
    TestFrameHandler handler(log);
    int posted = 0;
    handler.PostTestFinished = [&posted] { ++posted; };
    handler.HandleTestFrame(payload);
    QCOMPARE(posted, posts);
    if (payload.at(0) == TestFrameHandler::Run)
        QVERIFY(log.lines.isEmpty());
}

QTEST_GUILESS_MAIN(tst_TestFrameHandler)
#include "tst_TestFrameHandler.moc"
