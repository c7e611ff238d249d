// The recorder's buffer-by-buffer work: recording, level monitoring, the
// stop before the sample buffer overflows, the level and its saturation,
// the texts and names it builds, and the WAV file of a recording.
#include "audio/RecordingSession.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace tiravel {
namespace {

constexpr std::uint32_t kBufferSamples = 1103; // 50 ms at 22050 Hz

std::vector<std::uint8_t> pcm(const std::vector<std::int16_t>& samples)
{
    std::vector<std::uint8_t> bytes;
    for (std::int16_t sample : samples) {
        bytes.push_back(static_cast<std::uint8_t>(sample & 0xff));
        bytes.push_back(static_cast<std::uint8_t>((sample >> 8) & 0xff));
    }
    return bytes;
}

// +raw, -raw, +raw, ...: mean 0 over any even count.
std::vector<std::uint8_t> alternating(std::int16_t raw, std::uint32_t samples = kBufferSamples)
{
    std::vector<std::int16_t> values(samples);
    for (std::uint32_t i = 0; i < samples; ++i)
        values[i] = static_cast<std::int16_t>(i % 2 == 0 ? raw : -raw);
    return pcm(values);
}

std::vector<std::uint8_t> constant(std::int16_t raw, std::uint32_t samples = kBufferSamples)
{
    return pcm(std::vector<std::int16_t>(samples, raw));
}

class RecordingSessionTest : public testing::Test {
protected:
    RecordingSession::BufferReport feed(const std::vector<std::uint8_t>& bytes)
    {
        return session.bufferArrived(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    }
    void fillSoundBuffer(double value)
    {
        for (double& sample : state.soundBuffer)
            sample = value;
    }

    std::unique_ptr<AnalysisState> statePtr = std::make_unique<AnalysisState>();
    AnalysisState& state = *statePtr;
    RecordingSession session{state};
};

TEST_F(RecordingSessionTest, OneBufferIsRecordedCalibratedFromTheStart)
{
    state.calibration = 2.0;
    state.soundLength = 777;
    session.open();
    session.startRecording();
    EXPECT_EQ(state.soundLength, 0);
    const auto report = feed(alternating(100));
    EXPECT_TRUE(report.recorded);
    EXPECT_FALSE(report.full);
    EXPECT_EQ(report.progress, 0);
    EXPECT_EQ(state.soundLength, 1103);
    EXPECT_EQ(session.recordPosition(), 1103u);
    EXPECT_EQ(session.recordBufferCount(), 1);
    EXPECT_DOUBLE_EQ(state.soundBuffer[0], 4.0);  // 100 x 2 / 50
    EXPECT_DOUBLE_EQ(state.soundBuffer[1], -4.0);
    EXPECT_DOUBLE_EQ(state.soundBuffer[1102], 4.0);
    EXPECT_EQ(recordLengthText(state.soundLength, state.sampleRate, Language::French),
        "Durée de l'enregistrement : 0.1 secondes");
}

TEST_F(RecordingSessionTest, BuffersFollowEachOtherAndTheProgressIsOfTheStartOfEach)
{
    session.startRecording();
    for (int b = 0; b < 226; ++b)
        feed(constant(static_cast<std::int16_t>(b)));
    EXPECT_EQ(state.soundLength, 226 * 1103);
    EXPECT_DOUBLE_EQ(state.soundBuffer[1103 * 225 + 5], 225 / 50.0);
    // The 227th buffer starts at 249278 samples: 49.86 % of the buffer.
    EXPECT_EQ(feed(constant(1)).progress, 50);
}

// The variance leaves the first sample out of its sum but divides by n.
TEST_F(RecordingSessionTest, RecordedVarianceSkipsTheFirstSample)
{
    session.startRecording();
    std::vector<std::int16_t> samples(kBufferSamples, 0);
    samples[0] = 5000; // 100 once calibrated
    const double mean = 100.0 / kBufferSamples;
    EXPECT_NEAR(feed(pcm(samples)).variance, (kBufferSamples - 1) * mean * mean / kBufferSamples, 1e-12);
}

TEST_F(RecordingSessionTest, MonitoringWritesOnlyTheFirst1028SamplesAndKeepsTheLength)
{
    fillSoundBuffer(-7.0);
    state.soundLength = 4321;
    session.open();
    feed(constant(100));
    EXPECT_EQ(state.soundLength, 4321);
    EXPECT_DOUBLE_EQ(state.soundBuffer[0], 2.0);
    EXPECT_DOUBLE_EQ(state.soundBuffer[1027], 2.0);
    EXPECT_DOUBLE_EQ(state.soundBuffer[1028], -7.0);
    EXPECT_DOUBLE_EQ(state.soundBuffer[1102], -7.0);
}

// The mean is the sum of the 1028 values over the whole buffer length.
TEST_F(RecordingSessionTest, MonitoredVarianceIsOver1028ValuesWithTheMeanOverTheBuffer)
{
    session.open();
    const double mean = 1028.0 / kBufferSamples; // 1028 values of 1
    EXPECT_NEAR(feed(constant(50)).variance, (1 - mean) * (1 - mean), 1e-12);
    EXPECT_DOUBLE_EQ(feed(alternating(100)).variance, 4.0);
}

TEST_F(RecordingSessionTest, AShortMonitoredBufferIsReadOnlyUpToItsEnd)
{
    fillSoundBuffer(-7.0);
    session.open();
    const auto report = feed(alternating(100, 500));
    EXPECT_DOUBLE_EQ(state.soundBuffer[499], -2.0);
    EXPECT_DOUBLE_EQ(state.soundBuffer[500], -7.0);
    EXPECT_DOUBLE_EQ(report.variance, 4.0);
    EXPECT_DOUBLE_EQ(feed({}).variance, 0.0);
    EXPECT_DOUBLE_EQ(feed({0x10}).variance, 0.0); // half a sample
    EXPECT_DOUBLE_EQ(state.soundBuffer[0], 2.0);
    EXPECT_EQ(session.monitorBufferCount(), 3);
}

TEST_F(RecordingSessionTest, TheLevelIsDueOnEveryTenthBufferOfItsCounter)
{
    session.open();
    for (int b = 1; b <= 17; ++b)
        EXPECT_EQ(feed(constant(1)).levelDue, b == 10) << b;
    // While recording, the buffers of the recording are counted from 0.
    session.startRecording();
    for (int b = 1; b <= 10; ++b)
        EXPECT_EQ(feed(constant(1)).levelDue, b == 10) << b;
    EXPECT_EQ(session.monitorBufferCount(), 27);
}

struct OverflowCase {
    std::uint32_t samples;     // per buffer
    int buffersUntilFull;
    std::int32_t soundLength;  // the last buffer is not counted in
};

class RecordingOverflow : public RecordingSessionTest, public testing::WithParamInterface<OverflowCase> {};

// The recording stops once fewer than two buffers are left, and never writes
// past index 500000.
TEST_P(RecordingOverflow, StopsTwoBuffersBeforeTheEnd)
{
    const OverflowCase& c = GetParam();
    fillSoundBuffer(-7.0);
    session.startRecording();
    const auto buffer = constant(50, c.samples);
    for (int b = 1; b < c.buffersUntilFull; ++b)
        ASSERT_FALSE(feed(buffer).full) << b;
    EXPECT_TRUE(feed(buffer).full);
    EXPECT_FALSE(session.recording());
    EXPECT_EQ(state.soundLength, c.soundLength);
    const std::size_t written = static_cast<std::size_t>(c.buffersUntilFull) * c.samples;
    EXPECT_DOUBLE_EQ(state.soundBuffer[written - 1], 1.0);
    EXPECT_DOUBLE_EQ(state.soundBuffer[written], -7.0);
    // Buffers that still come are not recorded.
    EXPECT_FALSE(feed(buffer).recorded);
    EXPECT_DOUBLE_EQ(state.soundBuffer[written], -7.0);
    EXPECT_EQ(state.soundLength, c.soundLength);
}

INSTANTIATE_TEST_SUITE_P(BufferSizes, RecordingOverflow,
    testing::Values(OverflowCase{1103, 452, 451 * 1103}, OverflowCase{30000, 15, 420000},
        OverflowCase{200000, 1, 0}));

TEST_F(RecordingSessionTest, AfterAStopBuffersAreCountedButChangeNothing)
{
    EXPECT_TRUE(session.nothingRecordedYet());
    session.open();
    session.startRecording();
    feed(constant(100));
    session.stopRecording();
    EXPECT_FALSE(session.nothingRecordedYet());
    feed(constant(-300));
    EXPECT_DOUBLE_EQ(state.soundBuffer[0], 2.0);
    EXPECT_EQ(state.soundLength, 1103);
    EXPECT_EQ(session.monitorBufferCount(), 2);
    session.open();
    EXPECT_TRUE(session.nothingRecordedYet());
}

struct LevelCase {
    double variance;
    std::int32_t level;
    bool saturated;
};

class RecordingLevel : public testing::TestWithParam<LevelCase> {};

TEST_P(RecordingLevel, IsTheRoundedDecibelsLessSixty)
{
    EXPECT_EQ(recordingLevel(GetParam().variance), GetParam().level);
    EXPECT_EQ(isSaturated(GetParam().level), GetParam().saturated);
}

// 20 log10(595) = 55.49 and 20 log10(596) = 55.51: the step from 85 to 86.
INSTANTIATE_TEST_SUITE_P(Variances, RecordingLevel,
    testing::Values(LevelCase{0.0, -50, false}, LevelCase{1.0, 30, false}, LevelCase{595.0, 85, false},
        LevelCase{596.0, 86, true}, LevelCase{1.0e6, 150, true}));

TEST(RecordingTexts, RecordLengthHasOneDecimalInAFieldOfFour)
{
    EXPECT_EQ(recordLengthText(0, 22050, Language::French), "Durée de l'enregistrement : 0.0 secondes");
    EXPECT_EQ(recordLengthText(220500, 22050, Language::English), "Record length :10.0 seconds");
    EXPECT_EQ(recordLengthText(451 * 1103, 22050, Language::Spanish), "longitud de registro :22.6 segundos");
}

TEST(RecordingTexts, LastSoundTextInEachLanguage)
{
    EXPECT_EQ(lastSoundText("essai.WAV", 551, Language::French),
        "Dernier enregistrement : \"essai.WAV (551 échantillons)");
    EXPECT_EQ(lastSoundText("essai.WAV", 551, Language::English), "Last sound recorded :\"essai.WAV (551 samples)");
    EXPECT_EQ(lastSoundText("essai.WAV", 0, Language::Spanish), "Última sonido grabado :\"essai.WAV (0 muestras)");
}

TEST(RecordingNames, SuggestedNameIsPatientDateAndCounter)
{
    EXPECT_EQ(suggestedSoundName("", "29/04/2024", 1), "nouveau_29-04-2024_1.wav");
    EXPECT_EQ(suggestedSoundName("Martin Paul", "4/29/24", 12), "Martin Paul_4-29-24_12.wav");
    EXPECT_EQ(suggestedSoundName("Martin", "29.04.24", 3), "Martin_29.04.24_3.wav");
}

TEST(RecordingNames, TheSaveCounterGrowsWithEachSuggestion)
{
    auto state = std::make_unique<AnalysisState>();
    RecordingSession session(*state);
    EXPECT_EQ(session.nextSuggestedName("", "1/2/24"), "nouveau_1-2-24_1.wav");
    session.open();
    EXPECT_EQ(session.nextSuggestedName("Martin", "1/2/24"), "Martin_1-2-24_2.wav");
    EXPECT_EQ(session.saveCounter(), 2);
}

TEST(RecordingNames, TheExtensionIsForcedToUpperCaseWav)
{
    EXPECT_EQ(withWavExtension("essai.wav"), "essai.WAV");
    EXPECT_EQ(withWavExtension("essai"), "essai.WAV");
    EXPECT_EQ(withWavExtension("sons/essai.snd"), "sons/essai.WAV");
    EXPECT_EQ(withWavExtension("sons.2024/essai"), "sons.2024/essai.WAV");
}

TEST(RecordingNames, TheLastSoundNameKeeps250BytesWithoutSplittingALetter)
{
    auto state = std::make_unique<AnalysisState>();
    RecordingSession session(*state);
    EXPECT_EQ(session.lastSoundName(), "inconnu.wav");
    session.setLastSoundName(std::string(249, 'x') + "é.WAV");
    EXPECT_EQ(session.lastSoundName(), std::string(249, 'x'));
}

class RecordingSave : public RecordingSessionTest {
protected:
    std::vector<std::int16_t> samplesOf(const std::filesystem::path& file)
    {
        const std::vector<std::uint8_t> bytes = test::readFile(file);
        std::vector<std::int16_t> samples;
        for (std::size_t i = 44; i + 1 < bytes.size(); i += 2)
            samples.push_back(static_cast<std::int16_t>(bytes[i] | bytes[i + 1] << 8));
        return samples;
    }

