// The live capture component on a scripted device: format decoding, buffer
// sizes, the open and close sequence, the buffer ring, levels and the error
// path.
#include "audio/LiveAudioRecorder.h"
#include "audio/PcmFormat.h"
#include "audio/ScriptedAudioInputDevice.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tiravel {
namespace {

using Call = ScriptedAudioInputDevice::Call;

std::vector<std::uint8_t> pcm16(const std::vector<std::int16_t>& samples)
{
    std::vector<std::uint8_t> bytes;
    for (std::int16_t s : samples) {
        bytes.push_back(static_cast<std::uint8_t>(s & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((s >> 8) & 0xFF));
    }
    return bytes;
}

// A full 50 ms buffer (1103 samples) of a ramp starting at first.
std::vector<std::uint8_t> rampBuffer(std::int16_t first)
{
    std::vector<std::int16_t> samples(1103);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(first + static_cast<std::int16_t>(i));
    return pcm16(samples);
}

// ---------------------------------------------------------------------------
// Formats and buffer sizes

struct FormatCase {
    TPCMFormat format;
    std::uint16_t channels;
    std::uint16_t bits;
    std::uint32_t rate;
    std::uint32_t bytesPerSecond;
    std::uint16_t blockAlign;
};

TEST(PcmFormat, DecodesChannelsBitsAndRateFromTheValue)
{
    const std::vector<FormatCase> cases = {
        {Mono8Bit8000Hz, 1, 8, 8000, 8000, 1},
        {Stereo8bit8000Hz, 2, 8, 8000, 16000, 2},
        {Mono16bit8000Hz, 1, 16, 8000, 16000, 2},
        {Stereo16bit8000Hz, 2, 16, 8000, 32000, 4},
        {Mono8bit11025Hz, 1, 8, 11025, 11025, 1},
        {Stereo16bit11025Hz, 2, 16, 11025, 44100, 4},
        {Mono8bit22050Hz, 1, 8, 22050, 22050, 1},
        {Mono16bit22050Hz, 1, 16, 22050, 44100, 2},
        {Stereo8bit44100Hz, 2, 8, 44100, 88200, 2},
        {Mono16bit44100Hz, 1, 16, 44100, 88200, 2},
        {Mono8bit48000Hz, 1, 8, 48000, 48000, 1},
        {Stereo16bit48000Hz, 2, 16, 48000, 192000, 4},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.format));
        const WaveFormatRecord record = MakePCMFormatRecord(c.format);
        EXPECT_EQ(record.formatTag, 1);
        EXPECT_EQ(record.channels, c.channels);
        EXPECT_EQ(record.bitsPerSample, c.bits);
        EXPECT_EQ(record.samplesPerSec, c.rate);
        EXPECT_EQ(record.avgBytesPerSec, c.bytesPerSecond);
        EXPECT_EQ(record.blockAlign, c.blockAlign);
        EXPECT_EQ(record.extraSize, 0);
        EXPECT_EQ(PCMFormatOf(record), c.format);
    }
}

TEST(PcmFormat, ValuesFollowTheListOrderAndNoneIsEmpty)
{
    EXPECT_EQ(Mono8Bit8000Hz, 1);
    EXPECT_EQ(Mono16bit22050Hz, 11);
    EXPECT_EQ(Stereo16bit48000Hz, 20);
    EXPECT_EQ(sizeof(WaveFormatRecord), 18u);
    EXPECT_EQ(MakePCMFormatRecord(nonePCM), WaveFormatRecord {});
    WaveFormatRecord odd = MakePCMFormatRecord(Mono16bit22050Hz);
    odd.samplesPerSec = 16000;
    EXPECT_EQ(PCMFormatOf(odd), nonePCM);
}

struct BufferSizeCase {
    TPCMFormat format;
    std::uint16_t milliseconds;
    std::uint32_t bytes;
};

