#pragma once

#include "AnalysisState.h"

#include <cstdint>

namespace tiravel {

// Finds the F0 peak of the current spectrum inside [f0MinHz, f0MaxHz],
// rejecting peaks that are only harmonics of a weaker fundamental. On return
// maxCn is the chosen bin (0 if none) and myEnergy its linear energy; updates
// localF0, localCn, localEnergy, localDb, oldF0s, oldDb, f0Mean, peakCount,
// peakBin and subharmonicIndex. Runs ComputePeakEnergy first.
void GetPeakFFT(AnalysisState& state, std::int32_t& maxCn, double& myEnergy);

// Largest magnitude over the F0 search bins (0 if the range is empty).
double GetPeakEnergyInF0Band(const AnalysisState& state);

// Empties the F0 results and history.
void ClearLocalF0(AnalysisState& state);

} // namespace tiravel
