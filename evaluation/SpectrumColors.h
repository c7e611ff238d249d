#pragma once

#include "analysis/AnalysisState.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace tiravel {

// A 24-bit colour as the screens write them: $BBGGRR, blue in the high byte,
// red in the low byte.
using BgrColor = std::uint32_t;

constexpr BgrColor bgrColor(int red, int green, int blue)
{
    return static_cast<BgrColor>((blue & 0xFF) << 16 | (green & 0xFF) << 8 | (red & 0xFF));
}
constexpr int redOf(BgrColor c) { return static_cast<int>(c & 0xFF); }
constexpr int greenOf(BgrColor c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blueOf(BgrColor c) { return static_cast<int>((c >> 16) & 0xFF); }

// Colours that carry a judgement, and the fixed colours of the spectrum screen.
inline constexpr BgrColor kColorRed = 0x0000FF;       // bad
inline constexpr BgrColor kColorOrange = 0x0070E0;    // borderline
inline constexpr BgrColor kColorGreen = 0x008000;     // good
inline constexpr BgrColor kColorGrey = 0x808080;      // no value
inline constexpr BgrColor kColorBlack = 0x000000;
inline constexpr BgrColor kColorWhite = 0xFFFFFF;
inline constexpr BgrColor kColorYellow = 0x00FFFF;
inline constexpr BgrColor kColorBlueBackground = 0xFF0000;  // level 0 of the spectrogram
inline constexpr BgrColor kColorWhiteBackground = 0xD0F0F0; // level 0 with "Fond blanc"
inline constexpr BgrColor kColorIndicatorBand = 0xC0DCC0;   // background of the indicator curves
inline constexpr BgrColor kColorGaugePanel = 0xA4B679;      // background of the gauge panel
inline constexpr BgrColor kColorGaugeChecker = 0xF0CAA6;    // checker above a gauge bar
inline constexpr BgrColor kColorGridText = 0xE0E0E0;        // labels of the live frequency grid

// Spectrogram level 0..100 of a linear magnitude x at gain g:
// round(20 ln(g x)), x floored at 0.00001, clamped to 0..100.
int spectrogramLevel(double gain, double x);

// spectrogramLevel at one gain by table look-up instead of a logarithm:
// the smallest magnitude of each level 1..100 is found once, exactly, so
// level(x) == spectrogramLevel(gain, x) for every x.
class LevelScale {
public:
    // Without a gain every magnitude is level 0.
    LevelScale();
    explicit LevelScale(double gain);
    double gain() const { return gain_; }
    int level(double x) const;

private:
    double gain_;
    std::array<double, 101> lowest_ {}; // lowest_[L]: smallest x of level L (index 0 unused)
};

// The heat palettes, level 0..100 (clamped): the dark one goes blue, green,
// red, yellow, white; the light one white, green, red, yellow, black.
BgrColor darkPaletteColor(int level);
BgrColor lightPaletteColor(int level);
BgrColor paletteColor(bool whiteBackground, int level);

// The colour of a magnitude x on the spectrogram: the background colour of
// its pixel row at level 0, else the palette colour of its level.
BgrColor levelColor(bool whiteBackground, double x, double gain, BgrColor background);

// Indicator level 0..100 of a voice-indicator value: 0 below 0.01, else
// round(20 ln(x) + 50), so 1 (the threshold) sits at level 50.
int indicatorLevel(double x);
BgrColor indicatorPaletteColor(int level);
// Green for normal values through yellow (1) to red and dark purple.
BgrColor indicatorColor(double x);

// Pixel-row limits of the four formant zones (same order as the Hz limits:
// F1 low, F1 high, ..., F4 high); y grows downwards, so a zone's low limit
// has the larger y.
using FormantZoneRows = std::array<std::int32_t, 8>;

// The level-0 colour of pixel row y with the formant background: $E00000
// inside F1, $D00000 inside F2, $E02020 inside F3, $D04040 inside F4
// (strictly between the zone's rows), else blue.
BgrColor formantBackground(std::int32_t y, const FormantZoneRows& zoneRows);

// The level-0 colour of pixel row y: the white background, else the formant
// zones when they are shown, else blue.
BgrColor levelZeroColor(bool whiteBackground, bool formants, std::int32_t y, const FormantZoneRows& zoneRows);

// A bin smoothed over the formant band: 2 x (sum of energyTable[row][k] for
// k = bin - 9 .. bin + 10, each k clamped to 1..512) / 10.
double formantSmoothed(const AnalysisState& state, std::int32_t row, std::int32_t bin);
// The same for bins 0..512 of one row at once.
void formantSmoothedRow(const FixedArray<double, kSpectrumBins>& row, FixedArray<double, kSpectrumBins>& out);

// Reverse map from a drawn colour to the dB value it shows, indexed by
// (R div 10) x 729 + (G div 10) x 27 + (B div 10).
inline constexpr std::size_t kColorToDbSize = 27 * 27 * 27;
using ColorToDbTable = FixedArray<std::int32_t, kColorToDbSize>;
std::size_t colorToDbIndex(BgrColor color);

} // namespace tiravel
