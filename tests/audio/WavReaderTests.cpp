#include "audio/WavReader.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tiravel {
namespace {

using test::FreshEngine;
using test::RecordingErrorReporter;
using test::TempFolder;
using test::wavBytes;

// Counts the progress calls of one load.
class CountingProgress final : public ProgressSink {
public:
    void advance() override { ++advances; }
    void processMessages() override { ++messageRuns; }
    int advances = 0;
    int messageRuns = 0;
};

// Sample i of the data chunk is i modulo 30000, so a stored value tells which
// sample of the file it came from.
std::vector<std::int16_t> ramp(std::size_t count)
{
    std::vector<std::int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = static_cast<std::int16_t>(i % 30000);
    return samples;
}

// Data of an 8-bit file given as bytes, packed two per 16-bit word.
std::vector<std::int16_t> packBytes(const std::vector<std::uint8_t>& bytes)
{
    std::vector<std::int16_t> words(bytes.size() / 2);
    for (std::size_t i = 0; i < words.size(); ++i)
        words[i] = static_cast<std::int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return words;
}

void put16At(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint16_t v)
{
    bytes.at(offset) = static_cast<std::uint8_t>(v & 0xFF);
    bytes.at(offset + 1) = static_cast<std::uint8_t>(v >> 8);
}

void put32At(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t v)
{
    put16At(bytes, offset, static_cast<std::uint16_t>(v & 0xFFFF));
    put16At(bytes, offset + 2, static_cast<std::uint16_t>(v >> 16));
}

constexpr std::size_t kRateOffset = 24;
constexpr std::size_t kBlockAlignOffset = 32;

class WavReaderFixture {
protected:
    FreshEngine fresh;
    AnalysisState& state = fresh.state;
    TempFolder folder;
    RecordingErrorReporter errors;
    CountingProgress progress;

