#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>

// The terminal's GLONASS/GPS receiver: a fix, the NMEA 0183 sentences it
// streams once a second in the navigation pass-through mode, and the data
// block of the self-test's receiver report.
class SimNavReceiver
{
public:
    struct Fix
    {
        bool valid = true;
        double latitude = 55.7522;  // degrees, north positive
        double longitude = 37.6156; // degrees, east positive
        float altitude = 156.0f;    // metres
        float speedKnots = 0.0f;
        float course = 0.0f;
        int satellitesInView = 11;
        int satellitesInUse = 9;
    };

    Fix &fix() { return m_fix; }
    const Fix &fix() const { return m_fix; }
    int satellitesInUse() const { return m_fix.valid ? m_fix.satellitesInUse : 0; }
    // The position as the log shows it: "55.75220N 37.61560E".
    QByteArray positionText() const;

    // The sentences due after ms more milliseconds of streaming, stamped with utc.
    QByteArray tick(int ms, const QDateTime &utc);
    void restartStream() { m_owedMs = 0; }
    // One second's burst: GGA, RMC, GSA and the GSV sentences.
    QByteArray burst(const QDateTime &utc) const;
    // The receiver report of the self-test: date, time, fix status, position,
    // altitude, speed, course and satellites (29 bytes, little-endian).
    QByteArray testBlock(const QDateTime &utc) const;

    // "$" body "*" XOR of the body in hex, CR LF.
    static QByteArray sentence(const QByteArray &body);

private:
    QByteArray gga(const QDateTime &utc) const;
    QByteArray rmc(const QDateTime &utc) const;
    QByteArray gsa() const;
    QList<QByteArray> gsv() const;

    Fix m_fix;
    int m_owedMs = 0;
};
