// The operations of the evaluation screen on a loaded sound: the biquad
// filters, the files written for listening, the rewrite of the sound file
// with its backup copy, and what the names and edits of the screen give.
#include "audio/WavReader.h"
#include "evaluation/EvaluationEdits.h"
#include "evaluation/FormantZones.h"
#include "evaluation/QuietFileOffer.h"
#include "evaluation/RecordingNames.h"
#include "evaluation/SoundFileOperations.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <memory>
#include <numbers>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace tiravel {
namespace {

namespace fs = std::filesystem;

constexpr double kRate = 22050.0;
// One second of samples after the filters have settled: whole periods of
// every test tone.
constexpr std::int32_t kMeasureFrom = 4001;
constexpr std::int32_t kMeasureCount = 22050;
constexpr std::int32_t kToneLength = 30000;

struct Tone {
    double hz;
    double amplitude; // sound units (16-bit value / 500)
};

void placeTones(AnalysisState& state, std::int32_t length, const std::vector<Tone>& tones)
{
    for (std::int32_t n = 0; n <= length; ++n) {
        double v = 0;
        for (const Tone& t : tones)
            v += t.amplitude * std::sin(2 * std::numbers::pi * t.hz * n / kRate);
        state.soundBuffer[n] = v;
    }
    state.soundLength = length;
}

// Amplitude of the hz component over the measuring second.
double amplitudeAt(const SoundArray& x, double hz)
{
    std::complex<double> sum;
    for (std::int32_t n = kMeasureFrom; n < kMeasureFrom + kMeasureCount; ++n)
        sum += x[n] * std::polar(1.0, -2 * std::numbers::pi * hz * n / kRate);
    return 2 * std::abs(sum) / kMeasureCount;
}

std::uint32_t get32(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return b.at(at) | b.at(at + 1) << 8 | b.at(at + 2) << 16 | static_cast<std::uint32_t>(b.at(at + 3)) << 24;
}

// The samples of a 44-byte-header 16-bit mono 22050 Hz file, its header
// checked.
std::vector<std::int16_t> wavSamples(const fs::path& path)
{
    const std::vector<std::uint8_t> b = test::readFile(path);
    EXPECT_GE(b.size(), 44u) << path;
    if (b.size() < 44)
        return {};
    EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
    EXPECT_EQ(std::string(b.begin() + 36, b.begin() + 40), "data");
    EXPECT_EQ(b[22] | b[23] << 8, 1) << "channels";
    EXPECT_EQ(get32(b, 24), 22050u) << "rate";
    EXPECT_EQ(b[34] | b[35] << 8, 16) << "bits";
    const std::uint32_t dataBytes = get32(b, 40);
    EXPECT_EQ(get32(b, 4), 36 + dataBytes);
    EXPECT_EQ(b.size(), 44 + dataBytes);
    std::vector<std::int16_t> samples;
    for (std::size_t at = 44; at + 1 < b.size(); at += 2)
        samples.push_back(static_cast<std::int16_t>(b[at] | b[at + 1] << 8));
    return samples;
}

// A loaded sound and its operations, the working folder a folder of its own;
// reloading goes through the WAV reader as the window does.
struct SoundScreen {
    SoundScreen()
    {
        ops.setWorkingFolder(folder.path(""));
        ops.setReload([this](const std::string& path) {
            reloads.push_back(path);
            NoProgress progress;
            loadWavFile(*state, path, Language::French, errors, progress);
        });
    }

    // Writes a WAV file of the 16-bit samples and loads it as the current sound.
    fs::path loadFile(const std::string& name, const std::vector<std::int16_t>& samples)
    {
        const fs::path path = folder.path(name);
        test::writeFile(path, test::wavBytes(samples));
        NoProgress progress;
        loadWavFile(*state, path.string(), Language::French, errors, progress);
        EXPECT_EQ(state->loadStatus, 0);
        files->currentSoundPath = path.string();
        return path;
    }

