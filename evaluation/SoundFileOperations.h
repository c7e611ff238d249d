#pragma once

#include "BiquadFilter.h"
#include "SoundFileState.h"
#include "analysis/AnalysisState.h"
#include "platform/ErrorReporter.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace tiravel {

// Names of the sounds written in the working folder.
inline constexpr const char* kSelectionFileName = "out.wav";
inline constexpr const char* kFilterFileName = "filter.wav";
// Extension of the copy kept of a sound file before it is rewritten.
inline constexpr const char* kBackupExtension = ".~WA";
// Extension of the new version of a sound file while it is being written.
inline constexpr const char* kStagingExtension = ".~WT";
// Sounds and selections shorter than this (samples) are never rewritten.
inline constexpr std::int32_t kShortestRewrite = 10000;

// A sound value scaled to 16-bit units (value x factor x 500), rounded half
// to even and clamped to -32768..32767; NaN gives 0.
std::int16_t toPcm16(double scaled);

// The signal operations of the evaluation screen on the loaded sound
// (soundBuffer[1..soundLength]): filters, gain changes, keeping a selection,
// and the sounds written for listening. Every WAV file is 16-bit mono at
// sampleRate, staged in sampleOut.
class SoundFileOperations {
public:
    // Re-reads and re-analyses a sound file: the window's DoLoadFile.
    using ReloadSound = std::function<void(const std::string& path)>;

    SoundFileOperations(AnalysisState& analysis, SoundFileState& files, ErrorReporter& errors);

    // Folder of "out.wav" and "filter.wav"; empty is the current folder.
    void setWorkingFolder(std::filesystem::path folder) { workingFolder_ = std::move(folder); }
    void setReload(ReloadSound reload) { reload_ = std::move(reload); }
    std::filesystem::path filterFilePath() const { return workingFolder_ / kFilterFileName; }
    std::filesystem::path selectionFilePath() const { return workingFolder_ / kSelectionFileName; }

    // Biquad over the sound at frequencyHz, into soundBuffer (samples 0..2
    // keep their values); a boost adds the unfiltered sound, a cascade runs
    // three passes, then outputGain applies. saveToFile writes the result to
    // "filter.wav" and restores the loaded sound; reamplify writes it back
    // to the sound file (AmplifyActualFile(false, 1)). False when a file
    // that was asked for was not written.
    bool DoFilter(FilterType type, bool cascade, double frequencyHz, bool saveToFile, bool reamplify);

    // Rewrites the sound file scaled by factor and reloads it: the selection
    // first..last-2 when selectionOnly and the selection spans at least
    // kShortestRewrite samples, else the whole sound, its first sample
    // written as 0. Nothing happens for a path of fewer than 4 characters or
    // a sound of fewer than kShortestRewrite samples. The previous file is
    // first copied to the ".~WA" name; the new one is written beside it and
    // then takes the file's place, so a failure leaves the file as it was
    // (and nothing is reloaded). True when the file was rewritten.
    bool AmplifyActualFile(bool selectionOnly, double factor, std::int32_t first, std::int32_t last);

    // Writes samples first..last-2 (last - first - 1 of them) to fileName in
    // the working folder. False when the span is empty or outside the sound,
    // or the file cannot be written.
    bool writeSelection(const std::string& fileName, std::int32_t first, std::int32_t last);

    // "F": the sound file high-passed at f0MinHz - 10 Hz.
    bool filterBelowF0Search();
    // "Boost at:": the band around the typed frequency (75..1000 Hz) added to
    // the sound file; nothing when the text is not such a number.
    bool boostFromEdit(std::string_view editText);
    // "F1".."F4": the band of formant 1..4 of voiceCategory, three passes of
    // a band-pass, into "filter.wav" (filterFilePath) for listening.
    bool writeFormantBand(int formant);

private:
    std::int32_t loadedLength() const;
    bool validSpan(std::int64_t first, std::int64_t last) const;
    std::int32_t stageWholeSound(double factor);
    std::int32_t stageSpan(std::int32_t first, std::int32_t count, double factor);
    bool writeStaged(const std::filesystem::path& path, std::int32_t count);
    bool replaceSoundFile(const std::filesystem::path& path, std::int32_t count);
    void filterPass(const BiquadCoefficients& c);

    AnalysisState& analysis_;
    SoundFileState& files_;
    ErrorReporter& errors_;
    std::filesystem::path workingFolder_;
    ReloadSound reload_;
};

} // namespace tiravel
