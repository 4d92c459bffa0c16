#include "FuelTable.h"

#include "CalibrationLog.h"

#include "link/Commands.h"
#include "link/Link.h"
#include "link/Pump.h"

#include <cmath>

Q_LOGGING_CATEGORY(lcCalibration, "taviron.calibration", QtWarningMsg)

namespace {
quint16 word(const TBuf &b, int at)
{
    return static_cast<quint16>(static_cast<quint8>(b[at]) | (static_cast<quint8>(b[at + 1]) << 8));
}

constexpr int PointReplySize = 6;
constexpr int LevelReplyMinSize = 4;
} // namespace

FuelTable::FuelTable(Link &link)
    : m_link(link)
{
}

bool FuelTable::ReadCurrentValues()
{
    const TBuf reply = m_link.Transact(Commands::readFuelLevel());
    if (reply.size() < LevelReplyMinSize)
        return false;
    CurrentFuel = word(reply, 0);
    CurrentAdc = word(reply, 2);
    return true;
}

void FuelTable::ReadPoints()
{
    for (TFuelPoint &p : Points)
        p.State = TFuelPoint::NoPoint;
    for (int j = 0; j < MaxPoints; ++j) {
        // The first request restarts the terminal's walk through its table;
        // every further one asks for the next point.
        const TBuf reply = m_link.Transact(Commands::readFuelPoint(j == 0));
        if (reply.size() != PointReplySize) {
            qCDebug(lcCalibration) << "fuel point reply of" << reply.size() << "bytes passed over";
            continue;
        }
        const quint8 state = static_cast<quint8>(reply[4]);
        if (state == TFuelPoint::NoPoint)
            break;
        const quint8 index = static_cast<quint8>(reply[5]);
        if (index >= MaxPoints) {
            qCWarning(lcCalibration) << "fuel point with index" << index << "passed over";
            continue;
        }
        Points[index] = TFuelPoint{word(reply, 0), word(reply, 2), state};
        if (state == TFuelPoint::LastPoint)
            break;
    }
}

QList<TFuelPoint> FuelTable::TablePoints() const
{
    QList<TFuelPoint> table;
    for (const TFuelPoint &p : Points) {
        if (p.State == TFuelPoint::NoPoint)
            break;
        table.append(p);
        if (p.State == TFuelPoint::LastPoint)
            break;
    }
    return table;
}

quint8 FuelTable::WriteFlag(int index, int count)
{
    if (index == 0)
        return FlagFirst;
    return index == count - 1 ? FlagLast : FlagMiddle;
}

std::optional<quint16> FuelTable::VolumeToHundredths(double litres)
{
    // nearbyint rounds halves to the even neighbour in the default rounding mode.
    const double hundredths = std::nearbyint(litres * 100.0);
    if (!std::isfinite(hundredths) || hundredths < 0 || hundredths > 65535)
        return std::nullopt;
    return static_cast<quint16>(hundredths);
}

QString FuelTable::WritePoints(const QList<FuelRow> &rows)
{
    const int count = static_cast<int>(rows.size());
    QList<TBuf> requests(count);
    for (int i = 0; i < count; ++i) {
        const FuelRow &row = rows[i];
        if (!row.adc || !row.litres)
            continue;
        const std::optional<quint16> volume = VolumeToHundredths(*row.litres);
        if (!volume)
            return QStringLiteral("Строка %1: объём %2 л нельзя записать в терминал, допустимо от 0 до 655.35 л.\n"
                                  "Таблица не записана.")
                .arg(i + 1)
                .arg(*row.litres, 0, 'f', 4);
        // Only the low 16 bits of the ADC value travel.
        const auto adc = static_cast<quint16>(*row.adc & 0xFFFF);
        requests[i] = Commands::writeFuelPoint(*volume, adc, WriteFlag(i, count), static_cast<quint8>(i));
    }
    for (int i = count - 1; i >= 0; --i) {
        if (requests[i].isEmpty())
            continue;
        if (!writePoint(requests[i]))
            return QStringLiteral("Строка %1: терминал не принял точку после %2 попыток.\n"
                                  "Запись остановлена; строки ниже неё уже записаны в терминал.")
                .arg(i + 1)
                .arg(MaxWriteTries);
    }
    return {};
}

bool FuelTable::writePoint(const TBuf &request)
{
    for (int attempt = 1; attempt <= MaxWriteTries; ++attempt) {
        const TBuf reply = m_link.Transact(request);
        if (!reply.isEmpty() && reply[0] == 0)
            return true;
        qCDebug(lcCalibration) << "fuel point refused, try" << attempt << "reply" << reply.toHex(' ');
        if (attempt < MaxWriteTries)
            m_link.pump().pause(RetryPauseMs);
    }
    qCWarning(lcCalibration) << "fuel point given up after" << MaxWriteTries << "tries:" << request.toHex(' ');
    return false;
}

void FuelTable::Clear()
{
    for (TFuelPoint &p : Points)
        p.State = TFuelPoint::NoPoint;
    m_link.Transact(Commands::clearFuelTable());
}
