#include "RecordingSession.h"

#include "WavWriter.h"
#include "analysis/PeakTools.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>

namespace tiravel {

namespace {

constexpr std::int32_t kSaturationLevel = 85;
constexpr std::size_t kMaxNameLength = 250;

std::int16_t sampleAt(const std::uint8_t* bytes, std::uint32_t i)
{
    return static_cast<std::int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
}

// value with decimals fixed, right-aligned in width characters, "." as separator.
std::string fixedText(double value, int width, int decimals)
{
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals).ptr;
    std::string text(digits, end);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

// At most kMaxNameLength bytes, without splitting a UTF-8 letter.
std::string limitedName(const std::string& name)
{
    if (name.size() <= kMaxNameLength)
        return name;
    std::size_t length = kMaxNameLength;
    while (length > 0 && (static_cast<unsigned char>(name[length]) & 0xC0) == 0x80)
        --length;
    return name.substr(0, length);
}

} // namespace

RecordingSession::RecordingSession(AnalysisState& state)
    : state_(state)
    , work_(kSoundBufferSize)
{
}

void RecordingSession::open()
{
    nothingRecordedYet_ = true;
    lastSoundName_ = kUnknownSoundName;
    mode_ = Mode::Monitoring;
}

void RecordingSession::startRecording()
{
    recordPosition_ = 0;
    recordBufferCount_ = 0;
    state_.soundLength = 0;
    mode_ = Mode::Recording;
}

void RecordingSession::stopRecording()
{
    nothingRecordedYet_ = false;
    mode_ = Mode::Idle;
}

RecordingSession::BufferReport RecordingSession::bufferArrived(const void* buffer, std::uint32_t bufferSize)
{
    ++monitorBufferCount_;
    BufferReport report;
    const std::uint32_t samples = bufferSize / 2;
    if (samples == 0 || mode_ == Mode::Idle)
        return report;
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    if (mode_ == Mode::Recording)
        recordBuffer(bytes, samples, report);
    else
        monitorBuffer(bytes, samples, report);
    return report;
}

// The buffer goes to soundBuffer[recordPosition...]; the recording stops two
// buffers before the end, so the next buffer could never pass index 500000,
// and that last buffer is left out of soundLength.
void RecordingSession::recordBuffer(const std::uint8_t* bytes, std::uint32_t samples, BufferReport& report)
{
    const std::uint32_t n = std::min<std::uint32_t>(samples, kSoundBufferSize - recordPosition_);
    const double mean = storeSamples(bytes, n, recordPosition_) / n;
    double sum = 0;
    for (std::uint32_t i = 1; i < n; ++i) {
        const double deviation = state_.soundBuffer[recordPosition_ + i] - mean;
        sum += deviation * deviation;
    }
    report.variance = sum / n;
    report.recorded = true;
    report.progress = static_cast<std::int32_t>(std::nearbyint(recordPosition_ * 100.0 / kMaxSoundSamples));
    recordPosition_ += n;
    ++recordBufferCount_;
    report.levelDue = recordBufferCount_ % kLevelInterval == 0;
    report.full = std::int64_t{recordPosition_} >= std::int64_t{kMaxSoundSamples} - 2 * std::int64_t{n};
    if (report.full)
        mode_ = Mode::Idle;
    else
        state_.soundLength = static_cast<std::int32_t>(recordPosition_);
}

// Only soundBuffer[0..1027] is written; the mean is taken over the whole
// buffer length, as the level has always been measured.
void RecordingSession::monitorBuffer(const std::uint8_t* bytes, std::uint32_t samples, BufferReport& report)
{
    const std::uint32_t count = std::min<std::uint32_t>(samples, kMonitorSamples);
    const double mean = storeSamples(bytes, count, 0) / samples;
    double sum = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const double deviation = state_.soundBuffer[i] - mean;
        sum += deviation * deviation;
    }
    report.variance = sum / count;
    report.levelDue = monitorBufferCount_ % kLevelInterval == 0;
}

double RecordingSession::storeSamples(const std::uint8_t* bytes, std::uint32_t count, std::uint32_t from)
{
    const double scale = state_.calibration / 50;
    double sum = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const double value = sampleAt(bytes, i) * scale;
        state_.soundBuffer[from + i] = value;
        sum += value;
    }
    return sum;
}

std::string RecordingSession::nextSuggestedName(const std::string& patientName, const std::string& shortDate)
{
    ++saveCounter_;
    return suggestedSoundName(patientName, shortDate, saveCounter_);
}

void RecordingSession::setLastSoundName(const std::string& name)
{
    lastSoundName_ = limitedName(name);
}

bool RecordingSession::saveToWav(const std::string& fileName, ErrorReporter& messages, std::uint32_t& count)
{
    count = 0;
    TWavFile file(messages);
    bool ok = false;
    file.open(fileName, kRecordRate, ok, 1, 16);
    if (!ok) {
        file.close();
        return false;
    }
    fillWorkArray();
    file.writeSamples(static_cast<std::uint32_t>(state_.soundLength), count, work_.data());
    file.close();
    return true;
}

// Element 0 stays 0; elements 1..soundLength are the recording x 500.
void RecordingSession::fillWorkArray()
{
    const std::int32_t last = std::clamp(state_.soundLength, 0, kMaxSoundSamples);
    work_[0] = 0;
    for (std::int32_t i = 1; i <= last; ++i) {
        const double value = std::nearbyint(state_.soundBuffer[static_cast<std::size_t>(i)] * 500);
        work_[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(std::clamp(value, -32768.0, 32767.0));
    }
}

std::int32_t recordingLevel(double variance)
{
    return static_cast<std::int32_t>(std::nearbyint(toDecibel(variance))) - 60;
}

bool isSaturated(std::int32_t level)
{
    return level > kSaturationLevel;
}

std::string recordLengthText(std::int32_t soundLength, std::int32_t sampleRate, Language language)
{
    static constexpr TriText kBefore = {"Durée de l'enregistrement :", "Record length :", "longitud de registro :"};
    static constexpr TriText kAfter = {" secondes", " seconds", " segundos"};
    const double seconds = sampleRate > 0 ? static_cast<double>(soundLength) / sampleRate : 0.0;
    return std::string(kBefore.in(language)) + fixedText(seconds, 4, 1) + kAfter.in(language);
}

std::string lastSoundText(const std::string& fileName, std::uint32_t count, Language language)
{
    static constexpr TriText kBefore = {"Dernier enregistrement : ", "Last sound recorded :", "Última sonido grabado :"};
    static constexpr TriText kAfter = {" échantillons)", " samples)", " muestras)"};
    return std::string(kBefore.in(language)) + "\"" + fileName + " (" + std::to_string(count) + kAfter.in(language);
}

std::string suggestedSoundName(const std::string& patientName, const std::string& shortDate, std::int32_t counter)
{
    std::string date = shortDate;
    std::replace(date.begin(), date.end(), '/', '-');
    const std::string patient = patientName.empty() ? "nouveau" : patientName;
    return patient + "_" + date + "_" + std::to_string(counter) + ".wav";
}

std::string withWavExtension(const std::string& fileName)
{
    return std::filesystem::path(fileName).replace_extension(".WAV").string();
}

} // namespace tiravel
