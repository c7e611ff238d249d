#include "audio/WavReader.h"
#include "audio/WavWriter.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace tiravel {
namespace {

using test::RecordingErrorReporter;
using test::TempFolder;
using test::wavBytes;

std::vector<std::int16_t> wave(std::size_t count)
{
    std::vector<std::int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = static_cast<std::int16_t>((i * 7919) % 65536 - 32768);
    return samples;
}

std::uint32_t get32At(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    return bytes.at(offset) | bytes.at(offset + 1) << 8 | bytes.at(offset + 2) << 16
        | static_cast<std::uint32_t>(bytes.at(offset + 3)) << 24;
}

constexpr std::size_t kRiffSizeOffset = 4;
constexpr std::size_t kDataSizeOffset = 40;
const std::string kGenerationError = "Error during WAV file generation";

class WavWriterTest : public ::testing::Test {
protected:
    TempFolder folder;
    RecordingErrorReporter messages;

    std::string path(const std::string& name) const { return folder.path(name).string(); }

    // Writes samples in one call and closes the file.
    void writeAll(const std::string& fileName, const std::vector<std::int16_t>& samples, std::uint32_t& bytesWritten)
    {
        TWavFile wav(messages);
        bool ok = false;
        wav.open(fileName, 22050, ok, 1, 16);
        ASSERT_TRUE(ok);
        wav.writeSamples(static_cast<std::uint32_t>(samples.size()), bytesWritten, samples.data());
        wav.close();
        EXPECT_TRUE(wav.good());
    }
};

TEST_F(WavWriterTest, WritesTheCanonicalFileWithFinalSizes)
{
    for (std::size_t n : {0u, 1u, 7u, 1000u, 20000u}) {
        const auto samples = wave(n);
        std::uint32_t bytesWritten = 99;
        writeAll(path("out.wav"), samples, bytesWritten);
        const auto bytes = test::readFile(path("out.wav"));
        ASSERT_EQ(bytes.size(), 44 + 2 * n) << n;
        EXPECT_EQ(get32At(bytes, kRiffSizeOffset), 36 + 2 * n) << n;
        EXPECT_EQ(get32At(bytes, kDataSizeOffset), 2 * n) << n;
        EXPECT_EQ(bytes, wavBytes(samples)) << n;
        EXPECT_EQ(bytesWritten, 2 * n / 4) << n;
    }
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(WavWriterTest, HeaderFieldsFollowRateChannelsAndBits)
{
    struct Case {
        std::uint32_t rate;
        std::uint16_t channels;
        std::uint16_t bits;
    };
    for (const Case c : {Case{22050, 1, 16}, Case{44100, 2, 16}, Case{11025, 1, 8}, Case{48000, 2, 24}}) {
        {
            TWavFile wav(messages);
            bool ok = false;
            wav.open(path("format.wav"), c.rate, ok, c.channels, c.bits);
            ASSERT_TRUE(ok);
        }
        EXPECT_EQ(test::readFile(path("format.wav")), wavBytes({}, c.rate, c.channels, c.bits))
            << c.rate << " Hz, " << c.channels << " channels, " << c.bits << " bits";
    }
}

TEST_F(WavWriterTest, SizesStayZeroUntilClose)
{
    TWavFile wav(messages);
    bool ok = false;
    wav.open(path("open.wav"), 22050, ok, 1, 16);
    ASSERT_TRUE(ok);
    const auto samples = wave(100);
    std::uint32_t bytesWritten = 0;
    wav.writeSamples(100, bytesWritten, samples.data());
    wav.writeSamples(3, bytesWritten, samples.data());
    EXPECT_EQ(bytesWritten, 1u);  // 6 bytes / 4

    auto bytes = test::readFile(path("open.wav"));
    ASSERT_EQ(bytes.size(), 44u + 206u);
    EXPECT_EQ(get32At(bytes, kRiffSizeOffset), 36u);
    EXPECT_EQ(get32At(bytes, kDataSizeOffset), 0u);

    wav.close();
    bytes = test::readFile(path("open.wav"));
    EXPECT_EQ(get32At(bytes, kRiffSizeOffset), 36u + 206u);
    EXPECT_EQ(get32At(bytes, kDataSizeOffset), 206u);
}

TEST_F(WavWriterTest, OpeningAgainOrDestroyingClosesWithSizes)
{
    const auto samples = wave(10);
    std::uint32_t bytesWritten = 0;
    bool ok = false;
    {
        TWavFile wav(messages);
        wav.open(path("first.wav"), 22050, ok, 1, 16);
        wav.writeSamples(10, bytesWritten, samples.data());
        wav.open(path("second.wav"), 22050, ok, 1, 16);
        ASSERT_TRUE(ok);
        wav.writeSamples(4, bytesWritten, samples.data());
    }
    EXPECT_EQ(test::readFile(path("first.wav")), wavBytes(samples));
    EXPECT_EQ(test::readFile(path("second.wav")), wavBytes({samples.begin(), samples.begin() + 4}));
}

TEST_F(WavWriterTest, NothingIsWrittenAfterClose)
{
    TWavFile wav(messages);
    bool ok = false;
    wav.open(path("closed.wav"), 22050, ok, 1, 16);
    wav.close();
    wav.close();
    const auto samples = wave(8);
    std::uint32_t bytesWritten = 99;
    wav.writeSamples(8, bytesWritten, samples.data());
    EXPECT_EQ(bytesWritten, 0u);
    EXPECT_EQ(test::readFile(path("closed.wav")), wavBytes({}));
}

TEST_F(WavWriterTest, AFileThatCannotBeCreatedIsNotOk)
{
    TWavFile wav(messages);
    bool ok = true;
    wav.open(path("no-such-folder/out.wav"), 22050, ok, 1, 16);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(messages.messages.empty());  // the caller shows its own message
    const auto samples = wave(8);
    std::uint32_t bytesWritten = 99;
    wav.writeSamples(8, bytesWritten, samples.data());
    EXPECT_EQ(bytesWritten, 0u);
    wav.close();
}

TEST_F(WavWriterTest, AReadOnlyFolderIsNotOk)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into every folder";
    const auto locked = folder.path("locked");
    std::filesystem::create_directory(locked);
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    TWavFile wav(messages);
    bool ok = true;
    wav.open((locked / "out.wav").string(), 22050, ok, 1, 16);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(writeWav16Mono((locked / "out.wav").string(), wave(10), 22050));
}

TEST_F(WavWriterTest, AFullDiskShowsBothSaveErrors)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    TWavFile wav(messages);
    bool ok = true;
    wav.open("/dev/full", 22050, ok, 1, 16);
    EXPECT_FALSE(ok);
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(messages.messages[0].text, kGenerationError);
    EXPECT_EQ(messages.messages[0].heading, "Save error 1");
    EXPECT_EQ(messages.messages[1].text, kGenerationError);
    EXPECT_EQ(messages.messages[1].heading, "Save error 2");

