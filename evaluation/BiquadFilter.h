#pragma once

#include "analysis/AnalysisState.h"

#include <cstdint>

namespace tiravel {

// The four filters of the sound-file operations. A boost is a band-pass
// whose output is added to the unfiltered sound.
enum class FilterType : std::uint8_t { LowPass = 1, BandPass = 2, HighPass = 3, Boost = 4 };

// Coefficients of a Q = 1 biquad, normalised by a0:
// y[n] = b0 x[n] + b1 x[n-1] + b2 x[n-2] + a1 y[n-1] + a2 y[n-2].
struct BiquadCoefficients {
    double b0 = 0, b1 = 0, b2 = 0;
    double a1 = 0, a2 = 0;
};

// Coefficients for a corner (low-pass, high-pass) or centre (band-pass,
// boost) frequency in Hz at sampleRate Hz.
BiquadCoefficients biquadCoefficients(FilterType type, double frequencyHz, double sampleRate);

// One pass of the recurrence over n = 3..length: x is read, y written; y[0..2]
// are the starting values and are left as they are.
void applyBiquad(const BiquadCoefficients& c, const SoundArray& x, SoundArray& y, std::int32_t length);

} // namespace tiravel
