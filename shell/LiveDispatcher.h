#pragma once

#include "analysis/AnalysisEngine.h"
#include "shell/LiveTools.h"

#include <cstdint>

namespace tiravel {

// toolMode values: which tool consumes live buffers.
enum ToolMode : std::uint8_t {
    kModeSpectrumRT = 1,
    kModeArticulation = 2,
    kModeProfil = 6,
    kModeTPM = 7,
    kModeReperes = 8,
    kModeHauteurTonale = 9,
    kModeTimbre = 10,
    kModeSouffle = 11,
};

// Feeds every captured buffer to the active tool: converts its first 1024
// samples into soundBuffer (calibrated, DC removed), runs the analysis steps
// the tool needs and calls the tool's real-time operation.
class LiveDispatcher {
public:
    explicit LiveDispatcher(AnalysisEngine& engine);

    // The tools' operations; none are called while no tools are set.
    void setTools(LiveTools* tools) { tools_ = tools != nullptr ? tools : &noTools_; }

    // buffer holds bufferSize bytes of 16-bit signed mono little-endian PCM,
    // at least 1024 samples; only the first 1024 are analysed.
    void LiveAudioRecorder1Data(const void* buffer, std::uint32_t bufferSize);

private:
    void convertSamples(const void* buffer);
    void dispatch();

    AnalysisEngine& engine_;
    AnalysisState& state_;
    LiveTools noTools_;
    LiveTools* tools_ = &noTools_;
};

} // namespace tiravel