TEST(PcmFormat, BufferSizeRoundsToNearestThenUpToWholeSampleFrames)
{
    const std::vector<BufferSizeCase> cases = {
        {Mono16bit22050Hz, 50, 2206},   // 2205 rounded up to 1103 samples
        {Mono16bit22050Hz, 10, 442},    // 441 -> 442
        {Mono16bit8000Hz, 50, 800},
        {Stereo16bit44100Hz, 50, 8820},
        {Mono8bit11025Hz, 20, 220},     // 220.5: half to even
        {Mono8bit11025Hz, 60, 662},     // 661.5: half to even
        {Mono8bit11025Hz, 30, 331},     // 330.75
        {Stereo16bit11025Hz, 10, 444},  // 441 -> 4-byte frames
    };
    for (const BufferSizeCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.format) + " at " + std::to_string(c.milliseconds) + " ms");
        EXPECT_EQ(WaveBufferSize(MakePCMFormatRecord(c.format), c.milliseconds), c.bytes);
    }
}

// ---------------------------------------------------------------------------
// The recorder on a scripted device

// Records the events of a recorder in the order they are raised, until it
// goes away.
struct EventLog {
    explicit EventLog(TLiveAudioRecorder& recorder)
        : recorder(recorder)
    {
        recorder.OnActivate = [this](TWaveAudioIO*) { events.push_back("activate"); };
        recorder.OnDeactivate = [this](TWaveAudioIO*) { events.push_back("deactivate"); };
        recorder.OnPause = [this](TWaveAudioIO*) { events.push_back("pause"); };
        recorder.OnResume = [this](TWaveAudioIO*) { events.push_back("resume"); };
        recorder.OnLevel = [this](TWaveAudioIO*, std::int32_t level) {
            events.push_back("level " + std::to_string(level));
            levels.push_back(level);
        };
        recorder.OnFilter = [this](TWaveAudioIO*, void*, std::uint32_t size) {
            events.push_back("filter " + std::to_string(size));
        };
        recorder.OnData = [this](TWaveAudioIO*, void* buffer, std::uint32_t size, bool& freeIt) {
            events.push_back("data " + std::to_string(size));
            const auto* bytes = static_cast<const std::uint8_t*>(buffer);
            data.emplace_back(bytes, bytes + size);
            blocks.push_back(buffer);
            freeIt = keepBlocks ? false : freeIt;
        };
    }
    ~EventLog()
    {
        recorder.OnActivate = recorder.OnDeactivate = recorder.OnPause = recorder.OnResume = recorder.OnError = nullptr;
        recorder.OnLevel = nullptr;
        recorder.OnFilter = nullptr;
        recorder.OnData = nullptr;
    }
    void catchErrors()
    {
        recorder.OnError = [this](TWaveAudioIO*) {
            events.push_back("error");
            errors.push_back(recorder.LastErrorText());
        };
    }
    TLiveAudioRecorder& recorder;
    std::vector<std::string> events;
    std::vector<std::int32_t> levels;
    std::vector<std::vector<std::uint8_t>> data;
    std::vector<void*> blocks;
    std::vector<std::string> errors;
    bool keepBlocks = false;
};

class Recorder : public ::testing::Test {
protected:
    Recorder()
    {
        recorder.setPCMFormat(Mono16bit22050Hz);
        recorder.setBufferLength(50);
    }
    void activate()
    {
        recorder.setActive(true);
        device.pumpNotifications();
    }
    void deactivate()
    {
        recorder.setActive(false);
        device.pumpNotifications();
    }

    ScriptedAudioInputDevice device;
    TLiveAudioRecorder recorder {device};
    EventLog log {recorder};
};

TEST(RecorderSettings, DefaultsAndShortBufferLengths)
{
    ScriptedAudioInputDevice device;
    TLiveAudioRecorder recorder(device);
    EXPECT_EQ(recorder.DeviceID(), -1);
    EXPECT_EQ(recorder.BufferLength(), 1000);
    EXPECT_EQ(recorder.BufferCount(), 2);
    EXPECT_EQ(recorder.PCMFormat(), Mono16bit8000Hz);
    EXPECT_FALSE(recorder.Async());
    EXPECT_FALSE(recorder.Active());
    EXPECT_FALSE(recorder.Paused());
    for (const auto& [set, stored] : std::vector<std::pair<std::uint16_t, std::uint16_t>> {
             {5, 10}, {0, 10}, {9, 10}, {10, 10}, {50, 50}}) {
        recorder.setBufferLength(set);
        EXPECT_EQ(recorder.BufferLength(), stored) << "set " << set;
    }
}