    test::TempFolder folder;
    std::unique_ptr<AnalysisState> state = std::make_unique<AnalysisState>();
    std::unique_ptr<SoundFileState> files = std::make_unique<SoundFileState>();
    test::RecordingErrorReporter errors;
    SoundFileOperations ops {*state, *files, errors};
    std::vector<std::string> reloads;
};

// The file reader drops the first five samples of a canonical file: the
// loaded sample i (from 1) is file sample i + 4.
constexpr std::size_t kReaderOffset = 4;

std::vector<std::int16_t> repeated(const std::vector<std::int16_t>& pattern, std::size_t count)
{
    std::vector<std::int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = pattern[i % pattern.size()];
    return samples;
}

std::vector<std::int16_t> ramp(std::size_t count)
{
    std::vector<std::int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = static_cast<std::int16_t>(static_cast<int>(i % 30000) - 15000);
    return samples;
}

std::vector<std::int16_t> voiceWithHum(std::size_t count)
{
    std::vector<std::int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kRate;
        samples[i] = static_cast<std::int16_t>(std::nearbyint(
            3000 * std::sin(2 * std::numbers::pi * 30 * t) + 6000 * std::sin(2 * std::numbers::pi * 200 * t)));
    }
    return samples;
}

// --- Filters -------------------------------------------------------------------

TEST(SoundFilter, PassesAndStopsTonesAsItsTypeSays)
{
    struct Case {
        const char* what;
        FilterType type;
        bool cascade;
        double hz;
        double toneHz;
        double minGain, maxGain;
    };
    const std::vector<Case> cases = {
        {"low-pass keeps a low tone", FilterType::LowPass, false, 500, 100, 0.95, 1.05},
        {"low-pass attenuates a high tone", FilterType::LowPass, false, 500, 5000, 0.0, 0.02},
        {"band-pass keeps its centre", FilterType::BandPass, false, 540, 540, 0.99, 1.01},
        {"band-pass cascade keeps its centre", FilterType::BandPass, true, 540, 540, 0.98, 1.02},
        {"band-pass cascade attenuates far tones", FilterType::BandPass, true, 540, 4000, 0.0, 0.01},
        {"boost doubles its centre", FilterType::Boost, false, 200, 200, 1.97, 2.03},
        {"boost leaves far tones", FilterType::Boost, false, 200, 5000, 0.97, 1.05},
    };
    SoundScreen screen;
    for (const Case& c : cases) {
        placeTones(*screen.state, kToneLength, {{c.toneHz, 1.0}});
        screen.ops.DoFilter(c.type, c.cascade, c.hz, false, false);
        const double gain = amplitudeAt(screen.state->soundBuffer, c.toneHz);
        EXPECT_GE(gain, c.minGain) << c.what;
        EXPECT_LE(gain, c.maxGain) << c.what;
    }
}

TEST(SoundFilter, HighPassBelowTheF0FloorRemovesAHumAndKeepsTheVoice)
{
    SoundScreen screen;
    screen.state->f0MinHz = 85;
    placeTones(*screen.state, kToneLength, {{30, 1.0}, {200, 1.0}});
    screen.ops.DoFilter(FilterType::HighPass, false, screen.state->f0MinHz - 10, false, false);
    EXPECT_LT(amplitudeAt(screen.state->soundBuffer, 30), 0.2);
    EXPECT_NEAR(amplitudeAt(screen.state->soundBuffer, 200), 1.0, 0.1);
}

TEST(SoundFilter, ACascadeIsThreePassesOfTheSameFilter)
{
    SoundScreen screen;
    placeTones(*screen.state, kToneLength, {{2000, 1.0}});
    screen.ops.DoFilter(FilterType::BandPass, false, 540, false, false);
    const double once = amplitudeAt(screen.state->soundBuffer, 2000);
    placeTones(*screen.state, kToneLength, {{2000, 1.0}});
    screen.ops.DoFilter(FilterType::BandPass, true, 540, false, false);
    EXPECT_NEAR(amplitudeAt(screen.state->soundBuffer, 2000), once * once * once, 0.02 * once * once * once);
}

