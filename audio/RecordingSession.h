#pragma once

#include "analysis/AnalysisState.h"
#include "platform/ErrorReporter.h"
#include "shell/LanguageTexts.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tiravel {

// The recorder's work on the shared sample buffer, buffer by buffer: level
// monitoring while the window waits, the recording itself, its stop before
// the buffer overflows, and the saving of the recording as a WAV file.
//
// Buffers hold 16-bit signed mono little-endian samples. They are counted
// whatever the mode; while idle (after a stop, until the next monitoring or
// recording) they are otherwise ignored, so the buffers a closing device
// hands back never overwrite the start of the recording just made.
class RecordingSession {
public:
    // Samples a monitored buffer writes and measures, from soundBuffer[0].
    static constexpr std::int32_t kMonitorSamples = 1028;
    // The level is shown on every 10th buffer.
    static constexpr std::int32_t kLevelInterval = 10;
    static constexpr std::uint32_t kRecordRate = 22050;
    static constexpr const char* kUnknownSoundName = "inconnu.wav";

    // What one buffer asks the window to show.
    struct BufferReport {
        double variance = 0;     // of the buffer's calibrated samples
        bool levelDue = false;   // show the level of variance now
        bool recorded = false;   // the buffer went into the recording
        std::int32_t progress = 0; // recording progress in percent, when recorded
        bool full = false;       // the recording has stopped: the recorder must stop too
    };

    explicit RecordingSession(AnalysisState& state);

    // The window opens: nothing recorded yet, no sound saved, buffers monitored.
    void open();
    // A new recording from soundBuffer[0]: soundLength is 0 until its first buffer.
    void startRecording();
    // Idle until the next open or recording; something has been recorded.
    void stopRecording();

    BufferReport bufferArrived(const void* buffer, std::uint32_t bufferSize);

    // The name offered for the next save: increments saveCounter.
    std::string nextSuggestedName(const std::string& patientName, const std::string& shortDate);
    void setLastSoundName(const std::string& name);
    // A new patient record: the next suggested name counts from 1 again.
    void resetSaveCounter() { saveCounter_ = 0; }

    // Writes soundLength samples as a 16-bit mono 22050 Hz file: a 0, then
    // samples 1..soundLength-1 (x 500, rounded and clamped). count is what
    // the writer returns. False, with the file closed again, when it cannot
    // be opened; the recording stays as it is.
    bool saveToWav(const std::string& fileName, ErrorReporter& messages, std::uint32_t& count);

    bool recording() const { return mode_ == Mode::Recording; }
    bool nothingRecordedYet() const { return nothingRecordedYet_; }
    std::uint32_t recordPosition() const { return recordPosition_; }
    std::int32_t recordBufferCount() const { return recordBufferCount_; }
    std::int32_t monitorBufferCount() const { return monitorBufferCount_; }
    std::int32_t saveCounter() const { return saveCounter_; }
    const std::string& lastSoundName() const { return lastSoundName_; }

private:
    enum class Mode { Idle, Monitoring, Recording };

    void recordBuffer(const std::uint8_t* bytes, std::uint32_t samples, BufferReport& report);
    void monitorBuffer(const std::uint8_t* bytes, std::uint32_t samples, BufferReport& report);
    // Stores count calibrated samples at soundBuffer[from]; returns their sum.
    double storeSamples(const std::uint8_t* bytes, std::uint32_t count, std::uint32_t from);
    void fillWorkArray();

    AnalysisState& state_;
    Mode mode_ = Mode::Idle;
    bool nothingRecordedYet_ = true;
    std::uint32_t recordPosition_ = 0;
    std::int32_t recordBufferCount_ = 0;
    std::int32_t monitorBufferCount_ = 0;
    std::int32_t saveCounter_ = 0;
    std::string lastSoundName_ = kUnknownSoundName;
    std::vector<std::int16_t> work_; // the 16-bit copy of a saved recording
};

// The level shown for a variance: round(toDecibel(variance)) - 60.
std::int32_t recordingLevel(double variance);
// The input saturates above level 85.
bool isSaturated(std::int32_t level);

// "Durée de l'enregistrement : 0.1 secondes" and its English and Spanish
// forms: soundLength / sampleRate seconds, 1 decimal in a field of 4.
std::string recordLengthText(std::int32_t soundLength, std::int32_t sampleRate, Language language);
// "Dernier enregistrement : \"name (count échantillons)" and the other forms.
std::string lastSoundText(const std::string& fileName, std::uint32_t count, Language language);

// patient ("nouveau" when empty) + "_" + shortDate with "/" as "-" + "_" + counter + ".wav".
std::string suggestedSoundName(const std::string& patientName, const std::string& shortDate, std::int32_t counter);
// The name with its extension replaced by, or given, ".WAV".
std::string withWavExtension(const std::string& fileName);

} // namespace tiravel
