#include "WavReader.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace tiravel {
namespace {

constexpr std::uintmax_t kMinimumWords = 1000;
constexpr std::size_t kMaxNameCharacters = 250;
constexpr std::uint64_t kFramesPerProgressStep = 10000;
constexpr double k16BitScale = 500.0;
constexpr double k8BitScale = 10.0;
constexpr int k8BitZero = 128;

// The "fmt " identifier as two little-endian words.
constexpr std::uint16_t kWordFm = 'f' | ('m' << 8);
constexpr std::uint16_t kWordT = 't' | (' ' << 8);

constexpr std::int32_t kStatusBadName = -1;
constexpr std::int32_t kStatusMissing = -2;
constexpr std::int32_t kStatusTooShort = -3;
constexpr std::int32_t kStatusBadRate = -4;
constexpr std::int32_t kStatusBadBlockAlign = -5;
constexpr std::int32_t kStatusNoFormat = -6;

// A file read as consecutive little-endian 16-bit words through a 64 KiB
// buffer. An odd trailing byte is not a word; a read error ends the words.
class WordFile {
public:
    WordFile() = default;
    ~WordFile() { close(); }
    WordFile(const WordFile&) = delete;
    WordFile& operator=(const WordFile&) = delete;

    bool open(const std::string& fileName)
    {
        close();
        file_ = std::fopen(fileName.c_str(), "rb");
        return file_ != nullptr;
    }

    bool next(std::uint16_t& word)
    {
        if (end_ - pos_ < 2 && !refill())
            return false;
        word = static_cast<std::uint16_t>(buffer_[pos_] | (buffer_[pos_ + 1] << 8));
        pos_ += 2;
        return true;
    }

    bool skip(int count)
    {
        std::uint16_t ignored;
        for (int i = 0; i < count; ++i)
            if (!next(ignored))
                return false;
        return true;
    }

    void close()
    {
        if (file_)
            std::fclose(file_);
        file_ = nullptr;
    }

private:
    // Moves a leftover odd byte to the front and reads until a whole word is
    // buffered; false at the end of the file or on a read error.
    bool refill()
    {
        const std::size_t left = end_ - pos_;
        if (left == 1)
            buffer_[0] = buffer_[pos_];
        pos_ = 0;
        end_ = left;
        while (end_ < 2) {
            if (!file_ || exhausted_)
                return false;
            const std::size_t got = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
            if (got == 0)
                exhausted_ = true;
            end_ += got;
        }
        return true;
    }

    std::FILE* file_ = nullptr;
    FixedArray<std::uint8_t, 65536> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool exhausted_ = false;
};

// The first maxCharacters UTF-8 characters of text.
std::string firstCharacters(const std::string& text, std::size_t maxCharacters)
{
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool startsCharacter = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (startsCharacter && ++characters > maxCharacters)
            return text.substr(0, i);
    }
    return text;
}

bool hasWavName(const std::string& fileName)
{
    if (fileName.size() <= 3)
        return false;
    const auto upper = [&](std::size_t fromEnd) {
        const char c = fileName[fileName.size() - fromEnd];
        return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    };
    return upper(3) == 'W' && upper(2) == 'A' && upper(1) == 'V';
}

void clearSound(AnalysisState& state, const std::string& fileName)
{
    state.loadStatus = 0;
    std::fill(state.soundBuffer.begin() + 1, state.soundBuffer.end(), 0.0);
    std::fill(state.auxSoundBuffer.begin() + 1, state.auxSoundBuffer.end(), 0.0);
    state.soundLength = 0;
    state.loadedFileName = firstCharacters(fileName, kMaxNameCharacters);
}

// Advances word by word until "fm" is directly followed by "t ".
bool findFormatSection(WordFile& file)
{
    std::uint16_t previous = 0;
    std::uint16_t word;
    while (file.next(word)) {
        if (previous == kWordFm && word == kWordT)
            return true;
        previous = word;
    }
    return false;
}

const char* formatNotFoundText(Language language)
{
    switch (language) {
    case Language::English: return "\"FMT\" section not found";
    case Language::Spanish: return "\"FMT\" sección no encontrado";
    case Language::French: break;
    }
    return "Section \"FMT\" non trouvée";
}

bool isSupportedRate(std::uint16_t rate)
{
    return rate == 22050 || rate == 11025 || rate == 44100 || rate == 48000;
}

bool isSupportedBlockAlign(std::uint16_t blockAlign)
{
    return blockAlign == 1 || blockAlign == 2 || blockAlign == 4;
}

// 44100 Hz keeps the even frames; 48000 Hz also drops the even frames whose
// count modulo 25 is 1, keeping 24 of 50 (23040 Hz taken as 22050 Hz).
bool keepsFrame(std::uint16_t rate, std::uint64_t frame)
{
    if (rate == 44100)
        return frame % 2 == 0;
    if (rate == 48000)
        return frame % 2 == 0 && frame % 25 != 1;
    return true;
}

