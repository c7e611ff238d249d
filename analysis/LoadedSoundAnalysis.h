#pragma once

#include "AnalysisEngine.h"
#include "platform/ProgressSink.h"

namespace tiravel {

// The analysis of a sound just read into soundBuffer[1..soundLength], in the
// order of the evaluation screen, in two halves so that a window can show
// its progress between them.
//
// First half: the duration's window sizes, the frame table of the sound and
// the per-frame analysis (per-frame results, markers, selectionMeanF0).
void analyseLoadedFrames(AnalysisEngine& engine, ProgressSink& progress);
// Second half, when there are frames: the attack alteration from the
// detected attack, then the whole-sound indicators.
void computeLoadedIndicators(AnalysisState& state);
// Both halves.
void analyseLoadedSound(AnalysisEngine& engine, ProgressSink& progress);

} // namespace tiravel
