#include "BaudRates.h"

#include <algorithm>

namespace BaudRates {

const std::array<qint32, 15> &table()
{
    static const std::array<qint32, 15> rates{110, 300, 600, 1200, 2400, 4800, 9600, 14400,
                                               19200, 38400, 56000, 57600, 115200, 128000, 256000};
    return rates;
}

int index(qint32 rate)
{
    const auto &rates = table();
    const auto it = std::find(rates.begin(), rates.end(), rate);
    return it == rates.end() ? 0 : static_cast<int>(it - rates.begin()) + 1;
}

} // namespace BaudRates
