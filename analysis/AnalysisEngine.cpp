#include "AnalysisEngine.h"

#include "F0Detection.h"
#include "HarmonicsNoise.h"
#include "PeakTools.h"

#include <algorithm>

namespace tiravel {

AnalysisEngine::AnalysisEngine(AnalysisState& state)
    : state_(state)
    , spectrum_(state)
{
}

void AnalysisEngine::FormCreate()
{
    spectrum_.FillWindow();
    spectrum_.AdjustSampleRate(22050);
    state_.f0SmoothCount = 25;
    ClearLocalF0(state_);
}

void AnalysisEngine::GetPeakFFT(std::int32_t& maxCn, double& myEnergy)
{
    tiravel::GetPeakFFT(state_, maxCn, myEnergy);
}

void AnalysisEngine::ComputePeakEnergy()
{
    tiravel::ComputePeakEnergy(state_);
}

void AnalysisEngine::ComputeNoiseAndHarmonics(bool live)
{
    tiravel::ComputeNoiseAndHarmonics(state_, live);
}

void AnalysisEngine::ComputeEnergyTable(ProgressSink& progress)
{
    for (auto& row : state_.energyTable)
        row.fill(0.0);
    auto& average = state_.averageSpectrum[std::clamp(state_.averageSlot, 0, kAverageSlots - 1)];
    average.fill(0.0);

    const std::int32_t step = std::max(10, state_.soundLength / 1000);
    const std::int32_t frames = std::min(kMaxFrames, state_.soundLength / step);
    state_.energyFrameCount = frames;
    for (std::int32_t p = 0; p <= frames; ++p) {
        spectrum_.ComputeFFT(p * step);
        const auto& row0 = state_.energyTable[0];
        state_.energyTable[p] = row0;
        for (int k = 0; k < kSpectrumBins; ++k)
            average[k] += row0[k];
    }
    if (frames >= 1) {
        for (int k = 0; k < kSpectrumBins; ++k)
            average[k] /= frames;
    }
    progress.processMessages();
}

} // namespace tiravel
