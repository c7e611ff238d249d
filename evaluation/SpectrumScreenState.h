#pragma once

#include "SpectrumColors.h"
#include "analysis/FixedArray.h"

#include <cstdint>

namespace tiravel {

// A point of a trace, in pixels of its paint box.
struct TracePoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// The mouse selection on a stored spectrogram: where it started and ended
// (pixels, frame, bin, sample), and what is on screen.
struct SpectrumSelection {
    std::int32_t startX = 0, startY = 0, endX = 0, endY = 0;
    std::int32_t startFrame = 0, endFrame = 0;
    std::int32_t startBin = 0, endBin = 0;
    std::int32_t startSample = 0, endSample = 0;
    bool selecting = false;      // the button is held
    bool selectionShown = false; // the dotted rectangle is on screen
    std::int32_t selectionDurationMs = 0;
};

// The data of the real-time spectrum screen, created once with the screen.
// Lengths are pixels unless named otherwise; the frequency range of the
// display is the program's shared view (displayMinHz, displayMaxHz).
struct SpectrumScreenState {
    static constexpr std::int32_t kNoteCount = 32;

    std::int32_t topColumnX = 0;       // next column of the top spectrogram
    std::int32_t bottomColumnX = 0;    // next column of the bottom spectrogram
    std::int32_t scrollStep = 2;       // column width: TrackSpeed position + 1
    std::int32_t screenWrapCount = 0;  // wraps of the top spectrogram
    bool traceContinues = false;       // the next live trace point joins the previous one
    TracePoint previousTracePoint;
    double spectrogramGain = 2000;     // 500 x 2^(TrackBar position)
    bool whiteBackground = false;      // sbWhiteBG down
    bool formants = false;             // sbFormants down
    BgrColor backgroundColor = kColorBlueBackground;
    FixedArray<BgrColor, 101> paletteColors; // levels 0..100 as last drawn in the palette strip
    ColorToDbTable colorToDb;          // dB value of each drawn colour
    FixedArray<std::int32_t, 8> formantZoneHz; // F1 low/high .. F4 low/high
    FormantZoneRows formantZoneY {};   // the same limits as rows of the panel last drawn
    // The last two raw values of each live indicator, newer first.
    FixedArray<double, 2> pitchInstabilityLive;
    FixedArray<double, 2> amplitudeInstabilityLive;
    // Sample window shared with the waveform displays.
    std::int32_t waveWindowStart = 0;
    std::int32_t waveWindowEnd = 0;
    std::int32_t waveWindowLength = 0;
    bool redrawPending = false;        // an option changed: TimerWait redraws
    bool fullScreen = false;           // the top spectrogram fills the screen
    FixedArray<std::int32_t, kNoteCount> noteFrequencies; // Hz, for the landmark tool
    bool indicatorsEnabled = false;    // the gauge panel is shown
    std::int32_t patientAge = 0;       // years; 0 when unknown
    bool ageAdjusted = false;          // sbAge down
    SpectrumSelection selection;
};

} // namespace tiravel
