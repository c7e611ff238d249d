#include "LoadedSoundAnalysis.h"

#include "SoundAnalysis.h"

namespace tiravel {

void analyseLoadedFrames(AnalysisEngine& engine, ProgressSink& progress)
{
    SetWindowSizesForDuration(engine.state());
    engine.ComputeEnergyTable(progress);
    AnalyseSoundFrames(engine);
}

void computeLoadedIndicators(AnalysisState& state)
{
    if (state.energyFrameCount <= 0)
        return;
    ComputeAttackAlteration(state, state.markerFrames[0]);
    ComputeIndicators(state, 1, state.energyFrameCount);
}

void analyseLoadedSound(AnalysisEngine& engine, ProgressSink& progress)
{
    analyseLoadedFrames(engine, progress);
    computeLoadedIndicators(engine.state());
}

} // namespace tiravel
