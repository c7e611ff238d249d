#include "PeakTools.h"

#include "Spectrum.h"

#include <algorithm>
#include <cmath>

namespace tiravel {

namespace {
constexpr double kNoPeakHz = 150.0;
}

double toDecibel(double x)
{
    return 20 * std::log10(std::max(std::fabs(x), 0.0001)) + 90;
}

bool isSpectralPeak(const AnalysisState& state, std::int32_t i)
{
    if (i <= 1 || i >= 1023)
        return false;
    const auto& s = state.spectrum;
    if (s[i - 1] > s[i] || s[i] < s[i + 1])
        return false;
    return s[i] > 0.002 * state.peakSensitivity;
}

double refinePeak(const AnalysisState& state, std::int32_t bin, double& energy)
{
    energy = 0;
    if (bin <= 2 || bin >= 510)
        return kNoPeakHz;
    const auto& e = state.energyTable[0];
    std::int32_t p = bin - 2;
    for (std::int32_t k = bin - 1; k <= bin + 2; ++k) {
        if (e[k] > e[p])
            p = k;
    }
    // The five-bin neighbourhood must stay inside bins 0..512.
    if (p - 2 < 0 || p + 2 > 512)
        return kNoPeakHz;
    const double a = e[p - 2], b = e[p - 1], c = e[p], d = e[p + 1], f = e[p + 2];
    if (c <= 0)
        return kNoPeakHz;
    energy = b + c + d;
    return (p + (d + f - a - b) / (2 * c)) * state.binWidth;
}

bool isHarmonicOf(const AnalysisState& state, double candidate, double f)
{
    if (candidate < state.f0MinHz)
        return false;
    static constexpr double kTolerance[8] = {0, 0, 0.05, 0.06, 0.07, 0.08, 0.08, 0.08};
    for (int k = 2; k <= 7; ++k) {
        if (std::fabs(f - k * candidate) / f < kTolerance[k])
            return true;
    }
    return false;
}

bool isHarmonicPeak(const AnalysisState& state, std::int32_t bin)
{
    if (bin < 4 || bin > 508)
        return false;
    const auto& s = state.spectrum;
    double localMin = s[bin - 3];
    for (std::int32_t k = bin - 2; k <= bin + 3; ++k)
        localMin = std::min(localMin, s[k]);
    if (s[bin] <= state.peakMagnitude / 60 || s[bin] <= 5 * localMin)
        return false;
    return !(s[bin - 1] > s[bin] || s[bin] < s[bin + 1]);
}

void ComputePeakEnergy(AnalysisState& state)
{
    state.peakMagnitude = 0;
    state.bandEnergy = 0;
    const std::int32_t lo = std::max(binOf(state, state.f0MinHz), 0);
    const std::int32_t hi = std::min(binOf(state, state.f0MaxHz), 512);
    const std::int32_t b1000 = binOf(state, 1000);
    for (std::int32_t i = lo; i <= hi; ++i) {
        const double v = state.spectrum[i];
        if (v > state.peakMagnitude)
            state.peakMagnitude = v;
        if (i < b1000)
            state.bandEnergy += v;
    }
    if (state.bandEnergy > state.bandEnergyMax)
        state.bandEnergyMax = state.bandEnergy;
}

} // namespace tiravel