TEST_F(Recorder, OpensQueuesTheRingAndStartsOnlyWhenTheDeviceSaysOpened)
{
    recorder.setActive(true);
    EXPECT_TRUE(recorder.Active());
    EXPECT_EQ(device.calls(Call::Open), 1);
    EXPECT_EQ(device.queuedBuffers(), 0u) << "buffers are queued on the opened notification, not inside the call";
    EXPECT_TRUE(log.events.empty());

    device.pumpNotifications();
    EXPECT_EQ(device.openFormat(), MakePCMFormatRecord(Mono16bit22050Hz));
    EXPECT_EQ(device.queuedBuffers(), 2u);
    EXPECT_TRUE(device.isCapturing());
    EXPECT_EQ(log.events, std::vector<std::string>({"activate"}));
}

TEST_F(Recorder, ActiveTrueTwiceDoesNothingButADirectOpenIsRefused)
{
    activate();
    recorder.setActive(true);
    device.pumpNotifications();
    EXPECT_EQ(device.calls(Call::Open), 1);
    EXPECT_EQ(device.queuedBuffers(), 2u);
    try {
        recorder.Open();
        FAIL() << "no exception";
    } catch (const EWaveAudioInvalidOperation& e) {
        EXPECT_STREQ(e.what(), "Device is aleardy open");
    }
}

TEST_F(Recorder, ASecondOpenWhileOpeningIsIgnored)
{
    recorder.setActive(true);
    EXPECT_NO_THROW(recorder.Open());
    device.pumpNotifications();
    EXPECT_EQ(device.calls(Call::Open), 1);
    EXPECT_EQ(device.queuedBuffers(), 2u);
    EXPECT_EQ(log.events, std::vector<std::string>({"activate"}));
}

TEST_F(Recorder, AnOpenRequestedWhileTheFormatIsAskedForIsIgnored)
{
    recorder.setPCMFormat(nonePCM);
    int asked = 0;
    recorder.OnFormat = [&](TWaveAudioIO*, WaveFormatRecord& format) {
        ++asked;
        recorder.setActive(true);
        format = MakePCMFormatRecord(Mono8bit11025Hz);
    };
    activate();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(device.calls(Call::Open), 1);
    EXPECT_EQ(device.openFormat(), MakePCMFormatRecord(Mono8bit11025Hz));
}

TEST_F(Recorder, FilledBuffersRaiseLevelFilterDataInCaptureOrderAndAreRequeued)
{
    activate();
    log.events.clear();
    const std::vector<std::vector<std::uint8_t>> pushed = {rampBuffer(0), rampBuffer(5000), rampBuffer(-3000)};
    for (const auto& bytes : pushed) {
        ASSERT_TRUE(device.pushData(bytes));
        device.pumpNotifications();
    }

    EXPECT_EQ(log.data, pushed);
    ASSERT_EQ(log.events.size(), 9u);
    EXPECT_EQ(log.events[0].rfind("level", 0), 0u);
    EXPECT_EQ(log.events[1], "filter 2206");
    EXPECT_EQ(log.events[2], "data 2206");
    EXPECT_EQ(device.queuedBuffers(), 2u);
    EXPECT_EQ(log.blocks[2], log.blocks[0]) << "a block left to the recorder is reused, not reallocated";
    EXPECT_EQ(recorder.Position(), 3u * 2206);
}

TEST_F(Recorder, AHandlerThatKeepsTheBlockGetsItAndTheHeaderAFreshOne)
{
    activate();
    log.keepBlocks = true;
    const std::vector<std::uint8_t> first = rampBuffer(100);
    ASSERT_TRUE(device.pushData(first));
    ASSERT_TRUE(device.pushData(rampBuffer(200)));
    device.pumpNotifications();
    ASSERT_TRUE(device.pushData(rampBuffer(300))); // the first header again
    device.pumpNotifications();

    ASSERT_EQ(log.blocks.size(), 3u);
    EXPECT_NE(log.blocks[2], log.blocks[0]);
    const auto* kept = static_cast<const std::uint8_t*>(log.blocks[0]);
    EXPECT_EQ(std::vector<std::uint8_t>(kept, kept + first.size()), first);
    EXPECT_EQ(device.queuedBuffers(), 2u);
    for (void* block : log.blocks)
        TWaveAudioIO::ReleaseDataBlock(block);
}

