#include "CellNumbers.h"

#include <cfenv>
#include <cmath>

namespace CellNumbers {

namespace {
// std::nearbyint follows the current rounding mode; make sure it is the
// ties-to-even one whatever a library may have set.
double roundHalfEven(double x)
{
    const int mode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(x);
    std::fesetround(mode);
    return r;
}
} // namespace

double roundTo3(double x)
{
    return roundHalfEven(x / 0.001) * 0.001;
}

double cutTo3(double x)
{
    // Half a thousandth is added away from zero. Added toward plus infinity it
    // would move every negative coordinate up by 0.001 on each read-and-write
    // or load-and-save, walking a southern or western perimeter away.
    const double thousandths = std::trunc(std::fabs(x) / 0.001 + 0.5);
    return thousandths == 0 ? 0.0 : std::copysign(thousandths, x) * 0.001;
}

double millivoltsToVolts(quint16 mv)
{
    return mv / 1000.0;
}

qint64 voltsToMillivolts(double volts)
{
    return static_cast<qint64>(roundHalfEven(volts * 1000));
}

} // namespace CellNumbers
