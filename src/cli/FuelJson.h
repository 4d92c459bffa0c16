#pragma once

#include "calibration/FuelRow.h"

#include <QJsonValue>
#include <QList>
#include <QString>

// The fuel table as the tool's JSON: [{"adc":N,"litres":X},...].
namespace FuelJson {

// A table to write: 2 to 10 points, adc a whole number from 0 to 65535,
// litres from 0 to 655.35, no other keys. Raises CliError (bad input) naming
// fileName and the first bad point.
QList<FuelRow> rows(const QJsonValue &doc, const QString &fileName);

} // namespace FuelJson
