// F0 detection in the spectrum: silence, harmonic voices, the dominance rule,
// the peak interpolation, the range limits and the history.
#include "analysis/F0Detection.h"
#include "analysis/PeakTools.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace tiravel {
namespace {

using test::FreshEngine;

// A frame of harmonics of f0 (amplitudes in calibrated units, harmonic 1 first).
void fillHarmonicFrame(AnalysisState& state, double f0, const std::vector<double>& amplitudes, double phase = 0.3)
{
    for (int i = 0; i < 1024; ++i) {
        double v = 0;
        for (std::size_t h = 0; h < amplitudes.size(); ++h)
            v += amplitudes[h] * std::sin(2 * std::numbers::pi * f0 * (h + 1) * i / 22050.0 + phase * (h + 1));
        state.soundBuffer[i] = v;
    }
}

struct Detected {
    std::int32_t maxCn;
    double energy;
};

Detected detect(FreshEngine& e)
{
    Detected d{};
    e.engine.ComputeFFT(0);
    e.engine.GetPeakFFT(d.maxCn, d.energy);
    return d;
}

TEST(F0Detection, SilenceFindsNoPeak)
{
    FreshEngine e;
    const Detected d = detect(e);
    EXPECT_EQ(d.maxCn, 0);
    EXPECT_EQ(d.energy, 0.0);
    EXPECT_EQ(e.state.localF0, 150.0);
    EXPECT_EQ(e.state.localEnergy, 0.0);
    EXPECT_DOUBLE_EQ(e.state.localDb, 10.0);
    EXPECT_EQ(e.state.peakCount, 0);
    EXPECT_EQ(e.state.subharmonicIndex, 0.0);
}

// A harmonic voice with known F0 comes out within 1 %.
class HarmonicVoice : public testing::TestWithParam<double> {};

TEST_P(HarmonicVoice, FindsTheFundamentalWithinOnePercent)
{
    FreshEngine e;
    const double f0 = GetParam();
    fillHarmonicFrame(e.state, f0, {20, 14, 10, 6, 4, 3, 2});
    const Detected d = detect(e);
    EXPECT_NEAR(e.state.localF0, f0, 0.01 * f0);
    EXPECT_EQ(d.maxCn, e.state.localCn);
    EXPECT_GT(e.state.localEnergy, 0.0);
    EXPECT_DOUBLE_EQ(e.state.localDb, toDecibel(e.state.localEnergy));
}

INSTANTIATE_TEST_SUITE_P(Voices, HarmonicVoice, testing::Values(110.0, 150.0, 200.0, 247.0, 330.0, 440.0, 600.0));

TEST(F0Detection, StrongSecondHarmonicDoesNotTakeOver)
{
    FreshEngine e;
    fillHarmonicFrame(e.state, 200, {10, 20, 5, 3});
    detect(e);
    EXPECT_NEAR(e.state.localF0, 200, 2);
    EXPECT_GE(e.state.peakCount, 2);
}

TEST(F0Detection, DominantLaterPeakThatIsNoHarmonicTakesOver)
{
    FreshEngine e;
    // A weak 150 Hz tone and a tone 20 times stronger at 520 Hz (not a multiple).
    fillHarmonicFrame(e.state, 150, {1});
    for (int i = 0; i < 1024; ++i)
        e.state.soundBuffer[i] += 20 * std::sin(2 * std::numbers::pi * 520 * i / 22050.0);
    detect(e);
    EXPECT_NEAR(e.state.localF0, 520, 5);
}

TEST(F0Detection, SearchStopsAtTheTopOfTheRange)
{
    FreshEngine e;
    e.state.f0MaxHz = 400;
    fillHarmonicFrame(e.state, 600, {20});
    const Detected d = detect(e);
    EXPECT_EQ(d.maxCn, 0);
    EXPECT_EQ(e.state.localF0, 150.0);

    // A peak exactly on bin hi (round(400 / binWidth) = 19) is examined.
    fillHarmonicFrame(e.state, 19 * e.state.binWidth, {20});
    EXPECT_EQ(detect(e).maxCn, 19);
}

TEST(F0Detection, SensitivityScalesThePeakThreshold)
{
    FreshEngine e;
    fillHarmonicFrame(e.state, 200, {0.02});
    e.engine.ComputeFFT(0);
    EXPECT_FALSE(isSpectralPeak(e.state, 9)) << "below 0.002";
    e.state.peakSensitivity = 0;
    EXPECT_TRUE(isSpectralPeak(e.state, 9));
    e.state.peakSensitivity = 0.001;
    EXPECT_TRUE(isSpectralPeak(e.state, 9));
}

TEST(F0Detection, RefinePeakCases)
{
    FreshEngine e;
    auto& row = e.state.energyTable[0];
    double energy = -1;

    // A flat neighbourhood: exactly the lowest bin of the plateau.
    for (int k = 28; k <= 36; ++k)
        row[k] = 1.0;
    EXPECT_EQ(refinePeak(e.state, 32, energy), 30 * e.state.binWidth);
    EXPECT_EQ(energy, 3.0);

    // Unusable bins give 150 Hz and no energy.
    for (int bin : {0, 2, 510, 600}) {
        EXPECT_EQ(refinePeak(e.state, bin, energy), 150.0) << bin;
        EXPECT_EQ(energy, 0.0);
    }
    row.fill(0.0);
    EXPECT_EQ(refinePeak(e.state, 100, energy), 150.0) << "zero peak";

    // Near the ends the neighbourhood would leave bins 0..512.
    row[1] = 5.0;
    EXPECT_EQ(refinePeak(e.state, 3, energy), 150.0);
    EXPECT_EQ(energy, 0.0);
    row[511] = 5.0;
    EXPECT_EQ(refinePeak(e.state, 509, energy), 150.0);
    EXPECT_EQ(energy, 0.0);

    // An asymmetric peak moves towards its stronger side.
    row.fill(0.0);
    row[49] = 0.5;
    row[50] = 1.0;
    row[51] = 0.8;
    const double f = refinePeak(e.state, 50, energy);
    EXPECT_DOUBLE_EQ(f, (50 + (0.8 - 0.5) / 2) * e.state.binWidth);
    EXPECT_DOUBLE_EQ(energy, 2.3);
}

TEST(F0Detection, HistoryAndMean)
{
    FreshEngine e;
    e.state.f0SmoothCount = 3;
    const double f0s[] = {200, 210, 220, 230};
    for (double f0 : f0s) {
        fillHarmonicFrame(e.state, f0, {20, 10, 5});
        detect(e);
    }
    EXPECT_NEAR(e.state.oldF0s[0], 220, 2.2);
    EXPECT_NEAR(e.state.oldF0s[1], 210, 2.1);
    EXPECT_NEAR(e.state.oldF0s[2], 200, 2.0);
    EXPECT_EQ(e.state.oldF0s[3], 0.0) << "only f0SmoothCount entries move";
    EXPECT_NEAR(e.state.f0Mean, (e.state.oldF0s[0] + e.state.oldF0s[1] + e.state.oldF0s[2]) / 3, 1e-9);
}

TEST(F0Detection, SubharmonicsOnlyAbove140Hz)
{
    FreshEngine e;
    // 120 Hz with energy at half-integer multiples: no measure below 140 Hz.
    fillHarmonicFrame(e.state, 60, {0, 20, 8, 20, 8, 20, 8, 20});
    detect(e);
    ASSERT_LE(e.state.localF0, 140);
    EXPECT_EQ(e.state.subharmonicIndex, 0.0);

    // 300 Hz with peaks at 1.5, 2.5, 3.5 x F0.
    fillHarmonicFrame(e.state, 150, {0, 20, 6, 20, 6, 20, 6, 20, 6, 20});
    detect(e);
    ASSERT_NEAR(e.state.localF0, 300, 3);
    EXPECT_GT(e.state.subharmonicIndex, 0.0);
}

TEST(F0Detection, ClearLocalF0EmptiesTheHistory)
{
    FreshEngine e;
    fillHarmonicFrame(e.state, 200, {20, 10});
    detect(e);
    detect(e);
    ClearLocalF0(e.state);
    EXPECT_EQ(e.state.localF0, 0.0);
    EXPECT_EQ(e.state.localCn, 0);
    for (int n = 0; n < 25; ++n)
        ASSERT_EQ(e.state.oldF0s[n], 0.0);
}

TEST(F0Detection, PeakEnergyInF0Band)
{
    FreshEngine e;
    fillHarmonicFrame(e.state, 200, {20, 10});
    e.engine.ComputeFFT(0);
    double peak = 0;
    for (int k = 4; k <= 44; ++k)
        peak = std::max(peak, e.state.spectrum[k]);
    EXPECT_EQ(GetPeakEnergyInF0Band(e.state), peak);
    e.state.f0MinHz = 900;
    e.state.f0MaxHz = 100;
    EXPECT_EQ(GetPeakEnergyInF0Band(e.state), 0.0) << "empty range";
}

} // namespace
} // namespace tiravel
