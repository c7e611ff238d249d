#pragma once

#include "SpectrumScreenState.h"
#include "analysis/AnalysisState.h"

#include <cstdint>

namespace tiravel {

// The bottom tabs of the spectrum screen.
inline constexpr std::int32_t kTabSpectrum = 0;
inline constexpr std::int32_t kTabPower = 1;
inline constexpr std::int32_t kTabIndicators = 2;
inline constexpr std::int32_t kTabPitchCurve = 3;
inline constexpr std::int32_t kTabAmplitudeCurve = 4;
inline constexpr std::int32_t kTabNoiseCurve = 5;
inline constexpr std::int32_t kTabHarmonicCurve = 6;
inline constexpr std::int32_t kTabTime = 7;
inline constexpr std::int32_t kTabFrequency = 8;

// Tabs 3..6 show an indicator curve.
constexpr bool isIndicatorCurveTab(std::int32_t tab)
{
    return tab >= kTabPitchCurve && tab <= kTabHarmonicCurve;
}

// Below this peak energy (linear) a live frame is silence.
inline constexpr double kLiveSilenceEnergy = 0.002;

// What the live indicators gave for one buffer.
struct LiveIndicatorResult {
    bool silent = false;  // the frame is silence: the trace breaks
    double traceValue = 0; // value of the curve of the shown tab, 0 for no point
};

// The live values of the indicators of one buffer, from the frame the
// dispatcher just analysed, for the bottom tab shown: pitch instability
// (tabs 2 and 3) from the distance of localF0 to the mean of the F0 history,
// amplitude instability (tabs 2 and 4) from the level jump since the last
// frame, each averaged over three buffers and stored in the shared
// indicator; noise/signal and harmonic poverty (tabs 5 and 6) are the
// frame's own measures. A silent frame resets both three-buffer histories
// and breaks the trace.
LiveIndicatorResult updateLiveIndicators(AnalysisState& state, SpectrumScreenState& screen, std::int32_t tab);

} // namespace tiravel