// The recurrence written out from its definition, on a sound of six samples.
TEST(SoundFilter, FollowsTheRecurrenceAndKeepsTheFirstThreeSamples)
{
    const std::vector<double> input = {0.7, 0.3, -0.2, 0.5, 0.1, -0.4, 0.9, 0.25};
    constexpr std::int32_t kLength = 6; // input[7] lies beyond the sound
    const double w = 2 * std::numbers::pi * 1000 / kRate;
    const double alpha = std::sin(w) / 2;
    const double a0 = 1 + alpha;
    const double a1 = 2 * std::cos(w) / a0;
    const double a2 = -(1 - alpha) / a0;
    struct Case {
        FilterType type;
        double b0, b1, b2;
        double gain;
    };
    const std::vector<Case> cases = {
        {FilterType::LowPass, (1 - std::cos(w)) / (2 * a0), (1 - std::cos(w)) / a0, (1 - std::cos(w)) / (2 * a0), 1.0},
        {FilterType::HighPass, (1 + std::cos(w)) / (2 * a0), -(1 + std::cos(w)) / a0, (1 + std::cos(w)) / (2 * a0),
            1.0},
        {FilterType::BandPass, std::sin(w) / (2 * a0), 0, -std::sin(w) / (2 * a0), 0.5},
        {FilterType::Boost, std::sin(w) / (2 * a0), 0, -std::sin(w) / (2 * a0), 2.0},
    };
    for (const Case& c : cases) {
        std::vector<double> y = input;
        for (int n = 3; n <= kLength; ++n)
            y[n] = c.b0 * input[n] + c.b1 * input[n - 1] + c.b2 * input[n - 2] + a1 * y[n - 1] + a2 * y[n - 2];
        for (int n = 1; n <= kLength; ++n)
            y[n] = (y[n] + (c.type == FilterType::Boost ? input[n] : 0)) * c.gain;

        SoundScreen screen;
        for (std::size_t n = 0; n < input.size(); ++n)
            screen.state->soundBuffer[n] = input[n];
        screen.state->soundLength = kLength;
        screen.files->outputGain = c.gain;
        screen.ops.DoFilter(c.type, false, 1000, false, false);
        for (std::size_t n = 0; n < input.size(); ++n)
            EXPECT_NEAR(screen.state->soundBuffer[n], y[n], 1e-12) << "type " << int(c.type) << " sample " << n;
    }
}

TEST(SoundFilter, FilterFileHoldsTheFilteredSoundAndTheLoadedSoundIsRestored)
{
    SoundScreen filtered;
    placeTones(*filtered.state, 5000, {{540, 40.0}, {3000, 40.0}});
    filtered.ops.DoFilter(FilterType::BandPass, true, 540, false, false);

    SoundScreen screen;
    placeTones(*screen.state, 5000, {{540, 40.0}, {3000, 40.0}});
    const std::vector<double> before(screen.state->soundBuffer.begin(), screen.state->soundBuffer.begin() + 5002);
    ASSERT_TRUE(screen.ops.DoFilter(FilterType::BandPass, true, 540, true, false));

    const std::vector<std::int16_t> written = wavSamples(screen.ops.filterFilePath());
    ASSERT_EQ(written.size(), 5000u);
    EXPECT_EQ(written[0], 0);
    // The first filtered samples ring above full scale: they are clamped.
    for (std::size_t n = 1; n < written.size(); ++n) {
        const double expected = std::clamp(std::nearbyint(filtered.state->soundBuffer[n] * 500), -32768.0, 32767.0);
        ASSERT_EQ(written[n], expected) << "sample " << n;
    }
    for (std::size_t n = 0; n < before.size(); ++n)
        ASSERT_EQ(screen.state->soundBuffer[n], before[n]) << "sample " << n;
    EXPECT_TRUE(screen.reloads.empty());
}

TEST(SoundFilter, FormantBandIsTheCategorysZoneAtUnitGain)
{
    SoundScreen screen;
    screen.state->voiceCategory = 1; // woman: F2 900..2500 Hz, centre 1700 Hz
    screen.files->outputGain = 3.0;
    placeTones(*screen.state, kToneLength, {{1700, 20.0}, {300, 20.0}});
    ASSERT_TRUE(screen.ops.writeFormantBand(2));
    EXPECT_EQ(screen.files->outputGain, 1.0);

    const std::vector<std::int16_t> written = wavSamples(screen.ops.filterFilePath());
    ASSERT_EQ(written.size(), static_cast<std::size_t>(kToneLength));
    const auto heard = std::make_unique<SoundArray>();
    for (std::size_t n = 0; n < written.size(); ++n)
        (*heard)[n] = written[n] / 500.0;
    EXPECT_NEAR(amplitudeAt(*heard, 1700), 20.0, 0.5);
    EXPECT_LT(amplitudeAt(*heard, 300), 1.0);
    EXPECT_FALSE(screen.ops.writeFormantBand(5));
}

