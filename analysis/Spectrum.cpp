#include "Spectrum.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tiravel {

std::int32_t roundEven(double x)
{
    return static_cast<std::int32_t>(std::nearbyint(x));
}

std::int32_t binOf(const AnalysisState& state, double frequencyHz)
{
    return roundEven(frequencyHz / state.binWidth);
}

namespace {

// Butterflies between a[0..n-1] and b[0..n-1] with the twiddles w[0..n-1]:
// t = w b; b = a - t; a = a + t. The halves never overlap.
void butterflies(double* __restrict aRe, double* __restrict aIm, double* __restrict bRe, double* __restrict bIm,
    const double* __restrict wRe, const double* __restrict wIm, int n)
{
    for (int j = 0; j < n; ++j) {
        const double tr = wRe[j] * bRe[j] - wIm[j] * bIm[j];
        const double ti = wRe[j] * bIm[j] + wIm[j] * bRe[j];
        bRe[j] = aRe[j] - tr;
        bIm[j] = aIm[j] - ti;
        aRe[j] += tr;
        aIm[j] += ti;
    }
}

} // namespace

Spectrum::Spectrum(AnalysisState& state)
    : state_(state)
{
    // Bit-reversal permutation, the classic j-loop, recorded once as swaps.
    int j = 0;
    for (int i = 0; i < kFrameLength - 1; ++i) {
        if (i < j) {
            swapPairs_[2 * swapPairCount_] = static_cast<std::uint16_t>(i);
            swapPairs_[2 * swapPairCount_ + 1] = static_cast<std::uint16_t>(j);
            ++swapPairCount_;
        }
        int k = kFrameLength / 2;
        while (k <= j) {
            j -= k;
            k /= 2;
        }
        j += k;
    }
    // Twiddles of each stage, by the same rotation recurrence the butterfly
    // loop would run, so the precomputed values are the recurrence's values.
    for (int halfSpan = 1; halfSpan < kFrameLength; halfSpan *= 2) {
        const double theta = std::numbers::pi / halfSpan;
        const double sr = std::cos(theta);
        const double si = -std::sin(theta);
        double wr = 1.0;
        double wi = 0.0;
        for (int group = 0; group < halfSpan; ++group) {
            twiddleRe_[halfSpan + group] = wr;
            twiddleIm_[halfSpan + group] = wi;
            const double nextRe = wr * sr - wi * si;
            wi = wr * si + wi * sr;
            wr = nextRe;
        }
    }
}

void Spectrum::AdjustSampleRate(std::uint16_t rate)
{
    state_.sampleRate = rate;
    state_.binWidth = rate / 1024.0;
    state_.highLimitBin = binOf(state_, state_.highLimitHz);
    state_.bin50Hz = binOf(state_, 50);
    state_.energyLowBin = binOf(state_, 90);
    state_.energyBandHighBin = binOf(state_, 900);
}

void Spectrum::FillWindow()
{
    for (int i = 0; i <= kFrameLength; ++i) {
        const double x = (i + 512) / 1024.0;
        state_.fftWindow[i] = 0.42 + 0.5 * std::cos(2 * std::numbers::pi * x)
            + 0.08 * std::cos(4 * std::numbers::pi * x);
    }
    state_.fftWindow[kFrameLength] = 0.0;
}

void Spectrum::transform(double* re, double* im) const
{
    for (int p = 0; p < swapPairCount_; ++p) {
        const int a = swapPairs_[2 * p];
        const int b = swapPairs_[2 * p + 1];
        std::swap(re[a], re[b]);
        std::swap(im[a], im[b]);
    }
    // First stage: the twiddle is exactly (1, 0), so the products are the
    // samples themselves.
    for (int i = 0; i < kFrameLength; i += 2) {
        const double tr = re[i + 1];
        const double ti = im[i + 1];
        re[i + 1] = re[i] - tr;
        im[i + 1] = im[i] - ti;
        re[i] += tr;
        im[i] += ti;
    }
    // Later stages, block by block so that the butterflies of one block run
    // over consecutive entries; each butterfly uses its group's twiddle.
    for (int halfSpan = 2; halfSpan < kFrameLength; halfSpan *= 2) {
        const double* wRe = twiddleRe_.data() + halfSpan;
        const double* wIm = twiddleIm_.data() + halfSpan;
        for (int block = 0; block < kFrameLength; block += 2 * halfSpan)
            butterflies(re + block, im + block, re + block + halfSpan, im + block + halfSpan, wRe, wIm, halfSpan);
    }
}

void Spectrum::ComputeFFT(std::int32_t soundOffset)
{
    std::array<double, kFrameLength + 1> re;
    std::array<double, kFrameLength + 1> im{};
    const double* samples = state_.soundBuffer.data();
    const double* window = state_.fftWindow.data();
    if (soundOffset >= 0 && soundOffset <= kMaxSoundSamples - kFrameLength) {
        for (int i = 0; i <= kFrameLength; ++i)
            re[i] = samples[soundOffset + i] / 1024 * window[i];
    } else {
        // Reads past the end of the buffer repeat its last sample.
        for (int i = 0; i <= kFrameLength; ++i) {
            const std::int64_t j = std::clamp<std::int64_t>(std::int64_t{i} + soundOffset, 0, kMaxSoundSamples);
            re[i] = samples[j] / 1024 * window[i];
        }
    }
    transform(re.data(), im.data());

    double* spectrum = state_.spectrum.data();
    for (int k = 0; k <= 512; ++k)
        spectrum[k] = 0.02 * std::sqrt(re[k] * re[k] + im[k] * im[k]);
    // Low-frequency attenuation: bin 0 becomes 0, bin energyLowBin is unchanged.
    const int lowBin = std::min(state_.energyLowBin, 512);
    spectrum[0] = 0.0;
    for (int k = 1; k <= lowBin; ++k) {
        const double ratio = static_cast<double>(k) / lowBin;
        spectrum[k] *= ratio * ratio * ratio * ratio;
    }
    auto& row0 = state_.energyTable[0];
    double total = 0;
    double band = 0;
    for (int k = 1; k <= 512; ++k) {
        row0[k] = spectrum[k];
        if (k >= lowBin) {
            total += spectrum[k];
            if (k < state_.energyBandHighBin)
                band += spectrum[k];
        }
    }
    state_.energyTotal = total;
    state_.bandEnergy = band;
    row0[0] = total;
}

} // namespace tiravel
