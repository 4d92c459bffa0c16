#pragma once

#include <QtGlobal>

// One point of the fuel level sensor's calibration table as the terminal
// keeps it.
struct TFuelPoint
{
    // Values of State with a meaning of their own; any other value is a point
    // with more to follow.
    static constexpr quint8 LastPoint = 2;
    static constexpr quint8 NoPoint = 3;

    quint16 Litres100 = 0; // hundredths of a litre
    quint16 AdcValue = 0;  // ADC units
    quint8 State = 0;
};
