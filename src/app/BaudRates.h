#pragma once

#include <QtGlobal>

#include <array>

// The speeds the setup dialog offers, by index 1 to 15; these are also the
// numbers stored under "Setup"/"BaudRate". Index 0 is a custom speed, which
// the port uses but the settings never keep.
namespace BaudRates {

constexpr qint32 Default = 9600;

const std::array<qint32, 15> &table();
// 1 to 15 for a speed of the table, 0 for any other.
int index(qint32 rate);

} // namespace BaudRates