struct LevelCase {
    const char* name;
    TPCMFormat format;
    std::vector<std::uint8_t> bytes;
    std::int32_t level;
};

TEST(RecorderLevel, PeakInPercentFor16And8BitBuffers)
{
    const std::vector<LevelCase> cases = {
        {"16-bit half scale", Mono16bit22050Hz, pcm16({0, 16384, -100}), 50},
        {"16-bit full scale", Mono16bit22050Hz, pcm16({32767, 0}), 100},
        {"16-bit negative peak ignored", Mono16bit22050Hz, pcm16({1000, -32768}), 3},
        {"16-bit all negative", Mono16bit22050Hz, pcm16({-30000, -5}), 0},
        {"8-bit full scale", Mono8bit22050Hz, {128, 255, 0}, 100},
        {"8-bit half", Mono8bit22050Hz, {191, 64}, 49},
        {"8-bit midpoint", Mono8bit22050Hz, {128, 10}, 0},
        {"8-bit below midpoint", Mono8bit22050Hz, {100, 127}, 0},
    };
    for (const LevelCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedAudioInputDevice device;
        TLiveAudioRecorder recorder(device);
        EventLog log(recorder);
        recorder.setPCMFormat(c.format);
        recorder.setBufferLength(50);
        recorder.setActive(true);
        device.pumpNotifications();
        ASSERT_TRUE(device.pushData(c.bytes));
        device.pumpNotifications();
        EXPECT_EQ(log.levels, std::vector<std::int32_t>({c.level}));
    }
}

TEST_F(Recorder, CloseReturnsTheQueuedBuffersThenLevelZeroThenDeactivate)
{
    activate();
    ASSERT_TRUE(device.pushData(pcm16(std::vector<std::int16_t>(1103, 16384))));
    log.events.clear();
    recorder.setActive(false);
    EXPECT_TRUE(recorder.Active()) << "active until the device reports closed";
    device.pumpNotifications();

    EXPECT_EQ(log.events, std::vector<std::string>({"level 50", "filter 2206", "data 2206", "level 0", "deactivate"}));
    EXPECT_FALSE(recorder.Active());
    EXPECT_FALSE(device.isOpen());
    EXPECT_EQ(device.calls(Call::Close), 1) << "the device is closed once every buffer came back";
    EXPECT_EQ(device.queuedBuffers(), 0u);

    recorder.setActive(false);
    try {
        recorder.Close();
        FAIL() << "no exception";
    } catch (const EWaveAudioInvalidOperation& e) {
        EXPECT_STREQ(e.what(), "Device is aleardy close");
    }
}

TEST_F(Recorder, CloseRequestedWhileOpeningWaitsForTheOpen)
{
    recorder.setActive(true);
    recorder.setActive(false);
    device.pumpNotifications();
    EXPECT_EQ(log.events, std::vector<std::string>({"activate", "level 0", "deactivate"}));
    EXPECT_FALSE(recorder.Active());
    EXPECT_FALSE(device.isOpen());
}

TEST_F(Recorder, ReopensAfterAClose)
{
    activate();
    deactivate();
    activate();
    EXPECT_TRUE(device.isCapturing());
    EXPECT_EQ(device.queuedBuffers(), 2u);
    EXPECT_EQ(device.calls(Call::Open), 2);
}

TEST_F(Recorder, PauseStopsCaptureWithTheBuffersKeptAndResumeRestarts)
{
    activate();
    log.events.clear();
    recorder.setPaused(true);
    recorder.setPaused(true);
    EXPECT_FALSE(device.isCapturing());
    EXPECT_FALSE(device.pushData(rampBuffer(0)));
    EXPECT_EQ(device.queuedBuffers(), 2u);
    recorder.setPaused(false);
    EXPECT_TRUE(device.isCapturing());
    EXPECT_EQ(log.events, std::vector<std::string>({"pause", "resume"}));
}

