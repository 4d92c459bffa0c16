#pragma once

#include <QString>

// Conversions of the terminal's identity texts for display.

// The SIM card number from the CCID text as the terminal sends it (the two
// digits of each pair swapped); empty when the text is shorter than 20.
QString DecodeCCID(const QString &text);

enum class SerialDirection { ToTerminal, FromTerminal };

// To the terminal: every space removed. From the terminal: a space after the
// first and after the third character (A12123456 -> "A 12 123456").
QString ConvertSerialNumber(SerialDirection direction, const QString &text);
