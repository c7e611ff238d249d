#pragma once

#include "AnalysisState.h"
#include "Spectrum.h"
#include "platform/ProgressSink.h"

#include <cstdint>

namespace tiravel {

// The per-frame analysis operations on the shared state, in one place for
// the dispatcher and the windows: spectrum, F0, levels, harmonics and noise,
// and the frame table of a recording.
class AnalysisEngine {
public:
    explicit AnalysisEngine(AnalysisState& state);

    AnalysisState& state() { return state_; }

    // What the analysis window does when it is created: the window table,
    // the 22050 Hz bin limits, f0SmoothCount 25 and an empty F0 history.
    void FormCreate();

    void AdjustSampleRate(std::uint16_t rate) { spectrum_.AdjustSampleRate(rate); }
    void ComputeFFT(std::int32_t soundOffset) { spectrum_.ComputeFFT(soundOffset); }
    void GetPeakFFT(std::int32_t& maxCn, double& myEnergy);
    void ComputePeakEnergy();
    void ComputeNoiseAndHarmonics(bool live);

    // Spectra of the whole of soundBuffer[0..soundLength-1] into energyTable
    // rows 0..energyFrameCount (frames spaced by max(10, soundLength / 1000)
    // samples, at most 1000) and the average spectrum into row averageSlot.
    void ComputeEnergyTable(ProgressSink& progress);

private:
    AnalysisState& state_;
    Spectrum spectrum_;
};

} // namespace tiravel
