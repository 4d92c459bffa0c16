#include "NmeaPanel.h"

#include "NmeaFeed.h"

#include <QFormLayout>
#include <QGeoPositionInfo>
#include <QLabel>
#include <QNmeaPositionInfoSource>
#include <QNmeaSatelliteInfoSource>
#include <QTimeZone>

namespace {
const QString None = QStringLiteral("—");

QString degrees(double value, char positive, char negative)
{
    return QStringLiteral("%1° %2").arg(std::abs(value), 0, 'f', 6).arg(QLatin1Char(value < 0 ? negative : positive));
}
} // namespace

NmeaPanel::NmeaPanel(QWidget *parent)
    : QWidget(parent)
    , m_positionFeed(new NmeaFeed(this))
    , m_satelliteFeed(new NmeaFeed(this))
    , m_position(new QNmeaPositionInfoSource(QNmeaPositionInfoSource::RealTimeMode, this))
    , m_satellites(new QNmeaSatelliteInfoSource(QNmeaSatelliteInfoSource::UpdateMode::RealTimeMode, this))
    , m_time(value("time"))
    , m_fix(value("fix"))
    , m_latitude(value("latitude"))
    , m_longitude(value("longitude"))
    , m_satellitesText(value("satellites"))
    , m_hdop(value("hdop"))
    , m_speed(value("speed"))
    , m_course(value("course"))
{
    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("Время (UTC)"), m_time);
    form->addRow(QStringLiteral("Решение"), m_fix);
    form->addRow(QStringLiteral("Широта"), m_latitude);
    form->addRow(QStringLiteral("Долгота"), m_longitude);
    form->addRow(QStringLiteral("Спутники (исп./видно)"), m_satellitesText);
    form->addRow(QStringLiteral("HDOP"), m_hdop);
    form->addRow(QStringLiteral("Скорость, км/ч"), m_speed);
    form->addRow(QStringLiteral("Курс, °"), m_course);
    setMinimumWidth(260);

    // Qt gives the horizontal accuracy as 2 x HDOP x range error; with a
    // range error of 0.5 it is the HDOP itself.
    m_position->setUserEquivalentRangeError(0.5);
    m_position->setDevice(m_positionFeed);
    m_satellites->setDevice(m_satelliteFeed);
    connect(m_position, &QGeoPositionInfoSource::positionUpdated, this, &NmeaPanel::showPosition);
    connect(m_satellites, &QGeoSatelliteInfoSource::satellitesInViewUpdated, this, [this](const auto &list) {
        m_inView = list.size();
        showSatellites();
    });
    connect(m_satellites, &QGeoSatelliteInfoSource::satellitesInUseUpdated, this, [this](const auto &list) {
        m_inUse = list.size();
        showSatellites();
    });
    m_fixTimeout.setSingleShot(true);
    m_fixTimeout.setInterval(FixTimeoutMs);
    connect(&m_fixTimeout, &QTimer::timeout, this, [this] { showFix(false); });
    m_position->startUpdates();
    m_satellites->startUpdates();
    reset();
}

NmeaPanel::~NmeaPanel() = default;

QLabel *NmeaPanel::value(const char *name)
{
    auto *label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

void NmeaPanel::feed(const QByteArray &bytes)
{
    m_positionFeed->feed(bytes);
    m_satelliteFeed->feed(bytes);
}

void NmeaPanel::reset()
{
    m_fixTimeout.stop();
    m_inView = 0;
    m_inUse = 0;
    for (QLabel *l : {m_time, m_latitude, m_longitude, m_satellitesText, m_hdop, m_speed, m_course})
        l->setText(None);
    showFix(false);
}

void NmeaPanel::showFix(bool valid)
{
    m_fix->setText(valid ? QStringLiteral("есть") : QStringLiteral("нет"));
    m_fix->setStyleSheet(valid ? QStringLiteral("color: #007000;") : QStringLiteral("color: #b00000;"));
}

void NmeaPanel::showPosition(const QGeoPositionInfo &info)
{
    const QGeoCoordinate c = info.coordinate();
    if (!c.isValid())
        return;
    showFix(true);
    m_fixTimeout.start();
    m_time->setText(info.timestamp().toTimeZone(QTimeZone::utc()).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    m_latitude->setText(degrees(c.latitude(), 'N', 'S'));
    m_longitude->setText(degrees(c.longitude(), 'E', 'W'));
    if (info.hasAttribute(QGeoPositionInfo::HorizontalAccuracy))
        m_hdop->setText(QString::number(info.attribute(QGeoPositionInfo::HorizontalAccuracy), 'f', 1));
    if (info.hasAttribute(QGeoPositionInfo::GroundSpeed))
        m_speed->setText(QString::number(info.attribute(QGeoPositionInfo::GroundSpeed) * 3.6, 'f', 1));
    if (info.hasAttribute(QGeoPositionInfo::Direction))
        m_course->setText(QString::number(info.attribute(QGeoPositionInfo::Direction), 'f', 1));
}

void NmeaPanel::showSatellites()
{
    m_satellitesText->setText(QStringLiteral("%1 / %2").arg(m_inUse).arg(m_inView));
}