    test::TempFolder folder;
    test::RecordingErrorReporter messages;
};

// The file holds a 0, then samples 1..n-1 x 500, rounded (halves to even)
// and clamped.
TEST_F(RecordingSave, WritesAZeroThenTheRecordingTimesFiveHundred)
{
    state.soundLength = 6;
    const double recording[] = {3.0, 0.0011, -0.0011, 0.125, 100.0, -100.0, 9.0};
    std::copy(std::begin(recording), std::end(recording), state.soundBuffer.begin());
    std::uint32_t count = 0;
    const auto file = folder.path("essai.WAV");
    ASSERT_TRUE(session.saveToWav(file.string(), messages, count));
    EXPECT_EQ(std::filesystem::file_size(file), 44u + 2 * 6);
    EXPECT_EQ(samplesOf(file), (std::vector<std::int16_t>{0, 1, -1, 62, 32767, -32768}));
    EXPECT_EQ(count, 3u); // bytes written / 4
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(RecordingSave, AFullRecordingFitsTheFile)
{
    session.startRecording();
    for (int b = 0; b < 452; ++b)
        feed(alternating(1000));
    std::uint32_t count = 0;
    const auto file = folder.path("long.WAV");
    ASSERT_TRUE(session.saveToWav(file.string(), messages, count));
    EXPECT_EQ(std::filesystem::file_size(file), 44u + 2u * 451 * 1103);
    const auto samples = samplesOf(file);
    EXPECT_EQ(samples[0], 0);
    EXPECT_EQ(samples[1], -10000);
    EXPECT_EQ(samples.back(), 10000);
}

TEST_F(RecordingSave, AFileThatCannotBeCreatedLeavesTheRecording)
{
    session.startRecording();
    feed(alternating(100));
    std::uint32_t count = 99;
    const auto file = folder.path("missing") / "essai.WAV";
    EXPECT_FALSE(session.saveToWav(file.string(), messages, count));
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(state.soundLength, 1103);
    EXPECT_DOUBLE_EQ(state.soundBuffer[1], -2.0);
}

} // namespace
} // namespace tiravel
