#include "IndicatorScale.h"

#include "analysis/Spectrum.h"

#include <algorithm>
#include <cmath>

namespace tiravel {

namespace {

constexpr std::int32_t kAgeOfAdjustment = 65;
constexpr double kAdjustmentPerYear = 0.02;
constexpr std::int32_t kPixelsPerGaugeLevel = 12;
constexpr std::int32_t kGaugeMargin = 10;

double frameValue(const FrameArray& values, std::int32_t i)
{
    return i >= 0 && i < kEnergyRows ? values[static_cast<std::size_t>(i)] : 0.0;
}

// Mean of values[from..from+count-1] when all are non-zero.
bool meanOfVoicedRun(const FrameArray& values, std::int32_t from, std::int32_t count, double& mean)
{
    double sum = 0;
    for (std::int32_t i = from; i < from + count; ++i) {
        const double v = frameValue(values, i);
        if (v == 0)
            return false;
        sum += v;
    }
    mean = sum / count;
    return true;
}

double windowDistance(const FrameArray& values, std::int32_t w, std::int32_t j, std::int32_t span, double mean)
{
    const double a = frameValue(values, w + j) - mean;
    const double b = frameValue(values, w + j + span) - mean;
    return std::sqrt(a * a + b * b);
}

double pitchCurveValue(const AnalysisState& state, std::int32_t w)
{
    const std::int32_t span = state.f0SmoothCount;
    double mean;
    if (w + span + 5 >= state.energyFrameCount || !meanOfVoicedRun(state.frameF0, w, span + 5, mean))
        return 0;
    double sum = 0;
    for (std::int32_t j = 0; j <= 4; ++j)
        sum += windowDistance(state.frameF0, w, j, span, mean);
    return 0.35 / 5 * sum;
}

double amplitudeCurveValue(const AnalysisState& state, std::int32_t w)
{
    const std::int32_t span = state.f0SmoothCount;
    double mean;
    if (w + span + 5 >= state.energyFrameCount || !meanOfVoicedRun(state.frameEnergy, w, span + 5, mean) || mean <= 0)
        return 0;
    const double jump = std::fabs(frameValue(state.selectionEnergy, w) - frameValue(state.selectionEnergy, w + 1)) / mean;
    double sum = 0;
    for (std::int32_t j = 0; j <= 4; ++j)
        sum += windowDistance(state.frameEnergy, w, j, span, mean) + jump;
    return 9.0 / 5 * sum;
}

// Mean of values[w..w+2] when the three frames are voiced.
double threeFrameValue(const AnalysisState& state, const FrameArray& values, std::int32_t w)
{
    for (std::int32_t i = w; i <= w + 2; ++i)
        if (!(frameValue(state.frameF0, i) > 0))
            return 0;
    return (frameValue(values, w) + frameValue(values, w + 1) + frameValue(values, w + 2)) / 3;
}

} // namespace

GaugeThresholds gaugeThresholds(bool ageAdjusted, std::int32_t age)
{
    GaugeThresholds thresholds;
    if (ageAdjusted && age > kAgeOfAdjustment) {
        const double raise = kAdjustmentPerYear * (age - kAgeOfAdjustment);
        thresholds.low += raise;
        thresholds.high += raise;
    }
    return thresholds;
}

BgrColor gaugeColor(double value, const GaugeThresholds& thresholds)
{
    if (value > thresholds.high)
        return kColorRed;
    return value > thresholds.low ? kColorOrange : kColorGreen;
}

std::int32_t gaugeLevel(double value)
{
    return std::max(0, roundEven(2 * std::log(std::max(10 * value, 0.01))));
}

std::int32_t gaugeBarTop(double value, std::int32_t height)
{
    return std::min(height - kGaugeMargin, std::max(kGaugeMargin, height - kPixelsPerGaugeLevel * gaugeLevel(value)));
}

std::int32_t indicatorTraceRow(double value, std::int32_t half)
{
    return roundEven(half - std::log(value) * half / 5);
}

double indicatorCurveValue(const AnalysisState& state, IndicatorCurve curve, std::int32_t w)
{
    switch (curve) {
    case IndicatorCurve::PitchInstability: return pitchCurveValue(state, w);
    case IndicatorCurve::AmplitudeInstability: return amplitudeCurveValue(state, w);
    case IndicatorCurve::NoiseSignal: return threeFrameValue(state, state.frameNoiseRatio, w);
    case IndicatorCurve::HarmonicPoverty: return threeFrameValue(state, state.frameHarmonicPoverty, w);
    }
    return 0;
}

} // namespace tiravel
