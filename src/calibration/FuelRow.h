#pragma once

#include <QtGlobal>

#include <optional>

// One row of the fuel table as the user edited it; an empty cell is nullopt.
struct FuelRow
{
    std::optional<qint64> adc;
    std::optional<double> litres;
};
