#pragma once

#include "SpectrogramLook.h"
#include "analysis/AnalysisState.h"

#include <QImage>

#include <cstdint>

class QPainter;

namespace tiravel {

using SpectrumRow = FixedArray<double, kSpectrumBins>;

// Draws spectrogram columns and whole stored spectrograms into a panel's
// back buffer. Columns are written straight into the image's scanlines: a
// live buffer draws two of them and must stay far below one buffer period.
// Spans are half-open: a column [x0, x1) covers x0..x1 - 1.
class SpectrogramPainter {
public:
    SpectrogramPainter(QImage& image, const SpectrogramLook& look);

    // One live column: bins 1..512 from the bottom, bin k between rows
    // round(H - k ppb) and round(H - (k + 1) ppb), bins above the top
    // skipped. Each bin shows current[k], or its mean with previous[k] when
    // a previous row is given; the dB value of each colour drawn goes into
    // colorToDb.
    void drawLiveColumn(std::int32_t x0, std::int32_t x1, const SpectrumRow& current, const SpectrumRow* previous,
        ColorToDbTable& colorToDb);
    // The black F0 mark of a live column: rows y - 2 .. y + 2 at the row of f0Hz.
    void drawF0Mark(std::int32_t x0, std::int32_t x1, double f0Hz);
    // The grey lines of the live frequency grid over [x0, x2).
    void drawLiveGridLines(std::int32_t x0, std::int32_t x2, std::int32_t stepHz);

    // Every pixel row in its level-0 colour.
    void clear();
    // The stored frames 0 .. frameCount - 1, frame i over columns
    // round(i ppf) .. round((i + 1) ppf), bins of magnitude above 0.0002;
    // formant-smoothed bins when the formant background is on. Frames
    // named in markerFrames get a 2-pixel line: black, green, red.
    void drawStoredFrames(const AnalysisState& state, const FixedArray<std::int32_t, 3>& markerFrames);
    // Grey lines across the width at each grid frequency, labelled at the left.
    void drawFrequencyGrid(QPainter& painter, std::int32_t stepHz) const;
    // Grey lines at each multiple of the time step of a sound of durationMs.
    void drawTimeGrid(QPainter& painter, std::int32_t durationMs) const;

    // The palette strip: levels 0..100 as 30-pixel-wide bands from the
    // bottom of a 150-pixel strip; the colours drawn go into paletteColors.
    static void drawPalette(QImage& image, bool whiteBackground, FixedArray<BgrColor, 101>& paletteColors);

private:
    void fillSpan(std::int32_t x0, std::int32_t x1, std::int32_t yTop, std::int32_t yBottom, QRgb rgb);

    QImage& image_;
    const SpectrogramLook& look_;
    std::int32_t width_;
    std::int32_t height_;
};

} // namespace tiravel