TEST_F(Recorder, PausedBeforeOpeningStaysStopped)
{
    recorder.setPaused(true);
    activate();
    EXPECT_EQ(device.queuedBuffers(), 2u);
    EXPECT_FALSE(device.isCapturing());
    EXPECT_EQ(device.calls(Call::Start), 0);
}

TEST_F(Recorder, FormatCannotChangeWhileOpen)
{
    activate();
    try {
        recorder.setPCMFormat(Mono8Bit8000Hz);
        FAIL() << "no exception";
    } catch (const EWaveAudioInvalidOperation& e) {
        EXPECT_STREQ(e.what(), "Audio format cannot be changed while device is open");
    }
    EXPECT_EQ(recorder.PCMFormat(), Mono16bit22050Hz);
    deactivate();
    recorder.setPCMFormat(Mono8Bit8000Hz);
    EXPECT_EQ(recorder.PCMFormat(), Mono8Bit8000Hz);
}

TEST(RecorderDevice, DeviceIdIsValidatedAndFixedWhileOpen)
{
    ScriptedAudioInputDevice device({{"Left", TWaveDeviceFormats().set()}, {"Right", TWaveDeviceFormats().set()}});
    TLiveAudioRecorder recorder(device);
    recorder.setDeviceID(1);
    EXPECT_EQ(recorder.DeviceID(), 1);
    EXPECT_EQ(recorder.DeviceName(), "Right");

    try {
        recorder.setDeviceID(2);
        FAIL() << "no exception";
    } catch (const EWaveAudioSysError& e) {
        EXPECT_EQ(e.code(), kBadDeviceId);
        EXPECT_EQ(std::string(e.what()), defaultDeviceErrorText(kBadDeviceId));
    }
    EXPECT_EQ(recorder.DeviceID(), 1);

    int errors = 0;
    recorder.OnError = [&](TWaveAudioIO*) { ++errors; };
    recorder.setDeviceID(-2);
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(recorder.LastError(), kBadDeviceId);
    EXPECT_EQ(recorder.DeviceID(), 1);

    recorder.setActive(true);
    device.pumpNotifications();
    try {
        recorder.setDeviceID(0);
        FAIL() << "no exception";
    } catch (const EWaveAudioInvalidOperation& e) {
        EXPECT_STREQ(e.what(), "DeviceID cannot be changed while device is open");
    }
    EXPECT_EQ(recorder.DeviceID(), 1);
}

TEST(RecorderDevice, QueryAsksWithoutOpeningAndFormatsComeFromTheDevice)
{
    TWaveDeviceFormats formats;
    formats.set(Mono16bit22050Hz).set(Mono8Bit8000Hz);
    ScriptedAudioInputDevice device({{"Mic", formats}});
    TLiveAudioRecorder recorder(device);
    EXPECT_TRUE(recorder.QueryPCM(Mono16bit22050Hz));
    EXPECT_FALSE(recorder.QueryPCM(Stereo16bit44100Hz));
    EXPECT_FALSE(recorder.QueryPCM(nonePCM));
    EXPECT_FALSE(device.isOpen());
    EXPECT_EQ(recorder.DeviceFormats(), formats);
    EXPECT_EQ(recorder.NumDevs(), 1u);
}

struct FailureCase {
    const char* name;
    Call call;
    DeviceResult code;
    bool activeAfter;  // the open itself failed: nothing stays open
};

