#include "F0Detection.h"

#include "PeakTools.h"
#include "Spectrum.h"

#include <algorithm>
#include <cmath>

namespace tiravel {

namespace {

// Dominance factor a later peak must exceed to take over: 5.5 when the
// candidate's octave is itself a peak within 10 %, else 3.5; unchanged when
// no peak stands at the octave.
void octaveCheck(const AnalysisState& state, double f, double& factor)
{
    const std::int32_t b = binOf(state, 2 * f);
    for (std::int32_t bin : {b, b - 1, b + 1}) {
        if (!isSpectralPeak(state, bin))
            continue;
        double energy;
        const double f2 = refinePeak(state, bin, energy);
        factor = std::fabs(2 * f - f2) / f2 < 0.1 ? 5.5 : 3.5;
        return;
    }
}

// Sum of the energy ratios of peaks standing at half-integer multiples of F0.
double subharmonicMeasure(const AnalysisState& state, double f0)
{
    if (f0 <= 140)
        return 0;
    const double v = f0 / 20000;
    double k = 1.5;
    while (k * f0 < 350)
        k += 1;
    double index = 0;
    for (; k * f0 < 1500; k += 1) {
        const std::int32_t hb = binOf(state, k * f0);
        const std::int32_t mb = binOf(state, (k - 0.5) * f0);
        const double below = state.spectrum[mb];
        if (below > 0 && isSpectralPeak(state, hb) && state.spectrum[hb] > below / 10)
            index += std::sqrt(state.spectrum[hb] / below) * v;
    }
    return index;
}

} // namespace

void GetPeakFFT(AnalysisState& state, std::int32_t& maxCn, double& myEnergy)
{
    myEnergy = 0;
    maxCn = 0;
    state.peakCount = 0;
    double candidate = state.f0MinHz - 1;
    double factor = 3.5;
    const std::int32_t lo = binOf(state, state.f0MinHz);
    const std::int32_t hi = binOf(state, state.f0MaxHz);
    ComputePeakEnergy(state);

    const auto& s = state.spectrum;
    for (std::int32_t i = lo; i <= hi; ++i) {
        if (!isSpectralPeak(state, i))
            continue;
        ++state.peakCount;
        if (maxCn == 0) {
            maxCn = i;
            candidate = refinePeak(state, i, myEnergy);
            octaveCheck(state, candidate, factor);
        } else if (s[i] > factor * s[maxCn]) {
            const double f = refinePeak(state, i, myEnergy);
            const bool harmonicOfCandidate = isHarmonicOf(state, candidate, f)
                && s[i] > 0.004 * state.peakSensitivity;
            if (!harmonicOfCandidate) {
                maxCn = i;
                candidate = f;
                octaveCheck(state, f, factor);
            }
        } else {
            const double f = refinePeak(state, i, myEnergy);
            if (isHarmonicOf(state, candidate, f))
                factor += 1; // each harmonic found makes a take-over harder
        }
    }

    const int m = std::min(kF0HistorySize, state.f0SmoothCount);
    for (int n = m; n >= 2; --n)
        state.oldF0s[n - 1] = state.oldF0s[n - 2];
    state.oldF0s[0] = state.localF0;
    state.oldDb = state.localDb;

    state.localF0 = refinePeak(state, maxCn, myEnergy);
    state.localEnergy = myEnergy;
    state.localDb = toDecibel(myEnergy);
    state.localCn = maxCn;

    double sum = 0;
    for (int n = 0; n < m; ++n)
        sum += state.oldF0s[n];
    state.f0Mean = state.f0SmoothCount > 0 ? sum / state.f0SmoothCount : 0;
    state.peakBin = maxCn;
    state.subharmonicIndex = subharmonicMeasure(state, state.localF0);
}

double GetPeakEnergyInF0Band(const AnalysisState& state)
{
    const std::int32_t lo = std::max(binOf(state, state.f0MinHz), 0);
    const std::int32_t hi = std::min(binOf(state, state.f0MaxHz), 1024);
    double peak = 0;
    for (std::int32_t i = lo; i <= hi; ++i)
        peak = std::max(peak, state.spectrum[i]);
    return peak;
}

void ClearLocalF0(AnalysisState& state)
{
    state.localF0 = 0;
    state.localCn = 0;
    const int m = std::min(kF0HistorySize, state.f0SmoothCount);
    for (int n = 0; n < m; ++n)
        state.oldF0s[n] = 0;
}

} // namespace tiravel
