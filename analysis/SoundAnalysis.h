#pragma once

#include "AnalysisEngine.h"

#include <cstdint>

namespace tiravel {

// Analysis of a recorded sound held in soundBuffer: the per-frame results,
// the attack markers and the five voice indicators over a span of frames.

// Window sizes of the indicators scaled to the sound's duration d seconds:
// levelJumpOffset = clamp(round(25 / d), 2, 50) frames (about 0.025 s) and
// f0SmoothCount = clamp(round(125 / d), 5, 250) frames (about 0.125 s).
void SetWindowSizesForDuration(AnalysisState& state);

// Frame-by-frame analysis of soundBuffer: per-frame F0, energy, harmonic
// poverty, noise ratio and subharmonics of the voiced frames, attack
// detection and markerFrames, zeroing before the attack, soundMeanDb,
// selectionMeanF0 and the F0 spike correction.
void AnalyseSoundFrames(AnalysisEngine& engine);

// Replaces isolated F0 jumps of frameF0 (a frame more than 25 % of the mean
// F0 away from both neighbours, which agree within 5 %) by the neighbours'
// mean; counts them in f0SpikeCount. Part of AnalyseSoundFrames.
void CorrectF0Spikes(AnalysisState& state);

// The indicators over frames first..last (1 <= first <= 999, 1 <= last <=
// 1000, else nothing happens): selectionMeanF0, selectionMeanEnergy,
// noiseSignalRatio, harmonicPoverty, amplitudeInstability, pitchInstability.
void ComputeIndicators(AnalysisState& state, std::int32_t first, std::int32_t last);

// The indicators over the 0.3 s after attackFrame, and attackAlteration
// derived from them. The other indicators are left at the attack window's
// values.
void ComputeAttackAlteration(AnalysisState& state, std::int32_t attackFrame);

} // namespace tiravel
