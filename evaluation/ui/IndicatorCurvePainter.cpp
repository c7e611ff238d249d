#include "IndicatorCurvePainter.h"

#include "ScreenColors.h"
#include "analysis/Spectrum.h"
#include "evaluation/SpectrogramGeometry.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace tiravel {

namespace {

const QColor kTraceLineColor(64, 64, 64);
constexpr int kMinimumJoinX = 11; // a live point this close to the left edge starts a new trace

void drawTextTopLeft(QPainter& painter, int x, int top, const QString& text)
{
    painter.drawText(x, top + painter.fontMetrics().ascent(), text);
}

// Legend texts sit on their line with the panel's colour behind them.
void drawLegendText(QPainter& painter, int x, int top, const QString& text)
{
    const QRect box = painter.fontMetrics().boundingRect(text);
    painter.fillRect(QRect(x, top, box.width() + 2, painter.fontMetrics().height()), toQColor(kColorIndicatorBand));
    drawTextTopLeft(painter, x, top, text);
}

QString legendValue(double v)
{
    return QString::fromStdString(fixedText(v, 4, 2));
}

} // namespace

void IndicatorCurvePainter::drawLegendLines(QPainter& painter, std::int32_t width, std::int32_t height)
{
    const std::int32_t half = height / 2;
    painter.setPen(toQColor(kColorGrey));
    for (double v : kIndicatorLegendValues) {
        const std::int32_t y = indicatorTraceRow(v, half);
        painter.drawLine(0, y, width, y);
    }
}

double IndicatorCurvePainter::drawCurve(QImage& image, const AnalysisState& state, IndicatorCurve curve,
    const IndicatorCurveTexts& texts)
{
    const std::int32_t width = image.width();
    const std::int32_t height = image.height();
    const std::int32_t half = height / 2;
    const std::int32_t frames = std::max(1, state.energyFrameCount);
    const std::int32_t last = state.energyFrameCount - state.f0SmoothCount - 5;
    QPainter painter(&image);
    painter.fillRect(image.rect(), toQColor(kColorIndicatorBand));
    drawLegendLines(painter, width, height);

    double sum = 0;
    bool joined = false;
    QPoint previous;
    for (std::int32_t w = 0; w <= last; ++w) {
        const double v = indicatorCurveValue(state, curve, w);
        const std::int32_t y = v > 0 ? indicatorTraceRow(v, half) : 0;
        if (v <= 0 || y < 1) {
            joined = false;
            sum += v;
            continue;
        }
        sum += v;
        const QPoint point(roundEven(static_cast<double>(w) * width / frames), y);
        painter.fillRect(QRect(point.x() - 2, y - 2, 4, 4), toQColor(indicatorColor(v)));
        if (joined) {
            painter.setPen(kTraceLineColor);
            painter.drawLine(previous, point);
        }
        previous = point;
        joined = w > 0;
    }
    const double average = last < 1 ? 1.0 : sum / last;

    for (std::size_t i = 0; i < 5; ++i) {
        const double v = kIndicatorLegendValues[i];
        painter.setPen(toQColor(kIndicatorLegendColors[i]));
        drawLegendText(painter, 0, indicatorTraceRow(v, half) - 5, legendValue(v) + texts.legend[i]);
    }
    painter.setPen(Qt::black);
    drawTextTopLeft(painter, width - 100, 20, texts.averagePrefix + QString::fromStdString(fixedText(average, 4, 2)));
    drawTimeAxis(painter, state, width, height, texts.secondsCaption);
    return average;
}

void IndicatorCurvePainter::drawTimeAxis(QPainter& painter, const AnalysisState& state, std::int32_t width,
    std::int32_t height, const QString& secondsCaption)
{
    const std::int32_t durationMs = roundEven(static_cast<double>(state.soundLength) * 1000 / state.sampleRate);
    const std::int32_t step = timeGridStepMs(durationMs);
    const double pixelsPerMs = static_cast<double>(width) / std::max(1, durationMs);
    for (std::int32_t t = step; t <= durationMs; t += step) {
        const std::int32_t x = roundEven(t * pixelsPerMs);
        painter.setPen(toQColor(kColorGrey));
        painter.drawLine(x, 0, x, height);
        painter.setPen(Qt::black);
        drawTextTopLeft(painter, x, height - 12, QString::fromStdString(fixedText(t / 1000.0, 3, 1)));
    }
    drawTextTopLeft(painter, width - 25, height - 12, secondsCaption);
}

void IndicatorCurvePainter::clearBand(QImage& image, std::int32_t x0, std::int32_t x2)
{
    const std::int32_t left = std::max(x0, 0);
    const std::int32_t right = std::min(x2, image.width());
    const QRgb band = toRgb(kColorIndicatorBand);
    for (std::int32_t y = 0; y < image.height() && left < right; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(line + left, line + right, band);
    }
}

void IndicatorCurvePainter::drawTracePoint(QPainter& painter, std::int32_t height, std::int32_t x0, double value,
    SpectrumScreenState& screen)
{
    const std::int32_t y = value > 0 ? indicatorTraceRow(value, height / 2) : 0;
    if (y < 1) {
        screen.traceContinues = false;
        return;
    }
    painter.fillRect(QRect(x0 - 3, y - 3, 6, 6), toQColor(indicatorColor(value)));
    if (screen.traceContinues) {
        painter.setPen(kTraceLineColor);
        painter.drawLine(screen.previousTracePoint.x, screen.previousTracePoint.y, x0, y);
    }
    screen.previousTracePoint = {x0, y};
    screen.traceContinues = x0 >= kMinimumJoinX;
}

void IndicatorCurvePainter::drawLiveLegend(QPainter& painter, std::int32_t width, std::int32_t height,
    const std::array<QStaticText, 5>& labels)
{
    drawLegendLines(painter, width, height);
    const std::int32_t half = height / 2;
    for (std::size_t i = 0; i < 5; ++i) {
        painter.setPen(toQColor(kIndicatorLegendColors[i]));
        const std::int32_t top = indicatorTraceRow(kIndicatorLegendValues[i], half) - 5;
        painter.fillRect(QRectF(QPointF(0, top), labels[i].size()), toQColor(kColorIndicatorBand));
        painter.drawStaticText(0, top, labels[i]);
    }
}

} // namespace tiravel