// --- Rewriting the sound file --------------------------------------------------

TEST(SoundFileRewrite, FilterKeepsABackupAndReloadsTheHighPassedSound)
{
    SoundScreen screen;
    const fs::path path = screen.loadFile("voix.wav", voiceWithHum(30000));
    const std::vector<std::uint8_t> original = test::readFile(path);
    const fs::path backup = screen.folder.path("voix.~WA");
    test::writeFile(backup, {1, 2, 3}); // an older copy is replaced
    screen.files->outputGain = 2.0;

    ASSERT_TRUE(screen.ops.filterBelowF0Search());

    EXPECT_EQ(test::readFile(backup), original);
    ASSERT_EQ(screen.reloads, std::vector<std::string> {path.string()});
    EXPECT_EQ(screen.state->loadStatus, 0);
    EXPECT_EQ(screen.state->soundLength, 30000 - 5 - 5); // the reader drops five samples per load
    const double hum = 3000 / 500.0;
    const double voice = 6000 / 500.0;
    EXPECT_LT(amplitudeAt(screen.state->soundBuffer, 30), 0.2 * hum);
    EXPECT_NEAR(amplitudeAt(screen.state->soundBuffer, 200), voice, 0.1 * voice); // gain reset to 1
    EXPECT_FALSE(fs::exists(screen.folder.path("voix.~WT")));
}

TEST(SoundFileRewrite, GainButtonsScaleTheWholeFileAndClampLoudSamples)
{
    const std::vector<std::int16_t> pattern = {30000, -30000, 10000, -22000, 4};
    struct Case {
        double factor;
        std::vector<std::int16_t> expected; // for each pattern value
    };
    const std::vector<Case> cases = {
        {1.5, {32767, -32768, 15000, -32768, 6}},
        {0.66, {19800, -19800, 6600, -14520, 3}},
    };
    for (const Case& c : cases) {
        SoundScreen screen;
        const std::vector<std::int16_t> samples = repeated(pattern, 12000);
        const fs::path path = screen.loadFile("fort.wav", samples);
        const std::int32_t length = screen.state->soundLength;
        ASSERT_TRUE(screen.ops.AmplifyActualFile(false, c.factor, 0, length));

        EXPECT_EQ(test::readFile(screen.folder.path("fort.~WA")), test::wavBytes(samples));
        const std::vector<std::int16_t> written = wavSamples(path);
        ASSERT_EQ(written.size(), static_cast<std::size_t>(length));
        EXPECT_EQ(written[0], 0);
        for (std::size_t i = 1; i < written.size(); ++i) {
            const std::size_t k = (i + kReaderOffset) % pattern.size();
            ASSERT_EQ(written[i], c.expected[k]) << "factor " << c.factor << " sample " << i;
        }
        EXPECT_EQ(screen.reloads.size(), 1u);
    }
}

TEST(SoundFileRewrite, KeepsASelectionOfAtLeastTenThousandSamplesOnly)
{
    struct Case {
        std::int32_t first, last;
        bool cutOut;
    };
    const std::vector<Case> cases = {
        {100, 10100, true},  // 9999 samples written
        {2000, 19000, true},
        {100, 10099, false}, // spans 9999 samples: the whole sound is kept
    };
    for (const Case& c : cases) {
        SoundScreen screen;
        const std::vector<std::int16_t> samples = ramp(25000);
        const fs::path path = screen.loadFile("long.wav", samples);
        const std::int32_t length = screen.state->soundLength;
        ASSERT_TRUE(screen.ops.AmplifyActualFile(true, 1.0, c.first, c.last));

        const std::vector<std::int16_t> written = wavSamples(path);
        if (!c.cutOut) {
            EXPECT_EQ(written.size(), static_cast<std::size_t>(length)) << c.first << ".." << c.last;
            continue;
        }
        ASSERT_EQ(written.size(), static_cast<std::size_t>(c.last - c.first - 1));
        EXPECT_EQ(written.front(), samples[c.first + kReaderOffset]);
        EXPECT_EQ(written.back(), samples[c.last - 2 + kReaderOffset]);
    }
}

