#pragma once

#include "evaluation/IndicatorScale.h"

#include <QImage>

namespace tiravel {

// The indicator gauges: a vertical colour scale (the reference picture,
// green at the bottom through orange to red at the top), on which the bar
// of a value is outlined in the value's colour and everything above the bar
// is greyed by a checker pattern.
class GaugePainter {
public:
    static constexpr int kGaugeWidth = 25;
    static constexpr int kGaugeHeight = 130;

    // The reference scale picture of a gauge, 25 x 130.
    static QImage makeScalePicture();

    // Draws the gauge of value into image (restored from the scale picture
    // first) and returns its colour in colorOut: the judgement colour of the
    // value against the thresholds.
    static BgrColor DrawRectInImage(QImage& image, const QImage& imageRef, BgrColor& colorOut, double value,
        const GaugeThresholds& thresholds);
};

} // namespace tiravel
