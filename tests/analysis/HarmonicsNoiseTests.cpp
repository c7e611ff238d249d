// Noise-to-signal and harmonic poverty of a frame, the octave correction and
// the three-frame rule of recordings.
#include "analysis/HarmonicsNoise.h"
#include "analysis/PeakTools.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

namespace tiravel {
namespace {

using test::FreshEngine;

void fillVoice(AnalysisState& state, double f0, int harmonics, double noise = 0.0, unsigned seed = 3)
{
    std::mt19937 random(seed);
    std::normal_distribution<double> gauss(0, 1);
    for (int i = 0; i < 1024; ++i) {
        double v = 0;
        for (int h = 1; h <= harmonics; ++h)
            v += 20.0 / h * std::sin(2 * std::numbers::pi * f0 * h * i / 22050.0 + 0.7 * h);
        state.soundBuffer[i] = v + noise * gauss(random);
    }
}

void analyseFrame(FreshEngine& e, bool live)
{
    std::int32_t maxCn;
    double energy;
    e.engine.ComputeFFT(0);
    e.engine.GetPeakFFT(maxCn, energy);
    e.engine.ComputePeakEnergy();
    e.engine.ComputeNoiseAndHarmonics(live);
}

TEST(HarmonicsNoise, RichVoiceIsRicherAndCleanerThanANoisyOne)
{
    FreshEngine clean, noisy;
    fillVoice(clean.state, 200, 20);
    fillVoice(noisy.state, 200, 20, 8.0);
    analyseFrame(clean, true);
    analyseFrame(noisy, true);
    EXPECT_NEAR(clean.state.localF0, 200, 2);
    EXPECT_LT(clean.state.harmonicPoverty, 1.0);
    EXPECT_GT(clean.state.noiseSignalRatio, 0.0);
    EXPECT_GT(noisy.state.noiseSignalRatio, 3 * clean.state.noiseSignalRatio);
    EXPECT_GT(noisy.state.harmonicPoverty, clean.state.harmonicPoverty);
}

TEST(HarmonicsNoise, PureToneHasNoHarmonics)
{
    FreshEngine e;
    fillVoice(e.state, 200, 1);
    analyseFrame(e, true);
    EXPECT_EQ(e.state.harmonicPoverty, 1.0);
    EXPECT_GT(e.state.noiseSignalRatio, 0.0) << "only leakage in the valleys and harmonic windows";
    EXPECT_NEAR(e.state.localF0, 200, 2) << "a pure tone is not octave-corrected";
}

TEST(HarmonicsNoise, F0OutsideTheRangeLeavesEveryResultUnchanged)
{
    FreshEngine e;
    fillVoice(e.state, 200, 10);
    analyseFrame(e, true);
    const double noise = e.state.noiseSignalRatio;
    const double poverty = e.state.harmonicPoverty;
    const auto levels = e.state.harmonicLevel;
    const auto present = e.state.harmonicPresent;
    for (double f : {84.0, 951.0, 0.0}) {
        e.state.localF0 = f;
        e.engine.ComputeNoiseAndHarmonics(true);
        EXPECT_EQ(e.state.noiseSignalRatio, noise) << f;
        EXPECT_EQ(e.state.harmonicPoverty, poverty) << f;
        for (int k = 1; k <= 512; ++k) {
            ASSERT_EQ(e.state.harmonicLevel[k], levels[k]);
            for (int frame = 0; frame < 3; ++frame)
                ASSERT_EQ(e.state.harmonicPresent[frame][k], present[frame][k]);
        }
        EXPECT_EQ(e.state.localF0, f);
    }
}

TEST(HarmonicsNoise, OctaveCorrectionMovesF0ToHalfTheSecondHarmonic)
{
    FreshEngine e;
    fillVoice(e.state, 200, 12);
    analyseFrame(e, true);
    // An F0 estimate 5 % off: the second harmonic lies within 10 % of 2F and
    // is strong, so F0 moves to half its refined frequency.
    e.state.localF0 = 190;
    e.engine.ComputeNoiseAndHarmonics(true);
    EXPECT_NEAR(e.state.localF0, 200, 2);
}

TEST(HarmonicsNoise, SilenceDoesNotDriftTheF0)
{
    FreshEngine e;
    analyseFrame(e, true);
    EXPECT_EQ(e.state.localF0, 150.0);
    EXPECT_EQ(e.state.harmonicPoverty, 1.0);
}

TEST(HarmonicsNoise, LowVoiceWeights)
{
    // Below 160 Hz the noise measure is reduced by (F/160)^2: at 100 Hz the
    // measure is 0.390625 x exp(2.5 + mean log ratio); compute that directly.
    FreshEngine e;
    fillVoice(e.state, 100, 30, 2.0);
    analyseFrame(e, true);
    const double f = e.state.localF0;
    ASSERT_NEAR(f, 100, 1);
    const auto& row = e.state.energyTable[0];
    const int nH = static_cast<int>(std::nearbyint(4500 / f));
    double sum = 0;
    int count = 0;
    for (int k = 2; k <= nH; ++k) {
        const int mid = static_cast<int>(std::nearbyint((2 * k + 1) * f / (2 * e.state.binWidth)));
        const int hb = static_cast<int>(std::nearbyint(k * f / e.state.binWidth));
        if (mid <= 19 || mid >= 232)
            continue;
        double valley = row[mid - 2], harmonic = 0;
        for (int j = mid - 2; j <= mid + 2; ++j)
            valley = std::min(valley, row[j]);
        for (int j = hb - 1; j <= hb + 1; ++j)
            harmonic = std::max(harmonic, row[j]);
        ++count;
        sum += std::log(valley / harmonic);
    }
    const double expected = (f / 160) * (f / 160) * std::exp(2.5 + sum / count);
    EXPECT_NEAR(e.state.noiseSignalRatio, expected, 0.02 * expected);
}

TEST(HarmonicsNoise, RecordingCountsAHarmonicOnlyInThreeFramesInARow)
{
    FreshEngine e;
    ClearHarmonicHistory(e.state);
    fillVoice(e.state, 200, 12);
    analyseFrame(e, false);
    EXPECT_EQ(e.state.harmonicPoverty, 1.0) << "first frame";
    analyseFrame(e, false);
    EXPECT_EQ(e.state.harmonicPoverty, 1.0) << "second frame";
    analyseFrame(e, false);
    EXPECT_LT(e.state.harmonicPoverty, 1.0) << "third frame";

    FreshEngine live;
    fillVoice(live.state, 200, 12);
    analyseFrame(live, true);
    EXPECT_DOUBLE_EQ(live.state.harmonicPoverty, e.state.harmonicPoverty);
}

TEST(HarmonicsNoise, PeakEnergyOverTheSearchBins)
{
    FreshEngine e;
    fillVoice(e.state, 300, 6);
    e.engine.ComputeFFT(0);
    e.state.bandEnergyMax = 0;
    e.engine.ComputePeakEnergy();
    double peak = 0, band = 0;
    for (int i = 4; i <= 44; ++i) {
        peak = std::max(peak, e.state.spectrum[i]);
        band += e.state.spectrum[i]; // 1000 Hz is bin 46, above the range
    }
    EXPECT_EQ(e.state.peakMagnitude, peak);
    EXPECT_NEAR(e.state.bandEnergy, band, 1e-12);
    EXPECT_EQ(e.state.bandEnergyMax, e.state.bandEnergy);
    e.state.spectrum.fill(0.0);
    e.engine.ComputePeakEnergy();
    EXPECT_NEAR(e.state.bandEnergyMax, band, 1e-12) << "the running maximum stays";
}

} // namespace
} // namespace tiravel
