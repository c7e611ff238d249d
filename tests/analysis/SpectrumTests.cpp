// The short-time spectrum: bin limits, the transform against a direct DFT,
// the low-frequency attenuation and the energy sums.
#include "analysis/Spectrum.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <random>

namespace tiravel {
namespace {

using test::FreshEngine;

// Magnitudes 0.02 |X[k]| of the windowed frame by a direct DFT.
std::vector<double> directMagnitudes(const AnalysisState& state, int offset)
{
    std::vector<double> out(513);
    for (int k = 0; k <= 512; ++k) {
        std::complex<double> sum;
        for (int n = 0; n < 1024; ++n) {
            const double x = state.soundBuffer[std::min(n + offset, kMaxSoundSamples)] / 1024 * state.fftWindow[n];
            sum += x * std::polar(1.0, -2 * std::numbers::pi * k * n / 1024);
        }
        out[k] = 0.02 * std::abs(sum);
    }
    return out;
}

TEST(Spectrum, BinLimitsAt22050Hz)
{
    FreshEngine e;
    EXPECT_EQ(e.state.sampleRate, 22050);
    EXPECT_DOUBLE_EQ(e.state.binWidth, 21.533203125);
    EXPECT_EQ(e.state.energyLowBin, 4);
    EXPECT_EQ(e.state.energyBandHighBin, 42);
    EXPECT_EQ(e.state.bin50Hz, 2);
    EXPECT_EQ(e.state.highLimitBin, 60);
}

TEST(Spectrum, WindowIsBlackmanWithZeroExtraPoint)
{
    FreshEngine e;
    for (int i : {0, 100, 512, 900, 1023}) {
        const double expected = 0.42 - 0.5 * std::cos(2 * std::numbers::pi * i / 1024)
            + 0.08 * std::cos(4 * std::numbers::pi * i / 1024);
        EXPECT_NEAR(e.state.fftWindow[i], expected, 1e-12) << i;
    }
    EXPECT_EQ(e.state.fftWindow[1024], 0.0);
}

TEST(Spectrum, MatchesDirectTransformWithLowBinsAttenuated)
{
    FreshEngine e;
    std::mt19937 random(7);
    std::uniform_real_distribution<double> noise(-50, 50);
    for (int i = 0; i < 3000; ++i)
        e.state.soundBuffer[i] = noise(random);
    e.engine.ComputeFFT(500);
    const std::vector<double> direct = directMagnitudes(e.state, 500);
    EXPECT_EQ(e.state.spectrum[0], 0.0);
    for (int k = 1; k <= 512; ++k) {
        const double attenuation = k <= 4 ? std::pow(k / 4.0, 4) : 1.0;
        ASSERT_NEAR(e.state.spectrum[k], direct[k] * attenuation, 1e-12 + 1e-9 * direct[k]) << "bin " << k;
        ASSERT_EQ(e.state.energyTable[0][k], e.state.spectrum[k]);
    }
}

TEST(Spectrum, EnergySumsAndRowZero)
{
    FreshEngine e;
    for (int i = 0; i < 1024; ++i)
        e.state.soundBuffer[i] = 30 * std::sin(2 * std::numbers::pi * 300 * i / 22050.0);
    e.engine.ComputeFFT(0);
    double total = 0, band = 0;
    for (int k = 4; k <= 512; ++k) {
        total += e.state.spectrum[k];
        if (k < 42)
            band += e.state.spectrum[k];
    }
    EXPECT_NEAR(e.state.energyTotal, total, 1e-12);
    EXPECT_NEAR(e.state.bandEnergy, band, 1e-12);
    EXPECT_EQ(e.state.energyTable[0][0], e.state.energyTotal);
}

TEST(Spectrum, SilenceGivesZeroSpectrumAndEnergies)
{
    FreshEngine e;
    e.engine.ComputeFFT(0);
    for (int k = 0; k <= 512; ++k)
        ASSERT_EQ(e.state.spectrum[k], 0.0);
    EXPECT_EQ(e.state.energyTotal, 0.0);
    EXPECT_EQ(e.state.bandEnergy, 0.0);
}

TEST(Spectrum, FullScaleSineOnABinPeaksNearTwoPointSevenFive)
{
    FreshEngine e;
    const int bin = 20;
    for (int i = 0; i < 1024; ++i)
        e.state.soundBuffer[i] = 32767.0 / 50 * std::sin(2 * std::numbers::pi * bin * i / 1024);
    e.engine.ComputeFFT(0);
    EXPECT_NEAR(e.state.spectrum[bin], 0.02 * 655.34 * 0.42 / 2, 0.01);
}

TEST(Spectrum, FrameNearTheEndRepeatsTheLastSample)
{
    FreshEngine e;
    e.state.soundBuffer[kMaxSoundSamples] = 10.0;
    e.state.soundBuffer[kMaxSoundSamples - 1] = 10.0;
    e.engine.ComputeFFT(kMaxSoundSamples - 1);
    // Every position reads 10.0: the frame is a constant, whose spectrum
    // is the window's own low-frequency shape.
    for (int i = 0; i < 1024; ++i)
        e.state.soundBuffer[i] = 10.0;
    const std::vector<double> constant = directMagnitudes(e.state, 0);
    for (int k = 5; k <= 512; ++k)
        ASSERT_NEAR(e.state.spectrum[k], constant[k], 1e-12) << k;
    EXPECT_GT(e.state.spectrum[4], 0.0);
}

} // namespace
} // namespace tiravel