    const auto samples = wave(8);
    std::uint32_t bytesWritten = 99;
    wav.writeSamples(8, bytesWritten, samples.data());
    EXPECT_EQ(bytesWritten, 0u);
    wav.close();
    EXPECT_FALSE(wav.good());
}

TEST_F(WavWriterTest, WriteWav16MonoReportsFailures)
{
    EXPECT_FALSE(writeWav16Mono(path("no-such-folder/out.wav"), wave(10), 22050));
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_FALSE(writeWav16Mono("/dev/full", wave(10), 22050));
        EXPECT_TRUE(std::filesystem::exists("/dev/full"));
    }
}

TEST_F(WavWriterTest, WrittenFileReadsBack)
{
    const auto samples = wave(3000);
    ASSERT_TRUE(writeWav16Mono(path("round.wav"), samples, 22050));
    EXPECT_EQ(test::readFile(path("round.wav")), wavBytes(samples));

    test::FreshEngine fresh;
    test::RecordingErrorReporter errors;
    NoProgress progress;
    loadWavFile(fresh.state, path("round.wav"), Language::English, errors, progress);
    ASSERT_EQ(fresh.state.loadStatus, 0);
    ASSERT_EQ(fresh.state.soundLength, 2995);
    for (int i = 1; i <= fresh.state.soundLength; ++i)
        ASSERT_DOUBLE_EQ(fresh.state.soundBuffer[i], samples[i + 4] / 500.0) << "index " << i;
}

} // namespace
} // namespace tiravel
