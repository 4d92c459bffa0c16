#pragma once

#include <QString>
#include <QTime>

#include <functional>

// Where the time of day of the start and end lines comes from; tests fix it.
using TimeSource = std::function<QTime()>;

// The time of day in the system's long time format, without a time zone:
// the lines mark when something happened at the bench, not where.
QString LongTimeText(const QTime &time);
