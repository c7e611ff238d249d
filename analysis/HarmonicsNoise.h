#pragma once

#include "AnalysisState.h"

namespace tiravel {

// The two voice-quality measures of the current frame from its spectrum and
// localF0: noiseSignalRatio from the depth of the valleys between harmonics,
// harmonicPoverty from how many harmonics stand out and how strongly. Live,
// every harmonic present counts; for a recording (live = false) a harmonic
// counts only when present in three consecutive frames. May move localF0 to
// half the second-harmonic frequency (octave correction). Leaves every
// result unchanged when localF0 lies outside [f0MinHz, f0MaxHz].
// Requires ComputeFFT, GetPeakFFT and ComputePeakEnergy on the same frame.
void ComputeNoiseAndHarmonics(AnalysisState& state, bool live);

// Forgets the harmonic levels and the three-frame presence history.
void ClearHarmonicHistory(AnalysisState& state);

} // namespace tiravel
