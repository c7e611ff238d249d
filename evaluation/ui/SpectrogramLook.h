#pragma once

#include "evaluation/SpectrogramGeometry.h"
#include "evaluation/SpectrumColors.h"

namespace tiravel {

// How a spectrogram panel is drawn: its axes and the colour options of the
// screen. The formant rows belong to the panel's own height.
struct SpectrogramLook {
    SpectrogramAxes axes;
    LevelScale levels;           // levels at spectrogramGain
    bool whiteBackground = false;
    bool formants = false;
    FormantZoneRows zoneRows {}; // formant limits as rows of this panel

    BgrColor levelZero(std::int32_t y) const { return levelZeroColor(whiteBackground, formants, y, zoneRows); }
    BgrColor colorOf(double x, std::int32_t y) const
    {
        const int level = levels.level(x);
        return level == 0 ? levelZero(y) : paletteColor(whiteBackground, level);
    }
};

} // namespace tiravel
