#pragma once

#include <QString>

// A number in the general format with up to 15 significant digits and "."
// as the decimal separator: fixed-point from 0.00001 up to 15 digits before
// the point ("56.2999992370605", "18.52", "0"), otherwise scientific with a
// bare exponent ("1.5E-6", "2E20"); "NAN", "INF" and "-INF" for the rest.
QString GeneralFloatText(long double value);
