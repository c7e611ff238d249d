#pragma once

#include "AnalysisState.h"

#include <array>
#include <cstdint>

namespace tiravel {

// Round to nearest with halves to even, as every bin and count of the program.
std::int32_t roundEven(double x);

// Bin of a frequency: frequency / binWidth rounded half to even.
std::int32_t binOf(const AnalysisState& state, double frequencyHz);

// The short-time magnitude spectrum: 1024 samples of soundBuffer from any
// offset, Blackman-windowed, through a radix-2 FFT, into spectrum and
// energyTable row 0 with the two energy sums. Owns the precomputed tables
// (bit-reversal pairs and twiddles); the per-frame work allocates nothing.
class Spectrum {
public:
    explicit Spectrum(AnalysisState& state);

    // Sets sampleRate, binWidth and the four bin limits (rate in Hz).
    void AdjustSampleRate(std::uint16_t rate);

    // Fills fftWindow: the Blackman window over 1024 points, point 1024 = 0.
    void FillWindow();

    // Analyses the frame whose first sample is soundBuffer[soundOffset].
    void ComputeFFT(std::int32_t soundOffset);

private:
    void transform(double* re, double* im) const;

    AnalysisState& state_;
    // Pairs (i, j), i < j, swapped by the bit-reversal permutation.
    std::array<std::uint16_t, 2 * 496> swapPairs_{};
    int swapPairCount_ = 0;
    // Twiddles of every stage, entry halfSpan + j for group j: the values the
    // rotation recurrence w = w * (cos theta, -sin theta) produces.
    std::array<double, kFrameLength> twiddleRe_{};
    std::array<double, kFrameLength> twiddleIm_{};
};

} // namespace tiravel
