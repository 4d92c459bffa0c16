#include "FuelJson.h"

#include "CliError.h"
#include "calibration/FuelTable.h"

#include <QJsonArray>
#include <QJsonObject>

#include <cmath>

namespace {
constexpr int MinWriteRows = 2; // a table of one point says nothing about the tank
constexpr qint64 MaxAdc = 0xFFFF;
} // namespace

namespace FuelJson {

QList<FuelRow> rows(const QJsonValue &doc, const QString &fileName)
{
    auto bad = [&](const QString &what) { return CliError::usage(QStringLiteral("%1: %2").arg(fileName, what)); };
    if (!doc.isArray())
        throw bad(QStringLiteral("expected an array of points [{\"adc\":N,\"litres\":X},...]"));
    const QJsonArray points = doc.toArray();
    if (points.size() < MinWriteRows || points.size() > FuelTable::MaxPoints)
        throw bad(QStringLiteral("a table has %1 to %2 points, this one has %3")
                      .arg(MinWriteRows)
                      .arg(FuelTable::MaxPoints)
                      .arg(points.size()));
    QList<FuelRow> result;
    for (int i = 0; i < points.size(); ++i) {
        const QString at = QStringLiteral("[%1]").arg(i);
        if (!points[i].isObject())
            throw bad(QStringLiteral("%1: expected an object {\"adc\":N,\"litres\":X}").arg(at));
        const QJsonObject point = points[i].toObject();
        for (const QString &key : point.keys())
            if (key != QLatin1String("adc") && key != QLatin1String("litres"))
                throw bad(QStringLiteral("%1.%2: unknown key (a point has adc and litres)").arg(at, key));
        const QJsonValue adc = point.value(QLatin1String("adc"));
        const double a = adc.toDouble(-1);
        if (!adc.isDouble() || a != std::floor(a) || a < 0 || a > MaxAdc)
            throw bad(QStringLiteral("%1.adc: expected a whole number from 0 to %2").arg(at).arg(MaxAdc));
        const QJsonValue volume = point.value(QLatin1String("litres"));
        if (!volume.isDouble() || !FuelTable::VolumeToHundredths(volume.toDouble()))
            throw bad(QStringLiteral("%1.litres: expected a volume from 0 to 655.35").arg(at));
        result.append(FuelRow{static_cast<qint64>(a), volume.toDouble()});
    }
    return result;
}

} // namespace FuelJson
