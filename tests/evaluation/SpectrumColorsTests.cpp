// The colours of the spectrum screen and the scales of its indicator views:
// heat palettes, level and indicator colours, formant backgrounds and
// smoothing, gauge levels and thresholds, the indicator curves' values.
#include "evaluation/IndicatorScale.h"
#include "evaluation/SpectrogramGeometry.h"
#include "evaluation/SpectrumColors.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

namespace tiravel {
namespace {

struct Rgb {
    int r, g, b;
};

void expectColor(BgrColor color, Rgb rgb)
{
    EXPECT_EQ(redOf(color), rgb.r);
    EXPECT_EQ(greenOf(color), rgb.g);
    EXPECT_EQ(blueOf(color), rgb.b);
}

struct PaletteCase {
    int level;
    Rgb dark;
    Rgb light;
    Rgb indicator;
};

// Both ends of every band of the three palettes, and levels out of range.
const PaletteCase kPaletteCases[] = {
    {-5, {0, 0, 250}, {250, 250, 250}, {75, 200, 75}},
    {0, {0, 0, 250}, {250, 250, 250}, {75, 200, 75}},
    {24, {0, 240, 10}, {10, 250, 10}, {3, 200, 3}},
    {25, {0, 250, 0}, {0, 250, 0}, {0, 200, 0}},
    {49, {240, 10, 0}, {240, 10, 0}, {192, 200, 0}},
    {50, {250, 0, 0}, {250, 0, 0}, {200, 200, 0}},
    {74, {250, 240, 0}, {250, 240, 0}, {200, 8, 0}},
    {75, {250, 250, 0}, {250, 250, 0}, {200, 0, 250}},
    {100, {250, 250, 250}, {0, 0, 0}, {0, 0, 0}},
    {130, {250, 250, 250}, {0, 0, 0}, {0, 0, 0}},
};

TEST(SpectrumPalettes, BandEdges)
{
    for (const PaletteCase& c : kPaletteCases) {
        SCOPED_TRACE(c.level);
        expectColor(darkPaletteColor(c.level), c.dark);
        expectColor(lightPaletteColor(c.level), c.light);
        expectColor(indicatorPaletteColor(c.level), c.indicator);
    }
}

TEST(SpectrumPalettes, ColoursAreBlueGreenRedFromTheHighByte)
{
    EXPECT_EQ(bgrColor(0x11, 0x22, 0x33), 0x332211u);
    EXPECT_EQ(darkPaletteColor(0), 0xFA0000u);
    EXPECT_EQ(colorToDbIndex(0xFFFFFF), 25u * 729 + 25 * 27 + 25);
    EXPECT_EQ(colorToDbIndex(kColorRed), 25u * 729);
    EXPECT_EQ(colorToDbIndex(bgrColor(19, 20, 9)), 1u * 729 + 2 * 27 + 0);
    EXPECT_LT(colorToDbIndex(0xFFFFFF), kColorToDbSize);
}

struct LevelCase {
    double gain;
    double x;
    int level;
};

// Gain positions 0 (500) and 5 (16000); 20 ln(g x) below 0.5 is level 0.
const LevelCase kLevelCases[] = {
    {500, 0.0, 0},
    {500, 0.001, 0},
    {500, 1.0 / 500, 0},
    {500, std::exp(0.49 / 20) / 500, 0},
    {500, std::exp(0.51 / 20) / 500, 1},
    {500, 0.01, 32},
    {500, 1.0, 100},
    {16000, 0.0, 0},
    {16000, 0.001, 55},
    {16000, 0.00001, 0},
    {16000, 0.0001, 9},
    {2000, 0.01, 60},
};

TEST(SpectrumLevels, LevelOfAMagnitudeAtEachGain)
{
    for (const LevelCase& c : kLevelCases) {
        SCOPED_TRACE(testing::Message() << "gain " << c.gain << " x " << c.x);
        EXPECT_EQ(spectrogramLevel(c.gain, c.x), c.level);
    }
}

// The look-up table must give the rounded logarithm's level for every
// magnitude, including those next to a level boundary.
TEST(SpectrumLevels, LevelScaleAgreesWithTheLogarithmEverywhere)
{
    for (double gain : {500.0, 1000.0, 2000.0, 4000.0, 8000.0, 16000.0}) {
        SCOPED_TRACE(gain);
        const LevelScale scale(gain);
        for (double x = 1e-7; x < 10; x *= 1.0007)
            ASSERT_EQ(scale.level(x), spectrogramLevel(gain, x)) << x;
        for (int level = 1; level <= 100; ++level) {
            const double boundary = std::exp((level - 0.5) / 20) / gain;
            for (double x = std::nextafter(boundary, 0.0), n = 0; n < 6; x = std::nextafter(x, 1.0), ++n)
                ASSERT_EQ(scale.level(x), spectrogramLevel(gain, x)) << x;
        }
        EXPECT_EQ(scale.level(0.0), 0);
        EXPECT_EQ(scale.level(-1.0), 0);
        EXPECT_EQ(scale.level(1e9), 100);
    }
    EXPECT_EQ(LevelScale().level(1.0), 0);
}

TEST(SpectrumLevels, LevelZeroTakesTheBackgroundOtherwiseThePalette)
{
    const BgrColor background = 0x123456;
    EXPECT_EQ(levelColor(false, 0.001, 500, background), background);
    EXPECT_EQ(levelColor(true, 0.001, 500, background), background);
    EXPECT_EQ(levelColor(false, 0.001, 16000, background), darkPaletteColor(55));
    EXPECT_EQ(levelColor(true, 0.001, 16000, background), lightPaletteColor(55));
    EXPECT_EQ(levelColor(false, 5.0, 16000, background), darkPaletteColor(100));
}

TEST(SpectrumLevels, IndicatorColourPutsTheThresholdAtLevelFifty)
{
    const struct {
        double x;
        int level;
    } cases[] = {{0.0, 0}, {0.0099, 0}, {0.01, 0}, {std::exp(-1.0), 30}, {1.0, 50}, {std::exp(1.0), 70}, {10.0, 96},
        {100.0, 100}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(indicatorLevel(c.x), c.level);
        EXPECT_EQ(indicatorColor(c.x), indicatorPaletteColor(c.level));
    }
    expectColor(indicatorColor(1.0), {200, 200, 0});
}

TEST(FormantBackground, ZonesByRowWithStrictLimits)
{
    // F1 rows 400..300, F2 300..200, F3 200..150, F4 150..100 (low limit first).
    const FormantZoneRows rows = {400, 300, 300, 200, 200, 150, 150, 100};
    const struct {
        int y;
        BgrColor color;
    } cases[] = {{401, 0xFF0000}, {400, 0xFF0000}, {399, 0xE00000}, {301, 0xE00000}, {300, 0xFF0000},
        {250, 0xD00000}, {175, 0xE02020}, {120, 0xD04040}, {100, 0xFF0000}, {20, 0xFF0000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.y);
        EXPECT_EQ(formantBackground(c.y, rows), c.color);
        EXPECT_EQ(levelZeroColor(false, true, c.y, rows), c.color);
        EXPECT_EQ(levelZeroColor(false, false, c.y, rows), kColorBlueBackground);
        EXPECT_EQ(levelZeroColor(true, true, c.y, rows), kColorWhiteBackground);
    }
}

TEST(FormantSmoothing, SumsTwentyBinsClampedToTheSpectrum)
{
    test::FreshEngine fresh;
    auto& row = fresh.state.energyTable[3];
    for (std::size_t k = 0; k < kSpectrumBins; ++k)
        row[k] = static_cast<double>(k);
    // Bins 91..110; at the bottom bins -9..1 all read bin 1; at the top
    // 512..522 all read bin 512.
    EXPECT_DOUBLE_EQ(formantSmoothed(fresh.state, 3, 100), 2.0 * 2010 / 10);
    EXPECT_DOUBLE_EQ(formantSmoothed(fresh.state, 3, 0), 2.0 * (11 + 54) / 10);
    EXPECT_DOUBLE_EQ(formantSmoothed(fresh.state, 3, 512), 2.0 * (9 * 507 + 11 * 512) / 10);

    FixedArray<double, kSpectrumBins> smoothed;
    formantSmoothedRow(row, smoothed);
    for (std::int32_t bin = 0; bin < kSpectrumBins; ++bin)
        ASSERT_DOUBLE_EQ(smoothed[static_cast<std::size_t>(bin)], formantSmoothed(fresh.state, 3, bin)) << bin;
}

TEST(IndicatorGauges, LevelsAndBarTops)
{
    const struct {
        double value;
        int level;
        int barTop; // in a 130-pixel gauge
    } cases[] = {{0.0, 0, 120}, {0.05, 0, 120}, {0.1, 0, 120}, {1.0, 5, 70}, {10.0, 9, 22}, {1000.0, 18, 10}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(gaugeLevel(c.value), c.level);
        EXPECT_EQ(gaugeBarTop(c.value, 130), c.barTop);
    }
}

TEST(IndicatorGauges, ThresholdsRiseWithAgeOnlyWhenAskedAndAboveSixtyFive)
{
    const struct {
        bool adjusted;
        int age;
        double low, high;
    } cases[] = {{false, 70, 0.8, 1.5}, {true, 70, 0.9, 1.6}, {true, 65, 0.8, 1.5}, {true, 40, 0.8, 1.5},
        {true, 0, 0.8, 1.5}, {true, 90, 1.3, 2.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.adjusted << " age " << c.age);
        const GaugeThresholds t = gaugeThresholds(c.adjusted, c.age);
        EXPECT_NEAR(t.low, c.low, 1e-12);
        EXPECT_NEAR(t.high, c.high, 1e-12);
    }
}

TEST(IndicatorGauges, JudgementColourAgainstThresholds)
{
    const GaugeThresholds standard = gaugeThresholds(false, 0);
    const GaugeThresholds aged = gaugeThresholds(true, 70);
    const struct {
        double value;
        BgrColor standardColor, agedColor;
    } cases[] = {{0.0, kColorGreen, kColorGreen}, {0.8, kColorGreen, kColorGreen}, {0.85, kColorOrange, kColorGreen},
        {1.5, kColorOrange, kColorOrange}, {1.55, kColorRed, kColorOrange}, {1.7, kColorRed, kColorRed}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(gaugeColor(c.value, standard), c.standardColor);
        EXPECT_EQ(gaugeColor(c.value, aged), c.agedColor);
    }
}

TEST(IndicatorCurves, RowsOnTheLogScale)
{
    EXPECT_EQ(indicatorTraceRow(1.0, 100), 100);
    EXPECT_EQ(indicatorTraceRow(10.0, 100), 54);
    EXPECT_EQ(indicatorTraceRow(0.01, 100), 192);
    EXPECT_LT(indicatorTraceRow(1000.0, 100), 1);
}

class IndicatorCurveValues : public testing::Test {
protected:
    IndicatorCurveValues()
    {
        state.energyFrameCount = 200;
        state.f0SmoothCount = 25;
        for (std::size_t k = 1; k <= 200; ++k) {
            state.frameF0[k] = 200;
            state.frameEnergy[k] = 4;
            state.frameNoiseRatio[k] = 0.3 * static_cast<double>(k % 3);
            state.frameHarmonicPoverty[k] = 2.5;
        }
    }
    test::FreshEngine fresh;
    AnalysisState& state = fresh.state;
};

TEST_F(IndicatorCurveValues, ASteadyVoiceHasNoPitchOrAmplitudeInstability)
{
    EXPECT_EQ(indicatorCurveValue(state, IndicatorCurve::PitchInstability, 10), 0.0);
    EXPECT_EQ(indicatorCurveValue(state, IndicatorCurve::AmplitudeInstability, 10), 0.0);
}

TEST_F(IndicatorCurveValues, PitchDistanceFromTheLocalMean)
{
    // Frames 10..39 alternate 190 and 210 Hz around a mean of 200 (30 frames
    // = N + 5): every distance is sqrt(10^2 + 10^2).
    for (std::size_t k = 10; k < 40; ++k)
        state.frameF0[k] = k % 2 == 0 ? 190 : 210;
    EXPECT_NEAR(indicatorCurveValue(state, IndicatorCurve::PitchInstability, 10), 0.35 * std::sqrt(200.0), 1e-9);
    // An unvoiced frame inside the window gives no value.
    state.frameF0[30] = 0;
    EXPECT_EQ(indicatorCurveValue(state, IndicatorCurve::PitchInstability, 10), 0.0);
    // Nor does a window reaching the last frame.
    EXPECT_EQ(indicatorCurveValue(state, IndicatorCurve::PitchInstability, 170), 0.0);
}

TEST_F(IndicatorCurveValues, AmplitudeAddsTheLevelJumpOfTheSelectionCopy)
{
    state.selectionEnergy[20] = 6;
    state.selectionEnergy[21] = 5;
    // A steady level: only the jump |6 - 5| / 4, counted five times.
    EXPECT_NEAR(indicatorCurveValue(state, IndicatorCurve::AmplitudeInstability, 20), 9.0 / 5 * 5 * 0.25, 1e-12);
}

TEST_F(IndicatorCurveValues, NoiseAndHarmonicsAreMeansOfThreeVoicedFrames)
{
    EXPECT_NEAR(indicatorCurveValue(state, IndicatorCurve::NoiseSignal, 4), (0.3 + 0.6 + 0.0) / 3, 1e-12);
    EXPECT_DOUBLE_EQ(indicatorCurveValue(state, IndicatorCurve::HarmonicPoverty, 4), 2.5);
    state.frameF0[6] = 0;
    EXPECT_EQ(indicatorCurveValue(state, IndicatorCurve::NoiseSignal, 4), 0.0);
    EXPECT_EQ(indicatorCurveValue(state, IndicatorCurve::HarmonicPoverty, 5), 0.0);
    EXPECT_DOUBLE_EQ(indicatorCurveValue(state, IndicatorCurve::HarmonicPoverty, 7), 2.5);
}

TEST(SpectrumGeometry, GridStepsAndFixedWidthNumbers)
{
    const struct {
        int maxHz, step;
    } grids[] = {{500, 100}, {1000, 100}, {1001, 500}, {2500, 500}, {5000, 500}, {5001, 1000}, {10000, 1000}};
    for (const auto& g : grids)
        EXPECT_EQ(gridStepHz(g.maxHz), g.step) << g.maxHz;
    const struct {
        int ms, step;
    } times[] = {{0, 100}, {999, 100}, {1000, 250}, {1999, 250}, {2000, 500}, {4999, 500}, {5000, 1000}};
    for (const auto& t : times)
        EXPECT_EQ(timeGridStepMs(t.ms), t.step) << t.ms;

    EXPECT_EQ(fixedText(220.4, 4, 0), " 220");
    EXPECT_EQ(fixedText(0.125, 4, 2), "0.12");
    EXPECT_EQ(fixedText(12345.0, 4, 0), "12345");
    EXPECT_EQ(fixedText(2.5, 5, 2), " 2.50");
    EXPECT_EQ(fixedText(7, 2, 0), " 7");
}

TEST(SpectrumGeometry, MousePositionsOnAStoredSpectrogram)
{
    const SpectrogramAxes axes {1000, 400, 0, 2500, 22050};
    EXPECT_EQ(frameOfX(0, 1000, 500), 1);
    EXPECT_EQ(frameOfX(500, 1000, 500), 250);
    EXPECT_EQ(frameOfX(1200, 1000, 500), 500);
    EXPECT_EQ(frameOfX(10, 1000, 0), 1);
    EXPECT_DOUBLE_EQ(frequencyOfY(400, axes), 0.0);
    EXPECT_DOUBLE_EQ(frequencyOfY(0, axes), 2500.0);
    EXPECT_EQ(binOfY(200, axes), 58); // 1250 Hz / 21.53 Hz
    EXPECT_EQ(sampleOfX(250, 1000, 44100), 11025);
    EXPECT_EQ(xOfFrame(250, 1000, 500), 500);
    // 0..10000 Hz at 22050 Hz covers about 465 bins of the box.
    const SpectrogramAxes wide {1000, 465, 0, 10000, 22050};
    EXPECT_NEAR(wide.livePixelsPerBin(), 465.0 * 22050 / (10000.0 * 1024), 1e-12);
}

} // namespace
} // namespace tiravel
