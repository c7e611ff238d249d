#pragma once

#include "analysis/AnalysisState.h"
#include "platform/ErrorReporter.h"

#include <cstdint>
#include <string>

namespace tiravel {

// Name of the selection sound written in the working folder.
inline constexpr const char* kSelectionWavName = "out.wav";

// Writes soundBuffer[first .. last - 2] (last - first - 1 samples) as a
// 16-bit mono WAV file at sampleRate, each sample x 500 rounded and clamped
// to -32768..32767. Samples past the sound buffer are not written. False
// when the file cannot be created or is not written in full.
bool writeSelectionWav(const AnalysisState& state, std::int32_t first, std::int32_t last, const std::string& fileName,
    ErrorReporter& messages);

} // namespace tiravel
