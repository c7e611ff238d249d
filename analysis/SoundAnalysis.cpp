#include "SoundAnalysis.h"

#include "F0Detection.h"
#include "HarmonicsNoise.h"
#include "PeakTools.h"

#include <algorithm>
#include <cmath>

namespace tiravel {

namespace {

// Frames in `seconds` of the analysed sound, 0 when no sound is held.
std::int32_t framesIn(const AnalysisState& state, double seconds)
{
    if (state.soundLength < 1)
        return 0;
    return roundEven(state.energyFrameCount * seconds * state.sampleRate / state.soundLength);
}

// Entry of a per-frame array, 0 outside its 1001 entries: the indicator
// windows can reach past the end of a long span.
double entry(const FrameArray& values, std::int64_t i)
{
    return i >= 0 && i < kEnergyRows ? values[static_cast<std::size_t>(i)] : 0.0;
}

// Mean of values[from..from+count-1] when all of them are non-zero.
bool meanOfNonZeroRun(const FrameArray& values, std::int64_t from, std::int64_t count, double& mean)
{
    double sum = 0;
    for (std::int64_t j = from; j < from + count; ++j) {
        const double v = entry(values, j);
        if (v == 0)
            return false;
        sum += v;
    }
    mean = sum / count;
    return true;
}

double meanOfNonZero(const FrameArray& values, std::int64_t from, std::int64_t to)
{
    double sum = 0;
    int count = 0;
    for (std::int64_t i = std::max<std::int64_t>(from, 0); i <= to; ++i) {
        const double v = entry(values, i);
        if (v != 0) {
            sum += v;
            ++count;
        }
    }
    return count > 0 ? sum / count : 0;
}

double rootSumSquares(double a, double b)
{
    return std::sqrt(a * a + b * b);
}

// Energy weight of a term: 0 far below the mean energy, growing above it.
double energyWeight(double e, double meanEnergy)
{
    return e <= meanEnergy - 40 ? 0.0 : (e - meanEnergy) / 40 + 1;
}

double amplitudeInstabilityOf(const AnalysisState& state, std::int32_t n, std::int32_t c, double meanEnergy)
{
    const auto& e = state.selectionEnergy;
    const std::int64_t span = state.f0SmoothCount;
    const std::int64_t jump = state.levelJumpOffset;
    double sum = 0;
    int count = 0;
    for (std::int64_t i = c; i <= n - span - 1 - c; ++i) {
        double level;
        if (!meanOfNonZeroRun(e, i, span, level))
            continue;
        const double ei = entry(e, i);
        const double d = rootSumSquares(ei - meanEnergy, entry(e, i + span) - meanEnergy);
        const double j = std::fabs(ei - entry(e, i + jump)) / level * energyWeight(ei, meanEnergy);
        sum += d + j;
        ++count;
    }
    return count > 0 ? std::min(100.0, 9 * sum / count) : 0.0;
}

double pitchInstabilityOf(const AnalysisState& state, std::int32_t n, double meanEnergy)
{
    const auto& f = state.selectionF0;
    const std::int64_t span = state.f0SmoothCount;
    double sum = 0;
    int count = 0;
    for (std::int64_t i = 1; i <= n - span - 1; ++i) {
        double level;
        if (!meanOfNonZeroRun(f, i, span, level))
            continue;
        const double d = rootSumSquares(entry(f, i) - level, entry(f, i + span) - level);
        sum += d * energyWeight(entry(state.selectionEnergy, i), meanEnergy);
        ++count;
    }
    return count > 0 ? std::min(100.0, 0.35 * sum / count) : 0.0;
}

// Attack: ten frames in a row whose F0 peak energy exceeds 0.006.
struct AttackDetector {
    int run = 0;
    void frame(AnalysisState& state, std::int32_t k, double peakEnergy, std::int32_t framesPerTenth)
    {
        if (peakEnergy > 0.006 * state.peakSensitivity && !state.attackFound)
            ++run;
        else
            run = 0;
        if (run == 10) {
            state.attackFound = true;
            state.markerFrames[0] = k - 8;
            state.markerFrames[1] = k - 8 + 3 * framesPerTenth;
            state.markerFrames[2] = k - 8 + 13 * framesPerTenth;
        }
    }
};

void clearFrameResults(AnalysisState& state)
{
    for (FrameArray* a : {&state.frameF0, &state.frameEnergy, &state.frameHarmonicPoverty,
             &state.frameNoiseRatio, &state.frameSubharmonic, &state.selectionF0,
             &state.selectionEnergy, &state.selectionHarmonicPoverty, &state.selectionNoiseRatio})
        a->fill(0.0);
    state.markerFrames[0] = 0;
    state.markerFrames[1] = 0;
    state.attackFound = false;
    state.bandEnergyMax = 0;
    ClearHarmonicHistory(state);
}

void zeroFrame(AnalysisState& state, std::int32_t k)
{
    state.frameF0[k] = 0;
    state.frameEnergy[k] = 0;
    state.frameHarmonicPoverty[k] = 0;
    state.frameNoiseRatio[k] = 0;
    state.frameSubharmonic[k] = 0;
}

} // namespace

void SetWindowSizesForDuration(AnalysisState& state)
{
    const double d = static_cast<double>(state.soundLength) / state.sampleRate;
    state.levelJumpOffset = static_cast<std::int32_t>(std::clamp(std::nearbyint(25 / d), 2.0, 50.0));
    state.f0SmoothCount = static_cast<std::int32_t>(std::clamp(std::nearbyint(125 / d), 5.0, 250.0));
}

void AnalyseSoundFrames(AnalysisEngine& engine)
{
    AnalysisState& state = engine.state();
    clearFrameResults(state);
    const std::int32_t step = std::max(10, state.soundLength / 1000);
    state.energyFrameCount = std::min(kMaxFrames, state.soundLength / step);
    const std::int32_t framesPerTenth = framesIn(state, 0.1);

    AttackDetector attack;
    double sumF0 = 0;
    double sumDb = 0;
    int voiced = 0;
    for (std::int32_t k = 1; k <= state.energyFrameCount; ++k) {
        std::int32_t maxCn;
        double myEnergy;
        engine.ComputeFFT(k * step);
        engine.GetPeakFFT(maxCn, myEnergy);
        engine.ComputePeakEnergy();
        engine.ComputeNoiseAndHarmonics(false);
        attack.frame(state, k, myEnergy, framesPerTenth);

        const bool isVoiced = myEnergy > 0.002 * state.peakSensitivity && state.bandEnergy > 0.02
            && state.localF0 > 0;
        if (!isVoiced) {
            zeroFrame(state, k);
            continue;
        }
        state.frameF0[k] = state.localF0;
        state.frameEnergy[k] = state.energyTotal;
        state.frameHarmonicPoverty[k] = state.harmonicPoverty;
        state.frameNoiseRatio[k] = state.noiseSignalRatio;
        state.frameSubharmonic[k] = state.subharmonicIndex;
        sumF0 += state.localF0;
        sumDb += state.localDb;
        ++voiced;
    }
    // Everything before the attack is ignored by the indicators.
    for (std::int32_t k = 1; k <= std::min(state.markerFrames[0], kMaxFrames); ++k)
        zeroFrame(state, k);
    if (voiced > 0) {
        state.soundMeanDb = sumDb / voiced;
        state.selectionMeanF0 = sumF0 / voiced;
    }
    if (state.selectionMeanF0 > 0 && state.f0SpikeCorrection)
        CorrectF0Spikes(state);
}

void CorrectF0Spikes(AnalysisState& state)
{
    auto& f = state.frameF0;
    const double mean = state.selectionMeanF0;
    state.f0SpikeCount = 0;
    for (std::int32_t l = 2; l <= state.energyFrameCount - 2; ++l) {
        const double d1 = std::fabs(f[l - 1] - f[l]) / mean;
        const double d2 = std::fabs(f[l + 1] - f[l]) / mean;
        const double d3 = std::fabs(f[l - 1] - f[l + 1]) / mean;
        if (!(d3 < 0.05 && d1 > 0.25 && d2 > 0.25))
            continue;
        bool allAboveFloor = true;
        for (std::int32_t j = l - 2; j <= l + 2; ++j)
            allAboveFloor = allAboveFloor && f[j] > state.f0MinHz;
        if (allAboveFloor) {
            f[l] = (f[l - 1] + f[l + 1]) / 2;
            ++state.f0SpikeCount;
        }
    }
}

void ComputeIndicators(AnalysisState& state, std::int32_t first, std::int32_t last)
{
    if (first < 1 || first > 999 || last < 1 || last > 1000)
        return;
    state.pitchInstability = 0;
    state.amplitudeInstability = 0;
    state.selectionMeanF0 = 0;
    state.selectionMeanEnergy = 0;
    const std::int32_t n = last - first + 1;
    state.selectionLength = n;
    double subharmonics = 0;
    for (std::int32_t i = 1; i <= n; ++i) {
        const std::int32_t frame = first + i - 1;
        state.selectionF0[i] = state.frameF0[frame];
        state.selectionEnergy[i] = state.frameEnergy[frame];
        state.selectionHarmonicPoverty[i] = state.frameHarmonicPoverty[frame];
        state.selectionNoiseRatio[i] = state.frameNoiseRatio[frame];
        subharmonics += state.frameSubharmonic[frame];
    }
    const std::int32_t c = framesIn(state, 0.1);
    if (n <= 10)
        return;

    state.selectionMeanF0 = meanOfNonZero(state.selectionF0, 1, n);
    const double meanEnergy = meanOfNonZero(state.selectionEnergy, c, n - c);
    state.selectionMeanEnergy = meanEnergy;

    double noiseSum = 0;
    double povertySum = 0;
    int voiced = 0;
    for (std::int32_t i = 1; i <= n; ++i) {
        noiseSum += state.selectionNoiseRatio[i];
        if (state.selectionF0[i] != 0) {
            povertySum += state.selectionHarmonicPoverty[i];
            ++voiced;
        }
    }
    state.noiseSignalRatio = std::min(100.0, noiseSum / n + subharmonics);
    state.harmonicPoverty = std::min(100.0, voiced > 0 ? povertySum / voiced : 1.0);
    state.amplitudeInstability = amplitudeInstabilityOf(state, n, c, meanEnergy);
    state.pitchInstability = pitchInstabilityOf(state, n, meanEnergy);
}

void ComputeAttackAlteration(AnalysisState& state, std::int32_t attackFrame)
{
    if (state.soundLength < 1)
        return;
    const std::int32_t c3 = framesIn(state, 0.3);
    ComputeIndicators(state, attackFrame, std::min(attackFrame + c3, kMaxFrames));
    const double e = state.amplitudeInstability <= 1 ? 1 - state.amplitudeInstability : 0.0;
    state.attackAlteration = 0.75 * (0.4 * state.pitchInstability + 0.3 * e + 0.3 * state.noiseSignalRatio);
}

} // namespace tiravel
