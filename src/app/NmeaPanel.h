#pragma once

#include <QTimer>
#include <QWidget>

class NmeaFeed;
class QGeoPositionInfo;
class QLabel;
class QNmeaPositionInfoSource;
class QNmeaSatelliteInfoSource;

// Beside the navigation receiver's terminal view: what its NMEA text says,
// at a glance (time, fix, position, satellites, HDOP, speed, course), so an
// installer sees whether the antenna works. Qt Positioning decodes it.
class NmeaPanel : public QWidget
{
    Q_OBJECT
public:
    // Without a position for this long the fix counts as lost.
    static constexpr int FixTimeoutMs = 3000;

    explicit NmeaPanel(QWidget *parent = nullptr);
    ~NmeaPanel() override;

    // The bytes the view just showed.
    void feed(const QByteArray &bytes);
    // Forget what was shown (the view was attached again).
    void reset();

private:
    void showPosition(const QGeoPositionInfo &info);
    void showSatellites();
    void showFix(bool valid);
    QLabel *value(const char *name);

    NmeaFeed *m_positionFeed;
    NmeaFeed *m_satelliteFeed;
    QNmeaPositionInfoSource *m_position;
    QNmeaSatelliteInfoSource *m_satellites;
    QTimer m_fixTimeout;
    qsizetype m_inView = 0;
    qsizetype m_inUse = 0;

    QLabel *m_time;
    QLabel *m_fix;
    QLabel *m_latitude;
    QLabel *m_longitude;
    QLabel *m_satellitesText;
    QLabel *m_hdop;
    QLabel *m_speed;
    QLabel *m_course;
};
