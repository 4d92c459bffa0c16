// The navigation receiver's summary panel, decoding the NMEA text shown.
#include "app/NmeaPanel.h"

#include <QLabel>
#include <QTest>

namespace {
// A sentence with its checksum, as a receiver sends it.
QByteArray sentence(const QByteArray &body)
{
    quint8 sum = 0;
    for (char c : body)
        sum ^= static_cast<quint8>(c);
    return '$' + body + '*' + QByteArray::number(sum, 16).rightJustified(2, '0').toUpper() + "\r\n";
}

QByteArray fixBurst()
{
    return sentence("GPGGA,123519,4807.038,N,01131.000,E,1,05,0.9,545.4,M,46.9,M,,")
           + sentence("GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,0.9,2.1")
           + sentence("GPGSV,2,1,08,04,40,083,46,05,17,308,41,09,07,344,39,12,22,228,45")
           + sentence("GPGSV,2,2,08,24,40,083,46,15,17,308,41,17,07,344,39,20,22,228,45")
           + sentence("GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230324,003.1,W");
}

QString shown(const NmeaPanel &panel, const char *name)
{
    return panel.findChild<QLabel *>(QString::fromLatin1(name))->text();
}
} // namespace

class tst_NmeaPanel : public QObject
{
    Q_OBJECT
private slots:
    void decodesAFix();
    void noFix_data();
    void noFix();
    void resetForgets();
};

void tst_NmeaPanel::decodesAFix()
{
    NmeaPanel panel;
    const QByteArray burst = fixBurst();
    // In pieces, as a serial port hands them over.
    for (qsizetype i = 0; i < burst.size(); i += 7)
        panel.feed(burst.mid(i, 7));
    QTRY_COMPARE(shown(panel, "fix"), QStringLiteral("есть"));
    QTRY_COMPARE(shown(panel, "satellites"), QStringLiteral("5 / 8"));
    QCOMPARE(shown(panel, "latitude"), QStringLiteral("48.117300° N"));
    QCOMPARE(shown(panel, "longitude"), QStringLiteral("11.516667° E"));
    QCOMPARE(shown(panel, "time"), QStringLiteral("2024-03-23 12:35:19"));
    QCOMPARE(shown(panel, "hdop"), QStringLiteral("0.9"));
    QCOMPARE(shown(panel, "speed"), QStringLiteral("41.5"));
    QCOMPARE(shown(panel, "course"), QStringLiteral("84.4"));
}

void tst_NmeaPanel::noFix_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("receiver without a fix") << sentence("GPRMC,123519,V,,,,,,,230394,,") + sentence("GPGGA,123519,,,,,0,00,,,M,,M,,");
    QByteArray broken = sentence("GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230324,003.1,W");
    broken[broken.size() - 3] = broken[broken.size() - 3] == '0' ? '1' : '0';
    QTest::newRow("wrong checksum") << broken;
    static const char noise[] = "\x00\xff$GP\r\n*** garbage ***\r\n";
    QTest::newRow("line noise") << QByteArray(noise, sizeof noise - 1);
}

void tst_NmeaPanel::noFix()
{
    QFETCH(QByteArray, bytes);
    NmeaPanel panel;
    panel.feed(bytes);
    QTest::qWait(50);
    QCOMPARE(shown(panel, "fix"), QStringLiteral("нет"));
    QCOMPARE(shown(panel, "latitude"), QStringLiteral("—"));
}

void tst_NmeaPanel::resetForgets()
{
    NmeaPanel panel;
    panel.feed(fixBurst());
    QTRY_COMPARE(shown(panel, "fix"), QStringLiteral("есть"));
    panel.reset();
    QCOMPARE(shown(panel, "fix"), QStringLiteral("нет"));
    QCOMPARE(shown(panel, "satellites"), QStringLiteral("—"));
    QCOMPARE(shown(panel, "latitude"), QStringLiteral("—"));
}

QTEST_MAIN(tst_NmeaPanel)
#include "tst_NmeaPanel.moc"