// The same device failures reach OnError when it is assigned and are thrown
// as EWaveAudioSysError carrying the device's text otherwise.
TEST(RecorderErrors, EveryFailedDeviceCallReachesOnErrorOrThrows)
{
    const std::vector<FailureCase> cases = {
        {"query refused", Call::Query, kFormatRefused, false},
        {"open failed", Call::Open, kDeviceFailed, false},
        {"no memory when queueing", Call::AddBuffer, kNoMemory, true},
        {"start failed", Call::Start, kDeviceFailed, true},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        {
            ScriptedAudioInputDevice device;
            TLiveAudioRecorder recorder(device);
            EventLog log(recorder);
            log.catchErrors();
            device.failNext(c.call, c.code);
            recorder.setActive(true);
            device.pumpNotifications();
            EXPECT_EQ(log.errors, std::vector<std::string>({defaultDeviceErrorText(c.code)}));
            EXPECT_EQ(recorder.LastError(), c.code);
            EXPECT_EQ(recorder.Active(), c.activeAfter);
        }
        {
            ScriptedAudioInputDevice device;
            TLiveAudioRecorder recorder(device);
            device.failNext(c.call, c.code);
            try {
                recorder.setActive(true);
                device.pumpNotifications();
                ADD_FAILURE() << "no exception";
            } catch (const EWaveAudioSysError& e) {
                EXPECT_EQ(std::string(e.what()), defaultDeviceErrorText(c.code));
                EXPECT_EQ(e.code(), c.code);
            }
            EXPECT_EQ(recorder.Active(), c.activeAfter);
        }
    }
}

TEST_F(Recorder, AFailedOpenLeavesTheRecorderClosedAndReadyToRetry)
{
    log.catchErrors();
    device.failNext(Call::Open, kDeviceFailed);
    activate();
    EXPECT_FALSE(recorder.Active());
    activate();
    EXPECT_TRUE(recorder.Active());
    EXPECT_TRUE(device.isCapturing());
}

TEST(RecorderErrors, AFormatTheDeviceRefusesIsReportedAndNothingOpens)
{
    ScriptedAudioInputDevice eightBitOnly({{"Old card", TWaveDeviceFormats().set(Mono8Bit8000Hz)}});
    TLiveAudioRecorder old(eightBitOnly);
    EventLog oldLog(old);
    oldLog.catchErrors();
    old.setPCMFormat(Mono16bit22050Hz);
    old.setActive(true);
    eightBitOnly.pumpNotifications();
    EXPECT_EQ(oldLog.errors, std::vector<std::string>({defaultDeviceErrorText(kFormatRefused)}));
    EXPECT_EQ(eightBitOnly.calls(Call::Open), 0);
    EXPECT_FALSE(old.Active());
}

TEST_F(Recorder, ABufferTheDeviceRefusesToRequeueIsReportedAndDropped)
{
    log.catchErrors();
    activate();
    device.failNext(Call::AddBuffer, kDeviceFailed);
    ASSERT_TRUE(device.pushData(rampBuffer(0)));
    device.pumpNotifications();
    EXPECT_EQ(log.data.size(), 1u) << "the filled buffer is still delivered";
    EXPECT_EQ(log.errors.size(), 1u);
    EXPECT_EQ(device.queuedBuffers(), 1u);
    deactivate();
    EXPECT_FALSE(recorder.Active());
}

TEST_F(Recorder, ALostDeviceIsReportedAndTheRecorderCanStillClose)
{
    log.catchErrors();
    activate();
    device.loseDevice();
    device.pumpNotifications();
    EXPECT_EQ(log.errors, std::vector<std::string>({defaultDeviceErrorText(kDeviceLost)}));
    EXPECT_TRUE(recorder.Active());
    log.events.clear();
    deactivate();
    EXPECT_EQ(log.events, std::vector<std::string>({"level 0", "deactivate"}));
    EXPECT_FALSE(recorder.Active());
}

TEST_F(Recorder, ALostDeviceWithoutOnErrorThrowsFromTheNotification)
{
    activate();
    device.loseDevice();
    EXPECT_THROW(device.pumpNotifications(), EWaveAudioSysError);
}

TEST(RecorderLifetime, DestroyingAnOpenRecorderClosesTheDeviceWithoutDeactivate)
{
    ScriptedAudioInputDevice device;
    auto recorder = std::make_unique<TLiveAudioRecorder>(device);
    int deactivated = 0;
    recorder->OnDeactivate = [&](TWaveAudioIO*) { ++deactivated; };
    recorder->setActive(true);
    device.pumpNotifications();
    recorder.reset();
    EXPECT_FALSE(device.isOpen());
    EXPECT_EQ(device.queuedBuffers(), 0u);
    EXPECT_EQ(device.pendingNotifications(), 0u);
    EXPECT_EQ(deactivated, 0);
}

} // namespace
} // namespace tiravel
