#include "BiquadFilter.h"

#include <cmath>
#include <numbers>

namespace tiravel {

BiquadCoefficients biquadCoefficients(FilterType type, double frequencyHz, double sampleRate)
{
    constexpr double kQ = 1.0;
    const double w = 2 * std::numbers::pi * frequencyHz / sampleRate;
    const double cosW = std::cos(w);
    const double sinW = std::sin(w);
    const double alpha = sinW / (2 * kQ);
    const double a0 = 1 + alpha;

    BiquadCoefficients c;
    c.a1 = 2 * cosW / a0;
    c.a2 = -(1 - alpha) / a0;
    switch (type) {
    case FilterType::LowPass:
        c.b0 = c.b2 = (1 - cosW) / (2 * a0);
        c.b1 = (1 - cosW) / a0;
        break;
    case FilterType::HighPass:
        c.b0 = c.b2 = (1 + cosW) / (2 * a0);
        c.b1 = -(1 + cosW) / a0;
        break;
    case FilterType::BandPass:
    case FilterType::Boost:
        c.b0 = sinW / (2 * a0);
        c.b1 = 0;
        c.b2 = -sinW / (2 * a0);
        break;
    }
    return c;
}

void applyBiquad(const BiquadCoefficients& c, const SoundArray& x, SoundArray& y, std::int32_t length)
{
    for (std::int32_t n = 3; n <= length; ++n)
        y[n] = c.b0 * x[n] + c.b1 * x[n - 1] + c.b2 * x[n - 2] + c.a1 * y[n - 1] + c.a2 * y[n - 2];
}

} // namespace tiravel
