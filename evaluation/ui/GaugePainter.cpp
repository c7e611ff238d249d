#include "GaugePainter.h"

#include "ScreenColors.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tiravel {

namespace {

constexpr int kPenWidth = 3;
constexpr int kCheckerMargin = 5;

// Colour of the scale at a value: green up to 0.8, orange around 1,
// red from 1.5, with short blends between them.
QColor scaleColorAt(double value)
{
    const QColor green = toQColor(kColorGreen);
    const QColor orange = toQColor(kColorOrange);
    const QColor red = toQColor(kColorRed);
    const auto blend = [](const QColor& a, const QColor& b, double t) {
        t = std::clamp(t, 0.0, 1.0);
        return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
    };
    if (value < 0.8)
        return blend(green, orange, (value - 0.6) / 0.2);
    if (value < 1.5)
        return blend(orange, red, (value - 1.3) / 0.2);
    return red;
}

} // namespace

QImage GaugePainter::makeScalePicture()
{
    QImage picture(kGaugeWidth, kGaugeHeight, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = 0; y < kGaugeHeight; ++y) {
        // The inverse of the gauge level: 12 pixels a level, 2 levels per
        // factor e of 10 v.
        const double level = (kGaugeHeight - y) / 12.0;
        const double value = std::exp(level / 2) / 10;
        const QRgb rgb = scaleColorAt(value).rgb();
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        std::fill(line, line + kGaugeWidth, rgb);
    }
    return picture;
}

BgrColor GaugePainter::DrawRectInImage(QImage& image, const QImage& imageRef, BgrColor& colorOut, double value,
    const GaugeThresholds& thresholds)
{
    colorOut = gaugeColor(value, thresholds);
    const int w = image.width();
    const int h = image.height();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, x < imageRef.width() && y < imageRef.height() ? imageRef.pixel(x, y) : qRgb(255, 255, 255));

    const int barTop = gaugeBarTop(value, h);
    {
        QPainter painter(&image);
        painter.setPen(QPen(toQColor(colorOut), kPenWidth));
        painter.drawRect(QRectF(3, barTop, (w - 4) - 3, (h - 3) - barTop));
    }
    const QRgb checker = toRgb(kColorGaugeChecker);
    for (int y = kCheckerMargin; y <= barTop - kCheckerMargin; ++y)
        for (int x = kCheckerMargin; x <= w - kCheckerMargin; ++x)
            if ((x + y) % 2 == 1 && x < w)
                image.setPixel(x, y, checker);
    return colorOut;
}

} // namespace tiravel
