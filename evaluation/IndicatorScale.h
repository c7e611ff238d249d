#pragma once

#include "SpectrumColors.h"
#include "analysis/AnalysisState.h"

#include <cstdint>

namespace tiravel {

// Where a voice indicator turns borderline (above low) and pathological
// (above high).
struct GaugeThresholds {
    double low = 0.8;
    double high = 1.5;
};

// The standard thresholds, raised by 0.02 a year above 65 when the
// age-adjusted thresholds are chosen.
GaugeThresholds gaugeThresholds(bool ageAdjusted, std::int32_t age);

// Red above high, orange above low, else green.
BgrColor gaugeColor(double value, const GaugeThresholds& thresholds);

// Gauge level of an indicator value: max(0, round(2 ln(max(10 v, 0.01)))),
// so 0.1 or less is level 0, 1 is level 5 and 10 is level 9.
std::int32_t gaugeLevel(double value);

// Row of the top of a gauge bar in an image of the given height: 12 pixels
// a level up from the bottom, kept 10 pixels inside the image.
std::int32_t gaugeBarTop(double value, std::int32_t height);

// Row of an indicator value on a curve panel whose half height is half:
// round(half - ln(v) half / 5), so 1 sits in the middle and each factor of
// 10 moves by almost half of half. v must be positive.
std::int32_t indicatorTraceRow(double value, std::int32_t half);

// The values on which the indicator legends are drawn, from the most
// normal to the most pathological.
inline constexpr double kIndicatorLegendValues[5] = {0.01, 0.1, 1, 10, 100};
inline constexpr BgrColor kIndicatorLegendColors[5] = {kColorGreen, kColorGreen, kColorOrange, kColorRed, kColorBlack};

// Indicator curves of the stored frames: which curve a bottom tab shows.
enum class IndicatorCurve : std::int32_t {
    PitchInstability = 3,
    AmplitudeInstability = 4,
    NoiseSignal = 5,
    HarmonicPoverty = 6,
};

// The value of a curve at frame w of the analysed sound, 0 where the frame
// has no value (an unvoiced frame inside its window):
// pitch, the mean distance of F0 from its local mean over a window of
// f0SmoothCount frames; amplitude, the same on the frame energy plus the
// level jump of the selection copy; noise/signal and harmonic poverty, the
// mean of three voiced frames.
double indicatorCurveValue(const AnalysisState& state, IndicatorCurve curve, std::int32_t w);

} // namespace tiravel