TEST(SoundFileRewrite, ShortSoundsAndShortPathsAreNeverRewritten)
{
    struct Case {
        std::size_t fileSamples; // the reader keeps five fewer
        bool rewritten;
    };
    for (const Case& c : {Case {10004, false}, Case {10005, true}}) {
        SoundScreen screen;
        const fs::path path = screen.loadFile("court.wav", ramp(c.fileSamples));
        const std::vector<std::uint8_t> original = test::readFile(path);
        EXPECT_EQ(screen.ops.AmplifyActualFile(false, 1.5, 0, screen.state->soundLength), c.rewritten);
        EXPECT_EQ(test::readFile(path) == original, !c.rewritten) << c.fileSamples;
        EXPECT_EQ(fs::exists(screen.folder.path("court.~WA")), c.rewritten) << c.fileSamples;
        EXPECT_EQ(screen.reloads.size(), c.rewritten ? 1u : 0u) << c.fileSamples;
    }

    SoundScreen screen;
    screen.state->soundLength = 20000;
    screen.files->currentSoundPath = "a.w";
    EXPECT_FALSE(screen.ops.AmplifyActualFile(false, 1.5, 0, 20000));
    EXPECT_TRUE(screen.reloads.empty());
}

// A rewrite that fails at any step leaves the sound file as it was.
class FailedRewrite : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = screen.loadFile("voix.wav", ramp(12000));
        original = test::readFile(path);
    }
    void expectUntouched()
    {
        EXPECT_FALSE(screen.ops.AmplifyActualFile(false, 1.5, 0, screen.state->soundLength));
        EXPECT_EQ(test::readFile(path), original);
        EXPECT_TRUE(screen.reloads.empty());
        EXPECT_FALSE(fs::is_regular_file(screen.folder.path("voix.~WT")));
    }
    bool isRoot() const { return geteuid() == 0; }

    SoundScreen screen;
    fs::path path;
    std::vector<std::uint8_t> original;
};

TEST_F(FailedRewrite, WhenTheNewFileCannotBeCreatedTheBackupIsMadeAndTheFileKept)
{
    fs::create_directory(screen.folder.path("voix.~WT"));
    expectUntouched();
    EXPECT_EQ(test::readFile(screen.folder.path("voix.~WA")), original);
}

TEST_F(FailedRewrite, WithoutABackupNothingIsRewritten)
{
    fs::create_directory(screen.folder.path("voix.~WA"));
    expectUntouched();
}

TEST_F(FailedRewrite, InAFolderThatDoesNotExistNothingIsWritten)
{
    screen.files->currentSoundPath = screen.folder.path("absent/voix.wav").string();
    EXPECT_FALSE(screen.ops.AmplifyActualFile(false, 1.5, 0, screen.state->soundLength));
    EXPECT_FALSE(fs::exists(screen.folder.path("absent")));
    EXPECT_TRUE(screen.reloads.empty());
}

TEST_F(FailedRewrite, InAReadOnlyFolder)
{
    if (isRoot())
        GTEST_SKIP() << "permissions do not apply to root";
    fs::permissions(screen.folder.path(""), fs::perms::owner_read | fs::perms::owner_exec);
    expectUntouched();
    fs::permissions(screen.folder.path(""), fs::perms::owner_all);
}

TEST_F(FailedRewrite, OfAReadOnlyFile)
{
    if (isRoot())
        GTEST_SKIP() << "permissions do not apply to root";
    fs::permissions(path, fs::perms::owner_read);
    expectUntouched();
    EXPECT_FALSE(fs::exists(screen.folder.path("voix.~WA")));
}

TEST(SoundFileRewrite, BoostNeedsAReadableFrequency)
{
    for (const char* text : {"", "abc", "74", "1001"}) {
        SoundScreen screen;
        const fs::path path = screen.loadFile("voix.wav", ramp(12000));
        const std::vector<std::uint8_t> original = test::readFile(path);
        EXPECT_FALSE(screen.ops.boostFromEdit(text)) << text;
        EXPECT_EQ(test::readFile(path), original) << text;
    }
    SoundScreen screen;
    screen.loadFile("voix.wav", ramp(12000));
    EXPECT_TRUE(screen.ops.boostFromEdit("120"));
    EXPECT_EQ(screen.reloads.size(), 1u);
}

// --- Selection file ------------------------------------------------------------

