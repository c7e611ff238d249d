#pragma once

#include "evaluation/IndicatorScale.h"
#include "evaluation/SpectrumScreenState.h"

#include <QImage>
#include <QStaticText>
#include <QString>

#include <array>

class QPainter;

namespace tiravel {

// The texts of an indicator curve view in the current language.
struct IndicatorCurveTexts {
    std::array<QString, 5> legend; // after the value of each legend line
    QString averagePrefix;         // "Moyenne: "
    QString secondsCaption;        // the time axis unit
};

// The indicator curves of the bottom panel: on a log scale where 1 (the
// threshold) is the middle row, each value a small square in its indicator
// colour, joined by lines; the legend lines at 0.01, 0.1, 1, 10 and 100.
class IndicatorCurvePainter {
public:
    // The curve of one indicator over all stored frames of the analysed
    // sound, with its average, legend and time axis; returns the average
    // (1.0 when the sound is too short for a curve).
    static double drawCurve(QImage& image, const AnalysisState& state, IndicatorCurve curve,
        const IndicatorCurveTexts& texts);

    // Live trace: the band [x0, x2) of the panel cleared over its height.
    static void clearBand(QImage& image, std::int32_t x0, std::int32_t x2);
    // Live trace: the point of value at x0, joined to the previous point
    // while the trace continues; updates the trace state. No point (and a
    // broken trace) when the value is not positive or falls above the panel.
    static void drawTracePoint(QPainter& painter, std::int32_t height, std::int32_t x0, double value,
        SpectrumScreenState& screen);
    // Live trace: the legend lines across the panel with their prepared labels.
    static void drawLiveLegend(QPainter& painter, std::int32_t width, std::int32_t height,
        const std::array<QStaticText, 5>& labels);

private:
    static void drawLegendLines(QPainter& painter, std::int32_t width, std::int32_t height);
    static void drawTimeAxis(QPainter& painter, const AnalysisState& state, std::int32_t width, std::int32_t height,
        const QString& secondsCaption);
};

} // namespace tiravel
