#include "SpectrumColors.h"

#include "analysis/Spectrum.h"

#include <algorithm>
#include <cmath>

namespace tiravel {

namespace {

constexpr double kMagnitudeFloor = 0.00001;
constexpr int kTopLevel = 100;

int clampLevel(int level)
{
    return std::clamp(level, 0, kTopLevel);
}

double smoothedBin(const FixedArray<double, kSpectrumBins>& values, std::int32_t bin)
{
    double sum = 0;
    for (std::int32_t k = bin - 9; k <= bin + 10; ++k)
        sum += values[static_cast<std::size_t>(std::clamp(k, 1, kSpectrumBins - 1))];
    return 2 * sum / 10;
}

} // namespace

int spectrogramLevel(double gain, double x)
{
    return clampLevel(roundEven(20 * std::log(gain * std::max(x, kMagnitudeFloor))));
}

LevelScale::LevelScale()
    : gain_(0)
{
    lowest_.fill(HUGE_VAL);
}

LevelScale::LevelScale(double gain)
    : gain_(gain)
{
    for (int level = 1; level <= kTopLevel; ++level) {
        if (spectrogramLevel(gain, 0.0) >= level) {
            lowest_[static_cast<std::size_t>(level)] = -HUGE_VAL; // already reached at the floor
            continue;
        }
        // Near exp((L - 0.5) / 20) / gain; stepped to the exact boundary of
        // the rounded logarithm.
        double x = std::exp((level - 0.5) / 20) / gain;
        while (spectrogramLevel(gain, x) >= level)
            x = std::nextafter(x, 0.0);
        while (spectrogramLevel(gain, x) < level)
            x = std::nextafter(x, HUGE_VAL);
        lowest_[static_cast<std::size_t>(level)] = x;
    }
}

int LevelScale::level(double x) const
{
    // The count of levels whose smallest magnitude is at most x.
    const auto first = lowest_.begin() + 1;
    return static_cast<int>(std::upper_bound(first, lowest_.end(), x) - first);
}

BgrColor darkPaletteColor(int level)
{
    const int b = clampLevel(level);
    if (b <= 24)
        return bgrColor(0, 10 * b, 250 - 10 * b);
    if (b <= 49)
        return bgrColor(10 * b - 250, 500 - 10 * b, 0);
    if (b <= 74)
        return bgrColor(250, 10 * b - 500, 0);
    return bgrColor(250, 250, 10 * b - 750);
}

BgrColor lightPaletteColor(int level)
{
    const int b = clampLevel(level);
    if (b <= 24)
        return bgrColor(250 - 10 * b, 250, 250 - 10 * b);
    if (b <= 49)
        return bgrColor(10 * b - 250, 500 - 10 * b, 0);
    if (b <= 74)
        return bgrColor(250, 10 * b - 500, 0);
    return bgrColor(1000 - 10 * b, 1000 - 10 * b, 0);
}

BgrColor paletteColor(bool whiteBackground, int level)
{
    return whiteBackground ? lightPaletteColor(level) : darkPaletteColor(level);
}

BgrColor levelColor(bool whiteBackground, double x, double gain, BgrColor background)
{
    const int level = spectrogramLevel(gain, x);
    return level == 0 ? background : paletteColor(whiteBackground, level);
}

int indicatorLevel(double x)
{
    if (x < 0.01)
        return 0;
    return clampLevel(roundEven(20 * std::log(x) + 50));
}

BgrColor indicatorPaletteColor(int level)
{
    const int b = clampLevel(level);
    if (b <= 24)
        return bgrColor(75 - 3 * b, 200, 75 - 3 * b);
    if (b <= 49)
        return bgrColor(8 * b - 200, 200, 0);
    if (b <= 74)
        return bgrColor(200, 600 - 8 * b, 0);
    return bgrColor(8 * (100 - b), 0, 10 * (100 - b));
}

BgrColor indicatorColor(double x)
{
    return indicatorPaletteColor(indicatorLevel(x));
}

BgrColor formantBackground(std::int32_t y, const FormantZoneRows& zoneRows)
{
    static constexpr BgrColor kZoneColors[4] = {0xE00000, 0xD00000, 0xE02020, 0xD04040};
    for (std::size_t zone = 0; zone < 4; ++zone) {
        const std::int32_t lowRow = zoneRows[2 * zone];
        const std::int32_t highRow = zoneRows[2 * zone + 1];
        if (y < lowRow && y > highRow)
            return kZoneColors[zone];
    }
    return kColorBlueBackground;
}

BgrColor levelZeroColor(bool whiteBackground, bool formants, std::int32_t y, const FormantZoneRows& zoneRows)
{
    if (whiteBackground)
        return kColorWhiteBackground;
    return formants ? formantBackground(y, zoneRows) : kColorBlueBackground;
}

double formantSmoothed(const AnalysisState& state, std::int32_t row, std::int32_t bin)
{
    return smoothedBin(state.energyTable[static_cast<std::size_t>(row)], bin);
}

void formantSmoothedRow(const FixedArray<double, kSpectrumBins>& row, FixedArray<double, kSpectrumBins>& out)
{
    for (std::int32_t bin = 0; bin < kSpectrumBins; ++bin)
        out[static_cast<std::size_t>(bin)] = smoothedBin(row, bin);
}

std::size_t colorToDbIndex(BgrColor color)
{
    return static_cast<std::size_t>(redOf(color) / 10 * 729 + greenOf(color) / 10 * 27 + blueOf(color) / 10);
}

} // namespace tiravel