TEST(SelectionFile, HoldsSamplesFirstToLastMinusTwo)
{
    struct Case {
        std::int32_t first, last;
        std::optional<std::size_t> count; // empty: refused
    };
    constexpr std::int32_t kLength = 300;
    const std::vector<Case> cases = {
        {0, 101, 100},
        {10, 110, 99},
        {1, kLength + 2, kLength},
        {5, 7, 1},
        {5, 6, std::nullopt},
        {-1, 50, std::nullopt},
        {0, kLength + 3, std::nullopt},
    };
    for (const Case& c : cases) {
        SoundScreen screen;
        for (std::int32_t n = 0; n <= kLength; ++n)
            screen.state->soundBuffer[n] = n / 500.0; // written as n
        screen.state->soundLength = kLength;
        const bool written = screen.ops.writeSelection(kSelectionFileName, c.first, c.last);
        ASSERT_EQ(written, c.count.has_value()) << c.first << ".." << c.last;
        EXPECT_EQ(fs::exists(screen.ops.selectionFilePath()), written);
        if (!written)
            continue;
        const std::vector<std::int16_t> samples = wavSamples(screen.ops.selectionFilePath());
        ASSERT_EQ(samples.size(), *c.count);
        for (std::size_t k = 0; k < samples.size(); ++k)
            ASSERT_EQ(samples[k], c.first + static_cast<std::int32_t>(k));
    }
}