void appendSample(AnalysisState& state, double value)
{
    state.soundBuffer[++state.soundLength] = value;
}

// Turns the last sample s(n) into the mean of s(n-1) and s(n), followed by
// s(n) itself: linear interpolation of an 11025 Hz sound to 22050 Hz.
void interpolateLast(AnalysisState& state)
{
    const std::int32_t last = state.soundLength;
    if (last <= 1 || last >= kMaxSoundSamples)
        return;
    state.soundBuffer[last + 1] = state.soundBuffer[last];
    state.soundBuffer[last] = (state.soundBuffer[last - 1] + state.soundBuffer[last]) / 2;
    state.soundLength = last + 1;
}

// 8-bit mono: each word holds two samples, first the low byte.
void read8BitSamples(WordFile& file, AnalysisState& state)
{
    std::uint16_t word;
    while (state.soundLength < kMaxSoundSamples && file.next(word)) {
        if (state.soundLength < kMaxSoundSamples - 1) {
            appendSample(state, ((word & 0xFF) - k8BitZero) / k8BitScale);
            appendSample(state, ((word >> 8) - k8BitZero) / k8BitScale);
        }
    }
}

// 16-bit frames, one word per frame; a two-channel file drops the word after.
void read16BitFrames(WordFile& file, AnalysisState& state, std::uint16_t rate, ProgressSink& progress)
{
    const bool stereo = state.channelCount == 2;
    std::uint64_t frame = 0;
    std::uint16_t word;
    while (state.soundLength < kMaxSoundSamples && file.next(word)) {
        if (stereo)
            file.skip(1);
        ++frame;
        if (frame % kFramesPerProgressStep == 0) {
            progress.advance();
            progress.processMessages();
        }
        if (!keepsFrame(rate, frame))
            continue;
        appendSample(state, static_cast<std::int16_t>(word) / k16BitScale);
        if (rate == 11025)
            interpolateLast(state);
    }
}

// Checks the name, opens the file and skips the RIFF header words.
std::int32_t openChecked(WordFile& file, const std::string& fileName)
{
    if (!hasWavName(fileName))
        return kStatusBadName;
    std::error_code error;
    if (!std::filesystem::is_regular_file(fileName, error))
        return kStatusMissing;
    const std::uintmax_t bytes = std::filesystem::file_size(fileName, error);
    if (error || !file.open(fileName))
        return kStatusMissing;
    if (bytes / 2 < kMinimumWords || !file.skip(6))
        return kStatusTooShort;
    return 0;
}

// Reads channels, rate and block align after the "fmt " identifier, with the
// error window for an unsupported rate or block align.
std::int32_t readFormat(WordFile& file, AnalysisState& state, std::uint16_t& rate, std::uint16_t& blockAlign,
    Language language, ErrorReporter& errors)
{
    const std::string title = languageText(kTextAudioFormatNotSupported, language);
    if (!findFormatSection(file)) {
        errors.DisplayError(formatNotFoundText(language), title);
        return kStatusNoFormat;
    }
    std::uint16_t channels;
    if (!file.skip(3) || !file.next(channels))
        return kStatusTooShort;
    state.channelCount = static_cast<std::int16_t>(channels);
    if (!file.next(rate) || !file.skip(1))
        return kStatusTooShort;
    if (!isSupportedRate(rate)) {
        errors.DisplayError(std::string(languageText(kTextFrequency, language)) + " : " + std::to_string(rate) + " Hz",
            title);
        return kStatusBadRate;
    }
    if (!file.skip(2) || !file.next(blockAlign))
        return kStatusTooShort;
    if (!isSupportedBlockAlign(blockAlign)) {
        errors.DisplayError("Format : " + std::to_string(blockAlign), title);
        return kStatusBadBlockAlign;
    }
    return 0;
}

} // namespace

void loadWavFile(AnalysisState& state, const std::string& fileName, Language language, ErrorReporter& errors,
    ProgressSink& progress)
{
    clearSound(state, fileName);
    WordFile file;
    std::uint16_t rate = 0;
    std::uint16_t blockAlign = 0;
    state.loadStatus = openChecked(file, fileName);
    if (state.loadStatus == 0)
        state.loadStatus = readFormat(file, state, rate, blockAlign, language, errors);
    if (state.loadStatus != 0)
        return;

    // Bits per sample, the data chunk header and the first 10 bytes of sound;
    // a 16-bit stereo file skips one more word to start on a left sample.
    file.skip(10);
    if (state.channelCount == 2 && blockAlign == 4)
        file.skip(1);
    if (blockAlign == 1)
        read8BitSamples(file, state);
    else
        read16BitFrames(file, state, rate, progress);
    file.close();
    progress.processMessages();
    progress.processMessages();
}

} // namespace tiravel
