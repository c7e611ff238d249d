#include "HarmonicsNoise.h"

#include "PeakTools.h"
#include "Spectrum.h"

#include <algorithm>
#include <cmath>

namespace tiravel {

namespace {

// Octave correction at the second harmonic: localF0 moves to half the refined
// second-harmonic frequency when that peak exists, lies within 10 % of 2F,
// and the fundamental's bin is not stronger than 1.5 times its energy.
void correctOctave(AnalysisState& state, double f, std::int32_t secondHarmonicBin)
{
    double e2;
    const double f2 = refinePeak(state, secondHarmonicBin, e2);
    if (e2 <= 0 || std::fabs(f2 - 2 * f) >= 0.2 * f)
        return;
    if (state.energyTable[0][binOf(state, f)] / 1.5 > e2)
        return;
    state.localF0 = f2 / 2;
}

void computeNoise(AnalysisState& state)
{
    const double oldF = state.localF0;
    const std::int32_t nH = roundEven(4500 / oldF);
    const std::int32_t b400 = binOf(state, 400);
    const std::int32_t b5000 = binOf(state, 5000);
    const double weight = oldF < 160 ? (oldF / 160) * (oldF / 160) : 1.0;
    const auto& e = state.energyTable[0];
    int count = 0;
    double sum = 0;
    for (std::int32_t k = 2; k <= nH; ++k) {
        const double f = state.localF0; // the corrected F0 from k = 3 on
        const std::int32_t mid = roundEven((k * f + (k + 1) * f) / (2 * state.binWidth));
        const std::int32_t hb = roundEven(k * f / state.binWidth);
        if (k == 2)
            correctOctave(state, f, hb);
        if (!(b400 < mid && mid < b5000))
            continue;
        ++count;
        double valley = e[mid - 2];
        for (std::int32_t j = mid - 1; j <= mid + 2; ++j)
            valley = std::min(valley, e[j]);
        const double harmonic = std::max({e[hb - 1], e[hb], e[hb + 1]});
        if (harmonic > 0 && valley > 0)
            sum += std::log(valley / harmonic);
    }
    state.noiseSignalRatio = count > 0 ? weight * std::exp(2.5 + sum / count) : 0;
}

// Harmonic k counted at bin b: its weighted level, or 0 when too weak.
double addHarmonic(AnalysisState& state, bool live, std::int32_t k, std::int32_t b, double scale, double fw)
{
    const auto& e = state.energyTable[0];
    double a = 0;
    const bool present = e[b] > 1e-7 && state.peakMagnitude > 1e-5;
    if (present)
        a = std::sqrt(e[b] / state.peakMagnitude) * scale * fw;
    state.harmonicPresent[0][k] = present;
    state.harmonicLevel[b] = a;
    const bool counts = live ? present
                             : present && state.harmonicPresent[1][k] && state.harmonicPresent[2][k];
    return counts ? a : 0;
}

void computeHarmonics(AnalysisState& state, bool live)
{
    auto& present = state.harmonicPresent;
    for (int k = 1; k <= 512; ++k) {
        present[2][k] = present[1][k];
        present[1][k] = present[0][k];
        present[0][k] = false;
        state.harmonicLevel[k] = 0;
    }
    const double f = state.localF0;
    if (f <= 0)
        return;
    const double scale = f / 160;
    const std::int32_t b1500 = binOf(state, 1500);
    const std::int32_t b4500 = binOf(state, 4500);
    const double weight2 = f < 160 ? (160 / f) * (160 / f) : 1.0;
    double hsum = 0;
    std::int32_t bin = 0;
    for (std::int32_t k = 2; bin < b4500 && k <= 512; ++k) {
        bin = roundEven(k * f / state.binWidth);
        const double fw = bin <= b1500 ? std::sqrt(static_cast<double>(bin) / b1500)
                                       : bin * weight2 / b1500;
        if (bin <= 1 || bin >= 512)
            continue;
        for (std::int32_t b : {bin, bin + 1, bin - 1}) {
            if (isHarmonicPeak(state, b)) {
                hsum += addHarmonic(state, live, k, b, scale, fw);
                break;
            }
        }
    }
    state.harmonicPoverty = hsum > 0 ? 4 / hsum : 1.0;
}

} // namespace

void ComputeNoiseAndHarmonics(AnalysisState& state, bool live)
{
    const double f = state.localF0;
    if (f < state.f0MinHz || f > state.f0MaxHz || f <= 0)
        return;
    computeNoise(state);
    computeHarmonics(state, live);
}

void ClearHarmonicHistory(AnalysisState& state)
{
    for (int k = 1; k <= 512; ++k) {
        state.harmonicLevel[k] = 0;
        for (auto& frame : state.harmonicPresent)
            frame[k] = false;
    }
}

} // namespace tiravel