TEST(SelectionFile, SamplesAreRoundedHalfToEvenAndClamped)
{
    struct Case {
        double scaled;
        std::int16_t expected;
    };
    const std::vector<Case> cases = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {-2.5, -2}, {-0.49, 0}, {1234.51, 1235},
        {32767.4, 32767}, {32767.5, 32767}, {40000, 32767}, {-32768.5, -32768}, {-1e9, -32768},
        {std::numeric_limits<double>::infinity(), 32767}, {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(toPcm16(c.scaled), c.expected) << c.scaled;
}

// --- Names ---------------------------------------------------------------------

TEST(RecordingName, SoundKindFromTheFileName)
{
    struct Case {
        const char* name;
        int kind;
    };
    const std::vector<Case> cases = {
        {"ordinaire.wav", 0},
        {"patient_sirene.wav", 1},
        {"patient_sirène.wav", 1},
        {"PATIENT_SIREN.WAV", 1},
        {"SIRÈNE_long.wav", 0},          // only a..z ignore case
        {"voix_a-chant_1.wav", 3},
        {"test_A-Sing.wav", 3},
        {"diadococinesie.wav", 2},
        {"patient_apres_a-chant_diado.wav", 2},
        {"diado_a-chant_2.wav", 2},      // the last test wins, wherever the words are
        {"sirene_a-chant.wav", 3},
        {"siren.wav", 0},                // fewer than 10 characters
        {"abcdesiren", 0},               // ends on the last character
        {"abcdesirenx", 1},
        {"/data/sirene/voix.wav", 0},    // folders are not looked at
        {"/data/sons/patient_diado.wav", 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(soundKindOf(c.name), c.kind) << c.name;
}

TEST(RecordingName, SpeakerCategoryAndAgeBeforeTheExtension)
{
    struct Case {
        const char* name;
        std::optional<int> category;
        std::optional<int> age;
    };
    const std::vector<Case> cases = {
        {"AB1231210F45.wav", 1, 45},
        {"xx1210H07.WAV", 0, 7},
        {"patient0000m80.wav", 0, 80},
        {"enfant_E09.wav", 2, 9},
        {"c12.wav", 2, 12},
        {"sirène_F33.wav", 1, 33},       // characters, not bytes, are counted
        {"/data/base/AB1231210F45.wav", 1, 45},
        {"1210X45.wav", std::nullopt, 45},
        {"1210F4a.wav", 1, std::nullopt},
        {"voix-exemple.wav", std::nullopt, std::nullopt},
        {"F45.wa", std::nullopt, std::nullopt},
        {"ab.wav", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        const RecordingSpeaker speaker = speakerOf(c.name);
        EXPECT_EQ(speaker.voiceCategory.has_value(), c.category.has_value()) << c.name;
        if (speaker.voiceCategory && c.category) {
            EXPECT_EQ(*speaker.voiceCategory, *c.category) << c.name;
        }
        EXPECT_EQ(speaker.age, c.age) << c.name;
    }
}

// --- Edits, formant bands and the quiet-file offer ---------------------------

TEST(EvaluationEdit, ReadsNumbersWithinEachEditsRange)
{
    struct Case {
        const char* text;
        std::optional<double> filter, highLow, boost;
    };
    const std::vector<Case> cases = {
        {"120", 120, 120, 120},
        {" 99.5", 100, 99.5, 99.5},  // the filter floor rounds half to even
        {"100.5", 100, 100.5, 100.5},
        {"75", 75, 75, 75},
        {"74", std::nullopt, 74, std::nullopt},
        {"1000", 1000, 1000, 1000},
        {"1001", std::nullopt, 1001, std::nullopt},
        {"0", std::nullopt, 0, std::nullopt},
        {"11000", std::nullopt, 11000, std::nullopt},
        {"11001", std::nullopt, std::nullopt, std::nullopt},
        {"-5", std::nullopt, std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt, std::nullopt},
        {"1k", std::nullopt, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<std::int32_t> filter = readFilterEdit(c.text);
        EXPECT_EQ(filter.has_value(), c.filter.has_value()) << c.text;
        if (filter && c.filter) {
            EXPECT_EQ(*filter, *c.filter) << c.text;
        }
        EXPECT_EQ(readHighLowEdit(c.text), c.highLow) << c.text;
        EXPECT_EQ(readBoostEdit(c.text), c.boost) << c.text;
    }
}

TEST(EvaluationEdit, HighLimitSetsItsBin)
{
    test::FreshEngine e;
    applyHighLimit(e.state, 1300);
    EXPECT_EQ(e.state.highLimitHz, 1300);
    EXPECT_EQ(e.state.highLimitBin, 60); // 1300 / 21.53 = 60.4
    applyHighLimit(e.state, 11000);
    EXPECT_EQ(e.state.highLimitBin, 511);
}

TEST(FormantBand, CentresOfTheZonesOfEachCategory)
{
    struct Case {
        int category;
        double f1, f2, f3, f4;
    };
    const std::vector<Case> cases = {
        {0, 540, 1500, 2650, 3800},
        {1, 600, 1700, 3000, 4150},
        {2, 710, 2075, 3450, 4500},
        {3, 540, 1500, 2650, 3800}, // unknown speakers use the man's zones
        {200, 540, 1500, 2650, 3800},
    };
    for (const Case& c : cases) {
        const auto category = static_cast<std::uint8_t>(c.category);
        EXPECT_EQ(formantCentreHz(category, 1), c.f1) << c.category;
        EXPECT_EQ(formantCentreHz(category, 2), c.f2) << c.category;
        EXPECT_EQ(formantCentreHz(category, 3), c.f3) << c.category;
        EXPECT_EQ(formantCentreHz(category, 4), c.f4) << c.category;
        EXPECT_EQ(formantCentreHz(category, 0), 0) << c.category;
    }
    EXPECT_EQ(formantZonesHz(2), (FormantZonesHz {370, 1050, 1050, 3100, 3100, 3800, 3800, 5200}));
}

TEST(QuietFile, OffersToAmplifyQuietSounds)
{
    struct Case {
        double bandEnergyMax;
        Language language;
        const char* caption; // nullptr: no offer
    };
    const std::vector<Case> cases = {
        {0.05, Language::French, "Amplifier de  6 dB"},
        {0.05, Language::English, "Amplify by  6 dB"},
        {0.05, Language::Spanish, "Amplify by  6 dB"},
        {0.0001, Language::French, "Amplifier de 60 dB"},
        {0.000001, Language::French, "Amplifier de 100 dB"}, // wider numbers widen the field
        {0.0699, Language::French, "Amplifier de  3 dB"},
        {0.07, Language::French, nullptr},   // 3.1 dB, but not quiet enough
        {0.08, Language::French, nullptr},   // 1.9 dB
        {0.5, Language::French, nullptr},
        {0.0, Language::French, nullptr},
        {-0.01, Language::French, nullptr},
    };
    for (const Case& c : cases) {
        const std::optional<QuietFileOffer> offer = quietFileOffer(c.bandEnergyMax, c.language);
        ASSERT_EQ(offer.has_value(), c.caption != nullptr) << c.bandEnergyMax;
        if (!offer)
            continue;
        EXPECT_EQ(offer->caption, c.caption);
        EXPECT_NEAR(offer->gainDb, 20 * std::log10(0.1 / c.bandEnergyMax), 1e-9);
    }
}

} // namespace
} // namespace tiravel
