#include "SoundFileOperations.h"

#include "EvaluationEdits.h"
#include "FormantZones.h"
#include "audio/WavWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <system_error>

namespace tiravel {

namespace {

constexpr double kFileScale = 500.0;       // sound value per 16-bit unit
constexpr std::size_t kShortestSoundPath = 4; // characters
constexpr double kBelowF0SearchHz = 10.0;
constexpr int kCascadeExtraPasses = 2;

std::size_t characterCount(const std::string& text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void copySamples(const SoundArray& from, SoundArray& to, std::int32_t length)
{
    std::copy_n(from.begin(), length + 1, to.begin());
}

// Whether the file can be opened for writing; its content is not touched.
bool isWritableFile(const std::filesystem::path& path)
{
    std::FILE* file = std::fopen(path.c_str(), "r+b");
    if (file == nullptr)
        return false;
    std::fclose(file);
    return true;
}

std::filesystem::path withExtension(std::filesystem::path path, const char* extension)
{
    return path.replace_extension(extension);
}

} // namespace

std::int16_t toPcm16(double scaled)
{
    if (std::isnan(scaled))
        return 0;
    const double rounded = std::nearbyint(scaled);
    return static_cast<std::int16_t>(std::clamp(rounded, double {std::numeric_limits<std::int16_t>::min()},
        double {std::numeric_limits<std::int16_t>::max()}));
}

SoundFileOperations::SoundFileOperations(AnalysisState& analysis, SoundFileState& files, ErrorReporter& errors)
    : analysis_(analysis)
    , files_(files)
    , errors_(errors)
{
}

std::int32_t SoundFileOperations::loadedLength() const
{
    return std::clamp(analysis_.soundLength, 0, kMaxSoundSamples);
}

bool SoundFileOperations::validSpan(std::int64_t first, std::int64_t last) const
{
    return first >= 0 && last - first - 1 >= 1 && last - 2 <= loadedLength();
}

void SoundFileOperations::filterPass(const BiquadCoefficients& c)
{
    applyBiquad(c, files_.filterInput, analysis_.soundBuffer, loadedLength());
}

bool SoundFileOperations::DoFilter(FilterType type, bool cascade, double frequencyHz, bool saveToFile, bool reamplify)
{
    const std::int32_t length = loadedLength();
    SoundArray& sound = analysis_.soundBuffer;
    const BiquadCoefficients c = biquadCoefficients(type, frequencyHz, analysis_.sampleRate);
    copySamples(sound, files_.filterBackup, length);
    copySamples(sound, files_.filterInput, length);
    filterPass(c);
    if (type == FilterType::Boost) {
        for (std::int32_t n = 1; n <= length; ++n)
            sound[n] += files_.filterInput[n];
    }
    for (int pass = 0; cascade && pass < kCascadeExtraPasses; ++pass) {
        copySamples(sound, files_.filterInput, length);
        filterPass(c);
    }
    if (files_.outputGain != 1.0) {
        for (std::int32_t n = 1; n <= length; ++n)
            sound[n] *= files_.outputGain;
    }

    bool written = true;
    if (saveToFile) {
        written = writeStaged(filterFilePath(), stageWholeSound(1.0));
        copySamples(files_.filterBackup, sound, length);
    }
    if (reamplify)
        written = AmplifyActualFile(false, 1.0, 0, 0) && written;
    return written;
}

bool SoundFileOperations::AmplifyActualFile(bool selectionOnly, double factor, std::int32_t first, std::int32_t last)
{
    if (std::int64_t {last} - first < kShortestRewrite)
        selectionOnly = false;
    const std::string path = files_.currentSoundPath;
    if (characterCount(path) < kShortestSoundPath || analysis_.soundLength < kShortestRewrite)
        return false;
    if (selectionOnly && !validSpan(first, last))
        return false;
    const std::int32_t count = selectionOnly ? stageSpan(first, last - first - 1, factor) : stageWholeSound(factor);
    if (!replaceSoundFile(path, count))
        return false;
    if (reload_)
        reload_(path);
    return true;
}

bool SoundFileOperations::writeSelection(const std::string& fileName, std::int32_t first, std::int32_t last)
{
    if (!validSpan(first, last))
        return false;
    return writeStaged(workingFolder_ / fileName, stageSpan(first, last - first - 1, 1.0));
}

bool SoundFileOperations::filterBelowF0Search()
{
    files_.outputGain = 1.0;
    return DoFilter(FilterType::HighPass, false, analysis_.f0MinHz - kBelowF0SearchHz, false, true);
}

bool SoundFileOperations::boostFromEdit(std::string_view editText)
{
    const std::optional<double> centreHz = readBoostEdit(editText);
    if (!centreHz)
        return false;
    files_.outputGain = 1.0;
    return DoFilter(FilterType::Boost, false, *centreHz, false, true);
}

bool SoundFileOperations::writeFormantBand(int formant)
{
    const double centreHz = formantCentreHz(analysis_.voiceCategory, formant);
    if (centreHz <= 0)
        return false;
    files_.outputGain = 1.0;
    return DoFilter(FilterType::BandPass, true, centreHz, true, false);
}

// sampleOut := 0, then samples 1..soundLength-1: soundLength samples.
std::int32_t SoundFileOperations::stageWholeSound(double factor)
{
    const std::int32_t length = loadedLength();
    if (length == 0)
        return 0;
    files_.sampleOut[0] = 0;
    for (std::int32_t n = 1; n < length; ++n)
        files_.sampleOut[n] = toPcm16(analysis_.soundBuffer[n] * factor * kFileScale);
    return length;
}

std::int32_t SoundFileOperations::stageSpan(std::int32_t first, std::int32_t count, double factor)
{
    for (std::int32_t k = 0; k < count; ++k)
        files_.sampleOut[k] = toPcm16(analysis_.soundBuffer[first + k] * factor * kFileScale);
    return count;
}

bool SoundFileOperations::writeStaged(const std::filesystem::path& path, std::int32_t count)
{
    TWavFile wav(errors_);
    bool ok = false;
    wav.open(path.string(), static_cast<std::uint32_t>(analysis_.sampleRate), ok, 1, 16);
    std::uint32_t ignored = 0;
    if (ok)
        wav.writeSamples(static_cast<std::uint32_t>(count), ignored, files_.sampleOut.data());
    wav.close();
    return ok && wav.good();
}

// Backup copy first, then the new version beside the file, renamed over it
// once complete; the new file keeps the old one's permissions.
bool SoundFileOperations::replaceSoundFile(const std::filesystem::path& path, std::int32_t count)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error) || !isWritableFile(path))
        return false;
    std::filesystem::copy_file(path, withExtension(path, kBackupExtension),
        std::filesystem::copy_options::overwrite_existing, error);
    if (error)
        return false;
    const std::filesystem::path staging = withExtension(path, kStagingExtension);
    bool replaced = writeStaged(staging, count);
    if (replaced) {
        std::filesystem::permissions(staging, std::filesystem::status(path, error).permissions(), error);
        std::filesystem::rename(staging, path, error);
        replaced = !error;
    }
    if (!replaced && std::filesystem::is_regular_file(staging, error))
        std::filesystem::remove(staging, error);
    return replaced;
}

} // namespace tiravel
