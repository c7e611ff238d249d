// Analysis of a recorded sound: the frame table, window sizes, attack
// markers, the per-frame results and the five indicators over a span.
#include "analysis/SoundAnalysis.h"
#include "audio/SyntheticVoice.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace tiravel {
namespace {

using test::FreshEngine;

void loadSamples(AnalysisState& state, const std::vector<std::int16_t>& samples)
{
    for (std::size_t i = 0; i < samples.size() && i < kMaxSoundSamples; ++i)
        state.soundBuffer[i + 1] = samples[i] / 500.0;
    state.soundLength = static_cast<std::int32_t>(std::min<std::size_t>(samples.size(), kMaxSoundSamples));
}

struct TableCase {
    std::int32_t soundLength;
    std::int32_t frames;
    std::int32_t step;
};

TEST(EnergyTable, FrameCountAndStep)
{
    for (const TableCase& c : {TableCase{5, 0, 10}, TableCase{9999, 999, 10}, TableCase{22050, 1000, 22},
             TableCase{220500, 1000, 220}}) {
        FreshEngine e;
        for (int i = 0; i < c.soundLength + 1100; ++i)
            e.state.soundBuffer[i] = std::sin(i * 0.3) * (1 + i % 7);
        e.state.soundLength = c.soundLength;
        NoProgress progress;
        e.engine.ComputeEnergyTable(progress);
        ASSERT_EQ(e.state.energyFrameCount, c.frames) << c.soundLength;
        // Row p is the spectrum of the frame starting at p x step.
        const int p = c.frames / 2;
        const auto row = e.state.energyTable[p];
        e.engine.ComputeFFT(p * c.step);
        for (int k = 0; k <= 512; ++k)
            ASSERT_EQ(row[k], e.state.energyTable[0][k]) << c.soundLength << " bin " << k;
    }
}

TEST(EnergyTable, RowZeroIsTheLastFrameAndTheAverageIsDividedByTheFrameCount)
{
    FreshEngine e;
    loadSamples(e.state, synthesizeVoice(VoiceSpec{}));
    e.state.averageSlot = 5;
    NoProgress progress;
    e.engine.ComputeEnergyTable(progress);
    const int frames = e.state.energyFrameCount;
    for (int k = 0; k <= 512; ++k)
        ASSERT_EQ(e.state.energyTable[0][k], e.state.energyTable[frames][k]);
    // frames + 1 spectra summed (the first, at offset 0, is no longer in row 0).
    double sum = 0;
    for (int p = 1; p <= frames; ++p)
        sum += e.state.energyTable[p][100];
    e.engine.ComputeFFT(0);
    sum += e.state.spectrum[100];
    EXPECT_NEAR(e.state.averageSpectrum[5][100], sum / frames, 1e-15);
}

TEST(EnergyTable, VeryShortSoundKeepsOneUndividedFrame)
{
    FreshEngine e;
    for (int i = 0; i < 1024; ++i)
        e.state.soundBuffer[i] = 20 * std::sin(i * 0.1);
    e.state.soundLength = 9;
    NoProgress progress;
    e.engine.ComputeEnergyTable(progress);
    EXPECT_EQ(e.state.energyFrameCount, 0);
    for (int k = 0; k <= 512; ++k)
        ASSERT_EQ(e.state.averageSpectrum[0][k], e.state.energyTable[0][k]);
}

TEST(SoundAnalysis, WindowSizesFollowTheDuration)
{
    struct Case {
        std::int32_t soundLength;
        std::int32_t f0SmoothCount;
        std::int32_t levelJumpOffset;
    };
    for (const Case& c : {Case{44100, 62, 12}, Case{22050, 125, 25}, Case{2205, 250, 50}, Case{500000, 6, 2}, Case{1000000, 5, 2},
             Case{110250, 25, 5}}) {
        auto state = std::make_unique<AnalysisState>();
        state->soundLength = c.soundLength;
        SetWindowSizesForDuration(*state);
        EXPECT_EQ(state->f0SmoothCount, c.f0SmoothCount) << c.soundLength;
        EXPECT_EQ(state->levelJumpOffset, c.levelJumpOffset) << c.soundLength;
    }
}

struct AnalysedVoice {
    explicit AnalysedVoice(const VoiceSpec& spec)
    {
        loadSamples(e.state, synthesizeVoice(spec));
        SetWindowSizesForDuration(e.state);
        NoProgress progress;
        e.engine.ComputeEnergyTable(progress);
        AnalyseSoundFrames(e.engine);
    }
    FreshEngine e;
};

TEST(SoundAnalysis, AttackAfterSilenceSetsTheMarkersAndZeroesWhatComesBefore)
{
    VoiceSpec spec;
    spec.leadingSilenceSeconds = 0.5;
    spec.seconds = 2.0;
    AnalysedVoice v(spec);
    const AnalysisState& s = v.e.state;
    ASSERT_TRUE(s.attackFound);
    ASSERT_EQ(s.energyFrameCount, 1000);
    // 2.5 s in 1000 frames: the voice starts at frame 200 and a 1024-sample
    // frame reaches it from frame 182 on; 0.1 s is 40 frames.
    EXPECT_GE(s.markerFrames[0], 182);
    EXPECT_LE(s.markerFrames[0], 200);
    EXPECT_EQ(s.markerFrames[1], s.markerFrames[0] + 3 * 40);
    EXPECT_EQ(s.markerFrames[2], s.markerFrames[0] + 13 * 40);
    for (int k = 1; k <= s.markerFrames[0]; ++k)
        ASSERT_EQ(s.frameF0[k] + s.frameEnergy[k] + s.frameNoiseRatio[k], 0.0) << k;
    for (int k = s.markerFrames[0] + 20; k <= 990; ++k)
        ASSERT_NEAR(s.frameF0[k], 200, 2) << k;
    EXPECT_NEAR(s.selectionMeanF0, 200, 2);
    EXPECT_GT(s.soundMeanDb, 10.0);
}

TEST(SoundAnalysis, SilenceFindsNoAttackAndNoVoicedFrame)
{
    FreshEngine e;
    e.state.soundLength = 22050;
    NoProgress progress;
    e.engine.ComputeEnergyTable(progress);
    AnalyseSoundFrames(e.engine);
    EXPECT_FALSE(e.state.attackFound);
    EXPECT_EQ(e.state.markerFrames[0], 0);
    for (int k = 1; k <= 1000; ++k)
        ASSERT_EQ(e.state.frameF0[k], 0.0);
    EXPECT_EQ(e.state.selectionMeanF0, 0.0);
}

TEST(SoundAnalysis, SpikeCorrectionReplacesAnIsolatedJump)
{
    AnalysedVoice v(VoiceSpec{});
    EXPECT_EQ(v.e.state.f0SpikeCount, 0) << "a steady voice has no spike";

    auto statePtr = std::make_unique<AnalysisState>();
    AnalysisState& s = *statePtr;
    s.energyFrameCount = 1000;
    s.selectionMeanF0 = 200;
    for (int k = 1; k <= 1000; ++k)
        s.frameF0[k] = 200;
    s.frameF0[500] = 400;              // a spike
    s.frameF0[700] = s.frameF0[701] = 260; // two frames in a row are no spike
    s.frameF0[300] = 300;
    s.frameF0[302] = 0;                // a spike next to an unvoiced frame stays
    s.frameF0[999] = 400;              // too near the end
    CorrectF0Spikes(s);
    EXPECT_EQ(s.f0SpikeCount, 1);
    EXPECT_EQ(s.frameF0[500], 200.0);
    EXPECT_EQ(s.frameF0[700], 260.0);
    EXPECT_EQ(s.frameF0[300], 300.0);
    EXPECT_EQ(s.frameF0[999], 400.0);
}

TEST(Indicators, SpanLimitsAreChecked)
{
    auto statePtr = std::make_unique<AnalysisState>();
    AnalysisState& s = *statePtr;
    s.soundLength = 22050;
    s.energyFrameCount = 1000;
    s.noiseSignalRatio = 7;
    s.pitchInstability = 3;
    for (auto [first, last] : {std::pair{0, 500}, std::pair{1000, 1000}, std::pair{1, 1001}, std::pair{5, 0}}) {
        ComputeIndicators(s, first, last);
        EXPECT_EQ(s.noiseSignalRatio, 7) << first << ".." << last;
        EXPECT_EQ(s.pitchInstability, 3) << first << ".." << last;
    }
}

// A prepared track: frames 1..1000 voiced at a constant F0 and energy, over
// one second of sound.
std::unique_ptr<AnalysisState> steadyTrack(double f0 = 200, double energy = 5)
{
    auto statePtr = std::make_unique<AnalysisState>();
    AnalysisState& s = *statePtr;
    s.soundLength = 22050;
    s.energyFrameCount = 1000;
    for (int k = 1; k <= 1000; ++k) {
        s.frameF0[k] = f0;
        s.frameEnergy[k] = energy;
        s.frameHarmonicPoverty[k] = 0.5;
        s.frameNoiseRatio[k] = 0.2;
    }
    return statePtr;
}

TEST(Indicators, SteadyVoiceIsStable)
{
    auto track = steadyTrack();
    AnalysisState& s = *track;
    ComputeIndicators(s, 1, 1000);
    EXPECT_EQ(s.pitchInstability, 0.0);
    EXPECT_EQ(s.amplitudeInstability, 0.0);
    EXPECT_NEAR(s.noiseSignalRatio, 0.2, 1e-12);
    EXPECT_NEAR(s.harmonicPoverty, 0.5, 1e-12);
    EXPECT_EQ(s.selectionMeanF0, 200.0);
    EXPECT_EQ(s.selectionMeanEnergy, 5.0);
    EXPECT_EQ(s.selectionLength, 1000);
}

TEST(Indicators, ShortSpansKeepNoiseAndPoverty)
{
    auto track = steadyTrack();
    AnalysisState& s = *track;
    s.noiseSignalRatio = 9;
    s.harmonicPoverty = 8;
    s.pitchInstability = 4;
    ComputeIndicators(s, 100, 110); // 11 frames with N = 25: no instability term
    EXPECT_EQ(s.pitchInstability, 0.0);
    EXPECT_EQ(s.amplitudeInstability, 0.0);
    EXPECT_DOUBLE_EQ(s.noiseSignalRatio, 0.2);
    s.noiseSignalRatio = 9;
    ComputeIndicators(s, 100, 109); // 10 frames: noise and poverty unchanged
    EXPECT_EQ(s.noiseSignalRatio, 9.0);
    EXPECT_EQ(s.harmonicPoverty, 0.5);
}

TEST(Indicators, UnvoicedSpanHasPovertyOne)
{
    auto track = steadyTrack(0, 0);
    AnalysisState& s = *track;
    ComputeIndicators(s, 1, 500);
    EXPECT_EQ(s.harmonicPoverty, 1.0);
    EXPECT_EQ(s.pitchInstability, 0.0);
}

TEST(Indicators, OneZeroInEveryWindowGivesNoTerm)
{
    auto track = steadyTrack();
    AnalysisState& s = *track;
    for (int k = 1; k <= 1000; k += 20)
        s.frameF0[k] = 0;
    for (int k = 1; k <= 1000; ++k)
        s.frameF0[k] = s.frameF0[k] == 0 ? 0 : 200 + (k % 2) * 10;
    ComputeIndicators(s, 1, 1000);
    EXPECT_EQ(s.pitchInstability, 0.0);
}

TEST(Indicators, WobblyPitchAndLevelAreUnstable)
{
    auto track = steadyTrack();
    AnalysisState& s = *track;
    for (int k = 1; k <= 1000; ++k) {
        s.frameF0[k] = 200 + 20 * std::sin(k * 0.4);
        s.frameEnergy[k] = 5 + 2 * std::sin(k * 0.7);
    }
    ComputeIndicators(s, 1, 1000);
    EXPECT_GT(s.pitchInstability, 1.0);
    EXPECT_GT(s.amplitudeInstability, 1.0);
    EXPECT_LE(s.pitchInstability, 100.0);
    EXPECT_LE(s.amplitudeInstability, 100.0);
}

TEST(Indicators, CappedAtOneHundred)
{
    auto track = steadyTrack();
    AnalysisState& s = *track;
    for (int k = 1; k <= 1000; ++k) {
        s.frameF0[k] = k % 2 ? 100 : 900;
        s.frameNoiseRatio[k] = 500;
        s.frameHarmonicPoverty[k] = 500;
    }
    ComputeIndicators(s, 1, 1000);
    EXPECT_EQ(s.pitchInstability, 100.0);
    EXPECT_EQ(s.noiseSignalRatio, 100.0);
    EXPECT_EQ(s.harmonicPoverty, 100.0);
}

TEST(AttackAlteration, FromTheAttackWindow)
{
    auto track = steadyTrack();
    AnalysisState& s = *track;
    ComputeAttackAlteration(s, 100);
    // Stable attack: e = 1 - 0 contributes 0.3 x 0.75, noise 0.2 contributes 0.3 x 0.2 x 0.75.
    EXPECT_NEAR(s.attackAlteration, 0.75 * (0.3 * 1 + 0.3 * 0.2), 1e-12);
    EXPECT_EQ(s.selectionLength, 301) << "0.3 s of 1000 frames over one second";

    for (int k = 1; k <= 1000; ++k)
        s.frameEnergy[k] = 5 + 3 * std::sin(k * 0.7);
    ComputeAttackAlteration(s, 100);
    ASSERT_GT(s.amplitudeInstability, 1.0);
    EXPECT_NEAR(s.attackAlteration, 0.75 * (0.4 * s.pitchInstability + 0.3 * s.noiseSignalRatio), 1e-12)
        << "an amplitude instability above 1 contributes nothing";

    auto empty = std::make_unique<AnalysisState>();
    empty->attackAlteration = 4;
    ComputeAttackAlteration(*empty, 10);
    EXPECT_EQ(empty->attackAlteration, 4.0) << "no sound: nothing is done";
}

} // namespace
} // namespace tiravel
