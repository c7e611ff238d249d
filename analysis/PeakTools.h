#pragma once

#include "AnalysisState.h"

#include <cstdint>

namespace tiravel {

// Level in dB of a linear magnitude: 20 log10(max(|x|, 0.0001)) + 90, so the
// floor is 10 dB.
double toDecibel(double x);

// A local maximum of spectrum above 0.002 x peakSensitivity; equal
// neighbours do not reject (plateaus count as peaks).
bool isSpectralPeak(const AnalysisState& state, std::int32_t bin);

// Frequency in Hz of the peak near bin, interpolated over five bins of
// energyTable row 0; energy = the magnitudes of the peak bin and its two
// neighbours. 150.0 Hz with energy 0 for an unusable bin.
double refinePeak(const AnalysisState& state, std::int32_t bin, double& energy);

// True when f lies near the 2nd..7th multiple of candidate.
bool isHarmonicOf(const AnalysisState& state, double candidate, double f);

// A peak that stands out as a harmonic: above peakMagnitude / 60, above five
// times the lowest magnitude within three bins, and a local maximum.
bool isHarmonicPeak(const AnalysisState& state, std::int32_t bin);

// peakMagnitude and bandEnergy over the F0 search bins (bandEnergy only below
// 1000 Hz), and the running maximum bandEnergyMax.
void ComputePeakEnergy(AnalysisState& state);

} // namespace tiravel
