#include "SpectrogramGeometry.h"

#include "analysis/AnalysisState.h"
#include "analysis/Spectrum.h"

#include <algorithm>
#include <cmath>
#include <charconv>

namespace tiravel {

double SpectrogramAxes::livePixelsPerBin() const
{
    return height / std::max(static_cast<double>(displayMaxHz) * kFrameLength / sampleRate, 0.001);
}

double SpectrogramAxes::livePixelsPerHz() const
{
    return height / std::max(static_cast<double>(displayMaxHz - displayMinHz), 0.001);
}

double SpectrogramAxes::pixelsPerHz() const
{
    return static_cast<double>(height) / std::max(100, displayMaxHz - displayMinHz);
}

std::int32_t SpectrogramAxes::rowOfHz(double hz) const
{
    return height - roundEven(hz * pixelsPerHz());
}

std::int32_t gridStepHz(std::int32_t displayMaxHz)
{
    if (displayMaxHz <= 1000)
        return 100;
    return displayMaxHz >= 5001 ? 1000 : 500;
}

std::int32_t timeGridStepMs(std::int32_t durationMs)
{
    if (durationMs <= 999)
        return 100;
    if (durationMs <= 1999)
        return 250;
    return durationMs <= 4999 ? 500 : 1000;
}

std::int32_t frameOfX(std::int32_t x, std::int32_t width, std::int32_t frameCount)
{
    const double pixelsPerFrame = static_cast<double>(width) / std::max(1, frameCount);
    const std::int32_t frame = pixelsPerFrame > 0 ? roundEven(x / pixelsPerFrame) : 1;
    return std::clamp(frame, 1, std::max(1, frameCount));
}

std::int32_t binOfY(std::int32_t y, const SpectrogramAxes& axes)
{
    const double pixelsPerBin = axes.livePixelsPerBin();
    return pixelsPerBin > 0 ? roundEven((axes.height - y) / pixelsPerBin) : 0;
}

double frequencyOfY(std::int32_t y, const SpectrogramAxes& axes)
{
    const double pixelsPerHz = axes.pixelsPerHz();
    return pixelsPerHz > 0 ? (axes.height - y) / pixelsPerHz : 0;
}

std::int32_t sampleOfX(std::int32_t x, std::int32_t width, std::int32_t soundLength)
{
    return width > 0 ? roundEven(static_cast<double>(x) * soundLength / width) : 0;
}

std::int32_t xOfFrame(std::int32_t frame, std::int32_t width, std::int32_t frameCount)
{
    return roundEven(static_cast<double>(frame) * width / std::max(1, frameCount));
}

std::string fixedText(double value, int width, int decimals)
{
    char digits[400];
    const auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals);
    std::string text(digits, result.ptr);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

} // namespace tiravel
