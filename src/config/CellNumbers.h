#pragma once

#include <QtGlobal>

// How numbers are shown in the grid and taken back from it. These change only
// what the grid shows, never a parameter's own value.
namespace CellNumbers {

// Nearest multiple of 0.001, a tie going to the even one (the ADC factor).
double roundTo3(double x);
// Nearest multiple of 0.001, a tie going away from zero: 55.1235 -> 55.124,
// -37.1234 -> -37.123, -37.1235 -> -37.124 (latitude and longitude). A value
// shown this way comes back unchanged when it is written and read again.
double cutTo3(double x);
double millivoltsToVolts(quint16 mv);
// Volts to millivolts, rounded half to even (12.3456 V -> 12346 mV).
qint64 voltsToMillivolts(double volts);

} // namespace CellNumbers
