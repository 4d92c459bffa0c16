#include "SimNavReceiver.h"

#include <QList>
#include <QtEndian>

#include <cmath>
#include <cstring>

namespace {
struct Satellite
{
    int prn;
    int elevation;
    int azimuth;
    int snr;
};

// The sky over the receiver: the first satellitesInUse of these are used.
constexpr Satellite Sky[] = {
    {2, 45, 120, 38}, {5, 61, 43, 41},  {7, 28, 301, 33}, {9, 72, 210, 44}, {13, 15, 88, 29}, {16, 34, 167, 36},
    {20, 52, 259, 40}, {27, 11, 12, 24}, {30, 39, 330, 35}, {8, 6, 140, 19}, {21, 3, 275, 0},
};
constexpr int SkySize = int(std::size(Sky));

QByteArray twoDigits(int v)
{
    return QByteArray::number(v).rightJustified(2, '0');
}

// ddmm.mmmm / dddmm.mmmm with the hemisphere letter.
QByteArray angle(double degrees, int degreeDigits, char positive, char negative)
{
    const double a = std::fabs(degrees);
    int whole = int(a);
    double minutes = (a - whole) * 60.0;
    if (std::lround(minutes * 10000) >= 600000) {
        ++whole;
        minutes = 0;
    }
    return QByteArray::number(whole).rightJustified(degreeDigits, '0') + QByteArray::number(minutes, 'f', 4).rightJustified(7, '0')
        + ',' + (degrees < 0 ? negative : positive);
}

QByteArray timeField(const QDateTime &utc)
{
    const QTime t = utc.time();
    return twoDigits(t.hour()) + twoDigits(t.minute()) + twoDigits(t.second()) + ".00";
}

void appendFloat(QByteArray &b, float v)
{
    quint32 bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    char le[4];
    qToLittleEndian(bits, le);
    b.append(le, 4);
}
} // namespace

QByteArray SimNavReceiver::sentence(const QByteArray &body)
{
    quint8 crc = 0;
    for (char c : body)
        crc ^= static_cast<quint8>(c);
    return '$' + body + '*' + QByteArray::number(crc, 16).toUpper().rightJustified(2, '0') + "\r\n";
}

QByteArray SimNavReceiver::positionText() const
{
    return QByteArray::number(std::fabs(m_fix.latitude), 'f', 5) + (m_fix.latitude < 0 ? 'S' : 'N') + ' '
        + QByteArray::number(std::fabs(m_fix.longitude), 'f', 5) + (m_fix.longitude < 0 ? 'W' : 'E');
}

QByteArray SimNavReceiver::tick(int ms, const QDateTime &utc)
{
    m_owedMs += ms;
    QByteArray out;
    while (m_owedMs >= 1000) {
        m_owedMs -= 1000;
        out.append(burst(utc.addMSecs(-m_owedMs)));
    }
    return out;
}

QByteArray SimNavReceiver::burst(const QDateTime &utc) const
{
    QByteArray out = gga(utc) + rmc(utc) + gsa();
    for (const QByteArray &s : gsv())
        out.append(s);
    return out;
}

QByteArray SimNavReceiver::gga(const QDateTime &utc) const
{
    const Fix &f = m_fix;
    QByteArray body = "GPGGA," + timeField(utc) + ',';
    if (f.valid)
        body += angle(f.latitude, 2, 'N', 'S') + ',' + angle(f.longitude, 3, 'E', 'W') + ",1," + twoDigits(f.satellitesInUse)
            + ",0.9," + QByteArray::number(f.altitude, 'f', 1) + ",M,14.5,M,,";
    else
        body += ",,,,0,00,99.9,,M,,M,,";
    return sentence(body);
}

QByteArray SimNavReceiver::rmc(const QDateTime &utc) const
{
    const Fix &f = m_fix;
    const QDate d = utc.date();
    const QByteArray date = twoDigits(d.day()) + twoDigits(d.month()) + twoDigits(d.year() % 100);
    QByteArray body = "GPRMC," + timeField(utc) + ',';
    if (f.valid)
        body += "A," + angle(f.latitude, 2, 'N', 'S') + ',' + angle(f.longitude, 3, 'E', 'W') + ','
            + QByteArray::number(f.speedKnots, 'f', 1) + ',' + QByteArray::number(f.course, 'f', 1) + ',' + date + ",,,A";
    else
        body += "V,,,,,,," + date + ",,,N";
    return sentence(body);
}

QByteArray SimNavReceiver::gsa() const
{
    QByteArray body = m_fix.valid ? "GPGSA,A,3," : "GPGSA,A,1,";
    const int used = m_fix.valid ? qMin(m_fix.satellitesInUse, 12) : 0;
    for (int i = 0; i < 12; ++i)
        body += (i < used && i < SkySize ? twoDigits(Sky[i].prn) : QByteArray()) + ',';
    body += m_fix.valid ? "1.6,0.9,1.3" : "99.9,99.9,99.9";
    return sentence(body);
}

QList<QByteArray> SimNavReceiver::gsv() const
{
    const int inView = qBound(0, m_fix.satellitesInView, SkySize);
    const int count = qMax(1, (inView + 3) / 4);
    QList<QByteArray> out;
    for (int s = 0; s < count; ++s) {
        QByteArray body = "GPGSV," + QByteArray::number(count) + ',' + QByteArray::number(s + 1) + ',' + twoDigits(inView);
        for (int i = s * 4; i < qMin(inView, s * 4 + 4); ++i) {
            const Satellite &sat = Sky[i];
            body += ',' + twoDigits(sat.prn) + ',' + twoDigits(sat.elevation) + ','
                + QByteArray::number(sat.azimuth).rightJustified(3, '0') + ',' + (sat.snr ? twoDigits(sat.snr) : QByteArray());
        }
        out.append(sentence(body));
    }
    return out;
}

QByteArray SimNavReceiver::testBlock(const QDateTime &utc) const
{
    const Fix &f = m_fix;
    const QDate d = utc.date();
    const QTime t = utc.time();
    QByteArray b(2, 0);
    qToLittleEndian(static_cast<quint16>(d.year()), b.data());
    for (int v : {d.month(), d.day(), t.hour(), t.minute(), t.second()})
        b.append(static_cast<char>(v));
    b.append(f.valid ? 'A' : 'V');
    appendFloat(b, float(f.latitude));
    appendFloat(b, float(f.longitude));
    appendFloat(b, f.altitude);
    appendFloat(b, f.speedKnots);
    appendFloat(b, f.course);
    b.append(static_cast<char>(satellitesInUse()));
    return b;
}
