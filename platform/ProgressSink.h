#pragma once

namespace tiravel {

// Receives the progress of long work on the user-interface thread (reading a
// long WAV file, analysing a recording) and lets pending window messages run,
// so the window stays responsive and its progress bars move.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    // One more step of work done (the WAV reader calls it every 10000 frames).
    virtual void advance() = 0;
    // Let the user interface process pending messages.
    virtual void processMessages() = 0;
};

// Does nothing: used where no window shows progress.
class NoProgress final : public ProgressSink {
public:
    void advance() override {}
    void processMessages() override {}
};

} // namespace tiravel
