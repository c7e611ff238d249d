#include "TFormFFT.h"

namespace tiravel {

namespace {
constexpr const char* kCaptureErrorHeading = "Audio input";
} // namespace

TFormFFT::TFormFFT(AnalysisState& state, AudioInputDevice& device)
    : engine_(state)
    , dispatcher_(engine_)
    , LiveAudioRecorder1(device)
{
    LiveAudioRecorder1.setPCMFormat(Mono16bit22050Hz);
    LiveAudioRecorder1.setBufferLength(50);
    LiveAudioRecorder1.setAsync(false);
    LiveAudioRecorder1.OnData = [this](TWaveAudioIO* sender, void* buffer, std::uint32_t size, bool& freeIt) {
        LiveAudioRecorder1Data(sender, buffer, size, freeIt);
    };
    LiveAudioRecorder1.OnError = [this](TWaveAudioIO* sender) { LiveAudioRecorder1Error(sender); };
}

// The tools may be gone by now: the buffers returned by the final close are
// not dispatched to them.
TFormFFT::~TFormFFT()
{
    dispatcher_.setTools(nullptr);
}

void TFormFFT::LiveAudioRecorder1Data(TWaveAudioIO* /*Sender*/, const void* Buffer, std::uint32_t BufferSize,
    bool& /*FreeIt*/)
{
    dispatcher_.LiveAudioRecorder1Data(Buffer, BufferSize);
}

void TFormFFT::LiveAudioRecorder1Error(TWaveAudioIO* Sender)
{
    errors_->DisplayError(Sender->LastErrorText(), kCaptureErrorHeading);
}

} // namespace tiravel
