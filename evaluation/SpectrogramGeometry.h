#pragma once

#include <cstdint>
#include <string>

namespace tiravel {

// The scales of a spectrogram panel of width x height pixels showing
// displayMinHz..displayMaxHz.
struct SpectrogramAxes {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t displayMinHz = 0;
    std::int32_t displayMaxHz = 2500;
    std::int32_t sampleRate = 22050;

    // Live columns: pixels per FFT bin and per hertz.
    double livePixelsPerBin() const;
    double livePixelsPerHz() const;
    // Stored-frame redraw and the mouse readouts: pixels per hertz, the axis
    // being at least 100 Hz high.
    double pixelsPerHz() const;
    // Row of a frequency on the stored-frame redraw: height - round(f pph).
    std::int32_t rowOfHz(double hz) const;
};

// Frequency grid step in Hz: 100 up to 1000 Hz, 500 up to 5000, else 1000.
std::int32_t gridStepHz(std::int32_t displayMaxHz);

// Time grid step in ms for a sound of durationMs: 100 up to 999 ms, 250 up to
// 1999, 500 up to 4999, else 1000.
std::int32_t timeGridStepMs(std::int32_t durationMs);

// Mouse positions on a stored spectrogram (x, y relative to the box).
// Frame under x, clamped to 1..frameCount.
std::int32_t frameOfX(std::int32_t x, std::int32_t width, std::int32_t frameCount);
// Bin under y: round((H - y) / pixels per bin).
std::int32_t binOfY(std::int32_t y, const SpectrogramAxes& axes);
// Frequency (Hz) under y.
double frequencyOfY(std::int32_t y, const SpectrogramAxes& axes);
// Sample under x: round(x soundLength / width).
std::int32_t sampleOfX(std::int32_t x, std::int32_t width, std::int32_t soundLength);
// x of a stored frame: round(f width / max(1, frameCount)).
std::int32_t xOfFrame(std::int32_t frame, std::int32_t width, std::int32_t frameCount);

// A number in a minimum width with a fixed count of decimals, "." as the
// separator whatever the locale, halves rounded to even.
std::string fixedText(double value, int width, int decimals);

} // namespace tiravel
