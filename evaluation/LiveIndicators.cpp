#include "LiveIndicators.h"

#include <algorithm>
#include <cmath>

namespace tiravel {

namespace {

constexpr double kSmallestLiveValue = 0.001;
constexpr double kPitchScale = 200;
constexpr double kAmplitudeScale = 75;

// Mean of the positive values among the newest count F0 values; false when
// there is none.
bool meanOfPositiveHistory(const AnalysisState& state, double& mean)
{
    const std::int32_t count = std::clamp(state.f0SmoothCount, 0, kF0HistorySize);
    double sum = 0;
    int positive = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        const double f = state.oldF0s[static_cast<std::size_t>(i)];
        if (f > 0) {
            sum += f;
            ++positive;
        }
    }
    if (positive == 0)
        return false;
    mean = sum / positive;
    return true;
}

// The three-buffer mean of r and the two previous values, which then shift.
double threeBufferMean(FixedArray<double, 2>& history, double r)
{
    const double mean = (r + history[0] + history[1]) / 3;
    history[1] = history[0];
    history[0] = r;
    return mean;
}

double livePitchInstability(AnalysisState& state, SpectrumScreenState& screen)
{
    double mean;
    if (!meanOfPositiveHistory(state, mean))
        return 0;
    const double r = std::fabs(state.localF0 - mean) / mean;
    state.pitchInstability = std::max(kPitchScale * threeBufferMean(screen.pitchInstabilityLive, r), kSmallestLiveValue);
    return state.pitchInstability;
}

// The value, or 0 when the trace point is not to be drawn: it needs the two
// previous values and their mean with this one to be non-zero.
double liveAmplitudeInstability(AnalysisState& state, SpectrumScreenState& screen)
{
    const double r = std::fabs(state.localDb - state.oldDb) / state.localDb;
    const bool historyFull = screen.amplitudeInstabilityLive[0] != 0 && screen.amplitudeInstabilityLive[1] != 0;
    const double mean = threeBufferMean(screen.amplitudeInstabilityLive, r);
    state.amplitudeInstability = std::max(kAmplitudeScale * mean, kSmallestLiveValue);
    return historyFull && mean != 0 ? state.amplitudeInstability : 0;
}

} // namespace

LiveIndicatorResult updateLiveIndicators(AnalysisState& state, SpectrumScreenState& screen, std::int32_t tab)
{
    LiveIndicatorResult result;
    if (state.localEnergy <= kLiveSilenceEnergy) {
        screen.pitchInstabilityLive.fill(0);
        screen.amplitudeInstabilityLive.fill(0);
        screen.traceContinues = false;
        result.silent = true;
        return result;
    }
    if ((tab == kTabIndicators || tab == kTabPitchCurve) && state.localF0 > 0) {
        const double value = livePitchInstability(state, screen);
        if (tab == kTabPitchCurve)
            result.traceValue = value;
    }
    if ((tab == kTabIndicators || tab == kTabAmplitudeCurve) && state.localDb > 0 && state.oldDb > 0) {
        const double value = liveAmplitudeInstability(state, screen);
        if (tab == kTabAmplitudeCurve)
            result.traceValue = value;
    }
    const bool voiced = state.localF0 > 0 && state.localDb > 0;
    if (tab == kTabNoiseCurve && voiced)
        result.traceValue = state.noiseSignalRatio;
    if (tab == kTabHarmonicCurve && voiced)
        result.traceValue = state.harmonicPoverty;
    return result;
}

} // namespace tiravel
