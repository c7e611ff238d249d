#pragma once

#include "analysis/AnalysisEngine.h"
#include "audio/AudioInputDevice.h"
#include "audio/LiveAudioRecorder.h"
#include "platform/ErrorReporter.h"
#include "shell/LiveDispatcher.h"

#include <cstdint>

namespace tiravel {

// The analysis window's engine side: the one live recorder of the program
// (16-bit mono 22050 Hz, 50 ms buffers) feeding every captured buffer to the
// live dispatcher. Capture errors are shown through the error reporter, so
// none escapes from a notification into the event loop.
class TFormFFT {
public:
    TFormFFT(AnalysisState& state, AudioInputDevice& device);
    ~TFormFFT();
    TFormFFT(const TFormFFT&) = delete;
    TFormFFT& operator=(const TFormFFT&) = delete;

    // The window table, the 22050 Hz bin limits, f0SmoothCount 25.
    void FormCreate() { engine_.FormCreate(); }

    // Start and stop live input for the active tool.
    void LiveAudioRecorderActivate() { LiveAudioRecorder1.setActive(true); }
    void LiveAudioRecorderDeActivate() { LiveAudioRecorder1.setActive(false); }

    // OnData of LiveAudioRecorder1: the buffer goes to the dispatcher and
    // stays the recorder's.
    void LiveAudioRecorder1Data(TWaveAudioIO* Sender, const void* Buffer, std::uint32_t BufferSize, bool& FreeIt);

    // Where capture errors are shown; standard error until one is set.
    void setErrorReporter(ErrorReporter& reporter) { errors_ = &reporter; }

    AnalysisEngine& engine() { return engine_; }
    LiveDispatcher& dispatcher() { return dispatcher_; }

private:
    void LiveAudioRecorder1Error(TWaveAudioIO* Sender);

    AnalysisEngine engine_;
    LiveDispatcher dispatcher_;
    StderrErrorReporter stderrErrors_;
    ErrorReporter* errors_ = &stderrErrors_;

public:
    // Declared last: it is closed first, while the dispatcher still exists.
    TLiveAudioRecorder LiveAudioRecorder1;
};

} // namespace tiravel