    std::string put(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        const auto path = folder.path(name);
        test::writeFile(path, bytes);
        return path.string();
    }
    void load(const std::string& fileName, Language language = Language::English)
    {
        loadWavFile(state, fileName, language, errors, progress);
    }
    void loadBytes(const std::vector<std::uint8_t>& bytes, Language language = Language::English)
    {
        load(put("sound.wav", bytes), language);
    }
    double sample(int i) const { return state.soundBuffer[i]; }
};

class WavReaderTest : public WavReaderFixture, public ::testing::Test {};

// --- Number of samples after the header skip and the rate conversion --------

struct CountCase {
    const char* name;
    std::uint32_t rate;
    std::uint16_t channels;
    std::uint16_t bits;
    std::size_t dataWords;    // 16-bit words of the data chunk
    std::int32_t expected;    // soundLength
};

class WavReaderCountTest : public WavReaderFixture, public ::testing::TestWithParam<CountCase> {};

TEST_P(WavReaderCountTest, StoresTheExpectedNumberOfSamples)
{
    const CountCase& c = GetParam();
    loadBytes(wavBytes(ramp(c.dataWords), c.rate, c.channels, c.bits));
    EXPECT_EQ(state.loadStatus, 0);
    EXPECT_EQ(state.soundLength, c.expected);
    EXPECT_EQ(state.channelCount, c.channels);
    EXPECT_EQ(state.sampleRate, 22050);
    EXPECT_TRUE(errors.errors.empty());
}

// Counts follow the reading rules: the first 5 data words are skipped (6 for
// 16-bit stereo, to start on a left sample); 44100 Hz keeps even frame
// counts; 48000 Hz keeps even counts not equal to 1 modulo 25; 11025 Hz turns
// M kept frames into 2M - 1 samples; 8-bit data gives two samples per word.
const CountCase kCountCases[] = {
    {"Mono22050", 22050, 1, 16, 1000, 995},
    {"Mono22050AtTheLimit", 22050, 1, 16, 500005, 500000},
    {"Mono22050PastTheLimit", 22050, 1, 16, 700000, 500000},
    {"Stereo22050", 22050, 2, 16, 2000, 997},
    {"Mono44100OneSecond", 44100, 1, 16, 44100, 22047},
    {"Mono44100OddFrameCount", 44100, 1, 16, 1006, 500},
    {"Stereo44100OneSecond", 44100, 2, 16, 88200, 22048},
    {"Mono48000OneSecond", 48000, 1, 16, 48000, 23037},
    {"Stereo48000OneSecond", 48000, 2, 16, 96000, 23038},
    {"Mono48000ThreeSeconds", 48000, 1, 16, 144000, 69117},
    {"Mono48000PastTheLimit", 48000, 1, 16, 1200000, 500000},
    {"Mono11025", 11025, 1, 16, 1000, 1989},
    {"Mono11025PastTheLimit", 11025, 1, 16, 300000, 500000},
    {"Mono8Bit", 22050, 1, 8, 1000, 1990},
    {"Mono8BitPastTheLimit", 22050, 1, 8, 600000, 500000},
    {"Stereo8BitReadAs16BitFrames", 22050, 2, 8, 1001, 498},
    {"Mono32BitReadWordByWord", 22050, 1, 32, 1000, 995},
};

INSTANTIATE_TEST_SUITE_P(Rates, WavReaderCountTest, ::testing::ValuesIn(kCountCases),
    [](const auto& info) { return std::string(info.param.name); });

// --- Values --------------------------------------------------------------------

TEST_F(WavReaderTest, Scales16BitSamplesByOneFiveHundredth)
{
    std::vector<std::int16_t> data(1000, 0);
    data[5] = -1;
    data[6] = -32768;
    data[7] = 32767;
    data[8] = 1;
    loadBytes(wavBytes(data));
    EXPECT_DOUBLE_EQ(sample(1), -0.002);
    EXPECT_DOUBLE_EQ(sample(2), -65.536);
    EXPECT_DOUBLE_EQ(sample(3), 65.534);
    EXPECT_DOUBLE_EQ(sample(4), 0.002);
}

TEST_F(WavReaderTest, SkipsTheFirstFiveSamplesOfTheDataChunk)
{
    loadBytes(wavBytes(ramp(1000)));
    EXPECT_DOUBLE_EQ(sample(1), 5 / 500.0);
    EXPECT_DOUBLE_EQ(sample(995), 999 / 500.0);
    EXPECT_DOUBLE_EQ(sample(996), 0);
}

TEST_F(WavReaderTest, At44100HzKeepsTheEvenFrames)
{
    loadBytes(wavBytes(ramp(2000), 44100));
    // Frame count c is data sample c + 4; counts 2, 4, 6, ... are kept.
    EXPECT_DOUBLE_EQ(sample(1), 6 / 500.0);
    EXPECT_DOUBLE_EQ(sample(2), 8 / 500.0);
    EXPECT_DOUBLE_EQ(sample(3), 10 / 500.0);
}

TEST_F(WavReaderTest, At48000HzDropsEveryTwentyFifthEvenFrame)
{
    loadBytes(wavBytes(ramp(2000), 48000));
    // Counts 2..24 are samples 1..12; count 26 is dropped; count 76 too.
    EXPECT_DOUBLE_EQ(sample(1), 6 / 500.0);
    EXPECT_DOUBLE_EQ(sample(12), 28 / 500.0);
    EXPECT_DOUBLE_EQ(sample(13), 32 / 500.0);
    EXPECT_DOUBLE_EQ(sample(36), 78 / 500.0);
    EXPECT_DOUBLE_EQ(sample(37), 82 / 500.0);
}

TEST_F(WavReaderTest, At11025HzInterpolatesBetweenSamples)
{
    std::vector<std::int16_t> data(1000, 0);
    data[5] = 100;
    data[6] = 200;
    data[7] = 50;
    loadBytes(wavBytes(data, 11025));
    const double expected[] = {0.2, 0.3, 0.4, 0.25, 0.1, 0.05, 0.0};
    for (int i = 0; i < 7; ++i)
        EXPECT_DOUBLE_EQ(sample(i + 1), expected[i]) << "index " << i + 1;
}

TEST_F(WavReaderTest, StereoKeepsTheLeftChannel)
{
    constexpr int kFrames = 1000;
    std::vector<std::int16_t> data;
    for (int f = 0; f < kFrames; ++f) {
        data.push_back(static_cast<std::int16_t>(f));           // left
        data.push_back(static_cast<std::int16_t>(-1000 - f));   // right
    }
    loadBytes(wavBytes(data, 22050, 2));
    ASSERT_EQ(state.soundLength, kFrames - 3);
    for (int i = 1; i <= state.soundLength; ++i)
        ASSERT_DOUBLE_EQ(sample(i), (i + 2) / 500.0) << "index " << i;
}

TEST_F(WavReaderTest, Stores8BitBytesInFileOrder)
{
    std::vector<std::uint8_t> data(2000, 128);
    data[0] = 0;  // inside the skipped first 10 bytes
    data[10] = 0;
    data[11] = 128;
    data[12] = 255;
    data[13] = 138;
    loadBytes(wavBytes(packBytes(data), 22050, 1, 8));
    EXPECT_DOUBLE_EQ(sample(1), -12.8);
    EXPECT_DOUBLE_EQ(sample(2), 0.0);
    EXPECT_DOUBLE_EQ(sample(3), 12.7);
    EXPECT_DOUBLE_EQ(sample(4), 1.0);
}

TEST_F(WavReaderTest, AnOddTrailingByteIsNotAWord)
{
    for (std::uint16_t bits : {16, 8}) {
        auto bytes = wavBytes(ramp(1000), 22050, 1, bits);
        bytes.push_back(0x7F);
        loadBytes(bytes);
        EXPECT_EQ(state.soundLength, bits == 16 ? 995 : 1990) << bits << " bits";
    }
}

TEST_F(WavReaderTest, UsesOnlyTheLowWordOfTheSampleRate)
{
    auto bytes = wavBytes(ramp(1000));
    put32At(bytes, kRateOffset, 22050 + 65536);
    loadBytes(bytes);
    EXPECT_EQ(state.loadStatus, 0);
    EXPECT_EQ(state.soundLength, 995);

    put32At(bytes, kRateOffset, 16000 + 65536);
    loadBytes(bytes);
    EXPECT_EQ(state.loadStatus, -4);
    ASSERT_EQ(errors.errors.size(), 1u);
    EXPECT_EQ(errors.errors[0].text, "Frequency : 16000 Hz");
}

TEST_F(WavReaderTest, FindsTheFormatSectionAfterAnotherChunk)
{
    auto bytes = wavBytes(ramp(1000));
    const std::vector<std::uint8_t> junk = {'J', 'U', 'N', 'K', 4, 0, 0, 0, 1, 2, 3, 4};
    bytes.insert(bytes.begin() + 12, junk.begin(), junk.end());
    loadBytes(bytes);
    EXPECT_EQ(state.loadStatus, 0);
    EXPECT_EQ(state.soundLength, 995);
    EXPECT_DOUBLE_EQ(sample(1), 5 / 500.0);
}

// --- Name, existence and length -----------------------------------------------

enum class Entry { None, WavFile, Folder };

struct NameCase {
    const char* label;
    const char* name;
    Entry entry;
    std::int32_t expected;
};

class WavReaderNameTest : public WavReaderFixture, public ::testing::TestWithParam<NameCase> {};

TEST_P(WavReaderNameTest, ChecksTheNameAndTheFile)
{
    const NameCase& c = GetParam();
    const auto path = folder.path(c.name);
    if (c.entry == Entry::WavFile)
        test::writeFile(path, wavBytes(ramp(1000)));
    if (c.entry == Entry::Folder)
        std::filesystem::create_directory(path);
    load(path.string());
    EXPECT_EQ(state.loadStatus, c.expected);
    EXPECT_EQ(state.soundLength, c.expected == 0 ? 995 : 0);
    EXPECT_TRUE(errors.errors.empty());
}

const NameCase kNameCases[] = {
    {"LowerCase", "voice.wav", Entry::WavFile, 0},
    {"UpperCase", "VOICE.WAV", Entry::WavFile, 0},
    {"MixedCase", "voice.WaV", Entry::WavFile, 0},
    {"NoDot", "voicewav", Entry::WavFile, 0},
    {"Wave", "voice.wave", Entry::WavFile, -1},
    {"OtherExtension", "voice.mp3", Entry::WavFile, -1},
    {"Missing", "absent.wav", Entry::None, -2},
    {"Folder", "folder.wav", Entry::Folder, -2},
};

INSTANTIATE_TEST_SUITE_P(Names, WavReaderNameTest, ::testing::ValuesIn(kNameCases),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(WavReaderTest, NamesOfThreeCharactersAreRejected)
{
    for (const char* name : {"wav", "WAV", "", "av"}) {
        load(name);
        EXPECT_EQ(state.loadStatus, -1) << '"' << name << '"';
    }
}

TEST_F(WavReaderTest, FilesUnder1000WordsAreTooShort)
{
    const auto valid = wavBytes(ramp(1000));
    struct Case {
        std::size_t bytes;
        std::int32_t expected;
    };
    for (const Case c : {Case{0, -3}, Case{1, -3}, Case{44, -3}, Case{1999, -3}, Case{2000, 0}}) {
        loadBytes({valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(c.bytes)});
        EXPECT_EQ(state.loadStatus, c.expected) << c.bytes << " bytes";
        EXPECT_EQ(state.soundLength, c.expected == 0 ? (2000 - 44) / 2 - 5 : 0) << c.bytes << " bytes";
    }
}

TEST_F(WavReaderTest, UnreadableFileIsReportedAsMissing)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    const std::string path = put("locked.wav", wavBytes(ramp(1000)));
    std::filesystem::permissions(path, std::filesystem::perms::none);
    load(path);
    EXPECT_EQ(state.loadStatus, -2);
}

TEST_F(WavReaderTest, APipeIsNotOpened)
{
    const auto path = folder.path("pipe.wav");
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    load(path.string());
    EXPECT_EQ(state.loadStatus, -2);
}

// --- Unsupported formats: status and error window --------------------------------

struct LanguageCase {
    Language language;
    const char* title;
    const char* rateText;
    const char* formatNotFound;
};

const LanguageCase kLanguages[] = {
    {Language::French, "Format audio non pris en charge", "Fréquence : 16000 Hz", "Section \"FMT\" non trouvée"},
    {Language::English, "Audio format not supported", "Frequency : 16000 Hz", "\"FMT\" section not found"},
    {Language::Spanish, "Formato de audio no compatible", "Frecuencia : 16000 Hz", "\"FMT\" sección no encontrado"},
};

class WavReaderFormatTest : public WavReaderFixture, public ::testing::TestWithParam<LanguageCase> {
protected:
    void expectOneError(const std::string& text)
    {
        ASSERT_EQ(errors.errors.size(), 1u);
        EXPECT_EQ(errors.errors[0].text, text);
        EXPECT_EQ(errors.errors[0].heading, GetParam().title);
        EXPECT_EQ(state.soundLength, 0);
        EXPECT_EQ(progress.messageRuns, 0);
    }
};

TEST_P(WavReaderFormatTest, UnsupportedRate)
{
    loadBytes(wavBytes(ramp(1000), 16000), GetParam().language);
    EXPECT_EQ(state.loadStatus, -4);
    EXPECT_EQ(state.channelCount, 1);
    expectOneError(GetParam().rateText);
}

TEST_P(WavReaderFormatTest, UnsupportedBlockAlign)
{
    auto bytes = wavBytes(ramp(1000));
    put16At(bytes, kBlockAlignOffset, 3);
    loadBytes(bytes, GetParam().language);
    EXPECT_EQ(state.loadStatus, -5);
    expectOneError("Format : 3");
}

TEST_P(WavReaderFormatTest, NoFormatSection)
{
    auto bytes = wavBytes(ramp(1000));
    bytes[12] = 'F';  // "Fmt " is not "fmt "
    loadBytes(bytes, GetParam().language);
    EXPECT_EQ(state.loadStatus, -6);
    expectOneError(GetParam().formatNotFound);
}

INSTANTIATE_TEST_SUITE_P(Languages, WavReaderFormatTest, ::testing::ValuesIn(kLanguages),
    [](const auto& info) { return std::to_string(info.index); });

TEST_F(WavReaderTest, OtherBlockAlignsAreRejected)
{
    for (std::uint16_t blockAlign : {0, 3, 6, 8, 65535}) {
        auto bytes = wavBytes(ramp(1000));
        put16At(bytes, kBlockAlignOffset, blockAlign);
        errors.errors.clear();
        loadBytes(bytes);
        EXPECT_EQ(state.loadStatus, -5) << blockAlign;
        ASSERT_EQ(errors.errors.size(), 1u);
        EXPECT_EQ(errors.errors[0].text, "Format : " + std::to_string(blockAlign));
    }
}

TEST_F(WavReaderTest, FormatSectionAtAnOddOffsetIsNotFound)
{
    auto bytes = wavBytes(ramp(1000));
    bytes.insert(bytes.begin() + 12, 'x');
    loadBytes(bytes);
    EXPECT_EQ(state.loadStatus, -6);
}

// --- State around a load -----------------------------------------------------------

TEST_F(WavReaderTest, EveryLoadClearsBothBuffersButNotIndexZero)
{
    const std::string good = put("good.wav", wavBytes(ramp(1000)));
    for (const std::string& name : {std::string("x.mp3"), folder.path("absent.wav").string(), good}) {
        state.soundBuffer.fill(9);
        state.auxSoundBuffer.fill(9);
        state.soundLength = 123;
        load(name);
        EXPECT_EQ(state.soundBuffer[0], 9) << name;
        EXPECT_EQ(state.auxSoundBuffer[0], 9) << name;
        for (int i = state.soundLength + 1; i <= kMaxSoundSamples; ++i)
            ASSERT_EQ(state.soundBuffer[i], 0) << name << " index " << i;
        for (int i = 1; i <= kMaxSoundSamples; ++i)
            ASSERT_EQ(state.auxSoundBuffer[i], 0) << name << " index " << i;
    }
    EXPECT_EQ(state.soundLength, 995);
}

TEST_F(WavReaderTest, AFailedLoadAfterASuccessfulOneLeavesNoSound)
{
    loadBytes(wavBytes(ramp(1000)));
    ASSERT_EQ(state.soundLength, 995);
    loadBytes(wavBytes(ramp(1000), 16000));
    EXPECT_EQ(state.loadStatus, -4);
    EXPECT_EQ(state.soundLength, 0);
    EXPECT_EQ(sample(1), 0);
    loadBytes(wavBytes(ramp(1000)));
    EXPECT_EQ(state.loadStatus, 0);
}

TEST_F(WavReaderTest, RemembersAtMost250CharactersOfTheName)
{
    load(std::string(300, 'a') + ".wav");
    EXPECT_EQ(state.loadedFileName, std::string(250, 'a'));

    std::string accented;
    for (int i = 0; i < 260; ++i)
        accented += "é";
    load(accented);
    EXPECT_EQ(state.loadedFileName, accented.substr(0, 500));  // 250 two-byte characters

    load("short.wav");
    EXPECT_EQ(state.loadedFileName, "short.wav");
}

TEST_F(WavReaderTest, ReportsProgressEvery10000Frames)
{
    struct Case {
        std::uint32_t rate;
        std::uint16_t channels;
        std::size_t dataWords;
        int advances;  // frames read, dropped ones included, / 10000
    };
    for (const Case c : {Case{22050, 1, 100005, 10}, Case{22050, 1, 100004, 9}, Case{44100, 2, 40006, 2},
             Case{22050, 1, 1000, 0}}) {
        progress.advances = 0;
        progress.messageRuns = 0;
        loadBytes(wavBytes(ramp(c.dataWords), c.rate, c.channels));
        EXPECT_EQ(progress.advances, c.advances) << c.dataWords << " words";
        EXPECT_EQ(progress.messageRuns, c.advances + 2) << c.dataWords << " words";
    }
}

// --- Damaged files ------------------------------------------------------------------

TEST_F(WavReaderTest, TrustsNoSizeInTheHeader)
{
    for (std::uint32_t size : {0u, 1u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        auto bytes = wavBytes(ramp(1000));
        put32At(bytes, 4, size);   // RIFF size
        put32At(bytes, 16, size);  // format chunk size
        put32At(bytes, 40, size);  // data size
        loadBytes(bytes);
        EXPECT_EQ(state.loadStatus, 0) << size;
        EXPECT_EQ(state.soundLength, 995) << size;
    }
}

TEST_F(WavReaderTest, ATruncatedDataChunkKeepsWhatIsThere)
{
    auto bytes = wavBytes(ramp(100000));
    bytes.resize(44 + 2 * 1000 + 1);
    loadBytes(bytes);
    EXPECT_EQ(state.loadStatus, 0);
    EXPECT_EQ(state.soundLength, 995);
}

TEST_F(WavReaderTest, AHeaderEndingAfterTheFormatIdentifierIsTooShort)
{
    // "fmt " in the last words: the file ends before the block align (the
    // rate is a supported one whenever the file holds it).
    for (std::size_t fromEnd : {4u, 8u, 12u, 14u, 16u, 20u}) {
        std::vector<std::uint8_t> bytes(2000, 0);
        const std::size_t at = bytes.size() - fromEnd;
        bytes[at] = 'f';
        bytes[at + 1] = 'm';
        bytes[at + 2] = 't';
        bytes[at + 3] = ' ';
        if (fromEnd > 14)
            put16At(bytes, at + 12, 22050);
        loadBytes(bytes);
        EXPECT_EQ(state.loadStatus, -3) << fromEnd;
        EXPECT_EQ(state.soundLength, 0) << fromEnd;
    }
}

TEST_F(WavReaderTest, RandomBytesNeverBreakTheReader)
{
    std::mt19937 random(20240601);
    for (int round = 0; round < 200; ++round) {
        std::vector<std::uint8_t> bytes(random() % 6000);
        for (auto& b : bytes)
            b = static_cast<std::uint8_t>(random());
        if (round % 2 == 0 && bytes.size() >= 64) {
            // A real format identifier at a random even offset, then random fields
            // with a supported rate half of the time.
            const std::size_t at = 2 * (random() % (bytes.size() / 2 - 16));
            const std::uint8_t tag[] = {'f', 'm', 't', ' '};
            std::copy(std::begin(tag), std::end(tag), bytes.begin() + static_cast<std::ptrdiff_t>(at));
            if (random() % 2)
                put16At(bytes, at + 12, 22050);
        }
        errors.errors.clear();
        loadBytes(bytes);
        const std::int32_t status = state.loadStatus;
        EXPECT_TRUE(status == 0 || status == -3 || status == -4 || status == -5 || status == -6) << status;
        EXPECT_GE(state.soundLength, 0);
        EXPECT_LE(state.soundLength, kMaxSoundSamples);
        if (status != 0) {
            EXPECT_EQ(state.soundLength, 0);
        }
        EXPECT_LE(errors.errors.size(), 1u);
    }
}

} // namespace
} // namespace tiravel
