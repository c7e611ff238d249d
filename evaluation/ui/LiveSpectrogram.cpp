#include "LiveSpectrogram.h"

#include "IndicatorCurvePainter.h"
#include "PaintBox.h"
#include "ScreenColors.h"
#include "analysis/Spectrum.h"
#include "evaluation/LiveIndicators.h"
#include "evaluation/SpectrogramGeometry.h"

#include <QPainter>

#include <algorithm>

namespace tiravel {

namespace {

constexpr double kF0MarkBandEnergy = 0.02; // the F0 mark needs this much energy in the F0 band

} // namespace

LiveSpectrogram::LiveSpectrogram(AnalysisState& analysis, SpectrumScreenState& screen)
    : analysis_(analysis)
    , screen_(screen)
{
    emptyRow_.fill(0);
    current_.fill(0);
}

void LiveSpectrogram::prepareGridLabels(std::int32_t displayMinHz, std::int32_t displayMaxHz, std::int32_t stepHz)
{
    gridStepHz_ = stepHz;
    gridLabelCount_ = 0;
    gridLabelWidth_ = 0;
    for (std::int32_t f = displayMinHz + stepHz; stepHz > 0 && f <= displayMaxHz && gridLabelCount_ < kMaxGridLabels;
         f += stepHz) {
        QStaticText& label = gridLabels_[gridLabelCount_];
        label.setText(QString::fromStdString(fixedText(f, 4, 0)));
        label.prepare(QTransform(), font_);
        gridLabelWidth_ = std::max(gridLabelWidth_, static_cast<std::int32_t>(label.size().width()) + 2);
        gridLabelHz_[gridLabelCount_++] = f;
    }
}

void LiveSpectrogram::prepareLegend(const std::array<QString, 5>& labels)
{
    for (std::size_t i = 0; i < labels.size(); ++i) {
        legend_[i].setText(labels[i]);
        legend_[i].prepare(QTransform(), font_);
    }
}

void LiveSpectrogram::advanceColumn(const Frame& frame, std::int32_t& x, std::int32_t width)
{
    x += 2 * screen_.scrollStep;
    if (x <= width)
        return;
    // The store restarts with the screen: the next frame goes into row 1.
    x = 0;
    analysis_.energyFrameCount = 0;
    screen_.traceContinues = false;
    if (!frame.targetIsTop)
        return;
    ++screen_.screenWrapCount;
    if (frame.tab == kTabIndicators) {
        wrappedWithGauges_ = true;
        analysis_.bufferCounter = 0;
    }
}

// The frame goes into the next stored row, bins 0..511 as drawn; the store
// holds 1000 frames and then keeps the last one written.
void LiveSpectrogram::storeFrame()
{
    if (analysis_.energyFrameCount >= kMaxFrames)
        return;
    analysis_.energyFrameCount = std::max(analysis_.energyFrameCount, 0) + 1;
    auto& row = analysis_.energyTable[static_cast<std::size_t>(analysis_.energyFrameCount)];
    std::copy(current_.begin(), current_.end() - 1, row.begin());
}

void LiveSpectrogram::drawFrame(const Frame& frame)
{
    wrappedWithGauges_ = false;
    QImage& image = frame.target.image();
    const std::int32_t width = image.width();
    const std::int32_t height = image.height();
    std::int32_t& x = frame.targetIsTop ? screen_.topColumnX : screen_.bottomColumnX;
    advanceColumn(frame, x, width);
    const std::int32_t x0 = x;
    const std::int32_t x1 = x + screen_.scrollStep;
    const std::int32_t x2 = x + 2 * screen_.scrollStep;

    if (frame.look.formants)
        formantSmoothedRow(analysis_.energyTable[0], current_);
    else
        current_ = analysis_.energyTable[0];
    const std::int32_t stored = analysis_.energyFrameCount;
    const SpectrumRow& previous = stored >= 1 && stored <= kMaxFrames
        ? analysis_.energyTable[static_cast<std::size_t>(stored)]
        : emptyRow_;

    SpectrogramPainter painter(image, frame.look);
    painter.drawLiveColumn(x0, x1, current_, &previous, screen_.colorToDb);
    if (analysis_.bandEnergy > kF0MarkBandEnergy)
        painter.drawF0Mark(x0, x1, analysis_.localF0);
    storeFrame();
    painter.drawLiveColumn(x1, x2, current_, nullptr, screen_.colorToDb);
    painter.drawLiveGridLines(x0, x2, gridStepHz_);
    drawGridLabels(image, frame.look, x2);
    frame.target.update(x0, 0, x2 - x0 + 1 + gridLabelWidth_, height);

    if (frame.tab >= kTabPower)
        drawIndicatorViews(frame, x0, x2);
}

void LiveSpectrogram::drawGridLabels(QImage& image, const SpectrogramLook& look, std::int32_t x2)
{
    const std::int32_t height = image.height();
    const double pixelsPerHz = look.axes.livePixelsPerHz();
    QPainter painter(&image);
    painter.setFont(font_);
    painter.setPen(toQColor(kColorGridText));
    const QColor brush = toQColor(kColorBlueBackground);
    for (std::size_t i = 0; i < gridLabelCount_; ++i) {
        const QStaticText& label = gridLabels_[i];
        const std::int32_t y = height - roundEven(gridLabelHz_[i] * pixelsPerHz);
        const QPointF topLeft(x2 + 1, y - 5);
        painter.fillRect(QRectF(topLeft, label.size()), brush);
        painter.drawStaticText(topLeft, label);
    }
}

void LiveSpectrogram::drawIndicatorViews(const Frame& frame, std::int32_t x0, std::int32_t x2)
{
    const bool curve = isIndicatorCurveTab(frame.tab);
    QImage& bottom = frame.bottom.image();
    if (curve)
        IndicatorCurvePainter::clearBand(bottom, x0, x2);
    const LiveIndicatorResult result = updateLiveIndicators(analysis_, screen_, frame.tab);
    if (!curve)
        return;
    QPainter painter(&bottom);
    painter.setFont(font_);
    if (!result.silent)
        IndicatorCurvePainter::drawTracePoint(painter, bottom.height(), x0, result.traceValue, screen_);
    IndicatorCurvePainter::drawLiveLegend(painter, bottom.width(), bottom.height(), legend_);
    frame.bottom.update();
}

} // namespace tiravel
