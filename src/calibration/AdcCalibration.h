#pragma once

#include <optional>

// The supply-voltage ADC calibration factor for a measured supply voltage.
class AdcCalibration
{
public:
    // The terminal measures behind a drop of this many millivolts.
    static constexpr double OffsetMv = 385.0;

    // (voltage - offset) / adc, computed in double and kept as the single the
    // terminal stores; nullopt when adc is 0.
    static std::optional<float> Factor(double voltageMv, int adcMv);
};
