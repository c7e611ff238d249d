#pragma once

#include "AnalysisState.h"
#include "IndicatorValues.h"
#include "platform/ErrorReporter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tiravel {

// Per-frame results of one analysis frame.
struct FrameResult {
    double f0 = 0, energy = 0, harmonicPoverty = 0, noiseRatio = 0, subharmonic = 0;
};

// What the headless analyser reports of one sound file.
struct FileAnalysis {
    std::string file;
    std::int32_t loadStatus = 0;
    bool loaded = false;  // loadStatus 0 and at least one sample
    std::int32_t soundLength = 0;
    std::int32_t energyFrameCount = 0;
    std::int32_t f0SmoothCount = 0;
    std::int32_t levelJumpOffset = 0;
    std::int32_t markerFrames[3] = {0, 0, 0};
    bool attackFound = false;
    double selectionMeanF0 = 0;
    double soundMeanDb = 0;
    std::int32_t f0SpikeCount = 0;
    IndicatorValues indicators;  // whole sound; attackAlteration from the attack window
    IndicatorValues oneSecond;   // between markerFrames[1] and markerFrames[2] (no attack value)
    std::vector<FrameResult> frames; // frames 1..energyFrameCount, when asked for
};

// Analyses one WAV file as the evaluation screen does on loading, from a
// start-up state: read, window sizes, frame table, frame analysis, attack
// alteration, the whole-sound indicators, then the one-second indicators.
// `state` is reset to its start-up values first; it is large, so callers
// keep one and reuse it.
FileAnalysis analyseSoundFile(AnalysisState& state, const std::string& path, bool withFrames, ErrorReporter& errors);

// One line of JSON (no newline) with the analyser's fixed keys; numbers are
// printed with 17 significant digits.
std::string toJson(const FileAnalysis& analysis, bool withFrames);

} // namespace tiravel
