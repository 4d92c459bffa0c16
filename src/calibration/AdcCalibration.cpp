#include "AdcCalibration.h"

std::optional<float> AdcCalibration::Factor(double voltageMv, int adcMv)
{
    if (adcMv == 0)
        return std::nullopt;
    return static_cast<float>((voltageMv - OffsetMv) / adcMv);
}
