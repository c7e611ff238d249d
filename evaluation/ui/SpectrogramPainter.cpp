#include "SpectrogramPainter.h"

#include "ScreenColors.h"
#include "analysis/PeakTools.h"
#include "analysis/Spectrum.h"
#include "evaluation/SpectrogramGeometry.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <array>
#include <cmath>

namespace tiravel {

namespace {

constexpr double kStoredFloor = 0.0002;   // quieter stored bins are left in the background
constexpr std::int32_t kMarkerWidth = 2;
constexpr BgrColor kMarkerColors[3] = {kColorBlack, kColorGreen, kColorRed};
constexpr int kPaletteHeight = 150;
constexpr int kPaletteWidth = 30;

void drawTextTopLeft(QPainter& painter, int x, int top, const QString& text)
{
    painter.drawText(x, top + painter.fontMetrics().ascent(), text);
}

} // namespace

SpectrogramPainter::SpectrogramPainter(QImage& image, const SpectrogramLook& look)
    : image_(image)
    , look_(look)
    , width_(image.width())
    , height_(image.height())
{
}

// The span [x0, x1) x [yTop, yBottom), at least one row high, clipped to
// the image.
void SpectrogramPainter::fillSpan(std::int32_t x0, std::int32_t x1, std::int32_t yTop, std::int32_t yBottom, QRgb rgb)
{
    yBottom = std::max(yBottom, yTop + 1);
    const std::int32_t left = std::max(x0, 0);
    const std::int32_t right = std::min(x1, width_);
    const std::int32_t top = std::max(yTop, 0);
    const std::int32_t bottom = std::min(yBottom, height_);
    if (left >= right || top >= bottom)
        return;
    uchar* bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    for (std::int32_t y = top; y < bottom; ++y) {
        auto* line = reinterpret_cast<QRgb*>(bits + y * stride);
        std::fill(line + left, line + right, rgb);
    }
}

void SpectrogramPainter::drawLiveColumn(std::int32_t x0, std::int32_t x1, const SpectrumRow& current,
    const SpectrumRow* previous, ColorToDbTable& colorToDb)
{
    const double pixelsPerBin = look_.axes.livePixelsPerBin();
    for (std::int32_t k = 1; k <= kSpectrumBins - 1; ++k) {
        const std::int32_t yk1 = roundEven(height_ - (k + 1) * pixelsPerBin);
        if (yk1 < 0)
            break;
        const std::int32_t yk = roundEven(height_ - k * pixelsPerBin);
        const auto bin = static_cast<std::size_t>(k);
        const double v = previous != nullptr ? (current[bin] + (*previous)[bin]) / 2 : current[bin];
        const BgrColor color = look_.colorOf(v, yk);
        fillSpan(x0, x1, yk1, yk, toRgb(color));
        colorToDb[colorToDbIndex(color)] = roundEven(toDecibel(v));
    }
}

void SpectrogramPainter::drawF0Mark(std::int32_t x0, std::int32_t x1, double f0Hz)
{
    const std::int32_t y = height_ - roundEven(f0Hz * look_.axes.livePixelsPerHz());
    fillSpan(x0, x1, y - 2, y + 3, toRgb(kColorBlack));
}

void SpectrogramPainter::drawLiveGridLines(std::int32_t x0, std::int32_t x2, std::int32_t stepHz)
{
    const double pixelsPerHz = look_.axes.livePixelsPerHz();
    const QRgb grey = toRgb(kColorGrey);
    for (std::int32_t f = look_.axes.displayMinHz + stepHz; stepHz > 0 && f <= look_.axes.displayMaxHz; f += stepHz)
        {
        const std::int32_t y = height_ - roundEven(f * pixelsPerHz);
        fillSpan(x0, x2, y, y + 1, grey);
    }
}

void SpectrogramPainter::clear()
{
    for (std::int32_t y = 0; y < height_; ++y)
        fillSpan(0, width_, y, y + 1, toRgb(look_.levelZero(y)));
}

void SpectrogramPainter::drawStoredFrames(const AnalysisState& state, const FixedArray<std::int32_t, 3>& markerFrames)
{
    // Rows of the bin limits: bin j spans rows[j + 1] .. rows[j].
    std::array<std::int32_t, kSpectrumBins> rows {};
    for (std::int32_t j = 1; j < kSpectrumBins; ++j)
        rows[static_cast<std::size_t>(j)] = look_.axes.rowOfHz(j * state.binWidth);
    const std::int32_t frameCount = std::clamp(state.energyFrameCount, 0, kMaxFrames + 1);
    const double pixelsPerFrame = static_cast<double>(width_) / std::max(1, frameCount);
    SpectrumRow smoothed;
    for (std::int32_t i = 0; i < frameCount; ++i) {
        const std::int32_t xa = roundEven(i * pixelsPerFrame);
        const std::int32_t xb = roundEven((i + 1) * pixelsPerFrame);
        const auto& row = state.energyTable[static_cast<std::size_t>(i)];
        if (look_.formants)
            formantSmoothedRow(row, smoothed);
        const SpectrumRow& values = look_.formants ? smoothed : row;
        for (std::size_t j = 1; j <= kSpectrumBins - 2; ++j) {
            const std::int32_t yj = rows[j];
            if (yj <= 0)
                break;
            const double v = values[j];
            if (v > kStoredFloor)
                fillSpan(xa, xb, std::max(rows[j + 1], 0), yj, toRgb(look_.colorOf(v, yj)));
        }
        for (std::size_t m = 0; m < 3; ++m)
            if (i > 0 && i == markerFrames[m])
                fillSpan(xa, xa + kMarkerWidth, 0, height_, toRgb(kMarkerColors[m]));
    }
}

void SpectrogramPainter::drawFrequencyGrid(QPainter& painter, std::int32_t stepHz) const
{
    const bool blueBackground = !look_.whiteBackground;
    for (std::int32_t f = look_.axes.displayMinHz + stepHz; stepHz > 0 && f <= look_.axes.displayMaxHz; f += stepHz) {
        const std::int32_t y = look_.axes.rowOfHz(f);
        painter.setPen(toQColor(kColorGrey));
        painter.drawLine(0, y, width_, y);
        painter.setPen(toQColor(blueBackground ? kColorYellow : kColorGrey));
        drawTextTopLeft(painter, 0, y - 5, QString::number(f));
    }
}

void SpectrogramPainter::drawTimeGrid(QPainter& painter, std::int32_t durationMs) const
{
    const std::int32_t step = timeGridStepMs(durationMs);
    const double pixelsPerMs = static_cast<double>(width_) / std::max(1, durationMs);
    const int decimals = step >= 500 ? 1 : 2;
    for (std::int32_t t = step; t <= durationMs; t += step) {
        const std::int32_t x = roundEven(t * pixelsPerMs);
        painter.setPen(toQColor(kColorGrey));
        painter.drawLine(x, 0, x, height_);
        painter.setPen(toQColor(look_.whiteBackground ? kColorGrey : kColorYellow));
        const QString label = QString::fromStdString(fixedText(t / 1000.0, 3, decimals));
        drawTextTopLeft(painter, x + 2, height_ - painter.fontMetrics().height() - 1, label);
    }
}

void SpectrogramPainter::drawPalette(QImage& image, bool whiteBackground, FixedArray<BgrColor, 101>& paletteColors)
{
    QPainter painter(&image);
    painter.fillRect(image.rect(), Qt::white);
    for (int i = 0; i <= 100; ++i) {
        const BgrColor color = paletteColor(whiteBackground, i);
        const int top = kPaletteHeight - roundEven((i + 1) * 1.5);
        const int bottom = kPaletteHeight - roundEven(i * 1.5);
        painter.fillRect(QRect(0, top, kPaletteWidth, bottom - top), toQColor(color));
        paletteColors[static_cast<std::size_t>(i)] = color;
    }
}

} // namespace tiravel
